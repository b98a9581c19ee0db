// Stream addresses against loopback servers: plain HTTP and ICY answers
// decode like the file they carry; a dead or stalled server ends in an error
// and never holds the player up.

#include "support/engine_session.h"
#include "support/files.h"
#include "support/http_test_server.h"
#include "support/wav_file.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

using ludro::test::HttpTestServer;
using namespace std::chrono_literals;

namespace {

std::string songBytes(const char *name)
{
    return readFile(QString::fromStdString(fixture(name))).toStdString();
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

    server.on("/plain.mp3", HttpTestServer::ok(bytes));
    const WavData plain = decodeStream(server.url("/plain.mp3"));
    EXPECT_EQ(plain.samples, file.samples);

    const std::size_t metaint = 8192;
    std::vector<std::string> titles(bytes.size() / metaint + 1, "");
    titles[0] = "StreamTitle='First song';";
    titles[3] = "StreamTitle='Second song';";
    server.on("/radio", HttpTestServer::Response().send(HttpTestServer::icyHead(metaint) +
                                                        HttpTestServer::icyInterleave(bytes, metaint, titles)));
    const WavData icy = decodeStream(server.url("/radio"));
    EXPECT_EQ(icy.samples, file.samples) << "metadata must not reach the decoder";

    const std::string request = server.requests().back();
    EXPECT_EQ(request.rfind("GET /radio HTTP/1.0\r\n", 0), 0u) << request;
    EXPECT_NE(request.find("Icy-MetaData: 1\r\n"), std::string::npos);
}

TEST_F(StreamPlayback, StopEndsAStalledStreamAtOnce)
{
    server.on("/stall", HttpTestServer::Response().send(HttpTestServer::icyHead(0)).stall());
    EngineSession s;
    s.open(server.url("/stall"));
    s.send(SK_PLAY);
    ASSERT_NE(s.waitForEvent(SK_NOTIFY_PLAYER_STATE, 0, SK_STATE_PLAYING), nullptr);
    ASSERT_TRUE(server.waitForConnections(1, 5s));

    const std::size_t since = s.mark();
    const auto start = std::chrono::steady_clock::now();
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
    EXPECT_LT(std::chrono::steady_clock::now() - start, 1s);
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
    ASSERT_NE(s.waitForEvent(SK_NOTIFY_INPUT_STREAM_INFO), nullptr);
    s.waitFor([] { return false; }, 2s);
    // Two seconds of music are 32 KB; the reader's and the sockets' buffers add a few MB.
    EXPECT_LT(server.bytesSent(), 16u << 20);
    EXPECT_EQ(s.find(SK_NOTIFY_PLAYER_STATE, 0, SK_STATE_EOF), nullptr);
}
