// The whole program with a folder of songs that carry only ID3v2 tags:
// "Directories..." fills titles, artists and times without playing, and the
// next start shows them at once from the cache.

#include "support/program_session.h"

#include <QAction>
#include <QDateTime>
#include <QProcess>

namespace {

bool filled(LudroApp &app)
{
    const QAbstractItemModel &rows = *app.playlistFeature().form().titleView().model();
    for (int row = 0; row < 3; ++row)
        if (rows.index(row, PlaylistEntry::Time).data() != "0:04" ||
            rows.index(row, PlaylistEntry::Title).data() != QStringLiteral("Band %1 - Song %1").arg(row))
            return false;
    return rows.rowCount() == 3;
}

}  // namespace

class SongScanProgram : public ProgramSession {};

TEST_F(SongScanProgram, AFolderOfId3v2SongsShowsItsTagsAndTheNextStartHasThemAtOnce)
{
    QStringList songs;
    for (int i = 0; i < 3; ++i) {
        songs << song(QStringLiteral("music/%1.mp3").arg(i),
                      i == 1 ? "l3-44k-stereo-vbr-noxing.mp3" : "l3-44k-stereo-vbr.mp3");
        ASSERT_EQ(QProcess::execute("id3v2", {"-2", "-t", QStringLiteral("Song %1").arg(i), "-a",
                                              QStringLiteral("Band %1").arg(i), songs.back()}),
                  0);
    }
    start({});
    dialogs.nextFolder = home.filePath("music");
    app->playlistFeature().form().action("Playlist_Add_Dir")->trigger();
    EXPECT_TRUE(runUntil([&] { return filled(*app); }, 5000));
    EXPECT_TRUE(app->playlistFeature().form().statusText().endsWith("0:00:12"));
    EXPECT_FALSE(app->controller().songLoaded()) << "nothing had to play";
    end();
    // Files whose size and time stay are not read again: blanked, they still
    // show what the cache knows.
    for (const QString &name : songs) {
        QFile file(name);
        const QDateTime modified = QFileInfo(name).lastModified();
        ASSERT_TRUE(file.open(QIODevice::ReadWrite));
        file.write(QByteArray(file.size(), '\0'));
        file.setFileTime(modified, QFileDevice::FileModificationTime);
    }
    start({});
    EXPECT_TRUE(runUntil([&] { return filled(*app); }, 500)) << "the cache answers for unchanged files";
}
