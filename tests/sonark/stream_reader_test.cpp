// What the engine tests do not reach: ICY metadata split anywhere, redirects,
// unusual answer headers, back-pressure through a small buffer, shutdown while
// the buffer is full, and the error texts users get to see.

#include "read_stream.h"
#include "sonark/icy_demuxer.h"
#include "sonark/stream_reader.h"
#include "support/http_test_server.h"

#include <gtest/gtest.h>

#include <chrono>
#include <memory>
#include <random>
#include <string>
#include <thread>
#include <vector>

namespace {

using namespace stream_test;
using ludro::test::HttpTestServer;
using sonark::IcyDemuxer;

std::string randomBytes(std::size_t size, unsigned seed)
{
    std::mt19937 generator(seed);
    std::string bytes(size, '\0');
    for (char &c : bytes)
        c = static_cast<char>(generator() & 0xff);
    return bytes;
}

TEST(IcyDemuxer, SameAudioAndTitlesWhereverTheReadsSplit)
{
    const std::size_t metaint = 50;
    const std::string audio = randomBytes(10 * metaint + 7, 1);
    const std::string wire =
        HttpTestServer::icyInterleave(audio, metaint,
                                      {"StreamTitle='Don't Cry';StreamUrl='';", "", std::string(600, 'x'),
                                       "StreamTitle='Caf\xc3\xa9';", "StreamTitle='Caf\xe9';"});  // Latin-1
    for (std::size_t piece = 1; piece <= wire.size(); piece += (piece < 40 ? 1 : 97)) {
        IcyDemuxer demuxer(metaint);
        std::vector<unsigned char> bytes(wire.begin(), wire.end());
        std::string out;
        std::vector<std::string> titles;
        for (std::size_t at = 0; at < bytes.size(); at += piece) {
            const std::size_t n = demuxer.feed(bytes.data() + at, std::min(piece, bytes.size() - at));
            out.append(reinterpret_cast<const char *>(bytes.data() + at), n);
            if (std::string title; demuxer.takeTitle(title))
                titles.push_back(title);
        }
        ASSERT_TRUE(out == audio) << "piece size " << piece;
        EXPECT_EQ(titles.empty() ? "" : titles.back(), "Caf\xc3\xa9") << "piece size " << piece;
        if (piece <= metaint) {  // no read completes two blocks, so no title is skipped
            EXPECT_EQ(titles, (std::vector<std::string>{"Don't Cry", "Caf\xc3\xa9", "Caf\xc3\xa9"}));
        }
    }
}

TEST(StreamReader, FollowsRelativeRedirectsAndOnesToAnotherServerButNotALoop)
{
    HttpTestServer first;
    HttpTestServer second;
    const std::string body = randomBytes(20000, 2);
    first.on("/start", HttpTestServer::redirect(302, "/moved/here"));
    first.on("/moved/here", HttpTestServer::redirect(301, "next"));
    first.on("/moved/next", HttpTestServer::redirect(307, second.url("/final?x=1")));
    second.on("/final?x=1", HttpTestServer::ok(body));
    const Outcome outcome = readStream(first.url("/start"));
    EXPECT_EQ(outcome.status, Status::Ended) << outcome.error;
    EXPECT_TRUE(outcome.audio == body);
    const std::string final = second.requests().at(0);
    EXPECT_NE(final.find("\r\nHost: 127.0.0.1:" + std::to_string(second.port()) + "\r\n"), std::string::npos) << final;

    second.on("/loop", HttpTestServer::redirect(302, "/loop"));
    const Outcome loop = readStream(second.url("/loop"), {.timeoutMs = 3000, .maxRedirects = 3});
    EXPECT_EQ(loop.status, Status::Failed);
    EXPECT_EQ(loop.error, "Too many redirects");
    EXPECT_EQ(second.requests().size(), 1u + 4u) << "the first request plus three redirects";
}

TEST(StreamReader, HonoursHeadersOfABareLineFeedAnswer)
{
    // Line breaks at the start of the audio must stay audio; bytes beyond
    // Content-Length must not become audio.
    const std::string audio = "\r\n\r\n\n" + randomBytes(5000, 3);
    const std::string body = HttpTestServer::icyInterleave(audio, 1000, {"", "StreamTitle='Late Show';"});
    const std::string head = HttpTestServer::head(
        "HTTP/1.1 200 OK",
        {{"Content-Type", "audio/aacp"}, {"icy-metaint", "1000"}, {"Content-Length", std::to_string(body.size())}},
        "\n");
    HttpTestServer server;
    server.setDefault(HttpTestServer::Response().send(head + body + "JUNK"));
    const Outcome outcome = readStream(server.url("/"));
    EXPECT_EQ(outcome.status, Status::Ended) << outcome.error;
    EXPECT_TRUE(outcome.audio == audio);
    EXPECT_EQ(outcome.contentType, "audio/aacp");
    EXPECT_EQ(outcome.title, "Late Show");
}

TEST(StreamReader, SlowReaderGetsEverythingThroughASmallBuffer)
{
    HttpTestServer server;
    const std::string body = randomBytes(256 * 1024, 4);
    server.setDefault(HttpTestServer::ok(body));
    const Outcome outcome = readStream(server.url("/"), {.timeoutMs = 3000, .bufferBytes = 4096}, 1ms);
    EXPECT_EQ(outcome.status, Status::Ended) << outcome.error;
    EXPECT_LE(outcome.largestRead, 4096u) << "the buffer grew beyond bufferBytes";
    EXPECT_TRUE(outcome.audio == body);
}

TEST(StreamReader, TimingDestructorStopsAWorkerWaitingForBufferSpace)
{
    HttpTestServer server;
    // Holds the connection until the reader closes it.
    server.setDefault(
        HttpTestServer::Response().send(HttpTestServer::head("HTTP/1.0 200 OK") + randomBytes(65536, 5)).stall());
    Wakeups wakeups;
    // 10 s limits: only cancelling ends this quickly.
    auto reader =
        std::make_unique<StreamReader>(server.url("/"), StreamReader::Options{.bufferBytes = 8192}, wakeups.callback());
    ASSERT_TRUE(server.waitForConnections(1, 3s));
    ASSERT_TRUE(wakeups.waitBeyond(0, 3s)) << "the buffer fills";
    EXPECT_NE(reader->status(), Status::Failed) << reader->error();

    const auto start = Clock::now();
    reader.reset();
    EXPECT_LT(Clock::now() - start, 1s);
    EXPECT_FALSE(wakeups.waitBeyond(wakeups.count(), 200ms)) << "wakeup called after the reader was destroyed";
    // One connection at a time: the server answers this only once the worker closed its own.
    server.on("/next", HttpTestServer::ok("next"));
    EXPECT_EQ(readStream(server.url("/next")).audio, "next");
}

TEST(StreamReader, FailingAnswersCarryClearTexts)
{
    const std::string audio = randomBytes(3000, 6);
    struct Case {
        HttpTestServer::Response response;
        std::string error;
        std::string audioBefore;  // received before the fault and still delivered
    };
    const std::vector<Case> cases = {
        {HttpTestServer::reply(404, "Not Found"), "HTTP 404 Not Found"},
        {HttpTestServer::Response().send("ICY 503 Service Unavailable\r\n\r\n"), "HTTP 503 Service Unavailable"},
        {HttpTestServer::Response().send("SSH-2.0-OpenSSH_9.2\r\n\r\n"), "Invalid answer from 127.0.0.1"},
        {HttpTestServer::Response().send("HTTP/1.0 200 OK\r\nX-Filler: " + std::string(70 * 1024, 'a') + "\r\n\r\n"),
         "Answer header from 127.0.0.1 is larger than 64 KB"},
        {HttpTestServer::Response(), "Connection closed by 127.0.0.1 without an answer"},
        {HttpTestServer::silent(), "No answer from 127.0.0.1 within 0.3 s"},
        {HttpTestServer::reply(200, "OK", {{"Content-Length", "10000"}}, audio), "Connection closed early by 127.0.0.1",
         audio},
        {HttpTestServer::Response().send(HttpTestServer::head("HTTP/1.0 200 OK") + audio).stall(), "Stream stalled",
         audio},
    };
    for (const Case &test : cases) {
        SCOPED_TRACE(test.error);
        HttpTestServer server;
        server.setDefault(test.response);
        const Outcome outcome = readStream(server.url("/"), {.timeoutMs = 300});
        EXPECT_EQ(outcome.status, Status::Failed);
        EXPECT_EQ(outcome.error, test.error);
        EXPECT_TRUE(outcome.audio == test.audioBefore);
    }
}

TEST(StreamReader, UnusableAddressesCarryClearTexts)
{
    const std::string refused = "127.0.0.1:" + std::to_string(HttpTestServer().port());  // closed again
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"http://" + refused + "/", "Cannot connect to " + refused + ": Connection refused"},
        {"ftp://127.0.0.1/", "Unsupported address: ftp://127.0.0.1/"},
        {"http://127.0.0.1:99999/", "Invalid address: http://127.0.0.1:99999/"},
        {"http:///path", "Invalid address: http:///path"},
    };
    for (const auto &[address, error] : cases) {
        SCOPED_TRACE(address);
        const Outcome outcome = readStream(address);
        EXPECT_EQ(outcome.status, Status::Failed);
        EXPECT_EQ(outcome.error, error);
    }
}

}  // namespace
