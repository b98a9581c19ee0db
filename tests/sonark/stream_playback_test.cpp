// Stream addresses against loopback servers: plain HTTP and ICY answers
// decode like the file they carry, over https too; station titles arrive as
// they come; a radio stream that breaks is tried again; a dead or stalled
// server ends in an error and never holds the player up.

#include "support/engine_session.h"
#include "support/files.h"
#include "support/http_test_server.h"
#include "support/test_authority.h"
#include "support/tls_test_proxy.h"
#include "support/wav_file.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>

using ludro::test::HttpTestServer;
using ludro::test::TestAuthority;
using ludro::test::TlsTestProxy;
using namespace std::chrono_literals;

namespace {

std::string songBytes(const char *name)
{
    return readFile(QString::fromStdString(fixture(name))).toStdString();
}

bool startsWith(const std::string &text, const std::string &start)
{
    return text.rfind(start, 0) == 0;
}

// The texts of the progress notifications with that code since `since`.
std::vector<std::string> progressTexts(const EngineSession &s, int code, std::size_t since = 0)
{
    std::vector<std::string> texts;
    for (std::size_t i = since; i < s.events().size(); ++i) {
        const Event &e = s.events()[i];
        if (e.code() == SK_NOTIFY_PROGRESS && e.message.data.progress.code == code)
            texts.push_back(e.texts[0]);
    }
    return texts;
}

}  // namespace

class StreamPlayback : public testing::Test {
protected:
    // Plays the address into a WAV file and returns what was decoded.
    WavData decodeStream(const std::string &address)
    {
        const std::string out = dir.filePath("stream.wav").toStdString();
        EngineSession s;
        s.setOutput("wav:" + out);
        const std::size_t since = s.mark();
        EXPECT_TRUE(s.playToEnd(address));
        EXPECT_EQ(s.find(SK_NOTIFY_INPUT_DURATION, since)->message.data.value, 0);
        const Event *info = s.find(SK_NOTIFY_INPUT_STREAM_INFO, since);
        EXPECT_EQ(info ? info->message.data.stream_info.frequency : 0, 44100);
        return readWav(out).value_or(WavData{});
    }

    const char *song = "l3-44k-stereo-cbr.mp3";
    QTemporaryDir dir;
    HttpTestServer server;
};

TEST_F(StreamPlayback, HttpAndIcyStreamsDecodeLikeTheFile)
{
    const std::string bytes = songBytes(song);
    const WavData file = *decodeWithMpg123(fixture(song), dir.filePath("ref.wav").toStdString());

    const std::size_t metaint = 8192;
    std::vector<std::string> titles(bytes.size() / metaint + 1, "");
    titles[0] = "StreamTitle='First song';";
    titles[3] = "StreamTitle='Second song';";
    const std::string radio = HttpTestServer::icyHead(metaint) + HttpTestServer::icyInterleave(bytes, metaint, titles);
    // The radio ends after one song: it is tried again, and turns the player away.
    std::atomic<int> radioAnswers{0};
    server.answerBy([&](const std::string &request) {
        if (startsWith(request, "GET /plain.mp3 "))
            return HttpTestServer::ok(bytes);
        return radioAnswers++ == 0 ? HttpTestServer::Response().send(radio) : HttpTestServer::reply(403, "Forbidden");
    });
    const WavData plain = decodeStream(server.url("/plain.mp3"));
    EXPECT_EQ(plain.samples, file.samples);

    const WavData icy = decodeStream(server.url("/radio"));
    EXPECT_EQ(icy.samples, file.samples) << "metadata must not reach the decoder";
    EXPECT_EQ(radioAnswers, 2);

    const std::string request = server.requests().back();
    EXPECT_EQ(request.rfind("GET /radio HTTP/1.0\r\n", 0), 0u) << request;
    EXPECT_NE(request.find("Icy-MetaData: 1\r\n"), std::string::npos);
}

// Each title as it comes; after a break a try in 1 s, one in 2 s after a
// 404 (as Icecast answers while its source is away), and the music goes on
// without an end in between. Stop ends a wait for the next try at once.
TEST_F(StreamPlayback, HttpsRadioShowsItsTitlesAndReconnectsAfterABreak)
{
    const TestAuthority authority(dir.path().toStdString());
    qputenv("SSL_CERT_FILE", QByteArray::fromStdString(authority.certificateFile()));
    const TestAuthority::Issued certificate = authority.issue("radio");
    const TlsTestProxy tls(server.port(), {certificate.certificateFile, certificate.keyFile});
    const std::string bytes = songBytes(song);
    const auto icy = [&](std::size_t size, const char *title) {
        return HttpTestServer::Response().send(HttpTestServer::icyHead(4096) +
                                               HttpTestServer::icyInterleave(bytes.substr(0, size), 4096, {title}));
    };
    std::atomic<int> answers{0};
    server.answerBy([&](const std::string &) {
        switch (answers++) {
        case 0:
            return icy(20000, "StreamTitle='One';");
        case 1:
            return HttpTestServer::reply(404, "Not Found");
        case 2:
            return icy(20000, "StreamTitle='Two';");
        default:
            return icy(20000, "StreamTitle='Three';");
        }
    });

    EngineSession s;
    s.open(tls.url("/live"));
    s.send(SK_PLAY);
    ASSERT_TRUE(s.waitFor([&] { return progressTexts(s, SK_PROGRESS_STREAM_TITLE).size() >= 3; }, 30s));
    EXPECT_EQ(progressTexts(s, SK_PROGRESS_STREAM_TITLE), (std::vector<std::string>{"One", "Two", "Three"}));
    std::vector<int> delays;
    for (const Event &e : s.events())
        if (e.code() == SK_NOTIFY_PROGRESS && e.message.data.progress.code == SK_PROGRESS_RECONNECTING)
            delays.push_back(e.message.data.progress.value);
    const std::string closed = "The station closed the connection";
    EXPECT_EQ(delays, (std::vector<int>{1, 2, 1})) << "music that flows again starts the plan anew";
    EXPECT_EQ(progressTexts(s, SK_PROGRESS_RECONNECTING),
              (std::vector<std::string>{closed, "HTTP 404 Not Found", closed}));
    EXPECT_EQ(s.find(SK_NOTIFY_PLAYER_STATE, 0, SK_STATE_EOF), nullptr);
    EXPECT_EQ(s.find(SK_NOTIFY_ERROR), nullptr);

    // The last stream breaks too; Stop during the wait for the next try.
    ASSERT_TRUE(s.waitFor([&] { return progressTexts(s, SK_PROGRESS_RECONNECTING).size() == 4; }, 10s));
    const std::size_t since = s.mark();
    s.send(SK_STOP);
    ASSERT_NE(s.waitForEvent(SK_NOTIFY_PLAYER_STATE, since, SK_STATE_STOPPED, 1s), nullptr);
    EXPECT_FALSE(server.waitForConnections(5, 1500ms)) << "no try after Stop";
}

TEST_F(StreamPlayback, StopEndsAStalledStreamAtOnce)
{
    server.on("/stall", HttpTestServer::Response().send(HttpTestServer::icyHead(0)).stall());
    EngineSession s;
    s.open(server.url("/stall"));
    s.send(SK_PLAY);
    ASSERT_NE(s.waitForEvent(SK_NOTIFY_PLAYER_STATE, 0, SK_STATE_PLAYING), nullptr);
    ASSERT_TRUE(server.waitForConnections(1, 5s));

    // Well within the reader's 10 s silence limit.
    const std::size_t since = s.mark();
    s.send(SK_STOP);
    s.send(SK_INPUT_CLOSE);
    ASSERT_TRUE(s.waitFor(
        [&] {
            int acks = 0;
            for (std::size_t i = since; i < s.events().size(); ++i)
                acks += s.events()[i].code() == SK_NOTIFY_ACK;
            return acks == 2;
        },
        5s));
    EXPECT_NE(s.find(SK_NOTIFY_PLAYER_STATE, since, SK_STATE_STOPPED), nullptr);
}

// A dead or silent server ends in a network error; an answer without a
// single MPEG frame is no song: the same input error as a file of garbage.
// Either way the input ends, and the player plays the next song.
TEST_F(StreamPlayback, DeadServersAndAnswersWithoutAudioEndInAnInputError)
{
    std::string deadAddress;
    {
        HttpTestServer gone;
        deadAddress = gone.url("/x.mp3");
    }
    const std::string text = "This is not a song at all.\n";
    // An ID3v2 tag holding one title frame, and nothing after it.
    const std::string id3Only("ID3\x03\0\0\0\0\0\x10"
                              "TIT2\0\0\0\x06\0\0"
                              "\0Title",
                              26);
    server.setDefault(HttpTestServer::silent());
    server.on("/missing", HttpTestServer::reply(404, "Not Found"));
    server.on("/text", HttpTestServer::ok(text + text + text, "text/plain"));
    server.on("/empty", HttpTestServer::ok(""));
    server.on("/tag", HttpTestServer::ok(id3Only));
    const std::pair<std::string, int> cases[] = {
        {deadAddress, SK_ERROR_NETWORK},
        {server.url("/silent"), SK_ERROR_NETWORK},
        {server.url("/missing"), SK_ERROR_NETWORK},
        {server.url("/text"), SK_ERROR_INPUT_OPEN},
        {server.url("/empty"), SK_ERROR_INPUT_OPEN},
        {server.url("/tag"), SK_ERROR_INPUT_OPEN},
    };

    EngineSession s;
    control_message_send_SI(s.player(), SK_SET_PLAYER_ENVIRONMENT_INTEGER, "INPUT.HTTP.TIMEOUT", 300);
    for (const auto &[address, code] : cases) {
        const std::size_t since = s.mark();
        const std::size_t connections = server.requests().size();
        s.open(address);
        s.send(SK_PLAY);
        ASSERT_NE(s.waitForEvent(SK_NOTIFY_PLAYER_STATE, since, SK_STATE_EOF, 10s), nullptr) << address;
        const Event *error = s.find(SK_NOTIFY_ERROR, since);
        ASSERT_NE(error, nullptr) << address;
        EXPECT_EQ(error->message.data.error.source, SK_SOURCE_INPUT) << address;
        EXPECT_EQ(error->message.data.error.code, code) << address;
        if (code == SK_ERROR_INPUT_OPEN) {
            EXPECT_NE(error->texts[0].find(address), std::string::npos) << error->texts[0];
        }
        EXPECT_NE(error->texts[0], "") << address;
        EXPECT_TRUE(progressTexts(s, SK_PROGRESS_RECONNECTING, since).empty()) << "a failed start is not tried again";
        EXPECT_LE(server.requests().size(), connections + 1) << address;
    }
    EXPECT_TRUE(s.playToEnd(fixture("l2-32k-mono.mp2")));
}

// However fast the server, the stream is read about as fast as it is played:
// memory stays flat on an endless radio stream or a link to a large file.
TEST_F(StreamPlayback, FastServerIsReadOnlyAsFastAsThePlaying)
{
    server.on("/fast",
              HttpTestServer::Response().send(HttpTestServer::icyHead(0)).endless(songBytes("l3-44k-joint-long.mp3")));
    EngineSession s;
    s.open(server.url("/fast"));
    s.send(SK_PLAY);
    ASSERT_TRUE(s.waitFor([&] {
        return std::ranges::any_of(s.events(), [](const Event &e) {
            return e.code() == SK_NOTIFY_INPUT_TIMECODE && e.seconds() >= 2.0;
        });
    }));
    // Two seconds of music are 32 KB; the reader's and the sockets' buffers add a few MB.
    EXPECT_LT(server.bytesSent(), 16u << 20);
    EXPECT_EQ(s.find(SK_NOTIFY_PLAYER_STATE, 0, SK_STATE_EOF), nullptr);
}

// A station list is no audio: its text is handed over, the player stops,
// and nothing is reported as an error or an end.
TEST_F(StreamPlayback, AStationListIsHandedOverAsText)
{
    const std::string list = "[playlist]\nFile1=http://radio.example/live\n";
    server.on("/station.pls", HttpTestServer::ok(list, "audio/x-scpls"));
    EngineSession s;
    s.open(server.url("/station.pls"));
    s.send(SK_PLAY);
    ASSERT_TRUE(s.waitFor([&] { return !progressTexts(s, SK_PROGRESS_STATION_LIST).empty(); }));
    EXPECT_EQ(progressTexts(s, SK_PROGRESS_STATION_LIST), std::vector<std::string>{list});
    ASSERT_NE(s.waitForEvent(SK_NOTIFY_PLAYER_STATE, 0, SK_STATE_STOPPED), nullptr);
    EXPECT_EQ(s.find(SK_NOTIFY_ERROR), nullptr);
    EXPECT_EQ(s.find(SK_NOTIFY_PLAYER_STATE, 0, SK_STATE_EOF), nullptr);
}
