#pragma once

// Writes all of `size` bytes to a socket; false once the peer is gone.

#include <sys/socket.h>

#include <cstddef>

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
