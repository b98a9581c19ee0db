// The playlist window with real widgets: its menus and their enabling, the
// keys, quick search, dropped files, sizes and what it asks of the dialogs.

#include "playlist/pl_form.h"
#include "support/drop_files.h"
#include "support/files.h"
#include "support/recording_dialogs.h"
#include "support/run_until.h"

#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>

namespace {

class PlaylistWindow : public testing::Test {
protected:
    void SetUp() override
    {
        for (const char *name : {"Jazz/a.mp3", "Jazz/b.mp3", "Rock/c.mp3", "Rock/d.mp2"})
            writeFile(dir.filePath(name), QByteArray(2048, 'x'));
        form.show();
    }

    void trigger(const QString &caption)
    {
        QAction *action = form.action(caption);
        ASSERT_NE(action, nullptr) << caption.toStdString();
        action->trigger();
    }

    void drop(const QStringList &names)
    {
        QStringList paths;
        for (const QString &name : names)
            paths << dir.filePath(name);
        dropFiles(form, paths);
    }

    QTemporaryDir dir;
    RecordingDialogs dialogs;
    PlaylistModel playlist;
    TextureManager textures;
    TPLForm form{playlist, dialogs, textures};
};

}  // namespace

TEST_F(PlaylistWindow, AddsLoadsAndSavesThroughTheDialogsReportingFailures)
{
    writeFile(dir.filePath("list.m3u"), "Rock/c.mp3\n");
    dialogs.nextOpenFiles = {dir.filePath("Jazz/a.mp3"), dir.filePath("list.m3u")};
    trigger("Playlist_Add_File");
    EXPECT_EQ(playlist.entryPath(1), dir.filePath("Rock/c.mp3"));
    dialogs.nextFolder = dir.filePath("Rock");
    trigger("Playlist_Add_Dir");
    dialogs.nextAddress = "http://radio.example/live";
    trigger("Playlist_Add_URL");
    EXPECT_EQ(playlist.entryPath(4), "http://radio.example/live");
    dialogs.nextOpenFiles = {dir.filePath("gone.m3u"), dir.filePath("Jazz/b.mp3")};
    trigger("Playlist_Add_File");
    EXPECT_EQ(dialogs.errors.size(), 1) << "the first failure is shown and ends the command";
    EXPECT_EQ(playlist.entryCount(), 5);

    dialogs.nextOpenFile = dir.filePath("list.m3u");
    trigger("Playlist_File_Load");
    EXPECT_EQ(playlist.entryCount(), 1) << "a loaded list replaces the songs";
    dialogs.nextSaveFile = dir.filePath("saved.m3u");
    trigger("Playlist_File_Save");
    EXPECT_TRUE(QFile::exists(dir.filePath("saved.m3u")));
    dialogs.nextSaveFile = dir.filePath("missing/folder/x.m3u");
    trigger("Playlist_File_Save");
    dialogs.nextOpenFile = dir.filePath("nothing.m3u");
    trigger("Playlist_File_Load");
    EXPECT_EQ(dialogs.errors.size(), 3);
    EXPECT_EQ(playlist.lastPlaylistFile, dir.filePath("saved.m3u")) << "a failed save keeps the list's name";
}

TEST_F(PlaylistWindow, MenusFollowTheSortModeAndTheSelection)
{
    drop({"Jazz/b.mp3", "Jazz/a.mp3", "Rock/c.mp3"});
    trigger("Playlist_Effects_Alpha");
    EXPECT_EQ(playlist.entries().at(0)[PlaylistEntry::Title], "a.mp3");
    EXPECT_FALSE(form.action("Playlist_Effects_Reverse")->isEnabled());
    form.select(1);
    emit form.titleView().customContextMenuRequested({5, 5});
    EXPECT_FALSE(form.action("Playlist_Pop_Up")->isEnabled()) << "a sorted list keeps its order";

    trigger("Playlist_Effects_NoSort");
    trigger("Playlist_Effects_Reverse");
    form.select(1);
    emit form.titleView().customContextMenuRequested({5, 5});
    trigger("Playlist_Pop_Up");
    EXPECT_EQ(playlist.entries().at(0)[PlaylistEntry::Title], "b.mp3");
    EXPECT_EQ(form.selectedIndex(), 0) << "the selection moves with the song";

    trigger("Playlist_Edit_SelAll");
    emit form.titleView().customContextMenuRequested({5, 5});
    EXPECT_FALSE(form.action("Playlist_Pop_Play")->isEnabled());
    trigger("Playlist_Edit_Inv");
    form.select(2);
    trigger("Playlist_Del_NotSel");
    EXPECT_EQ(playlist.entryCount(), 1);
    trigger("Playlist_Edit_MusicGroup");
    EXPECT_EQ(playlist.entries().at(0)[PlaylistEntry::Title].left(6), "JAZZ  ");
}

TEST_F(PlaylistWindow, KeysAndQuickSearchAskToPlay)
{
    drop({"Jazz/a.mp3", "Jazz/b.mp3", "Rock/c.mp3"});
    form.select(1);
    QTest::keyClick(&form.titleView(), Qt::Key_Return);
    EXPECT_EQ(playlist.pendingIndex, 1);
    QTest::keyClicks(&form.quickSearchEdit(), "C");
    EXPECT_EQ(form.titleView().selectionModel()->selectedRows().size(), 2) << "the found entry joins the selection";
    QTest::keyClick(&form.quickSearchEdit(), Qt::Key_Return);
    EXPECT_EQ(playlist.pendingIndex, 2);
    emit form.titleView().doubleClicked(form.titleView().model()->index(0, 0));
    EXPECT_EQ(playlist.pendingIndex, 0);
    QTest::keyClick(&form.titleView(), Qt::Key_Escape);
    EXPECT_FALSE(form.isVisible());
}

TEST_F(PlaylistWindow, DroppedFilesJoinTheListAndPlaylistsAreRead)
{
    writeFile(dir.filePath("a.mpg"), "Rock/c.mp3\n");
    playlist.pendingIndex = NoPosition;
    drop({"Jazz/a.mp3", "a.mpg", "Rock/d.mp2"});
    EXPECT_EQ(playlist.entryPath(1), dir.filePath("Rock/c.mp3")) << "a.mpg is read as a playlist here";
    EXPECT_EQ(playlist.pendingIndex, NoPosition) << "nothing starts";
    drop({"Jazz"});
    EXPECT_EQ(dialogs.errors.size(), 1) << "a folder is no playlist";
    EXPECT_EQ(playlist.entryCount(), 3);
}

// The grip resizes the window within its limits (a drag beyond them is
// ignored, not clamped); the frame moves it.
TEST_F(PlaylistWindow, TheGripResizesWithinTheLimitsAndTheFrameMovesIt)
{
    form.resize(400, 300);
    const QPoint grip = form.rect().bottomRight() - QPoint(3, 3);
    QTest::mousePress(&form, Qt::LeftButton, {}, grip);
    QTest::mouseMove(&form, grip + QPoint(30, 20));
    QTest::mouseMove(&form, grip + QPoint(-200, 20));
    EXPECT_EQ(form.size(), QSize(430, 320)) << "narrower than the least width";
    QTest::mouseRelease(&form, Qt::LeftButton, {}, grip + QPoint(-200, 20));

    form.move(100, 100);
    const QPoint at = form.pos();
    QTest::mousePress(&form, Qt::LeftButton, {}, QPoint(2, 150));
    QTest::mouseMove(&form, QPoint(42, 170));
    QTest::mouseRelease(&form, Qt::LeftButton, {}, QPoint(42, 170));
    EXPECT_EQ(form.pos(), at + QPoint(40, 20));
}

// Column widths come back, too narrow ones take their default; a new
// texture redraws the frame and keeps widths and font.
TEST_F(PlaylistWindow, ColumnWidthsComeBackAndANewTextureKeepsThemAndTheFont)
{
    form.titleView().setColumnWidth(3, 120);
    form.hide();
    form.columnWidths[1] = 2;
    form.show();
    EXPECT_EQ(form.titleView().columnWidth(1), 36) << "a width below 5 takes its default";
    form.setFontSize(11);
    auto plain = std::make_shared<TextureSet>(*textures.texture());
    plain->pictures.playlist.fill(Qt::darkRed);
    textures.setTexture("Plain", plain);

    const QImage shot = form.grab().toImage();
    EXPECT_EQ(shot.pixelColor(form.titleView().geometry().topLeft() + QPoint(2, 2)), QColor(Qt::darkRed))
        << "the column header's strip";
    EXPECT_EQ(form.titleView().columnWidth(3), 120);
    EXPECT_EQ(form.titleView().font().pointSize(), 11);
}

TEST_F(PlaylistWindow, ChangesElsewhereShowByThemselvesAndNeverReachBeyondTheList)
{
    drop({"Jazz/a.mp3", "Jazz/b.mp3", "Rock/c.mp3"});
    QAbstractItemModel &rows = *form.titleView().model();
    QSignalSpy repainted(&rows, &QAbstractItemModel::dataChanged);
    QSignalSpy reset(&rows, &QAbstractItemModel::modelReset);
    form.select(1);
    playlist.setColumn(1, PlaylistEntry::Time, "0:42");
    ASSERT_TRUE(repainted.wait(1000));
    QCoreApplication::processEvents();
    ASSERT_EQ(repainted.size(), 1);
    EXPECT_EQ(repainted[0][1].value<QModelIndex>().row(), 1) << "only the changed row is read again";
    EXPECT_EQ(rows.index(1, PlaylistEntry::Time).data().toString(), "0:42");

    playlist.addNetworkEntry("http://radio.example/live");
    EXPECT_TRUE(runUntil([&] { return form.statusText() == "4 Song(s) - 0,0Mb - 0:00:42"; }, 1000))
        << "the total time of the songs whose time is known";
    EXPECT_EQ(form.selectedIndex(), 1) << "an added row keeps the selection";
    EXPECT_EQ(reset.size(), 0);

    playlist.addNetworkEntry("http://radio.example/other");
    form.focusEntry(4);
    EXPECT_EQ(form.titleView().currentIndex().row(), 4) << "a row added in the same turn takes the focus mark";

    playlist.clearEntries();
    EXPECT_FALSE(rows.index(1, 0).data().isValid());
    QTest::keyClick(&form.titleView(), Qt::Key_Return);
    EXPECT_EQ(playlist.pendingIndex, NoPosition);
}

// Renaming a track, editing the disc's names and leaving the CD view are the CD mode's program test.
TEST_F(PlaylistWindow, CdViewShowsTheDiscAndReportsWhatTheUserAsks)
{
    form.setCdView(true);
    form.setCdLines({"1. Intro", "2. Song", "3. Outro"});
    form.selectCdLine(1);
    form.selectCdLine(7);
    EXPECT_EQ(form.cdList().currentRow(), 1) << "a line that is not there selects nothing";
    QSignalSpy activated(&form, &TPLForm::cdTrackActivated);
    QSignalSpy submit(&form, &TPLForm::submitToCddbRequested);
    QTest::keyClick(&form.cdList(), Qt::Key_Return);
    emit form.cdList().itemDoubleClicked(form.cdList().item(2));
    EXPECT_EQ(activated, (QList<QList<QVariant>>{{1}, {2}}));
    emit form.cdList().customContextMenuRequested({5, 5});
    trigger("Playlist_Edit_Submit");
    EXPECT_EQ(submit.size(), 1);
    EXPECT_FALSE(form.action("Playlist_Del_Sel")->isEnabled()) << "the file list's edits wait";
    form.setCdView(false);
    EXPECT_FALSE(form.action("Playlist_Edit_TrackName")->isVisible());
}
