// The whole program with a folder of songs that carry only ID3v2 tags:
// "Directories..." fills titles, artists and times without playing, and the
// next start shows them at once from the cache.

#include "app/ludro_app.h"
#include "support/engine_session.h"
#include "support/recording_dialogs.h"
#include "support/run_until.h"

#include <QAction>
#include <QDateTime>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

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

TEST(SongScanProgram, AFolderOfId3v2SongsShowsItsTagsAndTheNextStartHasThemAtOnce)
{
    QTemporaryDir home;
    qputenv("LUDRO_HOME", (home.path() + '/').toUtf8());
    const QString folder = home.filePath("music");
    QDir().mkpath(folder);
    QStringList songs;
    for (int i = 0; i < 3; ++i) {
        songs << QStringLiteral("%1/%2.mp3").arg(folder).arg(i);
        QFile::copy(QString::fromStdString(fixture(i == 1 ? "l3-44k-stereo-vbr-noxing.mp3" : "l3-44k-stereo-vbr.mp3")),
                    songs.back());
        ASSERT_EQ(QProcess::execute("id3v2", {"-2", "-t", QStringLiteral("Song %1").arg(i), "-a",
                                              QStringLiteral("Band %1").arg(i), songs.back()}),
                  0);
    }
    RecordingDialogs dialogs;
    {
        LudroApp app({"ludro"}, dialogs);
        app.show();
        dialogs.nextFolder = folder;
        app.playlistFeature().form().action("Playlist_Add_Dir")->trigger();
        EXPECT_TRUE(runUntil([&] { return filled(app); }, 5000));
        EXPECT_EQ(app.playlist().entries()[1][PlaylistEntry::Artist], "Band 1");
        EXPECT_TRUE(app.playlistFeature().form().statusText().endsWith("0:00:12"))
            << app.playlistFeature().form().statusText().toStdString();
        EXPECT_FALSE(app.controller().songLoaded()) << "nothing had to play";
    }
    // Files whose size and time stay are not read again: blanked, they still
    // show what the cache knows.
    for (const QString &song : songs) {
        QFile file(song);
        const QDateTime modified = QFileInfo(song).lastModified();
        ASSERT_TRUE(file.open(QIODevice::ReadWrite));
        file.write(QByteArray(file.size(), '\0'));
        file.setFileTime(modified, QFileDevice::FileModificationTime);
    }
    LudroApp app({"ludro"}, dialogs);
    app.show();
    EXPECT_TRUE(runUntil([&] { return filled(app); }, 500)) << "the cache answers for unchanged files";
}
