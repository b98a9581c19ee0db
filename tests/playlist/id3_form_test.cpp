// The tag editor under the offscreen platform: filling from a real file,
// the playlist columns, saving, clearing and failures shown by the dialogs.

#include "playlist/id3_form.h"
#include "support/files.h"
#include "support/recording_dialogs.h"

#include <QFile>
#include <QFileInfo>
#include <QSignalSpy>
#include <QTemporaryDir>

#include <gtest/gtest.h>

class TagEditor : public testing::Test {
protected:
    void SetUp() override { playlist.addFileEntry(path); }

    QTemporaryDir dir;
    QString path = writeFile(dir.filePath("song.mp3"), QByteArray(1000, '\x55'));
    PlaylistModel playlist;
    RecordingDialogs dialogs;
    TID3Form form{playlist, dialogs};
};

TEST_F(TagEditor, SaveAndReopenAndClear)
{
    form.fill(path, 1);
    form.titleEdit().setText("Song");
    form.genreBox().setCurrentText("Folk/Rock");
    QString changed;
    form.OnTagChanged = [&](const QString &p) { changed = p; };
    playlist.deliverChanges();
    QSignalSpy rowsTold(&playlist, &PlaylistModel::changed);
    form.SaveClick();
    EXPECT_EQ(changed, path);
    playlist.deliverChanges();
    ASSERT_EQ(rowsTold.size(), 1) << "the playlist window learns of the tag of a song that is not playing";
    EXPECT_EQ(playlist.entries().at(0)[PlaylistEntry::Genre], "Folk/Rock");

    form.fill(path, 1);
    EXPECT_EQ(form.genreBox().currentText(), "Folk/Rock");
    form.ClearTagClick();
    EXPECT_EQ(QFileInfo(path).size(), 1000);
    EXPECT_EQ(playlist.entries().at(0)[PlaylistEntry::Genre], "");
}

TEST_F(TagEditor, UnnamedGenresAndFailures)
{
    id3::TagWriter().save(path, Id3Tag{"T", "A", "", "", "", 255});
    form.fill(path, 1);
    EXPECT_EQ(form.genreBox().currentIndex(), -1) << "genre 255 shows no genre";
    form.SaveClick();
    EXPECT_EQ(id3::readTag(path)->genre, 255) << "no genre chosen keeps no genre";

    QFile::remove(path);
    form.fill(path, 0);
    form.titleEdit().setText("New");
    form.SaveClick();
    EXPECT_EQ(dialogs.errors.size(), 1) << "a vanished file is reported";
    EXPECT_FALSE(QFile::exists(path));
}
