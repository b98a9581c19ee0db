#include "playlist/song_scanner.h"

#include "decoder.h"
#include "playlist/tag_file.h"

#include <QFileInfo>
#include <QMetaObject>

namespace {

// Few enough signals for a list of thousands, small enough that the first
// rows fill at once.
constexpr int BatchSize = 32;

}  // namespace

SongFacts readSongFacts(const QString &path)
{
    const double seconds = sonark::measureSeconds(QFile::encodeName(path).toStdString());
    return {tag_file::read(path), seconds < 0 ? -1 : static_cast<int>(seconds + 0.5)};
}

SongScanner::SongScanner(SongCache &cache, QObject *parent) : QObject(parent), cache_(cache)
{
    qRegisterMetaType<QList<ScannedSong>>();
}

SongScanner::~SongScanner()
{
    stop();
}

void SongScanner::stop()
{
    stopping_ = true;
    pool_.clear();
    pool_.waitForDone();
}

void SongScanner::saveCache()
{
    pool_.start([this] { cache_.save(); });
}

void SongScanner::scan(const QStringList &paths)
{
    for (qsizetype first = 0; first < paths.size(); first += BatchSize) {
        const QStringList batch = paths.mid(first, BatchSize);
        ++pending_;
        pool_.start([this, batch] {
            QList<ScannedSong> songs;
            songs.reserve(batch.size());
            for (const QString &path : batch) {
                if (stopping_)
                    return;
                const QFileInfo info(path);
                const qint64 size = info.size(), modified = info.lastModified().toMSecsSinceEpoch();
                std::optional<SongFacts> facts = cache_.find(path, size, modified);
                if (!facts) {
                    facts = readSongFacts(path);
                    if (info.isFile())
                        cache_.store(path, size, modified, *facts);
                }
                songs.push_back({path, *facts});
            }
            QMetaObject::invokeMethod(this, [this, songs] { tell(songs); }, Qt::QueuedConnection);
        });
    }
}

void SongScanner::tell(const QList<ScannedSong> &songs)
{
    --pending_;
    emit scanned(songs);
    if (pending_ == 0)
        emit finished();
}
