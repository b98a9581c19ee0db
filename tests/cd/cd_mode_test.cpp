// CD mode through the whole program, as a user meets it: the drive is a disc
// image in a temporary folder (missing: the door is open), playing through
// the ALSA "null" device; the main window, the playlist window's CD view and
// the commands from other programs are real.

#include "cd/cd_controller.h"
#include "cd/cd_time.h"
#include "cd/disc_id.h"
#include "support/disc_image.h"
#include "support/http_test_server.h"
#include "support/program_session.h"

#include <QAction>
#include <QApplication>
#include <QFocusEvent>

#include <atomic>
#include <chrono>
#include <functional>
#include <thread>

#include <sys/stat.h>

using ludro::test::HttpTestServer;

namespace {

ImageTrack audio(int seconds)
{
    return {seconds * 75L, 440};
}

class CdMode : public ProgramSession {
protected:
    CdMode() { qputenv("LUDRO_CD_DEVICE", drive().toUtf8()); }

    QString drive() const { return home.filePath("drive/disc.cue"); }
    void insert(const std::vector<ImageTrack> &tracks) { writeDiscImage(home.filePath("drive"), tracks); }
    QString discId()
    {
        cd::CdDevice probe(drive());
        probe.open();
        return cd::computeDiscId(probe.tableOfContents()).id;
    }

    // The track and whole seconds the drive is at, once it got there.
    static bool reaches(cd::CdDevice &device, int track, int fromSecond, int toSecond)
    {
        return runUntil(
            [&] {
                device.setTimeFormat(cd::CdDevice::TimeFormat::Tmsf);
                const uint32_t at = device.position();
                const int second = cd::tmsfMinutes(at) * 60 + cd::tmsfSeconds(at);
                return cd::tmsfTrack(at) == track && second >= fromSecond && second <= toSecond;
            },
            5000);
    }

    bool titleShows(const QString &title)
    {
        return runUntil([&] { return app->mainForm().titleText() == title; }, 5000);
    }
};

}  // namespace

// A named pipe where the image would be is no disc either. Names typed in the
// CD view go to the disc's names file (those shown at entry are the
// outside-text test's).
TEST_F(CdMode, DoorOpenDataDiscAndAudioDiscAsTheTicksSeeThem)
{
    QDir().mkpath(home.filePath("drive"));
    ASSERT_EQ(::mkfifo(QFile::encodeName(drive()).constData(), 0600), 0);
    LudroApp &app = start({"/noSave", "/cd"});
    ASSERT_TRUE(titleShows("No CD in Drive")) << "/cd switches at the first showing";
    QFile::remove(drive());
    insert({{300, 0, true}});
    ASSERT_TRUE(titleShows("Data CD in Drive"));
    insert({audio(20), audio(20)});
    ASSERT_TRUE(titleShows("CD-Track (1 of 2)")) << "the start is tried at every tick";
    EXPECT_EQ(app.controller().playerState(), 1);
    EXPECT_EQ(app.mainForm().durationText(), "(0:20)");

    TPLForm &view = app.playlistFeature().form();
    view.selectCdLine(1);
    dialogs.nextText = "Night";
    emit view.cdList().customContextMenuRequested({5, 5});
    view.action("Playlist_Edit_TrackName")->trigger();
    EXPECT_EQ(view.cdList().item(1)->text(), "2. Night");
    view.cdArtistEdit().setText("Synthesizer");
    QFocusEvent leave(QEvent::FocusOut);
    QApplication::sendEvent(&view.cdArtistEdit(), &leave);
    EXPECT_EQ(readFile(home.filePath("tracks/" + discId())), "\nSynthesizer\nCD-Track\nNight\n");

    insert({audio(5), audio(6), audio(7)});  // the .cue renamed over the old one
    ASSERT_TRUE(titleShows("CD-Track (1 of 3)")) << "a disc replaced in place starts as the new disc";
    EXPECT_EQ(view.cdList().count(), 3);
    QDir(home.filePath("drive")).removeRecursively();
    ASSERT_TRUE(titleShows("No CD in Drive"));
    EXPECT_EQ(view.cdList().count(), 0);
}

TEST_F(CdMode, TransportStepsThroughTheDiscAsTheEdgeCasesSay)
{
    insert({audio(30), audio(30), audio(30)});
    LudroApp &app = start({"/noSave", "/cd"});
    ASSERT_TRUE(titleShows("CD-Track (1 of 3)"));
    cd::CdDevice &drive = app.cd().device();
    PlaybackController &c = app.controller();
    struct Step {
        const char *what;
        std::function<void()> act;
        int track, fromSecond, toSecond;
    };
    const Step steps[] = {
        {"playing on", [] {}, 1, 2, 3},
        {"back 10 s in the first 10 s does nothing", [&] { c.SeekBack(); }, 1, 2, 3},
        {"forward 10 s", [&] { c.SeekForward(); }, 1, 12, 13},
        {"back 10 s", [&] { c.SeekBack(); }, 1, 2, 3},
        {"previous in track 1: its start", [&] { c.PreviousSong(); }, 1, 0, 0},
        {"next", [&] { c.NextSong(); }, 2, 0, 0},
        {"next", [&] { c.NextSong(); }, 3, 0, 0},
        {"next on the last track: its start", [&] { c.NextSong(); }, 3, 0, 0},
        {"previous in the first second: the track before", [&] { c.PreviousSong(); }, 2, 0, 0},
        {"later in track 3", [&] { c.NextSong(); }, 3, 1, 2},
        {"previous: the track's start", [&] { c.PreviousSong(); }, 3, 0, 0},
    };
    for (const Step &step : steps) {
        step.act();
        EXPECT_TRUE(reaches(drive, step.track, step.fromSecond, step.toSecond)) << step.what;
    }
    ASSERT_TRUE(titleShows("CD-Track (3 of 3)"));

    // Other programs choose a track by number; one the disc lacks is ignored.
    app.receiveMessage({273, 40095, 1});
    EXPECT_TRUE(reaches(drive, 1, 0, 1)) << "40095 in CD mode";
    app.receiveMessage({273, 40095, 4});
    app.Timer1Timer();  // the tick that would go to a chosen track
    EXPECT_TRUE(reaches(drive, 1, 0, 3));

    c.PauseCommand();
    EXPECT_TRUE(runUntil([&] { return c.playerState() == 2; }, 1000));
    c.PlayCommand();
    EXPECT_TRUE(runUntil([&] { return c.playerState() == 1; }, 2000)) << "resumed before a tick saw the pause";
    c.StopCommand();
    EXPECT_TRUE(reaches(drive, 1, 0, 0));
}

TEST_F(CdMode, LeavingBringsBackTheFileAndItsWindow)
{
    insert({audio(20)});
    LudroApp &app = start({"/noSave", "/cd", song("second.mp3")});
    TMainForm &form = app.mainForm();
    ASSERT_TRUE(titleShows("CD-Track (1 of 1)"));
    EXPECT_FALSE(form.findChild<QAction *>("Pop_Load")->isVisible());

    app.receiveMessage({273, 40092, 0});
    ASSERT_TRUE(runUntil([&] { return !app.controller().cdMode(); }, 2000));
    EXPECT_NE(app.cd().device().mode(), cd::CdDevice::Mode::Playing);
    EXPECT_EQ(form.titleText(), "Second");
    EXPECT_TRUE(form.findChild<QAction *>("Pop_Load")->isVisible());
    EXPECT_FALSE(app.playlistFeature().form().cdList().isVisible());
    app.controller().PlayCommand();
    EXPECT_TRUE(runUntil([&] { return app.controller().playerState() == 1; }, 5000)) << "the file named at start";

    qputenv("LUDRO_CD_DEVICE", home.filePath("no-such-drive").toUtf8());
    emit form.cdClicked();
    EXPECT_EQ(dialogs.errors, QStringList{"The CD-Player is currently Busy"});
    EXPECT_EQ(app.controller().playerState(), 1) << "the song plays on";
}

// Which disc names belong to: a lookup the server answers only after the disc
// changed, which the main window's tick sees meanwhile.
TEST_F(CdMode, ALookupAnsweredAfterTheDiscChangedNamesOnlyTheDiscItWasAskedFor)
{
    insert({audio(10), audio(10)});
    const QString asked = discId();
    std::atomic<bool> noDisc = false, otherDisc = false;
    const auto waitFor = [](const std::atomic<bool> &flag) {
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
        while (!flag && std::chrono::steady_clock::now() < deadline)
            std::this_thread::yield();
    };
    HttpTestServer http;
    http.answerBy([&](const std::string &request) {
        const std::string id = asked.toStdString();
        if (request.find("cmd=cddb+query+") != std::string::npos)
            return HttpTestServer::ok("200 rock " + id + " Artist / First\r\n", "text/plain");
        // The server takes its time; meanwhile the user changes the disc.
        QDir(home.filePath("drive")).removeRecursively();
        waitFor(noDisc);
        insert({audio(5), audio(6), audio(7)});
        waitFor(otherDisc);
        return HttpTestServer::ok("210 rock " + id + "\r\n# xmcd\r\n#\r\nDISCID=" + id +
                                      "\r\nDTITLE=Artist / First\r\nTTITLE0=One\r\nTTITLE1=Two\r\n.\r\n",
                                  "text/plain");
    });
    qputenv("LUDRO_CDDB_SERVER", "127.0.0.1:" + QByteArray::number(http.port()));
    LudroApp &app = start({"/noSave", "/cd"});
    ASSERT_TRUE(titleShows("CD-Track (1 of 2)"));
    const cd::CdController &controller = app.cd().controller();
    QObject::connect(&controller, &cd::CdController::namesChanged,
                     [&](const QStringList &lines) { (lines.isEmpty() ? noDisc : otherDisc) = lines.size() != 2; });

    app.playlistFeature().form().action("Playlist_Edit_CDDB")->trigger();
    qunsetenv("LUDRO_CDDB_SERVER");
    ASSERT_TRUE(otherDisc);
    EXPECT_EQ(controller.lines(), QStringList({"1. CD-Track", "2. CD-Track", "3. CD-Track"}));
    EXPECT_EQ(readFile(home.filePath("tracks/" + asked)), "First\nArtist\nOne\nTwo\n")
        << "the names of the disc asked for";
    EXPECT_FALSE(QFile::exists(home.filePath("tracks/" + discId()))) << "none for the disc in the drive now";
}
