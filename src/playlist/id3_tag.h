#pragma once

// The 128-byte ID3 version 1 tag at the end of an MPEG audio file: reading,
// writing and removing it. Text fields are Latin-1 bytes; characters beyond
// Latin-1 are written as "?".

#include <QByteArray>
#include <QFile>
#include <QString>

#include <optional>

struct Id3Tag {
    QString title;
    QString artist;
    QString album;
    QString year;  // its 4 bytes as they are
    QString comment;
    int genre = 0;  // the raw byte, 0 ... 255
};

namespace id3 {

inline constexpr int TagSize = 128;
inline constexpr int TextWidth = 30;
inline constexpr int YearWidth = 4;

// Up to and including the last byte above 32; empty when there is none.
QString trimmedField(const QByteArray &bytes);
// The tag in a record, or nothing when it does not begin with "TAG".
std::optional<Id3Tag> parseRecord(const QByteArray &record);
// "TAG", the fields padded with blanks to their widths, the genre byte.
QByteArray buildRecord(const Id3Tag &tag);
// The tag at the end of the file; nothing for an untagged, short or
// unreadable file.
std::optional<Id3Tag> readTag(const QString &path);

// Writes and removes tags. Each operation either completes or leaves the
// file as it was; it returns the I/O error's description, or empty.
class TagWriter {
public:
    virtual ~TagWriter() = default;

    // A tag present is overwritten in place; otherwise the record is appended.
    QString save(const QString &path, const Id3Tag &tag);
    // Cuts a tag present off; an untagged file is left alone.
    QString clear(const QString &path);

protected:
    // The one place the new record reaches the disk.
    virtual qint64 writeRecord(QFile &file, const QByteArray &record) { return file.write(record); }
};

}  // namespace id3
