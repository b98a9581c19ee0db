// The playlist in the whole program: the playlist button shows the window,
// files dropped on the main window join or replace the list and start,
// and the default playlist carries the list to the next start.

#include "app/ludro_app.h"
#include "support/drop_files.h"
#include "support/engine_session.h"
#include "support/files.h"
#include "support/recording_dialogs.h"
#include "support/run_until.h"
#include "support/texture_fixture.h"

#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

namespace {

class PlaylistProgram : public testing::Test {
protected:
    void SetUp() override
    {
        qputenv("LUDRO_HOME", (home.path() + '/').toUtf8());
        QFile::copy(QString::fromStdString(fixture("l2-32k-mono.mp2")), home.filePath("first.mp2"));
        QFile::copy(QString::fromStdString(fixture("l3-44k-stereo-cbr.mp3")), home.filePath("second.mp3"));
        writeFile(home.filePath("list.m3u"), "first.mp2\nsecond.mp3\n");
    }

    void dropOn(QWidget &window, const QStringList &names)
    {
        QStringList paths;
        for (const QString &name : names)
            paths << home.filePath(name);
        dropFiles(window, paths);
    }

    QTemporaryDir home;
    RecordingDialogs dialogs;
};

}  // namespace

TEST_F(PlaylistProgram, TheButtonShowsTheWindowAndDroppedFilesJoinTheList)
{
    LudroApp app({"ludro", "/noSave"}, dialogs);
    app.show();
    EXPECT_TRUE(app.playlistFeature().form().isVisible()) << "shown at start as the settings say";
    emit app.mainForm().playlistClicked();
    EXPECT_FALSE(app.playlistFeature().form().isVisible());
    emit app.mainForm().playlistClicked();
    EXPECT_TRUE(app.playlistFeature().form().isVisible());

    dropOn(app.mainForm(), {"first.mp2", "second.mp3"});
    EXPECT_EQ(app.playlist().entryCount(), 2);
    EXPECT_EQ(app.playlist().pendingIndex, 1) << "the last dropped song starts";
    dropOn(app.mainForm(), {"list.m3u"});
    EXPECT_EQ(app.playlist().entryCount(), 4) << "a playlist joins the list";
    dropOn(app.mainForm(), {"."});
    EXPECT_EQ(dialogs.errors.size(), 1) << "a folder cannot be read as a playlist";
}

TEST_F(PlaylistProgram, WithClearListADroppedPlaylistReplacesTheList)
{
    writeFile(home.filePath("LudroPro.ini"), "[Ludro]\nClearList=1\nStartPlay=0\n");
    QFile::copy(home.filePath("second.mp3"), home.filePath("clip.mpg"));
    LudroApp app({"ludro", "/noSave"}, dialogs);
    app.show();
    dropOn(app.mainForm(), {"clip.mpg"});
    EXPECT_EQ(app.playlist().entryPath(0), home.filePath("clip.mpg")) << "the main window takes .mpg as a song";
    dropOn(app.mainForm(), {"list.m3u"});
    ASSERT_EQ(app.playlist().entryCount(), 2);
    EXPECT_EQ(app.playlist().entryPath(0), home.filePath("first.mp2"));
    EXPECT_EQ(app.playlist().pendingIndex, NoPosition) << "StartPlay is off";
}

TEST_F(PlaylistProgram, TheDefaultPlaylistSurvivesARestartAndAnEmptyListKeepsIt)
{
    {
        LudroApp app({"ludro"}, dialogs);
        app.show();
        dropOn(app.mainForm(), {"second.mp3", "first.mp2"});
        app.playlist().pendingIndex = NoPosition;
    }
    {
        LudroApp app({"ludro"}, dialogs);
        app.show();
        ASSERT_EQ(app.playlist().entryCount(), 2);
        EXPECT_EQ(app.playlist().entryPath(0), home.filePath("first.mp2")) << "the list is kept sorted by default";
        app.playlistFeature().form().action("Playlist_Del_All")->trigger();
    }
    LudroApp app({"ludro", "/noSave"}, dialogs);
    app.show();
    EXPECT_EQ(app.playlist().entryCount(), 2) << "an empty list leaves the old default playlist";
}

// A Winamp skin's playlist: its small transport buttons run the command
// table's commands in the program.
TEST_F(PlaylistProgram, ASkinsSmallTransportButtonsReachThePlayer)
{
    fixture_texture::writeCodedSkinPlaylist(fixture_texture::writeCodedWinampSkin(home.path()));
    LudroApp app({"ludro", "/noSave"}, dialogs);
    app.show();
    app.appearance().chooseTexture("Classic");
    TPLForm &form = app.playlistFeature().form();
    dropOn(app.mainForm(), {"second.mp3"});
    ASSERT_TRUE(runUntil([&] { return app.controller().playerState() == 1; }, 5000));
    QTest::mouseClick(&form, Qt::LeftButton, {}, winamp_playlist::transportRect(2, form.size()).center());
    EXPECT_TRUE(runUntil([&] { return app.controller().playerState() == 2; }, 5000)) << "paused";
}
