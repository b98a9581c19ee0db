// The engine's stream reader against loopback servers: ICY metadata split
// anywhere, redirects (between http and https too), unusual answer headers,
// shutdown while the buffer is full,
// the error texts; certificates checked against an authority of the test's
// (SSL_CERT_FILE), refusals that never fall back to plain HTTP; station lists.

#include "sonark/icy_demuxer.h"
#include "sonark/station_list_answer.h"
#include "sonark/stream_reader.h"
#include "support/http_test_server.h"
#include "support/trusted_authority.h"

#include <gtest/gtest.h>

#include <chrono>
#include <memory>
#include <random>
#include <semaphore>
#include <string>
#include <vector>

namespace {

using ludro::test::HttpTestServer;
using ludro::test::TrustedAuthority;
using sonark::IcyDemuxer;
using sonark::StreamReader;
using Status = StreamReader::Status;
using Clock = std::chrono::steady_clock;
using namespace std::chrono_literals;

// The engine sleeps on the reader's wakeup calls; so do the tests.
using Wakeups = std::counting_semaphore<>;

struct Outcome {
    std::string audio, error, contentType, stationList;
    Status status = Status::Connecting;
    bool failedForGood = false, live = false;
};

// Reads `address` until the stream ends or fails, sleeping on wakeups between
// reads; a wait that times out is a missed wakeup.
Outcome readStream(const std::string &address, StreamReader::Options options = {.timeoutMs = 3000})
{
    Wakeups wakeups{0};
    StreamReader reader(address, options, [&] { wakeups.release(); });
    Outcome outcome;
    const auto start = Clock::now();
    std::vector<char> buffer(64 * 1024);
    for (;;) {
        const Status before = reader.status();
        const std::size_t n = reader.read(buffer.data(), buffer.size());
        if (n > 0) {
            EXPECT_TRUE(before == Status::Streaming) << "the end was reported while audio was still buffered";
            outcome.audio.append(buffer.data(), n);
            continue;
        }
        outcome.status = reader.status();
        if (outcome.status == Status::Ended || outcome.status == Status::Failed ||
            outcome.status == Status::StationList || Clock::now() - start > 10s)
            break;
        if (!wakeups.try_acquire_for(3s))
            ADD_FAILURE() << "no wakeup within 3 s";
    }
    outcome.error = reader.error();
    outcome.contentType = reader.contentType();
    outcome.failedForGood = reader.failedForGood();
    outcome.live = reader.isLive();
    outcome.stationList = reader.stationList();
    return outcome;
}

std::string randomBytes(std::size_t size, unsigned seed)
{
    std::mt19937 generator(seed);
    std::string bytes(size, '\0');
    for (char &c : bytes)
        c = static_cast<char>(generator() & 0xff);
    return bytes;
}

TEST(IcyDemuxer, TitlesComeDecodedAsTheyArrive)
{
    const std::size_t metaint = 50;
    const std::string audio = randomBytes(10 * metaint + 7, 1);
    const std::string wire =
        HttpTestServer::icyInterleave(audio, metaint,
                                      {"StreamTitle='Don't Cry';StreamUrl='';", "", std::string(600, 'x'),
                                       "StreamTitle='Caf\xc3\xa9';", "StreamTitle='Caf\xe9';"});  // Latin-1
    // Byte by byte; that any split gives the same audio and title is the fuzz target's.
    IcyDemuxer demuxer(metaint);
    std::string bytes = wire, out;
    std::vector<std::string> titles;
    for (char &byte : bytes) {
        out.append(demuxer.feed(reinterpret_cast<unsigned char *>(&byte), 1), byte);
        if (std::string title; demuxer.takeTitle(title))
            titles.push_back(title);
    }
    EXPECT_TRUE(out == audio);
    EXPECT_EQ(titles, (std::vector<std::string>{"Don't Cry", "Caf\xc3\xa9", "Caf\xc3\xa9"}));
}

TEST(StreamReader, FollowsRedirectsRelativeToAnotherServerAndAcrossHttpsButNotALoop)
{
    const TrustedAuthority authority;
    HttpTestServer first, second;
    const auto tls = authority.front(second.port(), authority.issue("server"));
    const std::string body = randomBytes(20000, 2);
    first.on("/start", HttpTestServer::redirect(302, "/moved/here"));
    first.on("/moved/here", HttpTestServer::redirect(301, "next"));
    first.on("/moved/next", HttpTestServer::redirect(307, tls->url("/secure", "localhost")));
    second.on("/secure", HttpTestServer::redirect(302, second.url("/final?x=1")));
    second.on("/final?x=1", HttpTestServer::ok(body));
    EXPECT_TRUE(readStream(first.url("/start")).audio == body);
    EXPECT_EQ(tls->handshakes(), 1);
    for (const auto &[request, host] : {std::pair{second.requests().at(0), "localhost:" + std::to_string(tls->port())},
                                        {second.requests().at(1), "127.0.0.1:" + std::to_string(second.port())}})
        EXPECT_NE(request.find("\r\nHost: " + host + "\r\n"), std::string::npos) << request;

    second.on("/loop", HttpTestServer::redirect(302, "/loop"));
    EXPECT_EQ(readStream(second.url("/loop"), {.timeoutMs = 3000, .maxRedirects = 3}).error, "Too many redirects");
    EXPECT_EQ(second.requests().size(), 2u + 1u + 3u) << "the first request plus three redirects";
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
    EXPECT_TRUE(outcome.audio == audio);
    EXPECT_EQ(outcome.contentType, "audio/aacp");
}

TEST(StreamReader, TimingDestructorStopsAWorkerWaitingForBufferSpace)
{
    HttpTestServer server;
    // Holds the connection until the reader closes it.
    server.setDefault(
        HttpTestServer::Response().send(HttpTestServer::head("HTTP/1.0 200 OK") + randomBytes(65536, 5)).stall());
    Wakeups wakeups{0};
    // 10 s limits: only cancelling ends this quickly.
    auto reader = std::make_unique<StreamReader>(server.url("/"), StreamReader::Options{.bufferBytes = 8192},
                                                 [&] { wakeups.release(); });
    ASSERT_TRUE(wakeups.try_acquire_for(3s)) << "the buffer fills";

    const auto start = Clock::now();
    reader.reset();
    EXPECT_LT(Clock::now() - start, 1s);
    while (wakeups.try_acquire()) {
    }
    EXPECT_FALSE(wakeups.try_acquire_for(200ms)) << "wakeup called after the reader was destroyed";
    // One connection at a time: the server answers this only once the worker closed its own.
    server.on("/next", HttpTestServer::ok("next"));
    EXPECT_EQ(readStream(server.url("/next")).audio, "next");
}

TEST(StreamReader, FailingAnswersAndUnusableAddressesCarryClearTexts)
{
    const std::string audio = randomBytes(3000, 6);
    const std::string refused = "127.0.0.1:" + std::to_string(HttpTestServer().port());  // closed again
    struct Case {
        HttpTestServer::Response response;
        std::string error;
        std::string audioBefore;  // received before the fault and still delivered
        std::string address;      // instead of the server's
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
        {{}, "Cannot connect to " + refused + ": Connection refused", "", "http://" + refused + "/"},
        {{}, "Unsupported address: ftp://127.0.0.1/", "", "ftp://127.0.0.1/"},
        {{}, "Invalid address: http://127.0.0.1:99999/", "", "http://127.0.0.1:99999/"},
    };
    for (const Case &test : cases) {
        SCOPED_TRACE(test.error);
        HttpTestServer server;
        server.setDefault(test.response);
        const Outcome outcome = readStream(test.address.empty() ? server.url("/") : test.address, {.timeoutMs = 300});
        EXPECT_EQ(outcome.status, Status::Failed);
        EXPECT_EQ(outcome.error, test.error);
        EXPECT_TRUE(outcome.audio == test.audioBefore);
    }
}

TEST(TlsStreams, CertificatesThatAreNotValidAndOldTlsAreRefusedWithTheReason)
{
    const TrustedAuthority authority;
    for (const auto &refused : authority.refusedCertificates()) {
        SCOPED_TRACE(refused.reason);
        HttpTestServer server;
        server.setDefault(HttpTestServer::ok("never sent"));
        const Outcome outcome =
            readStream(authority.front(server.port(), refused.certificate, refused.onlyTls10)->url());
        EXPECT_EQ(outcome.error, refused.reason);
        EXPECT_TRUE(outcome.failedForGood);
        EXPECT_TRUE(server.requests().empty()) << "nothing may reach the server unencrypted";
    }
}

// A station list comes back whole, a long one cut at a line end within 64 KB
// (which answers are lists is the unit test below); radio servers are live.
TEST(StreamReader, StationListsComeBackAsText)
{
    HttpTestServer server;
    const std::string pls = "[playlist]\nFile1=http://a.example/live\nNumberOfEntries=1\n";
    std::string huge = "#EXTM3U\n";
    for (int i = 0; huge.size() < 3u * 64 * 1024; ++i)
        huge += "http://radio.example/station/" + std::to_string(i) + "\n";
    const std::string mp3("\xff\xfb\x90\x64" + std::string(4000, '\x55'));
    server.on("/typed.pls", HttpTestServer::ok(pls, "audio/x-scpls"));
    server.on("/huge.m3u", HttpTestServer::ok(huge, "application/octet-stream"));
    server.on("/song", HttpTestServer::ok(mp3, "text/plain"));
    server.on("/radio", HttpTestServer::Response().send(HttpTestServer::icyHead(0) + mp3));

    const Outcome typed = readStream(server.url("/typed.pls"));
    EXPECT_TRUE(typed.status == Status::StationList && typed.stationList == pls);
    const std::string cut = readStream(server.url("/huge.m3u")).stationList;
    EXPECT_GT(cut.size(), 63u * 1024);
    EXPECT_LE(cut.size(), 64u * 1024);
    EXPECT_TRUE(cut == huge.substr(0, cut.size()) && cut.back() == '\n');

    EXPECT_FALSE(readStream(server.url("/song")).live);
    EXPECT_TRUE(readStream(server.url("/radio")).live);
}

// A list's first read may end anywhere, inside its byte-order mark too.
TEST(StationListAnswer, ABodyIsToldByItsFirstBytesWhereverTheReadEnds)
{
    using sonark::AnswerKind;
    using sonark::answerKind;
    const std::string list = "\xEF\xBB\xBF\r\n  http://radio.example/\n";
    for (std::size_t part = 0; part < list.size(); ++part) {
        const AnswerKind early = answerKind("application/octet-stream", list.substr(0, part), false);
        EXPECT_TRUE(early == AnswerKind::Undecided || early == AnswerKind::StationList) << part;
    }
    EXPECT_EQ(answerKind("application/octet-stream", list, true), AnswerKind::StationList);
    EXPECT_EQ(answerKind("", "\xEF\xBB", true), AnswerKind::Audio);
    EXPECT_EQ(answerKind("text/plain", "ID3\x04", false), AnswerKind::Audio);
    EXPECT_EQ(answerKind("Audio/X-MpegURL; charset=utf-8", "", false), AnswerKind::StationList);
}

}  // namespace
