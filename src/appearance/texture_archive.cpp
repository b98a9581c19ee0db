#include "appearance/texture_archive.h"

#include <QFile>
#include <QFileInfo>

#include <zip.h>

namespace {

// The base name and the number of folders above it; a folder entry has
// an empty base name.
std::pair<QString, int> baseName(QString name)
{
    name.replace('\\', '/');
    const qsizetype slash = name.lastIndexOf('/');
    return {name.mid(slash + 1), int(name.count('/'))};
}

}  // namespace

TextureArchive::TextureArchive(const QString &path) : path_(path)
{
    int error = 0;
    archive_ = zip_open(QFile::encodeName(path).constData(), ZIP_RDONLY | ZIP_CHECKCONS, &error);
    if (!archive_)
        return;
    const zip_int64_t count = zip_get_num_entries(archive_, 0);
    for (zip_int64_t i = 0; i < count; ++i) {
        zip_stat_t stat;
        zip_stat_init(&stat);
        if (zip_stat_index(archive_, zip_uint64_t(i), 0, &stat) != 0 || !(stat.valid & ZIP_STAT_SIZE) ||
            !(stat.valid & ZIP_STAT_NAME))
            continue;
        const auto [name, depth] = baseName(QString::fromUtf8(stat.name));
        if (name.isEmpty() || stat.size > zip_uint64_t(MaxArchiveBytes))
            continue;
        const QString key = name.toLower();
        const auto found = members_.constFind(key);
        if (found == members_.cend() || found->depth > depth)
            members_.insert(key, {zip_uint64_t(i), qint64(stat.size), depth});
    }
}

TextureArchive::~TextureArchive()
{
    // Read only: discarding never writes the archive back.
    if (archive_)
        zip_discard(archive_);
}

std::optional<QByteArray> TextureArchive::file(const QString &name, qint64 limit) const
{
    const auto found = members_.constFind(name.toLower());
    if (found == members_.cend())
        return std::nullopt;
    const qint64 size = found->size;
    if (size > limit || unpacked_ + size > MaxArchiveBytes)
        return std::nullopt;
    zip_file_t *member = zip_fopen_index(archive_, found->index, 0);
    if (!member)
        return std::nullopt;
    // One byte more than declared tells a member that lies about its size.
    QByteArray bytes(size + 1, Qt::Uninitialized);
    qint64 read = 0;
    for (zip_int64_t got = 0; read < bytes.size(); read += got) {
        got = zip_fread(member, bytes.data() + read, zip_uint64_t(bytes.size() - read));
        if (got <= 0) {
            if (got < 0)
                read = -1;
            break;
        }
    }
    zip_fclose(member);
    unpacked_ += size;
    if (read != size)
        return std::nullopt;
    bytes.truncate(size);
    return bytes;
}

QString TextureArchive::name() const
{
    return QFileInfo(path_).fileName();
}

bool isTextureArchiveName(const QString &name)
{
    return name.endsWith(QLatin1String(".wsz"), Qt::CaseInsensitive);
}
