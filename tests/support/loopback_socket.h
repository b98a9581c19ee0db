#pragma once

// Sockets of the tests' loopback servers: a listener on a port the system
// picks, a connection to one, whole sends, and a stop signal that ends a
// server thread's waits.

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/eventfd.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdint>
#include <stdexcept>

namespace ludro::test {

inline sockaddr_in loopbackAddress(std::uint16_t port = 0)
{
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(port);
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    return address;
}

// Listens on 127.0.0.1; `port` gets the port the system chose.
inline int listenLoopback(std::uint16_t &port, int flags = 0)
{
    const int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC | flags, 0);
    sockaddr_in address = loopbackAddress();
    socklen_t length = sizeof address;
    if (fd < 0 || ::bind(fd, reinterpret_cast<sockaddr *>(&address), length) != 0 || ::listen(fd, 64) != 0 ||
        ::getsockname(fd, reinterpret_cast<sockaddr *>(&address), &length) != 0)
        throw std::runtime_error("cannot listen on 127.0.0.1");
    port = ntohs(address.sin_port);
    return fd;
}

// A blocking connection, its reads and writes given up after `limitSeconds` (0: never); -1 when refused.
inline int connectLoopback(std::uint16_t port, long limitSeconds = 0)
{
    const int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    const timeval limit{limitSeconds, 0};
    ::setsockopt(fd, SOL_SOCKET, SO_RCVTIMEO, &limit, sizeof limit);
    ::setsockopt(fd, SOL_SOCKET, SO_SNDTIMEO, &limit, sizeof limit);
    const sockaddr_in address = loopbackAddress(port);
    if (::connect(fd, reinterpret_cast<const sockaddr *>(&address), sizeof address) == 0)
        return fd;
    ::close(fd);
    return -1;
}

// False once the peer is gone.
inline bool sendAll(int fd, const char *data, std::size_t size)
{
    while (size > 0) {
        const ssize_t n = ::send(fd, data, size, MSG_NOSIGNAL);
        if (n <= 0)
            return false;
        data += n;
        size -= static_cast<std::size_t>(n);
    }
    return true;
}

class StopSignal {
public:
    ~StopSignal() { ::close(fd_); }
    void raise() { ::eventfd_write(fd_, 1); }
    // `fd` has one of `events` (-1: wait as long as it takes); false when stopped or timed out.
    bool waitFor(int fd, short events, int timeoutMs = -1) const
    {
        pollfd entries[2] = {{fd, events, 0}, {fd_, POLLIN, 0}};
        int ready;
        while ((ready = ::poll(entries, 2, timeoutMs)) < 0 && errno == EINTR) {
        }
        return ready > 0 && entries[1].revents == 0 && entries[0].revents != 0;
    }

    // Sleeps until then; false once stopped.
    bool sleepUntil(std::chrono::steady_clock::time_point until) const
    {
        pollfd entry{fd_, POLLIN, 0};
        const auto left = std::chrono::ceil<std::chrono::milliseconds>(until - std::chrono::steady_clock::now());
        return ::poll(&entry, 1, static_cast<int>(std::max<long>(0, left.count()))) == 0 || !(entry.revents & POLLIN);
    }

private:
    int fd_ = ::eventfd(0, EFD_CLOEXEC);
};

}  // namespace ludro::test
