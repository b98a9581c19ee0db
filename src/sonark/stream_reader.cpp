#include "stream_reader.h"

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <mutex>
#include <optional>
#include <system_error>
#include <utility>
#include <vector>

#include <fcntl.h>
#include <netdb.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/types.h>
#include <unistd.h>

namespace sonark {

using Clock = std::chrono::steady_clock;
using std::chrono::milliseconds;

namespace detail {

struct StreamShared {
    mutable std::mutex mutex;
    std::condition_variable spaceFreed;  // worker waits here when the buffer is full
    std::condition_variable workerDone;
    std::atomic<bool> cancel{false};

    // Ring buffer of audio bytes.
    std::vector<unsigned char> ring;
    std::size_t head = 0;
    std::size_t used = 0;

    StreamReader::Status status = StreamReader::Status::Connecting;
    std::string error;
    std::string title;
    std::string contentType;
    bool done = false;

    // Separate lock so the callback never runs under `mutex` (the engine may
    // call read() from inside it) and so the destructor can wait out a call
    // in progress before returning.
    std::mutex wakeupMutex;
    std::function<void()> wakeup;

    void notify() {
        std::lock_guard lock(wakeupMutex);
        if (wakeup && !cancel.load())
            wakeup();
    }
};

}  // namespace detail

namespace {

using Shared = detail::StreamShared;
using Status = StreamReader::Status;

constexpr std::size_t kMaxHeaderBytes = 64 * 1024;
constexpr std::size_t kReadChunk = 16 * 1024;
constexpr int kSliceMs = 50;  // how long a wait may go without looking at the cancel flag

struct Failure {
    std::string message;
};
struct Cancelled {};

std::string errnoText(int error) {
    char buffer[256];
    // GNU strerror_r: thread-safe, returns the text (possibly not in buffer).
    return strerror_r(error, buffer, sizeof buffer);
}

std::string lowercase(std::string_view text) {
    std::string result(text);
    for (char& c : result)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    return result;
}

std::string_view trim(std::string_view text) {
    const auto isSpace = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; };
    while (!text.empty() && isSpace(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && isSpace(text.back()))
        text.remove_suffix(1);
    return text;
}

std::optional<std::uint64_t> parseNumber(std::string_view text) {
    text = trim(text);
    if (text.empty() || text.size() > 18)
        return std::nullopt;
    std::uint64_t value = 0;
    for (char c : text) {
        if (c < '0' || c > '9')
            return std::nullopt;
        value = value * 10 + static_cast<std::uint64_t>(c - '0');
    }
    return value;
}

// "10 s", "0.3 s", "1.25 s"
std::string formatSeconds(int ms) {
    char text[32];
    std::snprintf(text, sizeof text, "%.3f", ms / 1000.0);
    std::string result = text;
    while (result.back() == '0')
        result.pop_back();
    if (result.back() == '.')
        result.pop_back();
    return result + " s";
}

// ---------------------------------------------------------------- addresses

struct Url {
    std::string host;
    std::uint16_t port = 80;
    std::string target = "/";  // path and query, ready for the request line

    std::string hostForDisplay() const {
        return host.find(':') != std::string::npos ? "[" + host + "]" : host;
    }
    std::string hostAndPort() const { return hostForDisplay() + ":" + std::to_string(port); }
    std::string hostHeader() const {
        return port == 80 ? hostForDisplay() : hostAndPort();
    }
};

// Request lines must not carry spaces or raw non-ASCII bytes.
std::string encodeTarget(std::string_view target) {
    static const char hex[] = "0123456789ABCDEF";
    std::string result;
    for (char ch : target) {
        const auto c = static_cast<unsigned char>(ch);
        if (c <= 0x20 || c >= 0x7f) {
            result += '%';
            result += hex[c >> 4];
            result += hex[c & 15];
        } else {
            result += ch;
        }
    }
    return result;
}

Url parseUrl(std::string_view address) {
    const std::string original(address);
    address = trim(address);
    std::string text(address);
    const auto schemeEnd = text.find("://");
    if (schemeEnd == std::string::npos) {
        text = "http://" + text;
    } else if (lowercase(text.substr(0, schemeEnd)) != "http") {
        throw Failure{"Unsupported address: " + original};
    }
    std::string_view rest = std::string_view(text).substr(text.find("://") + 3);

    const auto fragment = rest.find('#');
    if (fragment != std::string_view::npos)
        rest = rest.substr(0, fragment);

    const auto authorityEnd = rest.find_first_of("/?");
    std::string_view authority = rest.substr(0, authorityEnd);
    std::string_view target = authorityEnd == std::string_view::npos ? std::string_view{} : rest.substr(authorityEnd);

    const auto at = authority.rfind('@');
    if (at != std::string_view::npos)
        authority = authority.substr(at + 1);  // credentials are not supported, only skipped

    Url url;
    std::string_view portText;
    if (!authority.empty() && authority.front() == '[') {
        const auto close = authority.find(']');
        if (close == std::string_view::npos)
            throw Failure{"Invalid address: " + original};
        url.host = std::string(authority.substr(1, close - 1));
        const auto after = authority.substr(close + 1);
        if (!after.empty()) {
            if (after.front() != ':')
                throw Failure{"Invalid address: " + original};
            portText = after.substr(1);
        }
    } else {
        const auto colon = authority.find(':');
        url.host = std::string(authority.substr(0, colon));
        if (colon != std::string_view::npos)
            portText = authority.substr(colon + 1);
    }
    if (url.host.empty())
        throw Failure{"Invalid address: " + original};
    if (!portText.empty()) {
        const auto port = parseNumber(portText);
        if (!port || *port == 0 || *port > 65535)
            throw Failure{"Invalid address: " + original};
        url.port = static_cast<std::uint16_t>(*port);
    }

    std::string path(target);
    if (path.empty() || path.front() == '?')
        path.insert(0, "/");
    url.target = encodeTarget(path);
    return url;
}

// Location may be absolute, scheme-relative, host-relative or path-relative.
Url resolveLocation(const Url& base, std::string_view location) {
    location = trim(location);
    if (location.find("://") != std::string_view::npos)
        return parseUrl(location);
    if (location.substr(0, 2) == "//")
        return parseUrl("http:" + std::string(location));

    std::string_view target = location.substr(0, location.find('#'));
    Url url = base;
    if (!target.empty() && target.front() == '/') {
        url.target = encodeTarget(target);
    } else {
        const std::string_view basePath = std::string_view(base.target).substr(0, base.target.find('?'));
        if (!target.empty() && target.front() == '?')
            url.target = std::string(basePath) + encodeTarget(target);
        else
            url.target = std::string(basePath.substr(0, basePath.rfind('/') + 1)) + encodeTarget(target);
    }
    return url;
}

// ------------------------------------------------------------------ sockets

class Socket {
public:
    Socket() = default;
    explicit Socket(int fd) : fd_(fd) {}
    Socket(Socket&& other) noexcept : fd_(std::exchange(other.fd_, -1)) {}
    Socket& operator=(Socket&& other) noexcept {
        std::swap(fd_, other.fd_);
        return *this;
    }
    ~Socket() {
        if (fd_ >= 0)
            ::close(fd_);
    }
    int fd() const { return fd_; }

private:
    int fd_ = -1;
};

class Worker {
public:
    Worker(std::shared_ptr<Shared> shared, std::string address, StreamReader::Options options)
        : shared_(std::move(shared)), address_(std::move(address)), options_(options) {
        options_.timeoutMs = std::max(options_.timeoutMs, 1);
        options_.maxRedirects = std::max(options_.maxRedirects, 0);
    }

    void run() {
        try {
            stream();
        } catch (const Failure& failure) {
            finish(Status::Failed, failure.message);
        } catch (const Cancelled&) {
        } catch (const std::exception& e) {
            finish(Status::Failed, e.what());
        }
        {
            std::lock_guard lock(shared_->mutex);
            shared_->done = true;
        }
        shared_->workerDone.notify_all();
    }

private:
    struct Answer {
        int code = 0;
        std::string reason;
        std::vector<std::pair<std::string, std::string>> headers;  // names in lowercase
        std::string body;  // bytes that came after the header

        const std::string* header(std::string_view name) const {
            for (const auto& [key, value] : headers)
                if (key == name)
                    return &value;
            return nullptr;
        }
    };

    void checkCancel() const {
        if (shared_->cancel.load())
            throw Cancelled{};
    }

    void finish(Status status, std::string error = {}) {
        {
            std::lock_guard lock(shared_->mutex);
            shared_->status = status;
            shared_->error = std::move(error);
        }
        shared_->notify();
    }

    // Waits for `events` on fd until `deadline`, in slices so cancelling is
    // noticed quickly. False on timeout.
    bool waitFor(int fd, short events, Clock::time_point deadline) const {
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
                throw Failure{"Network error: " + errnoText(errno)};
        }
    }

    Clock::time_point deadlineFromNow() const { return Clock::now() + milliseconds(options_.timeoutMs); }

    Socket connect(const Url& url) {
        addrinfo hints{};
        hints.ai_family = AF_UNSPEC;
        hints.ai_socktype = SOCK_STREAM;
        hints.ai_flags = AI_NUMERICSERV;
        addrinfo* found = nullptr;
        const int lookup = ::getaddrinfo(url.host.c_str(), std::to_string(url.port).c_str(), &hints, &found);
        checkCancel();  // the reader may be long gone after a slow lookup
        if (lookup != 0 || !found) {
            if (found)
                ::freeaddrinfo(found);
            throw Failure{"Host not found: " + url.host};
        }
        std::unique_ptr<addrinfo, decltype(&::freeaddrinfo)> list(found, &::freeaddrinfo);

        const auto deadline = deadlineFromNow();
        int lastError = ETIMEDOUT;
        for (const addrinfo* entry = found; entry; entry = entry->ai_next) {
            Socket socket(::socket(entry->ai_family, entry->ai_socktype | SOCK_NONBLOCK | SOCK_CLOEXEC,
                                   entry->ai_protocol));
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
        throw Failure{"Cannot connect to " + url.hostAndPort() + ": " + errnoText(lastError)};
    }

    std::string noAnswer(const Url& url) const {
        return "No answer from " + url.hostForDisplay() + " within " + formatSeconds(options_.timeoutMs);
    }

    void sendRequest(const Socket& socket, const Url& url) {
        const std::string request = "GET " + url.target + " HTTP/1.0\r\n"
                                    "Host: " + url.hostHeader() + "\r\n"
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
                    throw Failure{noAnswer(url)};
            } else if (n < 0 && errno != EINTR) {
                throw Failure{"Connection to " + url.hostAndPort() + " lost: " + errnoText(errno)};
            }
        }
    }

    static Answer parseHead(const std::vector<std::string>& lines, const Url& url) {
        Answer answer;
        // "HTTP/1.x 200 OK" or "ICY 200 OK"; the reason may be missing.
        const std::string_view statusLine = lines.front();
        const bool known = statusLine.rfind("HTTP/1.", 0) == 0 || statusLine.rfind("ICY ", 0) == 0;
        const auto space = statusLine.find(' ');
        std::optional<std::uint64_t> code;
        if (known && space != std::string_view::npos && statusLine.size() >= space + 4 &&
            (statusLine.size() == space + 4 || statusLine[space + 4] == ' '))
            code = parseNumber(statusLine.substr(space + 1, 3));
        if (!code || *code < 100)
            throw Failure{"Invalid answer from " + url.hostForDisplay()};
        answer.code = static_cast<int>(*code);
        if (statusLine.size() > space + 4)
            answer.reason = std::string(trim(statusLine.substr(space + 5)));

        for (std::size_t i = 1; i < lines.size(); ++i) {
            const auto colon = lines[i].find(':');
            if (colon == std::string::npos)
                continue;
            const std::string_view line(lines[i]);
            answer.headers.emplace_back(lowercase(trim(line.substr(0, colon))),
                                        std::string(trim(line.substr(colon + 1))));
        }
        return answer;
    }

    Answer readAnswer(const Socket& socket, const Url& url) {
        const auto deadline = deadlineFromNow();
        std::string raw;
        std::vector<std::string> lines;
        std::size_t scanned = 0;
        char chunk[4096];
        for (;;) {
            // Lines end in CRLF or a bare LF; an empty line ends the header.
            for (auto newline = raw.find('\n', scanned); newline != std::string::npos;
                 newline = raw.find('\n', scanned)) {
                std::string line = raw.substr(scanned, newline - scanned);
                scanned = newline + 1;
                if (!line.empty() && line.back() == '\r')
                    line.pop_back();
                if (scanned > kMaxHeaderBytes)
                    break;
                if (!line.empty()) {
                    lines.push_back(std::move(line));
                } else if (!lines.empty()) {
                    Answer answer = parseHead(lines, url);
                    answer.body = raw.substr(scanned);
                    return answer;
                }
            }
            if (raw.size() > kMaxHeaderBytes)
                throw Failure{"Answer header from " + url.hostForDisplay() + " is larger than 64 KB"};

            if (!waitFor(socket.fd(), POLLIN, deadline))
                throw Failure{noAnswer(url)};
            const ssize_t n = ::recv(socket.fd(), chunk, sizeof chunk, 0);
            if (n > 0) {
                raw.append(chunk, static_cast<std::size_t>(n));
            } else if (n == 0) {
                throw Failure{raw.empty() ? "Connection closed by " + url.hostForDisplay() + " without an answer"
                                          : "Incomplete answer from " + url.hostForDisplay()};
            } else if (errno != EAGAIN && errno != EWOULDBLOCK && errno != EINTR) {
                throw Failure{"Connection to " + url.hostAndPort() + " lost: " + errnoText(errno)};
            }
        }
    }

    // Hands audio to the reader, waiting (cancellably) while the buffer is full.
    void deliver(const unsigned char* data, std::size_t size) {
        while (size > 0) {
            std::size_t copied = 0;
            {
                std::unique_lock lock(shared_->mutex);
                auto& ring = shared_->ring;
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

    bool publishTitle(IcyDemuxer& demuxer) {
        std::string title;
        if (!demuxer.takeTitle(title))
            return false;
        std::lock_guard lock(shared_->mutex);
        shared_->title = std::move(title);
        return true;
    }

    void stream() {
        Url url = parseUrl(address_);
        Socket socket;
        Answer answer;
        for (int redirects = 0;; ++redirects) {
            socket = connect(url);
            sendRequest(socket, url);
            answer = readAnswer(socket, url);
            const int code = answer.code;
            if (code != 301 && code != 302 && code != 303 && code != 307 && code != 308)
                break;
            const std::string* location = answer.header("location");
            if (!location || location->empty())
                throw Failure{"Redirect without a Location from " + url.hostForDisplay()};
            if (redirects >= options_.maxRedirects)
                throw Failure{"Too many redirects"};
            url = resolveLocation(url, *location);
            socket = Socket();
        }
        if (answer.code != 200)
            throw Failure{"HTTP " + std::to_string(answer.code) + (answer.reason.empty() ? "" : " " + answer.reason)};

        std::size_t metaint = 0;
        if (const std::string* value = answer.header("icy-metaint")) {
            const auto number = parseNumber(*value);
            if (number && *number <= SIZE_MAX / 2)
                metaint = static_cast<std::size_t>(*number);
        }
        std::optional<std::uint64_t> remaining;  // body bytes still due, when the length is known
        if (const std::string* value = answer.header("content-length"))
            remaining = parseNumber(*value);
        {
            std::lock_guard lock(shared_->mutex);
            shared_->status = Status::Streaming;
            if (const std::string* type = answer.header("content-type"))
                shared_->contentType = *type;
        }
        shared_->notify();

        IcyDemuxer demuxer(metaint);
        std::vector<unsigned char> chunk(kReadChunk);
        auto take = [&](unsigned char* data, std::size_t size) {
            if (remaining)
                size = static_cast<std::size_t>(std::min<std::uint64_t>(size, *remaining));
            if (remaining)
                *remaining -= size;
            const std::size_t audio = demuxer.feed(data, size, data);
            if (publishTitle(demuxer) && audio == 0)
                shared_->notify();  // deliver() wakes the engine otherwise
            deliver(data, audio);
        };

        std::vector<unsigned char> early(answer.body.begin(), answer.body.end());
        take(early.data(), early.size());

        for (;;) {
            if (remaining && *remaining == 0)
                break;
            // Silence is counted from now: time spent waiting for buffer space is not the server's fault.
            if (!waitFor(socket.fd(), POLLIN, deadlineFromNow()))
                throw Failure{"Stream stalled"};
            const ssize_t n = ::recv(socket.fd(), chunk.data(), chunk.size(), 0);
            if (n > 0) {
                take(chunk.data(), static_cast<std::size_t>(n));
            } else if (n == 0) {
                if (remaining && *remaining > 0)
                    throw Failure{"Connection closed early by " + url.hostForDisplay()};
                break;
            } else if (errno != EAGAIN && errno != EWOULDBLOCK && errno != EINTR) {
                throw Failure{"Connection to " + url.hostAndPort() + " lost: " + errnoText(errno)};
            }
        }
        finish(Status::Ended);
    }

    std::shared_ptr<Shared> shared_;
    std::string address_;
    StreamReader::Options options_;
};

bool validUtf8(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size()) {
        const auto c = static_cast<unsigned char>(text[i]);
        std::size_t extra = 0;
        std::uint32_t value = 0;
        if (c < 0x80) {
            ++i;
            continue;
        } else if ((c & 0xe0) == 0xc0) {
            extra = 1;
            value = c & 0x1f;
        } else if ((c & 0xf0) == 0xe0) {
            extra = 2;
            value = c & 0x0f;
        } else if ((c & 0xf8) == 0xf0) {
            extra = 3;
            value = c & 0x07;
        } else {
            return false;
        }
        if (i + extra >= text.size())
            return false;
        for (std::size_t k = 1; k <= extra; ++k) {
            const auto next = static_cast<unsigned char>(text[i + k]);
            if ((next & 0xc0) != 0x80)
                return false;
            value = (value << 6) | (next & 0x3f);
        }
        static const std::uint32_t smallest[] = {0, 0x80, 0x800, 0x10000};
        if (value < smallest[extra] || value > 0x10ffff || (value >= 0xd800 && value <= 0xdfff))
            return false;
        i += extra + 1;
    }
    return true;
}

std::string latin1ToUtf8(std::string_view text) {
    std::string result;
    for (char ch : text) {
        const auto c = static_cast<unsigned char>(ch);
        if (c < 0x80) {
            result += ch;
        } else {
            result += static_cast<char>(0xc0 | (c >> 6));
            result += static_cast<char>(0x80 | (c & 0x3f));
        }
    }
    return result;
}

}  // namespace

// ------------------------------------------------------------- StreamReader

StreamReader::StreamReader(std::string address, Options options, std::function<void()> wakeup)
    : shared_(std::make_shared<Shared>()) {
    shared_->ring.resize(std::max<std::size_t>(options.bufferBytes, 1));
    shared_->wakeup = std::move(wakeup);
    try {
        worker_ = std::thread([shared = shared_, address = std::move(address), options]() mutable {
            Worker(std::move(shared), std::move(address), options).run();
        });
    } catch (const std::system_error& e) {
        shared_->status = Status::Failed;
        shared_->error = std::string("Cannot start the stream reader: ") + e.what();
        shared_->done = true;
    }
}

StreamReader::~StreamReader() {
    shared_->cancel.store(true);
    {
        // Taking the lock orders the flag before a worker that is about to wait.
        std::lock_guard lock(shared_->mutex);
    }
    shared_->spaceFreed.notify_all();
    {
        // Waits out a callback in progress; none can start afterwards.
        std::lock_guard lock(shared_->wakeupMutex);
        shared_->wakeup = nullptr;
    }
    bool done;
    {
        std::unique_lock lock(shared_->mutex);
        done = shared_->workerDone.wait_for(lock, milliseconds(200), [&] { return shared_->done; });
    }
    if (worker_.joinable()) {
        if (done)
            worker_.join();
        else
            worker_.detach();  // stuck in getaddrinfo; it owns its share of the state
    }
}

std::size_t StreamReader::read(void* buffer, std::size_t size) {
    std::size_t copied = 0;
    {
        std::lock_guard lock(shared_->mutex);
        auto& ring = shared_->ring;
        auto* out = static_cast<unsigned char*>(buffer);
        while (copied < size && shared_->used > 0) {
            const std::size_t n = std::min({size - copied, shared_->used, ring.size() - shared_->head});
            std::memcpy(out + copied, ring.data() + shared_->head, n);
            shared_->head = (shared_->head + n) % ring.size();
            shared_->used -= n;
            copied += n;
        }
    }
    if (copied > 0)
        shared_->spaceFreed.notify_all();
    return copied;
}

StreamReader::Status StreamReader::status() const {
    std::lock_guard lock(shared_->mutex);
    if ((shared_->status == Status::Ended || shared_->status == Status::Failed) && shared_->used > 0)
        return Status::Streaming;
    return shared_->status;
}

std::string StreamReader::error() const {
    std::lock_guard lock(shared_->mutex);
    return shared_->error;
}

std::string StreamReader::streamTitle() const {
    std::lock_guard lock(shared_->mutex);
    return shared_->title;
}

std::string StreamReader::contentType() const {
    std::lock_guard lock(shared_->mutex);
    return shared_->contentType;
}

// --------------------------------------------------------------- IcyDemuxer

IcyDemuxer::IcyDemuxer(std::size_t metaint) : metaint_(metaint), audioLeft_(metaint) {}

std::size_t IcyDemuxer::feed(const unsigned char* data, std::size_t size, unsigned char* out) {
    if (metaint_ == 0) {
        if (out != data)
            std::memmove(out, data, size);
        return size;
    }
    std::size_t written = 0;
    std::size_t i = 0;
    while (i < size) {
        if (audioLeft_ > 0) {
            const std::size_t n = std::min(audioLeft_, size - i);
            std::memmove(out + written, data + i, n);  // out never runs ahead of data
            written += n;
            i += n;
            audioLeft_ -= n;
        } else if (!inMeta_) {
            metaLeft_ = std::size_t{data[i++]} * 16;
            if (metaLeft_ == 0) {
                audioLeft_ = metaint_;
            } else {
                inMeta_ = true;
                meta_.clear();
            }
        } else {
            const std::size_t n = std::min(metaLeft_, size - i);
            meta_.append(reinterpret_cast<const char*>(data + i), n);
            i += n;
            metaLeft_ -= n;
            if (metaLeft_ == 0) {
                inMeta_ = false;
                audioLeft_ = metaint_;
                if (parseStreamTitle(meta_, title_))
                    titleReady_ = true;
            }
        }
    }
    return written;
}

bool IcyDemuxer::takeTitle(std::string& title) {
    if (!titleReady_)
        return false;
    titleReady_ = false;
    title = title_;
    return true;
}

bool IcyDemuxer::parseStreamTitle(std::string_view block, std::string& title) {
    const auto end = block.find('\0');
    if (end != std::string_view::npos)
        block = block.substr(0, end);  // blocks are padded with zero bytes
    constexpr std::string_view key = "StreamTitle='";
    const auto start = block.find(key);
    if (start == std::string_view::npos)
        return false;
    std::string_view value = block.substr(start + key.size());
    // Titles may contain apostrophes ("Don't"), so the value ends at "';".
    auto close = value.find("';");
    if (close == std::string_view::npos)
        close = value.rfind('\'');
    if (close != std::string_view::npos)
        value = value.substr(0, close);
    value = trim(value);
    title = validUtf8(value) ? std::string(value) : latin1ToUtf8(value);
    return true;
}

}  // namespace sonark
