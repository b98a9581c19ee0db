#include "stream_connection.h"

#include "tls_session.h"

#include <openssl/bio.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>

#include <netdb.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

namespace sonark {

namespace {

using std::chrono::milliseconds;

constexpr int kSliceMs = 50;  // how long a wait may go without looking at the cancel flag

std::string errnoText(int error)
{
    char buffer[256];
    // GNU strerror_r: thread-safe, returns the text (possibly not in buffer).
    return strerror_r(error, buffer, sizeof buffer);
}

// "10 s", "0.3 s", "1.25 s"
std::string formatSeconds(int ms)
{
    char text[32];
    std::snprintf(text, sizeof text, "%.3f", ms / 1000.0);
    std::string result = text;
    while (result.back() == '0')
        result.pop_back();
    if (result.back() == '.')
        result.pop_back();
    return result + " s";
}

short pollEvents(TlsSession::Wait wait)
{
    return wait == TlsSession::Wait::Writable ? POLLOUT : POLLIN;
}

}  // namespace

StreamConnection::StreamConnection(const HttpAddress &address, int timeoutMs, const std::atomic<bool> &cancel)
    : address_(address), timeoutMs_(std::max(timeoutMs, 1)), cancel_(cancel)
{
    try {
        connectTcp();
        if (address_.secure)
            shakeHands();
    } catch (...) {
        tls_.reset();
        if (fd_ >= 0)
            ::close(fd_);
        throw;
    }
}

StreamConnection::~StreamConnection()
{
    tls_.reset();
    if (fd_ >= 0)
        ::close(fd_);
}

StreamConnection::Clock::time_point StreamConnection::deadlineFromNow() const
{
    return Clock::now() + milliseconds(timeoutMs_);
}

std::runtime_error StreamConnection::noAnswer() const
{
    return std::runtime_error("No answer from " + address_.hostForDisplay() + " within " + formatSeconds(timeoutMs_));
}

std::runtime_error StreamConnection::lost(int error) const
{
    return std::runtime_error("Connection to " + address_.hostAndPort() + " lost: " + errnoText(error));
}

void StreamConnection::checkCancel() const
{
    if (cancel_.load())
        throw StreamCancelled{};
}

bool StreamConnection::waitFor(short events, Clock::time_point deadline) const
{
    for (;;) {
        checkCancel();
        const auto left = std::chrono::duration_cast<milliseconds>(deadline - Clock::now()).count();
        if (left <= 0)
            return false;
        pollfd entry{fd_, events, 0};
        const int ready = ::poll(&entry, 1, static_cast<int>(std::min<long long>(left, kSliceMs)));
        if (ready > 0)
            return true;
        if (ready < 0 && errno != EINTR)
            throw std::runtime_error("Network error: " + errnoText(errno));
    }
}

void StreamConnection::connectTcp()
{
    addrinfo hints{};
    hints.ai_family = AF_UNSPEC;
    hints.ai_socktype = SOCK_STREAM;
    hints.ai_flags = AI_NUMERICSERV;
    addrinfo *found = nullptr;
    const int lookup = ::getaddrinfo(address_.host.c_str(), std::to_string(address_.port).c_str(), &hints, &found);
    std::unique_ptr<addrinfo, decltype(&::freeaddrinfo)> list(found, &::freeaddrinfo);
    checkCancel();  // the reader may be long gone after a slow lookup
    if (lookup != 0 || !found)
        throw std::runtime_error("Host not found: " + address_.host);

    const auto deadline = deadlineFromNow();
    int lastError = ETIMEDOUT;
    for (const addrinfo *entry = found; entry; entry = entry->ai_next) {
        fd_ = ::socket(entry->ai_family, entry->ai_socktype | SOCK_NONBLOCK | SOCK_CLOEXEC, entry->ai_protocol);
        if (fd_ < 0) {
            lastError = errno;
            continue;
        }
        int error = 0;
        if (::connect(fd_, entry->ai_addr, entry->ai_addrlen) != 0) {
            error = errno;
            if (error == EINPROGRESS) {
                if (!waitFor(POLLOUT, deadline)) {
                    lastError = ETIMEDOUT;
                    break;
                }
                socklen_t length = sizeof error;
                if (::getsockopt(fd_, SOL_SOCKET, SO_ERROR, &error, &length) != 0)
                    error = errno;
            }
        }
        if (error == 0)
            return;
        lastError = error;
        ::close(fd_);
        fd_ = -1;
    }
    if (fd_ >= 0) {
        ::close(fd_);
        fd_ = -1;
    }
    throw std::runtime_error("Cannot connect to " + address_.hostAndPort() + ": " + errnoText(lastError));
}

void StreamConnection::shakeHands()
{
    BIO *bio = BIO_new_socket(fd_, BIO_NOCLOSE);
    if (!bio)
        throw std::runtime_error("TLS cannot be set up");
    tls_ = std::make_unique<TlsSession>(bio, address_.host);
    const auto deadline = deadlineFromNow();
    for (TlsSession::Wait wait; (wait = tls_->handshake()) != TlsSession::Wait::None;)
        if (!waitFor(pollEvents(wait), deadline))
            throw noAnswer();
}

void StreamConnection::sendAll(std::string_view bytes)
{
    const auto deadline = deadlineFromNow();
    while (!bytes.empty()) {
        short waitEvents = POLLOUT;
        if (tls_) {
            const TlsSession::Io io = tls_->write(bytes.data(), bytes.size());
            bytes.remove_prefix(io.bytes);
            if (io.bytes > 0 || io.wait == TlsSession::Wait::None)
                continue;
            waitEvents = pollEvents(io.wait);
        } else {
            const ssize_t n = ::send(fd_, bytes.data(), bytes.size(), MSG_NOSIGNAL);
            if (n > 0) {
                bytes.remove_prefix(static_cast<std::size_t>(n));
                continue;
            }
            if (n < 0 && errno == EINTR)
                continue;
            if (n < 0 && errno != EAGAIN && errno != EWOULDBLOCK)
                throw lost(errno);
        }
        if (!waitFor(waitEvents, deadline))
            throw noAnswer();
    }
}

std::optional<std::size_t> StreamConnection::receive(void *buffer, std::size_t size, Clock::time_point deadline)
{
    for (;;) {
        checkCancel();
        short waitEvents = POLLIN;
        if (tls_) {
            const TlsSession::Io io = tls_->read(buffer, size);
            if (io.bytes > 0 || io.wait == TlsSession::Wait::None)
                return io.bytes;
            waitEvents = pollEvents(io.wait);
        } else {
            const ssize_t n = ::recv(fd_, buffer, size, 0);
            if (n >= 0)
                return static_cast<std::size_t>(n);
            if (errno == EINTR)
                continue;
            if (errno != EAGAIN && errno != EWOULDBLOCK)
                throw lost(errno);
        }
        if (!waitFor(waitEvents, deadline))
            return std::nullopt;
    }
}

}  // namespace sonark
