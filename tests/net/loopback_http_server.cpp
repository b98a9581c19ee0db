#include "loopback_http_server.h"

#include <QTcpServer>
#include <QTcpSocket>

#include <memory>

namespace ludro::test {

QByteArray LoopbackHttpServer::ok(const QByteArray &body)
{
    return "HTTP/1.0 200 OK\r\nContent-Length: " + QByteArray::number(body.size()) + "\r\n\r\n" + body;
}

LoopbackHttpServer::LoopbackHttpServer() : server_(new QTcpServer)
{
    server_->moveToThread(&thread_);
    QObject::connect(&thread_, &QThread::finished, server_, &QObject::deleteLater);
    QObject::connect(server_, &QTcpServer::newConnection, server_, [this] {
        while (QTcpSocket *socket = server_->nextPendingConnection())
            serve(socket);
    });
    thread_.start();
    QMetaObject::invokeMethod(
        server_,
        [this] {
            server_->listen(QHostAddress::LocalHost);
            port_ = server_->serverPort();
        },
        Qt::BlockingQueuedConnection);
}

LoopbackHttpServer::~LoopbackHttpServer()
{
    thread_.quit();
    thread_.wait();
}

void LoopbackHttpServer::on(const QByteArray &target, const Reply &reply)
{
    QMutexLocker lock(&mutex_);
    replies_[target] = reply;
}

QString LoopbackHttpServer::url(const QString &path) const
{
    return QString("http://127.0.0.1:%1%2").arg(port_).arg(path);
}

QByteArrayList LoopbackHttpServer::requests() const
{
    QMutexLocker lock(&mutex_);
    return requests_;
}

void LoopbackHttpServer::serve(QTcpSocket *socket)
{
    QObject::connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
    QObject::connect(socket, &QTcpSocket::readyRead, socket, [this, socket, request = std::make_shared<QByteArray>()] {
        *request += socket->readAll();
        const qsizetype headEnd = request->indexOf("\r\n\r\n");
        const qsizetype lengthAt = request->indexOf("\r\nContent-Length: ");
        const qsizetype bodyLength =
            lengthAt < 0 || lengthAt > headEnd ? 0 : request->mid(lengthAt + 18, 12).split('\r')[0].toLongLong();
        if (headEnd < 0 || request->size() < headEnd + 4 + bodyLength)
            return;
        const QByteArray target = request->left(request->indexOf("\r\n")).split(' ').value(1);
        Reply reply{"HTTP/1.0 404 Not Found\r\n\r\n"};
        {
            QMutexLocker lock(&mutex_);
            requests_ << *request;
            reply = replies_.value(target, reply);
        }
        request->clear();
        socket->write(reply.bytes);
        if (!reply.stall)
            socket->disconnectFromHost();
    });
}

}  // namespace ludro::test
