// The playback controller with internet radio, through the real engine and
// loopback servers: a station's titles as they come, the reason a stream
// does not start, and the limits of station lists.

#include "core/playback_controller.h"
#include "support/engine_session.h"
#include "support/files.h"
#include "support/http_test_server.h"
#include "support/recording_dialogs.h"
#include "support/recording_view.h"
#include "support/run_until.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

using ludro::test::HttpTestServer;

namespace {

class StreamController : public testing::Test {
protected:
    void SetUp() override { player.SetOutputName("wav:/dev/null"); }

    QString url(const std::string &path) const { return QString::fromStdString(server.url(path)); }

    // The list's text served as a station list at `path`.
    void serveList(const std::string &path, const std::string &text)
    {
        server.on(path, HttpTestServer::ok(text, "audio/x-scpls"));
    }

    const std::string audio = readFile(QString::fromStdString(fixture("l3-44k-stereo-cbr.mp3"))).toStdString();
    QTemporaryDir dir;
    HttpTestServer server;
    RecordingDialogs dialogs;
    RecordingView view;
    PlaylistModel playlist;
    TSonarkPlayer player{nullptr, dialogs};
    PlaybackController controller{player, playlist, view, dialogs};
};

}  // namespace

// Titles are plain text on one line, each shown as it arrives, standing alone
// in the scrolling title; the station's address stays in the list.
TEST_F(StreamController, AStationsTitlesShowAsTheyArrive)
{
    // Apart by more than the engine reads at once.
    std::vector<std::string> titles(9);
    titles[0] = "StreamTitle='First\r\nSong <b>';";
    titles[8] = "StreamTitle='Second';";
    server.setDefault(HttpTestServer::Response()
                          .send(HttpTestServer::icyHead(4096) + HttpTestServer::icyInterleave(audio, 4096, titles))
                          .stall());
    QStringList shown;
    QObject::connect(&controller, &PlaybackController::streamTitleChanged, [&] { shown << view.title; });
    controller.OpenAddress(url("/live"));
    ASSERT_TRUE(runUntil([&] { return shown.size() == 2; }, 10000));
    EXPECT_EQ(shown + QStringList{view.scrollingTitle}, QStringList({"First Song <b>", "Second", "Second"}));
    controller.OpenAddress(url("/other"));
    EXPECT_EQ(controller.streamTitle(), "") << "a title belongs to its station";
}

// A stream that cannot start says why where its title would be, and nothing
// of the song before stays on the display (the reasons are the stream
// reader's test). A plain server is never read as the https one.
TEST_F(StreamController, AStreamThatCannotStartSaysWhyAndClearsTheOldSongsTime)
{
    controller.OpenFile(writeFile(dir.filePath("song.mp3"), QByteArray::fromStdString(audio)));
    controller.StartPlayback();
    ASSERT_TRUE(runUntil([&] { return view.duration == "(0:04)" && view.time != "0:00"; }, 10000));
    controller.OpenAddress("https" + url("/").mid(4));
    EXPECT_EQ(view.duration, "(0:00)");
    ASSERT_TRUE(runUntil([&] { return view.title.startsWith("TLS: the handshake with 127.0.0.1 failed"); }, 10000))
        << view.title.toStdString();
    EXPECT_EQ(view.time, "0:00");
}

// A list naming itself ends after five levels and one of HLS segments plays
// nothing, each saying why (a list's stations taking its place is the
// program's radio test; which lines are stations, the station-list test).
TEST_F(StreamController, StationListsNestedTooDeeplyOrOfSegmentsSayWhy)
{
    serveList("/self.pls",
              "[playlist]\nFile1=" + server.url("/self.pls") + "\nFile2=" + server.url("/self.pls") + "\n");
    serveList("/segments.m3u8", "#EXTM3U\n#EXT-X-TARGETDURATION:10\n#EXTINF:10,\n" + server.url("/s1.ts") + "\n");
    for (const char *path : {"/self.pls", "/segments.m3u8"})
        playlist.addNetworkEntry(url(path));
    playlist.renumberEntries();

    playlist.pendingIndex = 0;
    controller.AutomaticAdvance();
    ASSERT_TRUE(runUntil([&] { return view.title == "Station lists nested too deeply"; }, 10000));
    EXPECT_EQ(playlist.entryCount(), 2 + 5) << "one more entry for each level read";

    playlist.pendingIndex = playlist.entryCount() - 1;
    controller.AutomaticAdvance();
    ASSERT_TRUE(runUntil([&] { return view.title == "Segmented (HLS) streams cannot be played"; }, 10000));
}
