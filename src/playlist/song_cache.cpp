#include "playlist/song_cache.h"

#include "platform/user_folder.h"
#include "platform/whole_file.h"

#include <QDataStream>
#include <QIODevice>

#include <algorithm>
#include <vector>

namespace {

constexpr quint32 Magic = 0x4C534331;  // "LSC1"
// A cache of MaxSongs songs with long texts stays far below this.
constexpr qint64 MaxFileBytes = 256 << 20;

void write(QDataStream &out, const SongFacts &facts)
{
    out << qint32(facts.seconds) << bool(facts.tag);
    if (facts.tag)
        out << facts.tag->title << facts.tag->artist << facts.tag->album << facts.tag->year << facts.tag->comment
            << qint32(facts.tag->genre);
}

SongFacts readFacts(QDataStream &in)
{
    SongFacts facts;
    qint32 seconds = -1;
    bool tagged = false;
    in >> seconds >> tagged;
    facts.seconds = seconds;
    if (tagged) {
        Id3Tag tag;
        qint32 genre = 0;
        in >> tag.title >> tag.artist >> tag.album >> tag.year >> tag.comment >> genre;
        tag.genre = genre & 0xFF;
        facts.tag = tag;
    }
    return facts;
}

}  // namespace

void SongCache::loadOnce()
{
    if (loaded_)
        return;
    loaded_ = true;
    const std::optional<QByteArray> bytes = platform::readLimitedFile(file_, MaxFileBytes);
    if (!bytes)
        return;
    QDataStream in(*bytes);
    in.setVersion(QDataStream::Qt_6_0);
    quint32 magic = 0, run = 0, count = 0;
    in >> magic >> run >> count;
    if (magic != Magic || in.status() != QDataStream::Ok)
        return;
    run_ = run + 1;
    for (quint32 i = 0; i < count && in.status() == QDataStream::Ok; ++i) {
        QString path;
        Record record;
        in >> path >> record.size >> record.modified >> record.seen;
        record.facts = readFacts(in);
        if (in.status() == QDataStream::Ok)
            songs_.insert(path, record);
    }
    if (in.status() != QDataStream::Ok)
        songs_.clear();
}

std::optional<SongFacts> SongCache::find(const QString &path, qint64 size, qint64 modified)
{
    const QMutexLocker lock(&mutex_);
    loadOnce();
    const auto found = songs_.find(path);
    if (found == songs_.end() || found->size != size || found->modified != modified)
        return std::nullopt;
    if (found->seen != run_) {
        found->seen = run_;
        dirty_ = true;
    }
    return found->facts;
}

void SongCache::store(const QString &path, qint64 size, qint64 modified, const SongFacts &facts)
{
    const QMutexLocker lock(&mutex_);
    loadOnce();
    songs_.insert(path, {size, modified, facts, run_});
    dirty_ = true;
}

QString SongCache::save()
{
    const QMutexLocker saving(&saving_);
    QByteArray bytes;
    {
        const QMutexLocker lock(&mutex_);
        if (!dirty_)
            return {};
        dirty_ = false;
        std::vector<QHash<QString, Record>::const_iterator> kept;
        kept.reserve(songs_.size());
        for (auto it = songs_.cbegin(); it != songs_.cend(); ++it)
            kept.push_back(it);
        if (kept.size() > MaxSongs) {
            std::nth_element(kept.begin(), kept.begin() + MaxSongs, kept.end(),
                             [](auto a, auto b) { return a->seen > b->seen; });
            kept.resize(MaxSongs);
        }
        QDataStream out(&bytes, QIODevice::WriteOnly);
        out.setVersion(QDataStream::Qt_6_0);
        out << Magic << run_ << quint32(kept.size());
        for (const auto &it : kept) {
            out << it.key() << it->size << it->modified << it->seen;
            write(out, it->facts);
        }
    }
    return platform::saveWholeFile(file_, bytes);
}
