#pragma once

// One connection of the stream reader: TCP to the address's host, with TLS
// for an https address. Every wait ends at a deadline and looks at the
// reader's cancel flag in short slices.

#include "http_address.h"

#include <atomic>
#include <chrono>
#include <cstddef>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>

namespace sonark {

class TlsSession;

// Thrown out of a wait once the reader is being destroyed.
struct StreamCancelled {};

class StreamConnection {
public:
    using Clock = std::chrono::steady_clock;

    // Connects, and shakes hands for https, each within `timeoutMs`. Throws
    // std::runtime_error with a text for the user (PermanentStreamError for
    // a certificate that is not valid), or StreamCancelled.
    StreamConnection(const HttpAddress &address, int timeoutMs, const std::atomic<bool> &cancel);
    ~StreamConnection();
    StreamConnection(const StreamConnection &) = delete;
    StreamConnection &operator=(const StreamConnection &) = delete;

    void sendAll(std::string_view bytes);  // within the time-out
    // Up to `size` bytes, 0 at the end of the stream, nothing when the
    // deadline passed without any.
    std::optional<std::size_t> receive(void *buffer, std::size_t size, Clock::time_point deadline);

    Clock::time_point deadlineFromNow() const;
    std::runtime_error noAnswer() const;  // "No answer from HOST within 10 s"
    std::runtime_error lost(int error) const;

private:
    void connectTcp();
    void shakeHands();
    void checkCancel() const;
    // False when the deadline passed first.
    bool waitFor(short events, Clock::time_point deadline) const;

    HttpAddress address_;
    int timeoutMs_;
    const std::atomic<bool> &cancel_;
    int fd_ = -1;
    std::unique_ptr<TlsSession> tls_;
};

}  // namespace sonark
