#pragma once

// THttpCli: one HTTP/1.0 request at a time over TWSocket, with TLS for https
// addresses (not through a proxy). Get and Post return
// when the request is over while the event loop keeps running, so other
// windows (a Cancel button calling Abort) work meanwhile; they raise
// EHttpException when the status is 400 or more. Every failure (name look-up,
// connection, TLS, Abort, a broken or oversized answer) ends the request with
// status 404 and a reason. Event slots stay empty unless assigned. The client
// must not be destroyed while Get or Post waits.

#include "async_tcp_socket.h"
#include "http_url.h"

#include <QByteArray>
#include <QDateTime>
#include <QObject>
#include <QString>
#include <QStringList>

#include <array>
#include <functional>

class QEventLoop;
class QIODevice;

namespace net {

enum class THttpState { Ready, NameLookup, Connecting, WaitingForHeader, WaitingForBody, Aborting };

class THttpCli : public QObject {
public:
    using Notify = std::function<void()>;
    using TextEvent = std::function<void(const QString &text)>;
    using DataEvent = std::function<void(const char *data, qint64 length)>;

    QString URL;
    QString Proxy;  // empty: direct connection
    QString ProxyPort = "80";
    QString Sender;
    QString Agent;
    QString Reference;
    QString Username, Password;
    bool NoCache = false;
    QDateTime ModifiedSince;  // invalid: not sent
    QString Cookie;
    QString ContentTypePost = "application/x-www-form-urlencoded";
    QStringList ExtraHeaders;    // "Name: value" lines sent after the others, on every request
    bool MultiThreaded = false;  // true: the wait does not handle user input
    QIODevice *PostBody = nullptr;
    QIODevice *BodySink = nullptr;  // the caller's; a failed write fails the request

    TextEvent OnTrace;
    TextEvent OnHeaderData;  // each received header line
    TextEvent OnCommand;     // each request header line sent
    Notify OnHeaderBegin;
    Notify OnHeaderEnd;
    Notify OnDocBegin;
    DataEvent OnDocData;  // the data is followed by a zero byte
    Notify OnDocEnd;
    Notify OnSendBegin;
    DataEvent OnSendData;
    Notify OnSendEnd;
    Notify OnStateChange;
    Notify OnRequestDone;
    TextEvent OnLocationChange;  // the new location, before it is requested

    explicit THttpCli(QObject *parent = nullptr);

    void Get();
    void Post();
    void Abort();

    THttpState State() const { return state_; }
    int ResponseStatus() const { return status_; }
    QString ResponseReason() const { return reason_; }
    qint64 ResponseLength() const { return length_; }
    QString ResponseContentType() const { return contentType_; }
    QStringList ResponseHeaderLines() const { return headerLines_; }
    QStringList AuthChallenges() const { return challenges_; }
    qint64 BodyBytesReceived() const { return received_; }
    qint64 BodyBytesSent() const { return sent_; }
    QString LocalDocName() const { return localDocName_; }

private:
    static constexpr int receiveBufferSize = 8192;

    void execute(const QByteArray &method);
    void start(const QByteArray &method);
    void begin(const HttpTarget &target);
    void waitUntilReady();

    void dnsLookupDone(int error);
    void sessionConnected(int error);
    void dataAvailable();
    void dataSent();
    void sessionClosed(int error);

    void sendRequest();
    void sendNextPiece();
    void receiveHeader();
    void headerLine(const QString &line);
    void headerEnd(int bodyStart);
    void receiveBody();
    void takeBody(qint64 length);  // the first `length` bytes of the buffer

    void closeConnection();
    void fail(const QString &reason);
    void done();
    bool setState(THttpState state);  // false when a handler ended the request
    void trace(const QString &text);
    // Fires an event; false when the handler ended this request.
    template <typename Event, typename... Args>
    bool fire(const Event &event, Args &&...args);

    TWSocket socket_;
    THttpState state_ = THttpState::Ready;
    quint64 request_ = 0;  // counts begun and ended requests, to notice handlers that end one
    QEventLoop *waiting_ = nullptr;

    QByteArray method_;
    qint64 postStart_ = 0;
    bool sendingBody_ = false;
    HttpTarget target_;
    QString origin_;  // host:port of URL, the only one that gets credentials and cookie
    HttpTarget relocation_;
    QString location_;
    bool locationSeen_ = false;
    bool relocating_ = false;
    int relocations_ = 0;
    bool closing_ = false;
    bool headerBegun_ = false;
    qint64 headerBytes_ = 0;
    bool lengthKnown_ = false;
    std::array<char, receiveBufferSize> buffer_{};
    int buffered_ = 0;

    int status_ = 0;
    QString reason_;
    qint64 length_ = 0;
    QString contentType_;
    QStringList headerLines_;
    QStringList challenges_;
    qint64 received_ = 0;
    qint64 sent_ = 0;
    QString localDocName_;
};

}  // namespace net
