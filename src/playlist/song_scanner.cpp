#include "playlist/song_scanner.h"

#include "sonark/decoder.h"
#include "playlist/tag_file.h"

#include <QFileInfo>
#include <QMetaObject>

#include <algorithm>

#include <sys/resource.h>
#include <unistd.h>

namespace {

// Few enough tasks for a list of thousands, small enough that the first
// rows fill at once.
constexpr int BatchSize = 32;
// What the list shows in one turn of the event loop, well within a frame.
constexpr int SongsPerTurn = 256;

// Workers give way to the windows when the processors are busy.
void yieldToWindows()
{
    thread_local const bool lowered = ::setpriority(PRIO_PROCESS, static_cast<id_t>(::gettid()), 10) == 0;
    static_cast<void>(lowered);
}

// The tag and the length as playback counts it.
SongFacts readSongFacts(const QString &path)
{
    const double seconds = sonark::measureSeconds(QFile::encodeName(path).toStdString());
    return {tag_file::read(path), seconds < 0 ? -1 : static_cast<int>(seconds + 0.5)};
}

}  // namespace

SongScanner::SongScanner(SongCache &cache, QObject *parent) : QObject(parent), cache_(cache)
{
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
    pending_ += paths.size();
    for (qsizetype first = 0; first < paths.size(); first += BatchSize) {
        const QStringList batch = paths.mid(first, BatchSize);
        pool_.start([this, batch] {
            yieldToWindows();
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
            ready(songs);
        });
    }
}

void SongScanner::ready(const QList<ScannedSong> &songs)
{
    const QMutexLocker lock(&readyLock_);
    ready_ += songs;
    if (!tellQueued_) {
        tellQueued_ = true;
        QMetaObject::invokeMethod(this, &SongScanner::tell, Qt::QueuedConnection);
    }
}

// Another turn is queued while songs are left, so timers and painting run
// in between.
void SongScanner::tell()
{
    QList<ScannedSong> songs;
    {
        const QMutexLocker lock(&readyLock_);
        songs = ready_.first(std::min<qsizetype>(SongsPerTurn, ready_.size()));
        ready_.remove(0, songs.size());
        tellQueued_ = !ready_.isEmpty();
        if (tellQueued_)
            QMetaObject::invokeMethod(this, &SongScanner::tell, Qt::QueuedConnection);
    }
    pending_ -= songs.size();
    emit scanned(songs);
    if (pending_ == 0)
        emit finished();
}
