#include "http_client.h"

#include "http_exception.h"
#include "http_request.h"
#include "socket_errors.h"

#include <QEventLoop>
#include <QIODevice>

#include <algorithm>
#include <cstring>
#include <utility>

namespace net {
namespace {

constexpr int failureStatus = 404;
constexpr int maxRelocations = 20;
constexpr qint64 maxHeaderBytes = 64 * 1024;

QString socketFailure(int error)
{
    return socketErrorText(error) + " (Error #" + QString::number(error) + ")";
}

bool isHttp(const HttpTarget &target)
{
    return target.protocol.compare(QLatin1String("http"), Qt::CaseInsensitive) == 0;
}

}  // namespace

template <typename Event, typename... Args>
bool THttpCli::fire(const Event &event, Args &&...args)
{
    const quint64 request = request_;
    if (event)
        event(std::forward<Args>(args)...);
    return request == request_;
}

THttpCli::THttpCli(QObject *parent) : QObject(parent)
{
    socket_.OnDnsLookupDone = [this](int error) { dnsLookupDone(error); };
    socket_.OnSessionConnected = [this](int error) { sessionConnected(error); };
    socket_.OnDataAvailable = [this](int) { dataAvailable(); };
    socket_.OnDataSent = [this](int) { dataSent(); };
    socket_.OnSessionClosed = [this](int error) { sessionClosed(error); };
}

void THttpCli::Get()
{
    execute("GET");
}

void THttpCli::Post()
{
    execute("POST");
}

void THttpCli::Abort()
{
    if (state_ == THttpState::Ready)
        return;
    socket_.Abort();
    setState(THttpState::Aborting);
    fail("Connection aborted on request");
}

void THttpCli::execute(const QByteArray &method)
{
    start(method);
    waitUntilReady();
    if (status_ >= 400)
        throw EHttpException(reason_, status_);
}

void THttpCli::start(const QByteArray &method)
{
    if (state_ != THttpState::Ready)
        throw EHttpException("HTTP component is busy", HttpBusyError);
    if (method == "POST" && !PostBody)
        throw EHttpException("HTTP component has nothing to post", HttpNothingToPostError);
    method_ = method;
    relocations_ = 0;
    if (PostBody)
        postStart_ = PostBody->pos();
    const UrlParts url = splitUrl(URL);
    if (!url.user.isEmpty()) {
        Username = url.user;
        Password = url.password;
    }
    const HttpTarget target = requestTarget(url, Proxy, ProxyPort);
    origin_ = target.host.toLower() + ":" + target.port;
    begin(target);
}

void THttpCli::begin(const HttpTarget &target)
{
    ++request_;
    target_ = target;
    status_ = 0;
    reason_.clear();
    length_ = 0;
    lengthKnown_ = false;
    contentType_.clear();
    headerLines_.clear();
    challenges_.clear();
    received_ = 0;
    sent_ = 0;
    localDocName_ = localDocName(target.path);
    locationSeen_ = relocating_ = closing_ = headerBegun_ = sendingBody_ = false;
    headerBytes_ = 0;
    buffered_ = 0;
    if (!setState(THttpState::NameLookup))
        return;
    const QString address = relocations_ > 0 ? location_ : URL;
    if (!isHttp(target) && !isHttps(target.protocol)) {
        fail("Only http and https addresses can be fetched, not " + address);
        return;
    }
    // A plain proxy would see the request in the clear.
    if (isHttps(target.protocol) && !Proxy.isEmpty()) {
        fail("An https address cannot be fetched through a proxy: " + address);
        return;
    }
    trace("Connecting to " + target.connectHost + ":" + target.connectPort);
    socket_.Addr = target.connectHost;
    socket_.Port = target.connectPort;
    socket_.Tls = isHttps(target.protocol);
    socket_.TlsPeerName = target.host;
    socket_.Connect();
}

void THttpCli::waitUntilReady()
{
    if (state_ == THttpState::Ready)
        return;
    QEventLoop loop;
    QEventLoop *outer = std::exchange(waiting_, &loop);
    loop.exec(MultiThreaded ? QEventLoop::ExcludeUserInputEvents : QEventLoop::AllEvents);
    waiting_ = outer;
    // The loop also ends when the application quits; the request must not outlive the wait.
    Abort();
}

void THttpCli::dnsLookupDone(int error)
{
    if (error)
        fail("can't resolve hostname to IP address");
    else
        setState(THttpState::Connecting);
}

void THttpCli::sessionConnected(int error)
{
    if (error && !socket_.TlsFailure().isEmpty())
        fail(socket_.TlsFailure());
    else if (error)
        fail(socketFailure(error));
    else if (setState(THttpState::WaitingForHeader))
        sendRequest();
}

void THttpCli::dataAvailable()
{
    if (state_ == THttpState::WaitingForHeader)
        receiveHeader();
    else if (state_ == THttpState::WaitingForBody)
        receiveBody();
}

void THttpCli::dataSent()
{
    if (sendingBody_)
        sendNextPiece();
}

void THttpCli::sessionClosed(int error)
{
    if (relocating_) {
        trace("Relocated to " + location_);
        if (!fire(OnLocationChange, location_))
            return;
        if (method_ == "POST")
            PostBody->seek(postStart_);
        begin(relocation_);
        return;
    }
    // A server status of 400 or more is the answer, however it ended.
    if (status_ < 400) {
        if (state_ != THttpState::WaitingForBody || (lengthKnown_ && received_ < length_)) {
            fail("Connection closed before the response was complete");
            return;
        }
        if (error && !lengthKnown_) {
            fail(socketFailure(error));
            return;
        }
    }
    if (received_ > 0 && !fire(OnDocEnd))
        return;
    done();
}

void THttpCli::sendRequest()
{
    HttpRequestHeader h;
    h.method = QString::fromLatin1(method_);
    h.requestPath = target_.requestPath;
    h.host = target_.host;
    h.sender = Sender;
    h.reference = Reference;
    h.agent = Agent;
    // A relocation must not hand them to another server.
    if (target_.host.toLower() + ":" + target_.port == origin_) {
        h.cookie = Cookie;
        h.username = Username;
        h.password = Password;
    }
    h.noCache = NoCache;
    h.modifiedSince = ModifiedSince;
    h.post = method_ == "POST";
    h.postContentType = ContentTypePost;
    h.postLength = h.post ? PostBody->size() : 0;
    h.extra = ExtraHeaders;

    QByteArray header;
    for (const QString &line : requestHeaderLines(h)) {
        // A line break inside a field would add lines of its own to the request.
        if (line.contains('\r') || line.contains('\n')) {
            fail("Line break in a request field");
            return;
        }
        if (!fire(OnCommand, line))
            return;
        header += line.toUtf8() + "\r\n";
    }
    header += "\r\n";
    socket_.Send(header.constData(), header.size());
    if (!h.post)
        return;
    sendingBody_ = true;
    if (fire(OnSendBegin))
        sendNextPiece();
}

void THttpCli::sendNextPiece()
{
    char piece[receiveBufferSize];
    const qint64 n = PostBody->read(piece, sizeof piece);
    if (n <= 0) {
        sendingBody_ = false;
        fire(OnSendEnd);
        return;
    }
    sent_ += n;
    if (fire(OnSendData, piece, n))
        socket_.Send(piece, n);
}

void THttpCli::receiveHeader()
{
    char *const buffer = buffer_.data();
    const qint64 n = socket_.Receive(buffer + buffered_, receiveBufferSize - buffered_ - 1);
    if (n <= 0)
        return;
    buffered_ += static_cast<int>(n);
    const quint64 request = request_;
    int start = 0;
    while (!closing_) {
        const auto *lf = static_cast<const char *>(std::memchr(buffer + start, '\n', buffered_ - start));
        if (!lf)
            break;
        const int end = static_cast<int>(lf - buffer);
        headerBytes_ += end + 1 - start;
        if (headerBytes_ > maxHeaderBytes) {
            fail("Response header too large");
            return;
        }
        const int lineEnd = end > start && buffer[end - 1] == '\r' ? end - 1 : end;
        const QString line = QString::fromLatin1(buffer + start, lineEnd - start);
        start = end + 1;
        if (!headerBegun_) {
            headerBegun_ = true;
            if (!fire(OnHeaderBegin))
                return;
        }
        if (line.isEmpty()) {
            headerEnd(start);
            return;
        }
        headerLine(line);
        if (request != request_)
            return;
    }
    if (closing_)
        return;
    buffered_ -= start;
    std::memmove(buffer, buffer + start, buffered_);
    // Every header line has to fit into the receive buffer.
    if (buffered_ == receiveBufferSize - 1)
        fail("Response header too large");
}

void THttpCli::headerLine(const QString &line)
{
    headerLines_ << line;
    const HttpResponseLine parsed = parseResponseLine(line);
    switch (parsed.kind) {
    case HttpResponseLine::Status:
        status_ = parsed.status;
        reason_ = parsed.text;
        break;
    case HttpResponseLine::Location:
        locationSeen_ = true;
        location_ = parsed.text;
        relocation_ = relocatedTarget(target_, location_, Proxy);
        break;
    case HttpResponseLine::ContentLength:
        length_ = parsed.length;
        lengthKnown_ = parsed.lengthKnown;
        break;
    case HttpResponseLine::ContentType:
        contentType_ = parsed.text;
        break;
    case HttpResponseLine::Challenge:
        challenges_ << parsed.text;
        break;
    case HttpResponseLine::Other:
        break;
    }
    if (fire(OnHeaderData, line) && parsed.kind == HttpResponseLine::Status && status_ >= 400)
        closeConnection();
}

void THttpCli::headerEnd(int bodyStart)
{
    if (locationSeen_) {
        if (relocations_ == maxRelocations) {
            fail("Too many relocations");
            return;
        }
        ++relocations_;
        relocating_ = true;
        closeConnection();
        return;
    }
    if (localDocName_.toLower().endsWith(".exe") && contentType_ == "text/html")
        localDocName_ = localDocName_.chopped(3) + "htm";
    if (!setState(THttpState::WaitingForBody) || !fire(OnHeaderEnd))
        return;
    const int rest = buffered_ - bodyStart;
    buffered_ = 0;
    if (lengthKnown_ && length_ == 0) {
        closeConnection();
        return;
    }
    if (rest > 0) {
        std::memmove(buffer_.data(), buffer_.data() + bodyStart, rest);
        takeBody(rest);
    }
}

void THttpCli::receiveBody()
{
    if (closing_)
        return;
    const qint64 n = socket_.Receive(buffer_.data(), receiveBufferSize - 1);
    if (n > 0)
        takeBody(n);
}

// The document is what the header announced and no more: bytes past it are
// dropped, and the request ends there even if the server keeps the
// connection open.
void THttpCli::takeBody(qint64 length)
{
    if (lengthKnown_)
        length = std::min(length, length_ - received_);
    const char *data = buffer_.data();
    buffer_[length] = 0;
    if (received_ == 0 && !fire(OnDocBegin))
        return;
    received_ += length;
    if (!fire(OnDocData, data, length))
        return;
    if (BodySink && BodySink->write(data, length) != length)
        fail(BodySink->errorString());
    else if (lengthKnown_ && received_ == length_)
        closeConnection();
}

void THttpCli::closeConnection()
{
    closing_ = true;
    socket_.Close();
}

void THttpCli::fail(const QString &reason)
{
    status_ = failureStatus;
    reason_ = reason;
    trace(reason);
    socket_.Abort();
    done();
}

void THttpCli::done()
{
    ++request_;
    sendingBody_ = false;
    setState(THttpState::Ready);
    if (waiting_)
        waiting_->quit();
    if (OnRequestDone)
        OnRequestDone();
}

bool THttpCli::setState(THttpState state)
{
    if (state_ == state)
        return true;
    state_ = state;
    return fire(OnStateChange);
}

void THttpCli::trace(const QString &text)
{
    if (OnTrace)
        OnTrace(text);
}

}  // namespace net
