#include "appearance/texture_archive.h"

#include "platform/user_folder.h"

#include <QFile>
#include <QFileInfo>

#include <zip.h>

namespace {

bool isPlainMemberName(const QString &name)
{
    return !name.isEmpty() && !name.contains('/') && !name.contains('\\') && !name.contains(QLatin1String(".."));
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
        const QString name = QString::fromUtf8(stat.name);
        if (!isPlainMemberName(name) || stat.size > zip_uint64_t(MaxArchiveBytes))
            continue;
        names_.append(name);
        members_.emplace_back(zip_uint64_t(i), qint64(stat.size));
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
    const QString found = platform::findIgnoringCase(names_, name);
    if (found.isEmpty())
        return std::nullopt;
    const auto [index, size] = members_[names_.indexOf(found)];
    if (size > limit || unpacked_ + size > MaxArchiveBytes)
        return std::nullopt;
    zip_file_t *member = zip_fopen_index(archive_, index, 0);
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
