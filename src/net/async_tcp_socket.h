#pragma once

// TWSocket: an asynchronous TCP client socket on QTcpSocket. Connect looks
// Addr up, then tries its addresses in turn on Port; with Tls set, a session
// is connected once its TLS handshake with TlsPeerName (the name the
// certificate must carry) went through. Events come from the
// event loop, never from inside a call on the socket, and in session order:
// look-up done, connected, data available and data sent, closed. A handler
// may call any method; Abort ends the session at once, without further events.
// Error numbers are those of socket_errors.h.

#include <QHostAddress>
#include <QList>
#include <QSslError>
#include <QObject>
#include <QString>

#include <functional>
#include <memory>

class QHostInfo;
class QTcpSocket;

namespace net {

class TWSocket : public QObject {
public:
    enum class State { Closed, NameLookup, Connecting, Connected, Closing };
    using Event = std::function<void(int error)>;

    QString Addr;  // host name or address
    QString Port;  // decimal
    bool Tls = false;
    QString TlsPeerName;

    Event OnDnsLookupDone;     // on an error the session is over
    Event OnSessionConnected;  // on an error the session is over
    Event OnDataAvailable;     // fired again while data is left and the handler reads some
    Event OnDataSent;          // all data handed to Send has left
    Event OnSessionClosed;     // after Close, or when the peer closed or the connection broke

    explicit TWSocket(QObject *parent = nullptr);
    ~TWSocket() override;

    void Connect();
    // -1 when not connected.
    qint64 Send(const char *data, qint64 length);
    qint64 Receive(char *buffer, qint64 length);
    // Sends what is queued, then closes; OnSessionClosed follows.
    void Close();
    void Abort();

    State state() const { return state_; }
    // Why the last TLS handshake failed, for the user; empty after any other failure.
    QString TlsFailure() const { return tlsFailure_; }

private:
    struct Pending {
        bool lookupDone = false;
        int lookupError = 0;
        bool connectDone = false;
        int connectError = 0;
        bool sent = false;
        bool closed = false;
        int closeError = 0;
    };

    void lookedUp(const QHostInfo &info);
    void connectNext();
    void socketError();
    void schedule();
    void deliver();
    void deliverData(quint64 session);
    void dropSocket();
    QString tlsPeer() const;

    State state_ = State::Closed;
    quint64 session_ = 0;
    int lookupId_ = -1;
    quint16 port_ = 0;
    QList<QHostAddress> addresses_;
    std::unique_ptr<QTcpSocket> socket_;
    QList<QSslError> sslErrors_;
    QString tlsFailure_;
    Pending pending_;
    bool scheduled_ = false;
};

}  // namespace net
