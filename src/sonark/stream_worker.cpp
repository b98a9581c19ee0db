#include "stream_worker.h"

#include "ascii_text.h"
#include "http_address.h"
#include "http_answer.h"
#include "icy_demuxer.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <optional>
#include <stdexcept>
#include <utility>

#include <netdb.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

namespace sonark::detail {

namespace {

using Clock = std::chrono::steady_clock;
using Status = StreamReader::Status;
using std::chrono::milliseconds;

constexpr std::size_t kReadChunk = 16 * 1024;
constexpr int kSliceMs = 50;  // how long a wait may go without looking at the cancel flag

struct Cancelled {};

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

std::runtime_error connectionLost(const HttpAddress &address, int error)
{
    return std::runtime_error("Connection to " + address.hostAndPort() + " lost: " + errnoText(error));
}

class Socket {
public:
    Socket() = default;
    explicit Socket(int fd) : fd_(fd) {}
    Socket(Socket &&other) noexcept : fd_(std::exchange(other.fd_, -1)) {}
    Socket &operator=(Socket &&other) noexcept
    {
        std::swap(fd_, other.fd_);
        return *this;
    }
    ~Socket()
    {
        if (fd_ >= 0)
            ::close(fd_);
    }
    int fd() const { return fd_; }

private:
    int fd_ = -1;
};

class Worker {
public:
    Worker(std::shared_ptr<StreamShared> shared, std::string address, StreamReader::Options options)
        : shared_(std::move(shared)), address_(std::move(address)), options_(options)
    {
        options_.timeoutMs = std::max(options_.timeoutMs, 1);
        options_.maxRedirects = std::max(options_.maxRedirects, 0);
    }

    void run()
    {
        try {
            stream();
        } catch (const Cancelled &) {
        } catch (const std::exception &e) {
            finish(Status::Failed, e.what());
        }
        {
            std::lock_guard lock(shared_->mutex);
            shared_->done = true;
        }
        shared_->workerDone.notify_all();
    }

private:
    void checkCancel() const
    {
        if (shared_->cancel.load())
            throw Cancelled{};
    }

    void finish(Status status, std::string error = {})
    {
        {
            std::lock_guard lock(shared_->mutex);
            shared_->status = status;
            shared_->error = std::move(error);
        }
        shared_->notify();
    }

    // Waits for `events` on fd until `deadline`, in slices so cancelling is
    // noticed quickly. False on timeout.
    bool waitFor(int fd, short events, Clock::time_point deadline) const
    {
        for (;;) {
            checkCancel();
            const auto left = std::chrono::duration_cast<milliseconds>(deadline - Clock::now()).count();
            if (left <= 0)
                return false;
            pollfd entry{fd, events, 0};
            const int ready = ::poll(&entry, 1, static_cast<int>(std::min<long long>(left, kSliceMs)));
            if (ready > 0)
                return true;
            if (ready < 0 && errno != EINTR)
                throw std::runtime_error("Network error: " + errnoText(errno));
        }
    }

    Clock::time_point deadlineFromNow() const { return Clock::now() + milliseconds(options_.timeoutMs); }

    std::runtime_error noAnswer(const HttpAddress &address) const
    {
        return std::runtime_error("No answer from " + address.hostForDisplay() + " within " +
                                  formatSeconds(options_.timeoutMs));
    }

    Socket connect(const HttpAddress &address)
    {
        addrinfo hints{};
        hints.ai_family = AF_UNSPEC;
        hints.ai_socktype = SOCK_STREAM;
        hints.ai_flags = AI_NUMERICSERV;
        addrinfo *found = nullptr;
        const int lookup = ::getaddrinfo(address.host.c_str(), std::to_string(address.port).c_str(), &hints, &found);
        std::unique_ptr<addrinfo, decltype(&::freeaddrinfo)> list(found, &::freeaddrinfo);
        checkCancel();  // the reader may be long gone after a slow lookup
        if (lookup != 0 || !found)
            throw std::runtime_error("Host not found: " + address.host);

        const auto deadline = deadlineFromNow();
        int lastError = ETIMEDOUT;
        for (const addrinfo *entry = found; entry; entry = entry->ai_next) {
            Socket socket(
                ::socket(entry->ai_family, entry->ai_socktype | SOCK_NONBLOCK | SOCK_CLOEXEC, entry->ai_protocol));
            if (socket.fd() < 0) {
                lastError = errno;
                continue;
            }
            if (::connect(socket.fd(), entry->ai_addr, entry->ai_addrlen) == 0)
                return socket;
            if (errno != EINPROGRESS) {
                lastError = errno;
                continue;
            }
            if (!waitFor(socket.fd(), POLLOUT, deadline)) {
                lastError = ETIMEDOUT;
                break;
            }
            int error = 0;
            socklen_t length = sizeof error;
            if (::getsockopt(socket.fd(), SOL_SOCKET, SO_ERROR, &error, &length) != 0)
                error = errno;
            if (error == 0)
                return socket;
            lastError = error;
        }
        throw std::runtime_error("Cannot connect to " + address.hostAndPort() + ": " + errnoText(lastError));
    }

    void sendRequest(const Socket &socket, const HttpAddress &address)
    {
        const std::string request = "GET " + address.target + " HTTP/1.0\r\n" + "Host: " + address.hostHeader() +
                                    "\r\n" +
                                    "User-Agent: Ludro Pro/2.0\r\n"
                                    "Accept: */*\r\n"
                                    "Icy-MetaData: 1\r\n"
                                    "Connection: close\r\n"
                                    "\r\n";
        const auto deadline = deadlineFromNow();
        std::size_t sent = 0;
        while (sent < request.size()) {
            const ssize_t n = ::send(socket.fd(), request.data() + sent, request.size() - sent, MSG_NOSIGNAL);
            if (n > 0) {
                sent += static_cast<std::size_t>(n);
            } else if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) {
                if (!waitFor(socket.fd(), POLLOUT, deadline))
                    throw noAnswer(address);
            } else if (n < 0 && errno != EINTR) {
                throw connectionLost(address, errno);
            }
        }
    }

    HttpAnswer readAnswer(const Socket &socket, const HttpAddress &address)
    {
        const auto deadline = deadlineFromNow();
        std::string raw;
        char chunk[4096];
        for (;;) {
            if (auto answer = parseHttpAnswer(raw, address.hostForDisplay()))
                return std::move(*answer);
            if (!waitFor(socket.fd(), POLLIN, deadline))
                throw noAnswer(address);
            const ssize_t n = ::recv(socket.fd(), chunk, sizeof chunk, 0);
            if (n > 0) {
                raw.append(chunk, static_cast<std::size_t>(n));
            } else if (n == 0) {
                const std::string host = address.hostForDisplay();
                throw std::runtime_error(raw.empty() ? "Connection closed by " + host + " without an answer"
                                                     : "Incomplete answer from " + host);
            } else if (errno != EAGAIN && errno != EWOULDBLOCK && errno != EINTR) {
                throw connectionLost(address, errno);
            }
        }
    }

    // Hands audio to the reader, waiting (cancellably) while the buffer is full.
    void deliver(const unsigned char *data, std::size_t size)
    {
        while (size > 0) {
            std::size_t copied = 0;
            {
                std::unique_lock lock(shared_->mutex);
                auto &ring = shared_->ring;
                shared_->spaceFreed.wait(lock, [&] { return shared_->cancel.load() || shared_->used < ring.size(); });
                checkCancel();
                while (copied < size && shared_->used < ring.size()) {
                    const std::size_t tail = (shared_->head + shared_->used) % ring.size();
                    const std::size_t n = std::min({size - copied, ring.size() - shared_->used, ring.size() - tail});
                    std::memcpy(ring.data() + tail, data + copied, n);
                    shared_->used += n;
                    copied += n;
                }
            }
            data += copied;
            size -= copied;
            shared_->notify();
        }
    }

    bool publishTitle(IcyDemuxer &demuxer)
    {
        std::string title;
        if (!demuxer.takeTitle(title))
            return false;
        std::lock_guard lock(shared_->mutex);
        shared_->title = std::move(title);
        return true;
    }

    // Connects and follows redirects up to an answer that is not one.
    HttpAnswer open(HttpAddress &address, Socket &socket)
    {
        for (int redirects = 0;; ++redirects) {
            socket = connect(address);
            sendRequest(socket, address);
            HttpAnswer answer = readAnswer(socket, address);
            const int code = answer.code;
            if (code != 301 && code != 302 && code != 303 && code != 307 && code != 308)
                return answer;
            const std::string *location = answer.header("location");
            if (!location || location->empty())
                throw std::runtime_error("Redirect without a Location from " + address.hostForDisplay());
            if (redirects >= options_.maxRedirects)
                throw std::runtime_error("Too many redirects");
            address = resolveLocation(address, *location);
            socket = Socket();
        }
    }

    void stream()
    {
        HttpAddress address = parseHttpAddress(address_);
        Socket socket;
        HttpAnswer answer = open(address, socket);
        if (answer.code != 200)
            throw std::runtime_error("HTTP " + std::to_string(answer.code) +
                                     (answer.reason.empty() ? "" : " " + answer.reason));

        std::size_t metaint = 0;
        if (const std::string *value = answer.header("icy-metaint")) {
            const auto number = parseNumber(*value);
            if (number && *number <= SIZE_MAX / 2)
                metaint = static_cast<std::size_t>(*number);
        }
        std::optional<std::uint64_t> remaining;  // body bytes still due, when the length is known
        if (const std::string *value = answer.header("content-length"))
            remaining = parseNumber(*value);
        {
            std::lock_guard lock(shared_->mutex);
            shared_->status = Status::Streaming;
            if (const std::string *type = answer.header("content-type"))
                shared_->contentType = *type;
        }
        shared_->notify();

        IcyDemuxer demuxer(metaint);
        auto take = [&](unsigned char *data, std::size_t size) {
            if (remaining) {
                size = static_cast<std::size_t>(std::min<std::uint64_t>(size, *remaining));
                *remaining -= size;
            }
            const std::size_t audio = demuxer.feed(data, size);
            if (publishTitle(demuxer) && audio == 0)
                shared_->notify();  // deliver() wakes the engine otherwise
            deliver(data, audio);
        };
        take(reinterpret_cast<unsigned char *>(answer.body.data()), answer.body.size());

        std::vector<unsigned char> chunk(kReadChunk);
        while (!remaining || *remaining > 0) {
            // Silence is counted from now: time spent waiting for buffer space is not the server's fault.
            if (!waitFor(socket.fd(), POLLIN, deadlineFromNow()))
                throw std::runtime_error("Stream stalled");
            const ssize_t n = ::recv(socket.fd(), chunk.data(), chunk.size(), 0);
            if (n > 0) {
                take(chunk.data(), static_cast<std::size_t>(n));
            } else if (n == 0) {
                if (remaining && *remaining > 0)
                    throw std::runtime_error("Connection closed early by " + address.hostForDisplay());
                break;
            } else if (errno != EAGAIN && errno != EWOULDBLOCK && errno != EINTR) {
                throw connectionLost(address, errno);
            }
        }
        finish(Status::Ended);
    }

    std::shared_ptr<StreamShared> shared_;
    std::string address_;
    StreamReader::Options options_;
};

}  // namespace

void runStreamWorker(std::shared_ptr<StreamShared> shared, std::string address, StreamReader::Options options)
{
    Worker(std::move(shared), std::move(address), options).run();
}

}  // namespace sonark::detail
