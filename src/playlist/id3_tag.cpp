#include "playlist/id3_tag.h"

#include "platform/regular_file.h"

#include <cerrno>
#include <cstring>

#include <unistd.h>

namespace id3 {

namespace {

constexpr int TitleAt = 3, ArtistAt = 33, AlbumAt = 63, YearAt = 93, CommentAt = 97, GenreAt = 127;

QByteArray padded(const QString &text, int width)
{
    QByteArray bytes = text.left(width).toLatin1();
    bytes.append(width - bytes.size(), ' ');
    return bytes;
}

bool hasTagMarker(const QByteArray &record)
{
    return record.size() == TagSize && record.startsWith("TAG");
}

// The last 128 bytes, or fewer for a short file.
QByteArray lastRecord(QFile &file)
{
    if (file.size() < TagSize || !file.seek(file.size() - TagSize))
        return {};
    return file.read(TagSize);
}

}  // namespace

QString trimmedField(const QByteArray &bytes)
{
    qsizetype end = bytes.size();
    while (end > 0 && static_cast<unsigned char>(bytes[end - 1]) <= 32)
        --end;
    return QString::fromLatin1(bytes.left(end));
}

std::optional<Id3Tag> parseRecord(const QByteArray &record)
{
    if (!hasTagMarker(record))
        return std::nullopt;
    Id3Tag tag;
    tag.title = trimmedField(record.mid(TitleAt, TextWidth));
    tag.artist = trimmedField(record.mid(ArtistAt, TextWidth));
    tag.album = trimmedField(record.mid(AlbumAt, TextWidth));
    tag.year = QString::fromLatin1(record.mid(YearAt, YearWidth));
    tag.comment = trimmedField(record.mid(CommentAt, TextWidth));
    tag.genre = static_cast<unsigned char>(record[GenreAt]);
    return tag;
}

QByteArray buildRecord(const Id3Tag &tag)
{
    QByteArray record("TAG");
    record += padded(tag.title, TextWidth);
    record += padded(tag.artist, TextWidth);
    record += padded(tag.album, TextWidth);
    record += padded(tag.year, YearWidth);
    record += padded(tag.comment, TextWidth);
    record += static_cast<char>(tag.genre & 0xFF);
    return record;
}

std::optional<Id3Tag> readTag(const QString &path)
{
    QFile file(path);
    if (!platform::openRegularFile(file, QIODevice::ReadOnly))
        return std::nullopt;
    return parseRecord(lastRecord(file));
}

QString TagWriter::save(const QString &path, const Id3Tag &tag)
{
    QFile file(path);
    if (QString error; !platform::openRegularFile(file, QIODevice::ReadWrite, &error))
        return error;
    const qint64 size = file.size();
    const QByteArray old = lastRecord(file);
    const bool tagged = hasTagMarker(old);
    const qint64 at = tagged ? size - TagSize : size;
    const QByteArray record = buildRecord(tag);
    if (!file.seek(at))
        return file.errorString();
    // The tag reaches the disk, or the file is put back.
    if (writeRecord(file, record) == TagSize && file.flush() && ::fsync(file.handle()) == 0)
        return {};

    // Put the file back as it was: the old record, or the old length.
    const QString error =
        file.error() != QFileDevice::NoError ? file.errorString() : QString::fromLocal8Bit(std::strerror(errno));
    if (tagged && file.seek(at))
        file.write(old);
    file.resize(size);
    return error;
}

QString TagWriter::clear(const QString &path)
{
    QFile file(path);
    if (QString error; !platform::openRegularFile(file, QIODevice::ReadWrite, &error))
        return error;
    if (!hasTagMarker(lastRecord(file)))
        return {};
    return file.resize(file.size() - TagSize) ? QString() : file.errorString();
}

}  // namespace id3
