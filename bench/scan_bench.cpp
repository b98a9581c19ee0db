// Playlist scan speed: 10,000 songs in 100 folders (CBR with an Info header,
// VBR with and without a Xing header; ID3v1, ID3v2.3 and ID3v2.4 tags mixed),
// made by copying three lame-made seeds with a tag of their own each. Prints
// the first scan's wall time, the start from the cache and the longest stall
// of the GUI thread while scanning, beside the same timer's longest gap when
// idle (the machine's load alone). Targets: 10 s, 0.5 s, 50 ms.
//   bench-scan [FOLDER]   keeps the songs in FOLDER (for a peer to scan)

#include "playlist/id3_tag.h"
#include "playlist/playlist_scan.h"
#include "run_tool.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QTemporaryDir>
#include <QTextStream>
#include <QTimer>

#include <taglib/id3v2tag.h>

#include <algorithm>

namespace {

constexpr int Folders = 100, SongsPerFolder = 100;

QByteArray id3v2(TagLib::ID3v2::Version version, const QString &title, const QString &artist)
{
    TagLib::ID3v2::Tag tag;
    tag.setTitle({title.toStdString(), TagLib::String::UTF8});
    tag.setArtist({artist.toStdString(), TagLib::String::UTF8});
    tag.setAlbum("Bench");
    const TagLib::ByteVector bytes = tag.render(version);
    return {bytes.data(), static_cast<qsizetype>(bytes.size())};
}

QStringList makeSongs(const QString &root, const QString &seedFolder)
{
    const QString wav = seedFolder + "/tone.wav";
    QList<QByteArray> seeds;
    if (!runTool(LUDRO_FIXTURE_WAV, {"44100", "2", "2", wav}))
        qFatal("fixture-wav failed");
    for (const QStringList &args : {QStringList{"-b", "128"}, QStringList{"-V", "4"}, QStringList{"-V", "4", "-t"}}) {
        const QString out = seedFolder + QStringLiteral("/seed%1.mp3").arg(seeds.size());
        if (!runTool("lame", QStringList{"--quiet"} + args + QStringList{wav, out}))
            qFatal("lame failed");
        QFile file(out);
        file.open(QIODevice::ReadOnly);
        seeds << file.readAll();
    }
    QStringList paths;
    for (int f = 0; f < Folders; ++f) {
        const QString folder = QStringLiteral("%1/artist%2").arg(root).arg(f, 3, 10, QLatin1Char('0'));
        QDir().mkpath(folder);
        for (int s = 0; s < SongsPerFolder; ++s) {
            const int n = f * SongsPerFolder + s;
            const QString title = QStringLiteral("Song %1").arg(n), artist = QStringLiteral("Artist %1").arg(f);
            QByteArray bytes = seeds[n % 3];
            switch (n / 3 % 3) {
            case 0: bytes += id3::buildRecord({title, artist, "Bench", "2026", "", 17}); break;
            case 1: bytes.prepend(id3v2(TagLib::ID3v2::v3, title, artist)); break;
            default: bytes.prepend(id3v2(TagLib::ID3v2::v4, title, artist)); break;
            }
            const QString path = QStringLiteral("%1/%2.mp3").arg(folder).arg(s, 3, 10, QLatin1Char('0'));
            QFile file(path);
            if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
                qFatal("cannot write the songs");
            paths << path;
        }
    }
    return paths;
}

struct Run {
    double seconds = 0;
    double longestStall = 0;
};

// Adds the songs to a fresh list and waits for the scan, timing the gaps
// between ticks of a 5 ms timer on this (the GUI) thread.
Run scan(const QStringList &paths, const QString &cacheFile)
{
    SongCache cache(cacheFile);
    SongScanner scanner(cache);
    PlaylistModel playlist;
    PlaylistScan listScan(playlist, scanner);
    QElapsedTimer clock, tick;
    Run run;
    QTimer ticker;
    ticker.setInterval(5);
    QObject::connect(&ticker, &QTimer::timeout, [&] {
        run.longestStall = std::max(run.longestStall, tick.nsecsElapsed() / 1e6);
        tick.restart();
    });
    QEventLoop loop;
    QObject::connect(&scanner, &SongScanner::finished, &loop, &QEventLoop::quit);
    clock.start();
    for (const QString &path : paths)
        playlist.addFileEntry(path);
    // Adding is the folder walk's time, not the scan's.
    tick.start();
    ticker.start();
    loop.exec();
    run.seconds = clock.nsecsElapsed() / 1e9;
    playlist.deliverChanges();
    if (playlist.entries().back()[PlaylistEntry::Time] != "0:02")
        qFatal("the scan left the list unfilled");
    cache.save();
    return run;
}

// The same ticks with nothing to do: what the machine's load alone costs.
double idleStall()
{
    QElapsedTimer tick;
    double longest = 0;
    QTimer ticker;
    ticker.setInterval(5);
    QObject::connect(&ticker, &QTimer::timeout, [&] {
        longest = std::max(longest, tick.nsecsElapsed() / 1e6);
        tick.restart();
    });
    QEventLoop loop;
    QTimer::singleShot(2000, &loop, &QEventLoop::quit);
    tick.start();
    ticker.start();
    loop.exec();
    return longest;
}

}  // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QTemporaryDir temporary;
    const QString root = argc > 1 ? QString::fromLocal8Bit(argv[1]) : temporary.filePath("songs");
    const QStringList paths = makeSongs(root, temporary.path());
    const QString cacheFile = temporary.filePath("SongCache.dat");
    const Run first = scan(paths, cacheFile);
    const Run cached = scan(paths, cacheFile);
    QTextStream(stdout) << QStringLiteral("first scan of %1 songs   %2 s (target <= 10 s), longest GUI stall %3 ms\n"
                                          "start from the cache      %4 s (target <= 0.5 s), longest GUI stall %5 ms\n")
                               .arg(paths.size())
                               .arg(first.seconds, 0, 'f', 3)
                               .arg(first.longestStall, 0, 'f', 1)
                               .arg(cached.seconds, 0, 'f', 3)
                               .arg(cached.longestStall, 0, 'f', 1);
    QTextStream(stdout) << QStringLiteral("longest stall of the same timer over 2 s idle: %1 ms\n").arg(idleStall(), 0, 'f', 1);
    return 0;
}
