// Stream addresses against loopback servers: an ICY answer decodes like the
// file it carries, over https too; station titles arrive as
// they come; a radio stream that breaks is tried again; a dead or stalled
// server ends in an error and never holds the player up.

#include "support/engine_session.h"
#include "support/files.h"
#include "support/http_test_server.h"
#include "support/trusted_authority.h"
#include "support/wav_file.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>

using ludro::test::HttpTestServer;
using ludro::test::TrustedAuthority;
using namespace std::chrono_literals;

namespace {

using Progress = std::vector<std::pair<int, std::string>>;

// The values and texts of the progress notifications with that code since `since`.
Progress progress(const EngineSession &s, int code, std::size_t since = 0)
{
    Progress found;
    for (std::size_t i = since; i < s.events().size(); ++i) {
        const Event &e = s.events()[i];
        if (e.code() == SK_NOTIFY_PROGRESS && e.message.data.progress.code == code)
            found.emplace_back(e.message.data.progress.value, e.texts[0]);
    }
    return found;
}

}  // namespace

class StreamPlayback : public testing::Test {
protected:
    void play(const std::string &address)
    {
        s.open(address);
        s.send(SK_PLAY);
    }

    const char *song = "l3-44k-stereo-cbr.mp3";
    const std::string bytes = readFile(QString::fromStdString(fixture(song))).toStdString();
    HttpTestServer server;
    EngineSession s;
};

TEST_F(StreamPlayback, IcyStreamDecodesLikeTheFile)
{
    QTemporaryDir dir;
    const std::string out = dir.filePath("stream.wav").toStdString();
    const WavData file = *decodeWithMpg123(fixture(song), dir.filePath("ref.wav").toStdString());

    const std::string radio =
        HttpTestServer::icyHead(8192) +
        HttpTestServer::icyInterleave(bytes, 8192, {"StreamTitle='First';", "", "", "StreamTitle='Next';"});
    // The radio ends after one song: it is tried again, and turns the player away.
    std::atomic<int> radioAnswers{0};
    server.answerBy([&](const std::string &) {
        return radioAnswers++ == 0 ? HttpTestServer::Response().send(radio) : HttpTestServer::reply(403, "Forbidden");
    });
    s.setOutput("wav:" + out);
    EXPECT_TRUE(s.playToEnd(server.url("/radio")));
    EXPECT_TRUE(readWav(out).value_or(WavData{}).samples == file.samples) << "metadata must not reach the decoder";
    EXPECT_EQ(radioAnswers, 2);
    EXPECT_NE(server.requests().back().find("Icy-MetaData: 1\r\n"), std::string::npos);
}

// Each title as it comes; after a break a try in 1 s, one in 2 s after a
// 404 (as Icecast answers while its source is away), and the music goes on
// without an end in between. Stop ends a wait for the next try at once.
TEST_F(StreamPlayback, HttpsRadioShowsItsTitlesAndReconnectsAfterABreak)
{
    const TrustedAuthority authority;
    const auto tls = authority.front(server.port(), authority.issue("radio"));
    const auto icy = [&](std::size_t size, const char *title) {
        return HttpTestServer::Response().send(HttpTestServer::icyHead(4096) +
                                               HttpTestServer::icyInterleave(bytes.substr(0, size), 4096, {title}));
    };
    const HttpTestServer::Response answers[] = {icy(20000, "StreamTitle='One';"),
                                                HttpTestServer::reply(404, "Not Found"),
                                                icy(20000, "StreamTitle='Two';"), icy(20000, "StreamTitle='Three';")};
    std::atomic<int> next{0};
    server.answerBy([&](const std::string &) { return answers[std::min(next++, 3)]; });

    play(tls->url("/live"));
    ASSERT_TRUE(s.waitFor([&] { return progress(s, SK_PROGRESS_STREAM_TITLE).size() >= 3; }, 30s));
    EXPECT_EQ(progress(s, SK_PROGRESS_STREAM_TITLE), (Progress{{0, "One"}, {0, "Two"}, {0, "Three"}}));
    const std::string closed = "The station closed the connection";
    EXPECT_EQ(progress(s, SK_PROGRESS_RECONNECTING), (Progress{{1, closed}, {2, "HTTP 404 Not Found"}, {1, closed}}))
        << "music that flows again starts the plan anew";
    EXPECT_EQ(s.find(SK_NOTIFY_PLAYER_STATE, 0, SK_STATE_EOF), nullptr);

    // The last stream breaks too; Stop during the wait for the next try.
    ASSERT_TRUE(s.waitFor([&] { return progress(s, SK_PROGRESS_RECONNECTING).size() == 4; }, 10s));
    const std::size_t since = s.mark();
    s.send(SK_STOP);
    ASSERT_NE(s.waitForEvent(SK_NOTIFY_PLAYER_STATE, since, SK_STATE_STOPPED, 1s), nullptr);
    EXPECT_FALSE(server.waitForConnections(5, 1500ms)) << "no try after Stop";
}

// A silent or refusing server ends in a network error; an answer without a
// single MPEG frame is no song: the same input error as a file of garbage.
// Either way the input ends, and the player plays the next song. Stop ends
// a stalled stream at once.
TEST_F(StreamPlayback, StalledAndDeadServersAndAnswersWithoutAudioNeverHoldThePlayerUp)
{
    server.on("/stall", HttpTestServer::Response().send(HttpTestServer::icyHead(0)).stall());
    play(server.url("/stall"));
    ASSERT_NE(s.waitForEvent(SK_NOTIFY_PLAYER_STATE, 0, SK_STATE_PLAYING), nullptr);
    ASSERT_TRUE(server.waitForConnections(1, 5s));

    // Well within the reader's 10 s silence limit.
    const std::size_t since = s.mark();
    s.send(SK_STOP);
    s.send(SK_INPUT_CLOSE);
    ASSERT_TRUE(s.waitFor([&] { return std::ranges::count(s.codesSince(since), SK_NOTIFY_ACK) == 2; }, 5s));

    // An ID3v2 tag holding one title frame, and nothing after it.
    const std::string id3Only("ID3\x03\0\0\0\0\0\x10"
                              "TIT2\0\0\0\x06\0\0"
                              "\0Title",
                              26);
    server.setDefault(HttpTestServer::silent());
    server.on("/missing", HttpTestServer::reply(404, "Not Found"));
    server.on("/text", HttpTestServer::ok(std::string(300, 't'), "text/plain"));
    server.on("/tag", HttpTestServer::ok(id3Only));
    const std::pair<std::string, int> cases[] = {
        {server.url("/silent"), SK_ERROR_NETWORK},
        {server.url("/missing"), SK_ERROR_NETWORK},
        {server.url("/text"), SK_ERROR_INPUT_OPEN},
        {server.url("/tag"), SK_ERROR_INPUT_OPEN},
    };

    control_message_send_SI(s.player(), SK_SET_PLAYER_ENVIRONMENT_INTEGER, "INPUT.HTTP.TIMEOUT", 300);
    for (const auto &[address, code] : cases) {
        const std::size_t since = s.mark(), connections = server.requests().size();
        play(address);
        ASSERT_NE(s.waitForEvent(SK_NOTIFY_PLAYER_STATE, since, SK_STATE_EOF, 10s), nullptr) << address;
        const Event *error = s.find(SK_NOTIFY_ERROR, since);
        ASSERT_NE(error, nullptr) << address;
        EXPECT_EQ(error->message.data.error.code, code) << address;
        EXPECT_TRUE(progress(s, SK_PROGRESS_RECONNECTING, since).empty()) << "a failed start is not tried again";
        EXPECT_LE(server.requests().size(), connections + 1) << address;
    }
    EXPECT_TRUE(s.playToEnd(fixture("l2-32k-mono.mp2")));
}

// However fast the server, the stream is read about as fast as it is played:
// memory stays flat on an endless radio stream or a link to a large file.
TEST_F(StreamPlayback, FastServerIsReadOnlyAsFastAsThePlaying)
{
    server.on("/fast", HttpTestServer::Response().send(HttpTestServer::icyHead(0)).endless(bytes));
    play(server.url("/fast"));
    ASSERT_TRUE(s.waitFor([&] {
        return std::ranges::any_of(
            s.events(), [](const Event &e) { return e.code() == SK_NOTIFY_INPUT_TIMECODE && e.seconds() >= 2.0; });
    }));
    // Two seconds of music are 32 KB; the reader's and the sockets' buffers add a few MB.
    EXPECT_LT(server.bytesSent(), 16u << 20);
    EXPECT_EQ(s.find(SK_NOTIFY_PLAYER_STATE, 0, SK_STATE_EOF), nullptr);
}
