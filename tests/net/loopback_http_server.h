#pragma once

// A scripted HTTP server on 127.0.0.1 for the network tests and benchmark. It
// runs on a thread of its own, so a client waiting in a nested event loop, or
// a blocking program, meets it as it would meet a remote server. It records
// every request and answers by request target (404 for unknown ones).

#include <QByteArray>
#include <QByteArrayList>
#include <QHash>
#include <QMutex>
#include <QString>
#include <QThread>

class QTcpServer;
class QTcpSocket;

namespace ludro::test {

class LoopbackHttpServer {
public:
    struct Reply {
        QByteArray bytes;
        bool stall = false;  // keeps the connection open after sending
    };

    // "HTTP/1.0 200 OK" with a Content-Length.
    static QByteArray ok(const QByteArray &body);

    LoopbackHttpServer();
    ~LoopbackHttpServer();

    void on(const QByteArray &target, const Reply &reply);
    quint16 port() const { return port_; }
    QString url(const QString &path) const;
    QByteArrayList requests() const;

private:
    void serve(QTcpSocket *socket);

    QThread thread_;
    QTcpServer *server_;
    quint16 port_ = 0;
    mutable QMutex mutex_;
    QHash<QByteArray, Reply> replies_;
    QByteArrayList requests_;
};

}  // namespace ludro::test
