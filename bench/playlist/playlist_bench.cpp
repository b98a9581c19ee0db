// Playlist speed: load, sort, randomize, reverse and save a 100,000-entry
// playlist, and walk a folder tree of 20,000 files. Prints the times;
// targets: each list operation under 0.5 s, the walk under 1 s.

#include "playlist/folder_walk.h"
#include "playlist/playlist_edits.h"
#include "playlist/playlist_file.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTextStream>

#include <functional>
#include <random>

namespace {

constexpr int ListEntries = 100000;
constexpr int TreeFiles = 20000;

bool report(const char *what, double limitSeconds, const std::function<void()> &work)
{
    QElapsedTimer clock;
    clock.start();
    work();
    const double seconds = clock.nsecsElapsed() / 1e9;
    const bool ok = seconds < limitSeconds;
    QTextStream(stdout) << QString("%1 %2 s (target < %3 s)%4\n")
                               .arg(what, -34)
                               .arg(seconds, 0, 'f', 3)
                               .arg(limitSeconds)
                               .arg(ok ? "" : "  SLOW");
    return ok;
}

// 20 artists x 20 albums x 50 songs, with a cover picture in every album.
QStringList makeTree(const QString &root)
{
    QStringList songs;
    for (int artist = 0; artist < 20; ++artist)
        for (int album = 0; album < 20; ++album) {
            const QString folder = QString("%1/Artist %2/Album %3/").arg(root).arg(artist).arg(album);
            QDir().mkpath(folder);
            QFile(folder + "cover.jpg").open(QIODevice::WriteOnly);
            for (int song = 0; song < TreeFiles / 400; ++song) {
                const QString name = folder + QString("%1 Song %2.mp3").arg(song + 1, 2, 10, QChar('0')).arg(song);
                QFile file(name);
                file.open(QIODevice::WriteOnly);
                file.write(QByteArray(2048, 'x'));
                songs << name;
            }
        }
    return songs;
}

}  // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QTemporaryDir dir;
    const QStringList songs = makeTree(dir.filePath("tree"));
    QFile list(dir.filePath("big.m3u"));
    list.open(QIODevice::WriteOnly);
    for (int i = 0; i < ListEntries; ++i)
        list.write((songs[i % songs.size()] + '\n').toUtf8());
    list.close();

    bool ok = true;
    PlaylistModel playlist;
    ok &= report("load 100,000 entries", 0.5,
                 [&] { playlist_files::readPlaylistFile(playlist, dir.filePath("big.m3u")); });
    std::mt19937 random(1);
    ok &= report("randomize 100,000 entries", 0.5, [&] { playlist_edits::randomize(playlist, random); });
    ok &= report("sort 100,000 entries", 0.5, [&] { playlist_edits::sort(playlist); });
    ok &= report("reverse 100,000 entries", 0.5, [&] { playlist_edits::reverse(playlist); });
    ok &= report("save 100,000 entries", 0.5,
                 [&] { playlist_files::writePlaylistFile(playlist, dir.filePath("saved.m3u")); });
    int found = 0;
    ok &= report("walk a tree of 20,000 files", 1.0,
                 [&] { folder_walk::walk(dir.filePath("tree"), [&](const folder_walk::FoundFile &) { ++found; }); });
    QTextStream(stdout) << "entries " << playlist.entryCount() << ", walked files " << found << '\n';
    return ok && playlist.entryCount() == ListEntries && found == TreeFiles ? 0 : 1;
}
