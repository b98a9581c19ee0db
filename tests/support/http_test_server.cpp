#include "http_test_server.h"
#include "loopback_socket.h"

#include <netinet/tcp.h>

#include <cstdlib>

namespace ludro::test {

namespace {

// One metadata block: length byte, then `text` zero-padded to 16-byte units.
std::string icyBlock(std::string_view text)
{
    const std::size_t units = (text.size() + 15) / 16;
    if (units > 255)
        throw std::invalid_argument("ICY metadata longer than 4080 bytes");
    std::string block(1, static_cast<char>(units));
    block += text;
    block.resize(1 + units * 16, '\0');
    return block;
}

// The head has arrived, and as much body as its Content-Length announces.
bool complete(const std::string &request)
{
    const auto headEnd = request.find("\r\n\r\n");
    const auto length = request.find("\r\nContent-Length: ");
    const std::size_t body = length < headEnd ? std::strtoul(request.c_str() + length + 18, nullptr, 10) : 0;
    return headEnd != std::string::npos && request.size() >= headEnd + 4 + body;
}

}  // namespace

std::string HttpTestServer::head(std::string_view statusLine, const Headers &headers, std::string_view eol)
{
    std::string text(statusLine);
    text += eol;
    for (const auto &[name, value] : headers)
        text += name + ": " + value + std::string(eol);
    return text += eol;
}

HttpTestServer::Response HttpTestServer::reply(int code, std::string_view reason, const Headers &headers,
                                               std::string body)
{
    return Response().send(head("HTTP/1.0 " + std::to_string(code) + " " + std::string(reason), headers) + body);
}

std::string HttpTestServer::icyHead(std::size_t metaint)
{
    Headers headers{{"Content-Type", "audio/mpeg"}, {"icy-name", "Loopback Radio"}};
    if (metaint > 0)
        headers.emplace_back("icy-metaint", std::to_string(metaint));
    return head("ICY 200 OK", headers);
}

std::string HttpTestServer::icyInterleave(std::string_view audio, std::size_t metaint,
                                          const std::vector<std::string> &metadata)
{
    if (metaint == 0)
        return std::string(audio);
    std::string out;
    std::size_t block = 0;
    for (std::size_t at = 0; at < audio.size(); at += metaint) {
        out += audio.substr(at, metaint);
        if (at + metaint <= audio.size())
            out += icyBlock(block < metadata.size() ? metadata[block++] : std::string());
    }
    return out;
}

HttpTestServer::HttpTestServer()
    : stop_(std::make_unique<StopSignal>()), listenFd_(listenLoopback(port_, SOCK_NONBLOCK)),
      default_(reply(404, "Not Found", {{"Content-Type", "text/plain"}}, "not found\n"))
{
    thread_ = std::thread([this] { serve(); });
}

HttpTestServer::~HttpTestServer()
{
    stop_->raise();
    thread_.join();
    ::close(listenFd_);
}

void HttpTestServer::on(std::string target, Response response)
{
    std::lock_guard lock(mutex_);
    routes_[std::move(target)] = std::move(response);
}

void HttpTestServer::setDefault(Response response)
{
    std::lock_guard lock(mutex_);
    default_ = std::move(response);
}

void HttpTestServer::answerBy(std::function<Response(const std::string &request)> answer)
{
    std::lock_guard lock(mutex_);
    answer_ = std::move(answer);
}

std::vector<std::string> HttpTestServer::requests() const
{
    std::lock_guard lock(mutex_);
    return requests_;
}

bool HttpTestServer::waitForConnections(std::size_t count, std::chrono::milliseconds timeout) const
{
    std::unique_lock lock(mutex_);
    return changed_.wait_for(lock, timeout, [&] { return requests_.size() >= count; });
}

bool HttpTestServer::sendAll(int fd, std::string_view bytes)
{
    while (!bytes.empty()) {
        const ssize_t n = ::send(fd, bytes.data(), bytes.size(), MSG_NOSIGNAL);
        if (n > 0) {
            bytes.remove_prefix(static_cast<std::size_t>(n));
            sent_ += static_cast<std::uint64_t>(n);
        } else if (n == 0 || (errno != EAGAIN && errno != EINTR) || !stop_->waitFor(fd, POLLOUT)) {
            return false;  // the client left, or the server stops
        }
    }
    return true;
}

void HttpTestServer::serve()
{
    while (stop_->waitFor(listenFd_, POLLIN)) {
        const int fd = ::accept4(listenFd_, nullptr, nullptr, SOCK_NONBLOCK | SOCK_CLOEXEC);
        if (fd < 0)
            continue;
        const int one = 1;  // answers leave without waiting for acknowledgements
        ::setsockopt(fd, IPPROTO_TCP, TCP_NODELAY, &one, sizeof one);
        handle(fd);
        ::close(fd);
    }
}

void HttpTestServer::handle(int fd)
{
    // Read the request head and its body; it is recorded even when incomplete.
    std::string request;
    char chunk[4096];
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    for (ssize_t n = 1; n > 0 && !complete(request) && request.size() < 64 * 1024;) {
        const auto left = std::chrono::ceil<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
        if (left.count() <= 0 || !stop_->waitFor(fd, POLLIN, static_cast<int>(left.count())))
            break;
        if ((n = ::recv(fd, chunk, sizeof chunk, 0)) > 0)
            request.append(chunk, static_cast<std::size_t>(n));
    }

    Response response;
    {
        std::lock_guard lock(mutex_);
        const std::string line = request.substr(0, request.find_first_of("\r\n"));
        const auto first = line.find(' ');
        const std::string target =
            first == std::string::npos ? "" : line.substr(first + 1, line.find(' ', first + 1) - first - 1);
        const auto route = routes_.find(target);
        response = answer_ ? answer_(request) : route != routes_.end() ? route->second : default_;
        requests_.push_back(std::move(request));
    }
    changed_.notify_all();

    if (!sendAll(fd, response.bytes))
        return;
    while (!response.repeated.empty() && sendAll(fd, response.repeated)) {
    }
    // A stall lasts until the client closes (readable with EOF or error) or the server stops.
    for (ssize_t n = 1; n != 0 && response.stalls && stop_->waitFor(fd, POLLIN);)
        if ((n = ::recv(fd, chunk, sizeof chunk, 0)) < 0 && errno != EAGAIN && errno != EINTR)
            return;
}

}  // namespace ludro::test
