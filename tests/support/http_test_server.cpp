#include "http_test_server.h"

#include <cerrno>
#include <cstdlib>
#include <stdexcept>

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

namespace ludro::test {

namespace {

constexpr std::size_t kMaxRequestBytes = 64 * 1024;
constexpr int kRequestTimeoutMs = 5000;

void fail(const char *what)
{
    throw std::runtime_error(std::string("HttpTestServer: ") + what + " failed, errno " + std::to_string(errno));
}

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

HttpTestServer::Response &HttpTestServer::Response::send(std::string more)
{
    bytes += more;
    return *this;
}

HttpTestServer::Response &HttpTestServer::Response::stall()
{
    stalls = true;
    return *this;
}

HttpTestServer::Response &HttpTestServer::Response::endless(std::string again)
{
    repeated = std::move(again);
    return *this;
}

std::string HttpTestServer::head(std::string_view statusLine, const Headers &headers, std::string_view eol)
{
    std::string text(statusLine);
    text += eol;
    for (const auto &[name, value] : headers) {
        text += name;
        text += ": ";
        text += value;
        text += eol;
    }
    text += eol;
    return text;
}

HttpTestServer::Response HttpTestServer::reply(int code, std::string_view reason, const Headers &headers,
                                               std::string body)
{
    Response response;
    response.send(head("HTTP/1.0 " + std::to_string(code) + " " + std::string(reason), headers) + body);
    return response;
}

HttpTestServer::Response HttpTestServer::ok(std::string body, std::string contentType)
{
    return reply(200, "OK", {{"Content-Type", std::move(contentType)}}, std::move(body));
}

HttpTestServer::Response HttpTestServer::redirect(int code, std::string location)
{
    return reply(code, code == 301 ? "Moved Permanently" : "Found", {{"Location", std::move(location)}});
}

HttpTestServer::Response HttpTestServer::silent()
{
    return Response().stall();
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
        if (at + metaint <= audio.size()) {
            out += icyBlock(block < metadata.size() ? metadata[block] : std::string());
            ++block;
        }
    }
    return out;
}

HttpTestServer::HttpTestServer()
{
    default_ = reply(404, "Not Found", {{"Content-Type", "text/plain"}}, "not found\n");

    if (::pipe2(stopPipe_, O_CLOEXEC | O_NONBLOCK) != 0)
        fail("pipe2");
    listenFd_ = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
    if (listenFd_ < 0)
        fail("socket");
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    address.sin_port = 0;
    if (::bind(listenFd_, reinterpret_cast<sockaddr *>(&address), sizeof address) != 0)
        fail("bind");
    if (::listen(listenFd_, 16) != 0)
        fail("listen");
    socklen_t length = sizeof address;
    if (::getsockname(listenFd_, reinterpret_cast<sockaddr *>(&address), &length) != 0)
        fail("getsockname");
    port_ = ntohs(address.sin_port);
    thread_ = std::thread([this] { serve(); });
}

HttpTestServer::~HttpTestServer()
{
    const char byte = 1;
    [[maybe_unused]] const auto written = ::write(stopPipe_[1], &byte, 1);
    if (thread_.joinable())
        thread_.join();
    ::close(listenFd_);
    ::close(stopPipe_[0]);
    ::close(stopPipe_[1]);
}

std::string HttpTestServer::url(std::string_view path) const
{
    return "http://127.0.0.1:" + std::to_string(port_) + std::string(path);
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

bool HttpTestServer::waitReady(int fd, short events, int timeoutMs)
{
    pollfd entries[2] = {{fd, events, 0}, {stopPipe_[0], POLLIN, 0}};
    for (;;) {
        const int ready = ::poll(entries, 2, timeoutMs);
        if (ready < 0 && errno == EINTR)
            continue;
        return ready > 0 && entries[1].revents == 0 && entries[0].revents != 0;
    }
}

bool HttpTestServer::sendAll(int fd, std::string_view bytes)
{
    while (!bytes.empty()) {
        const ssize_t n = ::send(fd, bytes.data(), bytes.size(), MSG_NOSIGNAL);
        if (n > 0) {
            bytes.remove_prefix(static_cast<std::size_t>(n));
            sent_ += static_cast<std::uint64_t>(n);
        } else if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) {
            if (!waitReady(fd, POLLOUT, -1))
                return false;
        } else if (n < 0 && errno != EINTR) {
            return false;  // the client left
        }
    }
    return true;
}

void HttpTestServer::serve()
{
    for (;;) {
        if (!waitReady(listenFd_, POLLIN, -1))
            return;
        const int fd = ::accept4(listenFd_, nullptr, nullptr, SOCK_NONBLOCK | SOCK_CLOEXEC);
        if (fd < 0)
            continue;
        const int one = 1;
        ::setsockopt(fd, IPPROTO_TCP, TCP_NODELAY, &one,
                     sizeof one);  // answers leave without waiting for acknowledgements
        handle(fd);
        ::close(fd);
    }
}

void HttpTestServer::handle(int fd)
{
    // Read the request head and its body; it is recorded even when incomplete.
    std::string request;
    char chunk[4096];
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(kRequestTimeoutMs);
    while (!complete(request) && request.size() < kMaxRequestBytes) {
        const auto left =
            std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
        if (left.count() <= 0 || !waitReady(fd, POLLIN, static_cast<int>(left.count())))
            break;
        const ssize_t n = ::recv(fd, chunk, sizeof chunk, 0);
        if (n <= 0)
            break;
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
    if (!response.repeated.empty())
        while (sendAll(fd, response.repeated)) {
        }
    if (!response.stalls)
        return;
    // Until the client closes (readable with EOF or error) or the server stops.
    while (waitReady(fd, POLLIN, -1)) {
        const ssize_t n = ::recv(fd, chunk, sizeof chunk, 0);
        if (n == 0 || (n < 0 && errno != EAGAIN && errno != EINTR))
            return;
    }
}

}  // namespace ludro::test
