#include "async_tcp_socket.h"

#include "socket_errors.h"
#include "tls_client.h"

#include <QHostInfo>
#include <QSslSocket>
#include <QTcpSocket>

#include <cerrno>

namespace net {

TWSocket::TWSocket(QObject *parent) : QObject(parent) {}

TWSocket::~TWSocket()
{
    Abort();
}

void TWSocket::Connect()
{
    Abort();
    tlsFailure_.clear();
    state_ = State::NameLookup;
    lookupId_ = QHostInfo::lookupHost(Addr, this, [this, session = session_](const QHostInfo &info) {
        if (session == session_)
            lookedUp(info);
    });
}

qint64 TWSocket::Send(const char *data, qint64 length)
{
    if (state_ != State::Connected)
        return -1;
    return socket_->write(data, length);
}

qint64 TWSocket::Receive(char *buffer, qint64 length)
{
    return socket_ ? socket_->read(buffer, length) : -1;
}

void TWSocket::Close()
{
    if (state_ == State::Connected) {
        state_ = State::Closing;
        socket_->disconnectFromHost();
    } else if (state_ == State::NameLookup || state_ == State::Connecting) {
        Abort();
        pending_.closed = true;
        schedule();
    }
}

void TWSocket::Abort()
{
    if (lookupId_ >= 0)
        QHostInfo::abortHostLookup(lookupId_);
    lookupId_ = -1;
    dropSocket();
    addresses_.clear();
    pending_ = {};
    state_ = State::Closed;
    ++session_;
}

void TWSocket::lookedUp(const QHostInfo &info)
{
    lookupId_ = -1;
    addresses_ = info.addresses();
    pending_.lookupDone = true;
    pending_.lookupError = lookupErrorNumber(info.error());
    if (pending_.lookupError == 0 && addresses_.isEmpty())
        pending_.lookupError = lookupErrorNumber(QHostInfo::HostNotFound);
    schedule();
}

void TWSocket::connectNext()
{
    dropSocket();
    tlsFailure_.clear();
    const QHostAddress address = addresses_.takeFirst();
    if (Tls) {
        auto secure = std::make_unique<QSslSocket>();
        secure->setSslConfiguration(tlsClientConfiguration(tlsPeer()));
        connect(secure.get(), &QSslSocket::sslErrors, this,
                [this](const QList<QSslError> &errors) { sslErrors_ = errors; });
        // TLS 1.3 sends it after the handshake.
        connect(secure.get(), &QSslSocket::newSessionTicketReceived, this,
                [this, s = secure.get()] { keepTlsSession(tlsPeer(), s->sslConfiguration()); });
        socket_ = std::move(secure);
    } else {
        socket_ = std::make_unique<QTcpSocket>();
    }
    QTcpSocket *s = socket_.get();
    const auto connectDone = [this] {
        // A TLS 1.2 session is there once the handshake went through.
        if (Tls)
            keepTlsSession(tlsPeer(), static_cast<QSslSocket *>(socket_.get())->sslConfiguration());
        pending_.connectDone = true;
        pending_.connectError = 0;
        schedule();
    };
    if (Tls)
        connect(static_cast<QSslSocket *>(s), &QSslSocket::encrypted, this, connectDone);
    else
        connect(s, &QTcpSocket::connected, this, connectDone);
    connect(s, &QTcpSocket::errorOccurred, this, &TWSocket::socketError);
    connect(s, &QTcpSocket::readyRead, this, &TWSocket::schedule);
    connect(s, &QTcpSocket::bytesWritten, this, [this, s] {
        if (s->bytesToWrite() == 0) {
            pending_.sent = true;
            schedule();
        }
    });
    connect(s, &QTcpSocket::disconnected, this, [this] {
        pending_.closed = true;
        schedule();
    });
    sslErrors_.clear();
    if (Tls)
        static_cast<QSslSocket *>(s)->connectToHostEncrypted(address.toString(), port_, TlsPeerName);
    else
        s->connectToHost(address, port_);
}

void TWSocket::socketError()
{
    const QAbstractSocket::SocketError error = socket_->error();
    if (state_ == State::Connecting && !pending_.connectDone) {
        pending_.connectDone = true;
        pending_.connectError = socketErrorNumber(error);
        if (Tls && (error == QAbstractSocket::SslHandshakeFailedError || !sslErrors_.isEmpty()))
            tlsFailure_ = tlsFailureText(TlsPeerName, sslErrors_, socket_->errorString());
    } else if (error != QAbstractSocket::RemoteHostClosedError) {
        // A peer's orderly close is no error; disconnected() reports it.
        pending_.closed = true;
        pending_.closeError = socketErrorNumber(error);
    }
    schedule();
}

void TWSocket::schedule()
{
    if (scheduled_)
        return;
    scheduled_ = true;
    QMetaObject::invokeMethod(
        this,
        [this] {
            scheduled_ = false;
            deliver();
        },
        Qt::QueuedConnection);
}

// Qt may signal from inside connectToHost or disconnectFromHost; collecting
// the signals and handing them out here keeps handlers out of our own calls.
void TWSocket::deliver()
{
    const quint64 session = session_;
    if (pending_.lookupDone) {
        pending_.lookupDone = false;
        const int error = pending_.lookupError;
        state_ = error ? State::Closed : State::Connecting;
        if (OnDnsLookupDone)
            OnDnsLookupDone(error);
        if (error || session != session_)
            return;
        bool valid = false;
        port_ = Port.toUShort(&valid);
        if (valid && port_ != 0) {
            connectNext();
        } else {
            addresses_.clear();
            pending_.connectDone = true;
            pending_.connectError = EINVAL;
        }
    }
    if (pending_.connectDone) {
        pending_.connectDone = false;
        const int error = pending_.connectError;
        if (error && !addresses_.isEmpty()) {
            connectNext();
            return;
        }
        if (error) {
            dropSocket();
            state_ = State::Closed;
        } else {
            state_ = State::Connected;
        }
        if (OnSessionConnected)
            OnSessionConnected(error);
        if (error || session != session_)
            return;
    }
    deliverData(session);
    if (session != session_)
        return;
    if (pending_.sent) {
        pending_.sent = false;
        if (state_ == State::Connected && OnDataSent)
            OnDataSent(0);
        if (session != session_)
            return;
    }
    if (pending_.closed) {
        const int error = pending_.closeError;
        Abort();
        if (OnSessionClosed)
            OnSessionClosed(error);
    }
}

void TWSocket::deliverData(quint64 session)
{
    while (state_ == State::Connected && OnDataAvailable && socket_->bytesAvailable() > 0) {
        const qint64 before = socket_->bytesAvailable();
        OnDataAvailable(0);
        if (session != session_ || socket_->bytesAvailable() == before)
            return;
    }
}

QString TWSocket::tlsPeer() const
{
    return TlsPeerName + ':' + QString::number(port_);
}

void TWSocket::dropSocket()
{
    if (!socket_)
        return;
    socket_->disconnect(this);
    socket_->abort();
    socket_.reset();
}

}  // namespace net
