#pragma once

// Reads an internet radio stream over HTTP or HTTPS on a worker thread and
// hands the audio bytes to the engine through a bounded buffer. Toolkit-free
// on purpose: plain sockets, OpenSSL and std::thread only.

#include <cstddef>
#include <functional>
#include <memory>
#include <string>
#include <thread>

namespace sonark {

namespace detail {
struct StreamShared;
}

class StreamReader {
public:
    struct Options {
        int timeoutMs = 10000;  // connect, answer and silence limit each
        int maxRedirects = 10;
        std::size_t bufferBytes = 256 * 1024;
    };
    // StationList: the answer was a station list, not audio (stationList()).
    enum class Status { Connecting, Streaming, Ended, Failed, StationList };

    // Starts connecting at once on a worker thread. `address` is
    // "http://host[:port]/path", "https://..." or the first without "http://".
    // `wakeup` is called from the worker when data arrives or the status
    // changes; it must be quick, must not destroy the reader, and must not
    // take a lock that is held while the reader is being destroyed (the
    // destructor waits for a call in progress). It is never called once the
    // destructor has returned.
    StreamReader(std::string address, Options options, std::function<void()> wakeup);

    // Cancels and returns within ~200 ms; a worker stuck in a name lookup is
    // left to finish alone.
    ~StreamReader();

    StreamReader(const StreamReader &) = delete;
    StreamReader &operator=(const StreamReader &) = delete;

    // Non-blocking: copies up to `size` audio bytes available now (ICY
    // metadata removed); 0 when none.
    std::size_t read(void *buffer, std::size_t size);

    // Ended and Failed are reported only once every byte received before
    // the end has been read, so "read() == 0 && status() == Ended" means the
    // whole stream was consumed.
    Status status() const;
    std::string error() const;        // English text when Failed
    // Failed for a reason that trying again cannot mend (PermanentStreamError).
    bool failedForGood() const;
    std::string streamTitle() const;  // last StreamTitle (UTF-8), "" if none
    // True when a StreamTitle is due that was not taken yet: one sent before
    // audio that read() has handed out. `title` gets the latest of them.
    bool takeStreamTitle(std::string &title);
    std::string contentType() const;  // Content-Type of the answer, "" if none
    // The answer came from a radio server (ICY headers): it has no end of
    // its own, so its end is a break.
    bool isLive() const;
    std::string stationList() const;  // the list's text, at most 64 KB

private:
    // Everything the worker touches; it may outlive the reader.
    std::shared_ptr<detail::StreamShared> shared_;
    std::thread worker_;
};

}  // namespace sonark
