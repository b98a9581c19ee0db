#include "stream_worker.h"

#include "ascii_text.h"
#include "http_address.h"
#include "http_answer.h"
#include "icy_demuxer.h"
#include "station_list_answer.h"
#include "stream_connection.h"
#include "stream_error.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <memory>
#include <optional>
#include <stdexcept>
#include <utility>
#include <vector>

namespace sonark::detail {

namespace {

using Status = StreamReader::Status;

constexpr std::size_t kReadChunk = 16 * 1024;
constexpr std::size_t kPendingTitles = 16;

bool isRedirect(int code)
{
    return code == 301 || code == 302 || code == 303 || code == 307 || code == 308;
}

// Turned away for good: a 4xx status, but for a mount that may come back
// (404, as Icecast answers while its source is away), a time-out or a limit.
bool refusesForGood(int code)
{
    return code >= 400 && code < 500 && code != 404 && code != 408 && code != 429;
}

// Radio servers mark their answers with "icy-" fields (and SHOUTcast's
// "ICY 200 OK" status line always comes with them).
bool fromRadioServer(const HttpAnswer &answer)
{
    return std::any_of(answer.headers.begin(), answer.headers.end(),
                       [](const auto &header) { return header.first.starts_with("icy-"); });
}

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
        } catch (const StreamCancelled &) {
        } catch (const PermanentStreamError &e) {
            finish(Status::Failed, e.what(), true);
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
    void finish(Status status, std::string error = {}, bool forGood = false)
    {
        {
            std::lock_guard lock(shared_->mutex);
            shared_->status = status;
            shared_->error = std::move(error);
            shared_->failedForGood = forGood;
        }
        shared_->notify();
    }

    void sendRequest(StreamConnection &connection, const HttpAddress &address)
    {
        connection.sendAll("GET " + address.target + " HTTP/1.0\r\n" + "Host: " + address.hostHeader() + "\r\n" +
                           "User-Agent: Ludro Pro/2.0\r\n"
                           "Accept: */*\r\n"
                           "Icy-MetaData: 1\r\n"
                           "Connection: close\r\n"
                           "\r\n");
    }

    HttpAnswer readAnswer(StreamConnection &connection, const HttpAddress &address)
    {
        const auto deadline = connection.deadlineFromNow();
        std::string raw;
        char chunk[4096];
        for (;;) {
            if (auto answer = parseHttpAnswer(raw, address.hostForDisplay()))
                return std::move(*answer);
            const std::optional<std::size_t> n = connection.receive(chunk, sizeof chunk, deadline);
            if (!n)
                throw connection.noAnswer();
            if (*n == 0) {
                const std::string host = address.hostForDisplay();
                throw std::runtime_error(raw.empty() ? "Connection closed by " + host + " without an answer"
                                                     : "Incomplete answer from " + host);
            }
            raw.append(chunk, *n);
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
                if (shared_->cancel.load())
                    throw StreamCancelled{};
                while (copied < size && shared_->used < ring.size()) {
                    const std::size_t tail = (shared_->head + shared_->used) % ring.size();
                    const std::size_t n = std::min({size - copied, ring.size() - shared_->used, ring.size() - tail});
                    std::memcpy(ring.data() + tail, data + copied, n);
                    shared_->used += n;
                    shared_->delivered += n;
                    copied += n;
                }
            }
            data += copied;
            size -= copied;
            shared_->notify();
        }
    }

    // The title goes with the audio that follows it (within a read).
    bool publishTitle(IcyDemuxer &demuxer)
    {
        std::string title;
        if (!demuxer.takeTitle(title))
            return false;
        std::lock_guard lock(shared_->mutex);
        shared_->title = title;
        if (shared_->titles.size() == kPendingTitles)
            shared_->titles.pop_front();
        shared_->titles.emplace_back(shared_->delivered, std::move(title));
        return true;
    }

    // Connects and follows redirects, between http and https too, up to an
    // answer that is not one.
    HttpAnswer open(HttpAddress &address, std::unique_ptr<StreamConnection> &connection)
    {
        for (int redirects = 0;; ++redirects) {
            connection = std::make_unique<StreamConnection>(address, options_.timeoutMs, shared_->cancel);
            sendRequest(*connection, address);
            HttpAnswer answer = readAnswer(*connection, address);
            if (!isRedirect(answer.code))
                return answer;
            const std::string *location = answer.header("location");
            if (!location || location->empty())
                throw std::runtime_error("Redirect without a Location from " + address.hostForDisplay());
            if (redirects >= options_.maxRedirects)
                throw std::runtime_error("Too many redirects");
            address = resolveLocation(address, *location);
            connection.reset();
        }
    }

    // The body after the header: what came with it, then reads that wait
    // at most the time-out each. 0 at its end.
    std::size_t receiveBody(unsigned char *data, std::size_t size)
    {
        if (remaining_ && *remaining_ == 0)
            return 0;
        std::size_t n = 0;
        if (pending_ < early_.size()) {
            n = std::min(size, early_.size() - pending_);
            std::memcpy(data, early_.data() + pending_, n);
            pending_ += n;
        } else {
            const std::optional<std::size_t> got = connection_->receive(data, size, connection_->deadlineFromNow());
            if (!got)
                throw std::runtime_error("Stream stalled");
            n = *got;
            if (n == 0 && remaining_ && *remaining_ > 0)
                throw std::runtime_error("Connection closed early by " + host_);
        }
        if (remaining_) {
            n = static_cast<std::size_t>(std::min<std::uint64_t>(n, *remaining_));
            *remaining_ -= n;
        }
        return n;
    }

    // Reads the start of the body until it tells audio from a station list.
    AnswerKind sniff(const std::string &contentType, std::string &start)
    {
        std::vector<unsigned char> chunk(4096);
        for (;;) {
            const std::size_t n = receiveBody(chunk.data(), chunk.size());
            start.append(reinterpret_cast<const char *>(chunk.data()), n);
            const AnswerKind kind = answerKind(contentType, start, n == 0);
            if (kind != AnswerKind::Undecided)
                return kind;
        }
    }

    void readStationList(std::string text)
    {
        std::vector<unsigned char> chunk(4096);
        while (text.size() <= kStationListBytes) {
            const std::size_t n = receiveBody(chunk.data(), chunk.size());
            if (n == 0)
                break;
            text.append(reinterpret_cast<const char *>(chunk.data()), n);
        }
        {
            std::lock_guard lock(shared_->mutex);
            shared_->stationList = stationListText(std::move(text));
        }
        finish(Status::StationList);
    }

    void stream()
    {
        HttpAddress address = parseHttpAddress(address_);
        HttpAnswer answer = open(address, connection_);
        host_ = address.hostForDisplay();
        if (answer.code != 200) {
            const std::string text =
                "HTTP " + std::to_string(answer.code) + (answer.reason.empty() ? "" : " " + answer.reason);
            if (refusesForGood(answer.code))
                throw PermanentStreamError(text);
            throw std::runtime_error(text);
        }

        std::size_t metaint = 0;
        if (const std::string *value = answer.header("icy-metaint")) {
            const auto number = parseNumber(*value);
            if (number && *number <= SIZE_MAX / 2)
                metaint = static_cast<std::size_t>(*number);
        }
        if (const std::string *value = answer.header("content-length"))
            remaining_ = parseNumber(*value);
        const std::string *type = answer.header("content-type");
        const std::string contentType = type ? *type : std::string();
        {
            std::lock_guard lock(shared_->mutex);
            shared_->contentType = contentType;
            shared_->live = fromRadioServer(answer);
        }
        early_ = std::move(answer.body);

        std::string start;
        if (sniff(contentType, start) == AnswerKind::StationList)
            return readStationList(std::move(start));
        {
            std::lock_guard lock(shared_->mutex);
            shared_->status = Status::Streaming;
        }
        shared_->notify();

        IcyDemuxer demuxer(metaint);
        auto take = [&](unsigned char *data, std::size_t size) {
            const std::size_t audio = demuxer.feed(data, size);
            if (publishTitle(demuxer) && audio == 0)
                shared_->notify();  // deliver() wakes the engine otherwise
            deliver(data, audio);
        };
        take(reinterpret_cast<unsigned char *>(start.data()), start.size());
        std::vector<unsigned char> chunk(kReadChunk);
        // Silence is counted from each read: time spent waiting for buffer space is not the server's fault.
        while (const std::size_t n = receiveBody(chunk.data(), chunk.size()))
            take(chunk.data(), n);
        finish(Status::Ended);
    }

    std::shared_ptr<StreamShared> shared_;
    std::string address_;
    StreamReader::Options options_;
    std::unique_ptr<StreamConnection> connection_;
    std::string host_;
    std::string early_;  // body bytes that came with the header
    std::size_t pending_ = 0;
    std::optional<std::uint64_t> remaining_;  // body bytes still due, when the length is known
};

}  // namespace

void runStreamWorker(std::shared_ptr<StreamShared> shared, std::string address, StreamReader::Options options)
{
    Worker(std::move(shared), std::move(address), options).run();
}

}  // namespace sonark::detail
