#include "sonark/stream_reader.h"
#include "support/http_test_server.h"

#include <gtest/gtest.h>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <atomic>
#include <memory>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <random>
#include <string>
#include <thread>
#include <vector>

namespace {

using sonark::IcyDemuxer;
using sonark::StreamReader;
using Status = StreamReader::Status;
using ludro::test::HttpTestServer;
using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

std::string randomBytes(std::size_t size, unsigned seed) {
    std::mt19937 generator(seed);
    std::string bytes(size, '\0');
    for (char& c : bytes)
        c = static_cast<char>(generator() & 0xff);
    return bytes;
}

bool terminal(Status status) { return status == Status::Ended || status == Status::Failed; }

// Counts wakeup calls so the tests can wait the way the engine does.
// Declared before the reader so it outlives it.
class Wakeups {
public:
    std::function<void()> callback() {
        return [this] {
            {
                std::lock_guard lock(mutex_);
                ++count_;
            }
            changed_.notify_all();
        };
    }
    long count() const {
        std::lock_guard lock(mutex_);
        return count_;
    }
    // False when no wakeup came after `seen` within `timeout`.
    bool waitBeyond(long seen, std::chrono::milliseconds timeout) {
        std::unique_lock lock(mutex_);
        return changed_.wait_for(lock, timeout, [&] { return count_ > seen; });
    }

private:
    mutable std::mutex mutex_;
    std::condition_variable changed_;
    long count_ = 0;
};

struct Outcome {
    std::string audio;
    Status status = Status::Connecting;
    std::string error;
    std::vector<std::string> titles;  // distinct titles in the order they were seen
    std::size_t largestRead = 0;
    Clock::duration elapsed{};
};

// Reads until the reader ends or fails, sleeping on the wakeup callback
// between reads. A wait that times out means a missed wakeup.
Outcome readAll(StreamReader& reader, Wakeups& wakeups, std::size_t readSize = 64 * 1024,
                std::chrono::milliseconds pauseAfterRead = 0ms, std::chrono::seconds limit = 10s) {
    Outcome outcome;
    const auto start = Clock::now();
    std::vector<char> buffer(readSize);
    for (;;) {
        const long seen = wakeups.count();
        const Status before = reader.status();
        const std::size_t n = reader.read(buffer.data(), buffer.size());
        if (n > 0) {
            EXPECT_FALSE(terminal(before)) << "status was final while audio was still buffered";
            outcome.audio.append(buffer.data(), n);
            outcome.largestRead = std::max(outcome.largestRead, n);
            const std::string title = reader.streamTitle();
            if (!title.empty() && (outcome.titles.empty() || outcome.titles.back() != title))
                outcome.titles.push_back(title);
            if (pauseAfterRead > 0ms)
                std::this_thread::sleep_for(pauseAfterRead);
            continue;
        }
        outcome.status = reader.status();
        if (terminal(outcome.status) || Clock::now() - start > limit)
            break;
        if (!wakeups.waitBeyond(seen, 3s))
            ADD_FAILURE() << "no wakeup within 3 s while " << static_cast<int>(outcome.status);
    }
    outcome.error = reader.error();
    outcome.elapsed = Clock::now() - start;
    char extra;
    EXPECT_EQ(reader.read(&extra, 1), 0u) << "audio after the end";
    return outcome;
}

StreamReader::Options quick(int timeoutMs = 3000) {
    StreamReader::Options options;
    options.timeoutMs = timeoutMs;
    return options;
}

long long ms(Clock::duration d) { return std::chrono::duration_cast<std::chrono::milliseconds>(d).count(); }

// ------------------------------------------------------------- plain HTTP

TEST(StreamReaderHttp, DeliversBodyByteExactWithAndWithoutLength) {
    const std::string body = randomBytes(600 * 1024, 1);  // more than the default buffer
    for (const bool withLength : {false, true}) {
        SCOPED_TRACE(withLength ? "Content-Length" : "until close");
        HttpTestServer server;
        HttpTestServer::Headers headers{{"Content-Type", "audio/mpeg"}};
        if (withLength)
            headers.emplace_back("Content-Length", std::to_string(body.size()));
        // Trailing bytes beyond Content-Length must not become audio.
        server.on("/live.mp3", HttpTestServer::reply(200, "OK", headers, body + (withLength ? "JUNK" : "")));

        Wakeups wakeups;
        StreamReader reader(server.url("/live.mp3"), quick(), wakeups.callback());
        const Outcome outcome = readAll(reader, wakeups);
        EXPECT_EQ(outcome.status, Status::Ended) << outcome.error;
        EXPECT_EQ(outcome.error, "");
        EXPECT_EQ(outcome.audio.size(), body.size());
        EXPECT_TRUE(outcome.audio == body) << "audio differs from the body";
        EXPECT_EQ(reader.contentType(), "audio/mpeg");
        EXPECT_EQ(reader.streamTitle(), "");
    }
}

TEST(StreamReaderHttp, ReportsEndOnlyAfterTheBufferWasReadOut) {
    HttpTestServer server;
    const std::string body = randomBytes(1000, 2);
    server.setDefault(HttpTestServer::ok(body));
    Wakeups wakeups;
    StreamReader reader(server.url("/"), quick(), wakeups.callback());
    ASSERT_TRUE(server.waitForConnections(1, 3s));
    // Let the worker receive everything and see the close without reading.
    const auto deadline = Clock::now() + 3s;
    while (wakeups.count() < 3 && Clock::now() < deadline)
        wakeups.waitBeyond(wakeups.count(), 100ms);
    std::this_thread::sleep_for(100ms);

    EXPECT_EQ(reader.status(), Status::Streaming);
    std::string got(2000, '\0');
    ASSERT_EQ(reader.read(got.data(), got.size()), body.size());
    got.resize(body.size());
    EXPECT_EQ(got, body);
    EXPECT_EQ(reader.status(), Status::Ended);
    EXPECT_EQ(reader.read(got.data(), got.size()), 0u);
}

TEST(StreamReaderHttp, AcceptsBareLineFeedHeaders) {
    HttpTestServer server;
    // The body starts with line breaks that must stay audio.
    const std::string body = "\r\n\r\n\n" + randomBytes(5000, 3);
    server.setDefault(HttpTestServer::Response().send(
        HttpTestServer::head("HTTP/1.1 200 OK", {{"Content-Type", "audio/aacp"}, {"icy-br", "64"}}, "\n") + body));
    Wakeups wakeups;
    StreamReader reader(server.url("/"), quick(), wakeups.callback());
    const Outcome outcome = readAll(reader, wakeups);
    EXPECT_EQ(outcome.status, Status::Ended) << outcome.error;
    EXPECT_TRUE(outcome.audio == body);
    EXPECT_EQ(reader.contentType(), "audio/aacp");
}

TEST(StreamReaderHttp, SendsTheExpectedRequest) {
    HttpTestServer server;
    server.setDefault(HttpTestServer::ok("abc"));
    Wakeups wakeups;
    // No scheme: taken as http://.
    const std::string address = "127.0.0.1:" + std::to_string(server.port()) + "/radio/stream.mp3?sid=1";
    StreamReader reader(address, quick(), wakeups.callback());
    const Outcome outcome = readAll(reader, wakeups);
    EXPECT_EQ(outcome.audio, "abc") << outcome.error;

    const auto requests = server.requests();
    ASSERT_EQ(requests.size(), 1u);
    const std::string& request = requests[0];
    EXPECT_EQ(request.rfind("GET /radio/stream.mp3?sid=1 HTTP/1.0\r\n", 0), 0u) << request;
    EXPECT_NE(request.find("\r\nHost: 127.0.0.1:" + std::to_string(server.port()) + "\r\n"), std::string::npos);
    EXPECT_NE(request.find("\r\nUser-Agent: Ludro Pro/2.0\r\n"), std::string::npos);
    EXPECT_NE(request.find("\r\nAccept: */*\r\n"), std::string::npos);
    EXPECT_NE(request.find("\r\nIcy-MetaData: 1\r\n"), std::string::npos);
    EXPECT_NE(request.find("\r\nConnection: close\r\n"), std::string::npos);
    EXPECT_EQ(request.find("\r\n\r\n"), request.size() - 4) << "request must end with one empty line";
}

// ------------------------------------------------------------------- ICY

TEST(StreamReaderIcy, RemovesMetadataAndParsesTitles) {
    HttpTestServer server;
    const std::size_t metaint = 997;
    const std::string audio = randomBytes(40 * metaint + 123, 4);
    const std::vector<std::string> metadata = {
        "StreamTitle='First Song';StreamUrl='';",
        "",  // empty block: title unchanged
        "StreamUrl='http://example.invalid/';",  // no title: unchanged
        "StreamTitle='Guns N' Roses - Don't Cry';",
    };
    server.setDefault(HttpTestServer::Response().send(HttpTestServer::icyHead(metaint) +
                                                      HttpTestServer::icyInterleave(audio, metaint, metadata)));
    Wakeups wakeups;
    StreamReader reader(server.url("/;stream.mp3"), quick(), wakeups.callback());
    const Outcome outcome = readAll(reader, wakeups);
    EXPECT_EQ(outcome.status, Status::Ended) << outcome.error;
    EXPECT_EQ(outcome.audio.size(), audio.size());
    EXPECT_TRUE(outcome.audio == audio) << "metadata leaked into the audio or audio was lost";
    EXPECT_EQ(reader.streamTitle(), "Guns N' Roses - Don't Cry");
    EXPECT_EQ(reader.contentType(), "audio/mpeg");
}

TEST(StreamReaderIcy, HandlesMetadataSplitAcrossReads) {
    HttpTestServer server;
    const std::size_t metaint = 64;
    const std::string audio = randomBytes(24 * metaint, 5);
    std::vector<std::string> metadata(24);
    metadata[2] = "StreamTitle='Early Title';";
    metadata[20] = "StreamTitle='Late Title';";
    // Icecast style: an HTTP answer carrying icy-metaint, sent in 7-byte pieces.
    server.setDefault(HttpTestServer::Response()
                          .send(HttpTestServer::head("HTTP/1.0 200 OK", {{"Content-Type", "audio/mpeg"},
                                                                         {"icy-metaint", std::to_string(metaint)}}))
                          .sendSlowly(HttpTestServer::icyInterleave(audio, metaint, metadata), 7, 1));
    Wakeups wakeups;
    StreamReader reader(server.url("/"), quick(), wakeups.callback());
    const Outcome outcome = readAll(reader, wakeups);
    EXPECT_EQ(outcome.status, Status::Ended) << outcome.error;
    EXPECT_TRUE(outcome.audio == audio) << "got " << outcome.audio.size() << " of " << audio.size() << " bytes";
    EXPECT_EQ(outcome.titles, (std::vector<std::string>{"Early Title", "Late Title"}));
}

TEST(IcyDemuxer, SameOutputForEveryPieceSize) {
    const std::size_t metaint = 50;
    const std::string audio = randomBytes(10 * metaint + 7, 6);
    const std::string wire = HttpTestServer::icyInterleave(
        audio, metaint, {"StreamTitle='A';", "", std::string(600, 'x'), "StreamTitle='B';"});
    for (std::size_t piece = 1; piece <= wire.size(); piece += (piece < 40 ? 1 : 97)) {
        IcyDemuxer demuxer(metaint);
        std::string out;
        std::string title;
        std::vector<unsigned char> bytes(wire.begin(), wire.end());
        for (std::size_t at = 0; at < bytes.size(); at += piece) {
            const std::size_t size = std::min(piece, bytes.size() - at);
            const std::size_t n = demuxer.feed(bytes.data() + at, size, bytes.data() + at);  // in place
            ASSERT_LE(n, size);
            out.append(reinterpret_cast<const char*>(bytes.data() + at), n);
            demuxer.takeTitle(title);
        }
        ASSERT_TRUE(out == audio) << "piece size " << piece;
        EXPECT_EQ(title, "B") << "piece size " << piece;
    }
}

TEST(IcyDemuxer, ParsesStreamTitleValues) {
    std::string title;
    EXPECT_TRUE(IcyDemuxer::parseStreamTitle(std::string("StreamTitle='A - B';StreamUrl='x';\0\0\0", 37), title));
    EXPECT_EQ(title, "A - B");
    EXPECT_TRUE(IcyDemuxer::parseStreamTitle("StreamTitle='It's Here';", title));
    EXPECT_EQ(title, "It's Here");
    EXPECT_TRUE(IcyDemuxer::parseStreamTitle("StreamTitle='No terminator'", title));
    EXPECT_EQ(title, "No terminator");
    EXPECT_TRUE(IcyDemuxer::parseStreamTitle("StreamTitle='';", title));
    EXPECT_EQ(title, "");
    EXPECT_TRUE(IcyDemuxer::parseStreamTitle("StreamTitle='Caf\xc3\xa9';", title));  // UTF-8 kept
    EXPECT_EQ(title, "Caf\xc3\xa9");
    EXPECT_TRUE(IcyDemuxer::parseStreamTitle("StreamTitle='Caf\xe9';", title));  // Latin-1 converted
    EXPECT_EQ(title, "Caf\xc3\xa9");
    title = "unchanged";
    EXPECT_FALSE(IcyDemuxer::parseStreamTitle("StreamUrl='x';", title));
    EXPECT_EQ(title, "unchanged");
}

// -------------------------------------------------------------- redirects

TEST(StreamReaderRedirect, FollowsPathsRelativeLocationsAndOtherServers) {
    HttpTestServer first;
    HttpTestServer second;
    const std::string body = randomBytes(20000, 7);
    first.on("/start", HttpTestServer::redirect(302, "/moved/here"));
    first.on("/moved/here", HttpTestServer::redirect(301, "next"));
    first.on("/moved/next", HttpTestServer::redirect(307, second.url("/final?x=1")));
    second.on("/final?x=1", HttpTestServer::ok(body));

    Wakeups wakeups;
    StreamReader reader(first.url("/start"), quick(), wakeups.callback());
    const Outcome outcome = readAll(reader, wakeups);
    EXPECT_EQ(outcome.status, Status::Ended) << outcome.error;
    EXPECT_TRUE(outcome.audio == body);

    const auto firstRequests = first.requests();
    ASSERT_EQ(firstRequests.size(), 3u);
    EXPECT_EQ(firstRequests[1].rfind("GET /moved/here HTTP/1.0\r\n", 0), 0u);
    EXPECT_EQ(firstRequests[2].rfind("GET /moved/next HTTP/1.0\r\n", 0), 0u);
    const auto secondRequests = second.requests();
    ASSERT_EQ(secondRequests.size(), 1u);
    EXPECT_EQ(secondRequests[0].rfind("GET /final?x=1 HTTP/1.0\r\n", 0), 0u);
    EXPECT_NE(secondRequests[0].find("\r\nHost: 127.0.0.1:" + std::to_string(second.port()) + "\r\n"),
              std::string::npos);
}

TEST(StreamReaderRedirect, StopsALoopAfterMaxRedirects) {
    HttpTestServer server;
    server.on("/loop", HttpTestServer::redirect(302, "/loop"));
    Wakeups wakeups;
    StreamReader::Options options = quick();
    options.maxRedirects = 3;
    StreamReader reader(server.url("/loop"), options, wakeups.callback());
    const Outcome outcome = readAll(reader, wakeups);
    EXPECT_EQ(outcome.status, Status::Failed);
    EXPECT_EQ(outcome.error, "Too many redirects");
    EXPECT_EQ(server.connectionCount(), 4u) << "the first request plus three redirects";
}

// ------------------------------------------------------------------ faults

TEST(StreamReaderFaults, AnswersThatFailCarryClearText) {
    struct Case {
        const char* name;
        HttpTestServer::Response response;
        std::string error;
    };
    const std::vector<Case> cases = {
        {"404", HttpTestServer::reply(404, "Not Found", {}, "nope"), "HTTP 404 Not Found"},
        {"503 over ICY", HttpTestServer::Response().send("ICY 503 Service Unavailable\r\n\r\n"),
         "HTTP 503 Service Unavailable"},
        {"not HTTP", HttpTestServer::Response().send("SSH-2.0-OpenSSH_9.2\r\n\r\n"), "Invalid answer from 127.0.0.1"},
        {"header over 64 KB",
         HttpTestServer::Response().send("HTTP/1.0 200 OK\r\nX-Filler: " + std::string(70 * 1024, 'a') + "\r\n\r\n"),
         "Answer header from 127.0.0.1 is larger than 64 KB"},
        {"closed without answer", HttpTestServer::Response(), "Connection closed by 127.0.0.1 without an answer"},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(test.name);
        HttpTestServer server;
        server.setDefault(test.response);
        Wakeups wakeups;
        StreamReader reader(server.url("/"), quick(), wakeups.callback());
        const Outcome outcome = readAll(reader, wakeups);
        EXPECT_EQ(outcome.status, Status::Failed);
        EXPECT_EQ(outcome.error, test.error);
        EXPECT_EQ(outcome.audio, "");
    }
}

TEST(StreamReaderFaults, ShortBodyKeepsTheAudioAndFails) {
    HttpTestServer server;
    const std::string body = randomBytes(3000, 8);
    server.setDefault(HttpTestServer::reply(200, "OK", {{"Content-Length", "10000"}}, body));
    Wakeups wakeups;
    StreamReader reader(server.url("/"), quick(), wakeups.callback());
    const Outcome outcome = readAll(reader, wakeups);
    EXPECT_EQ(outcome.status, Status::Failed);
    EXPECT_EQ(outcome.error, "Connection closed early by 127.0.0.1");
    EXPECT_TRUE(outcome.audio == body);
}

TEST(StreamReaderFaults, RefusedPortAndBadAddresses) {
    // A bound socket that does not listen: connecting to it is refused.
    const int holder = ::socket(AF_INET, SOCK_STREAM, 0);
    ASSERT_GE(holder, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    ASSERT_EQ(::bind(holder, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
    socklen_t length = sizeof address;
    ASSERT_EQ(::getsockname(holder, reinterpret_cast<sockaddr*>(&address), &length), 0);
    const std::string port = std::to_string(ntohs(address.sin_port));

    const std::vector<std::pair<std::string, std::string>> cases = {
        {"http://127.0.0.1:" + port + "/", "Cannot connect to 127.0.0.1:" + port + ": Connection refused"},
        {"https://127.0.0.1/", "Unsupported address: https://127.0.0.1/"},
        {"http://127.0.0.1:99999/", "Invalid address: http://127.0.0.1:99999/"},
        {"http:///path", "Invalid address: http:///path"},
    };
    for (const auto& [url, error] : cases) {
        SCOPED_TRACE(url);
        Wakeups wakeups;
        StreamReader reader(url, quick(), wakeups.callback());
        const Outcome outcome = readAll(reader, wakeups);
        EXPECT_EQ(outcome.status, Status::Failed);
        EXPECT_EQ(outcome.error, error);
        EXPECT_LT(ms(outcome.elapsed), 2000);
    }
    ::close(holder);
}

TEST(StreamReaderFaults, SilenceFailsWithinTheTimeout) {
    {
        SCOPED_TRACE("no answer at all");
        HttpTestServer server;
        server.setDefault(HttpTestServer::silent());
        Wakeups wakeups;
        StreamReader reader(server.url("/"), quick(300), wakeups.callback());
        const Outcome outcome = readAll(reader, wakeups);
        EXPECT_EQ(outcome.status, Status::Failed);
        EXPECT_EQ(outcome.error, "No answer from 127.0.0.1 within 0.3 s");
        EXPECT_GE(ms(outcome.elapsed), 250);
        EXPECT_LT(ms(outcome.elapsed), 1500);
    }
    {
        SCOPED_TRACE("header and some audio, then nothing");
        HttpTestServer server;
        const std::string audio = randomBytes(5000, 9);
        server.setDefault(HttpTestServer::Response()
                              .send(HttpTestServer::head("HTTP/1.0 200 OK", {{"Content-Type", "audio/mpeg"}}) + audio)
                              .stall());
        Wakeups wakeups;
        StreamReader reader(server.url("/"), quick(300), wakeups.callback());
        const Outcome outcome = readAll(reader, wakeups);
        EXPECT_EQ(outcome.status, Status::Failed);
        EXPECT_EQ(outcome.error, "Stream stalled");
        EXPECT_TRUE(outcome.audio == audio);
        EXPECT_LT(ms(outcome.elapsed), 1500);
    }
}

// ------------------------------------------------- buffering and shutdown

TEST(StreamReaderBuffer, SlowReaderGetsTheWholeBodyThroughASmallBuffer) {
    HttpTestServer server;
    const std::string body = randomBytes(256 * 1024, 10);
    server.setDefault(HttpTestServer::ok(body));
    Wakeups wakeups;
    StreamReader::Options options = quick();
    options.bufferBytes = 4096;
    StreamReader reader(server.url("/"), options, wakeups.callback());
    // Wait until the worker must have filled the buffer and blocked.
    std::this_thread::sleep_for(200ms);
    const Outcome outcome = readAll(reader, wakeups, 64 * 1024, 1ms);
    EXPECT_EQ(outcome.status, Status::Ended) << outcome.error;
    EXPECT_LE(outcome.largestRead, 4096u) << "the buffer grew beyond bufferBytes";
    EXPECT_TRUE(outcome.audio == body);
}

TEST(StreamReaderShutdown, DestructorReturnsQuicklyAndStopsCallbacks) {
    struct Case {
        const char* name;
        HttpTestServer::Response response;
    };
    const std::vector<Case> cases = {
        {"waiting for an answer", HttpTestServer::silent()},
        {"waiting for audio", HttpTestServer::Response().send("ICY 200 OK\r\n\r\n").stall()},
        {"buffer full", HttpTestServer::ok(randomBytes(1024 * 1024, 11))},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(test.name);
        HttpTestServer server;
        server.setDefault(test.response);
        Wakeups wakeups;
        StreamReader::Options options;  // default 10 s limits: only cancelling can end these quickly
        options.bufferBytes = 8192;
        auto reader = std::make_unique<StreamReader>(server.url("/"), options, wakeups.callback());
        ASSERT_TRUE(server.waitForConnections(1, 3s));
        std::this_thread::sleep_for(150ms);
        EXPECT_NE(reader->status(), Status::Failed) << reader->error();

        const auto start = Clock::now();
        reader.reset();
        EXPECT_LT(ms(Clock::now() - start), 1000);
        const long after = wakeups.count();
        std::this_thread::sleep_for(200ms);
        EXPECT_EQ(wakeups.count(), after) << "wakeup called after the reader was destroyed";
    }
}

}  // namespace
