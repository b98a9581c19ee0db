#include "playlist/tag_file.h"

#include "platform/regular_file.h"
#include "platform/user_folder.h"
#include "platform/whole_file.h"
#include "playlist/id3_genres.h"

#include <QBuffer>
#include <QtEndian>

#include <taglib/apetag.h>
#include <taglib/id3v2framefactory.h>
#include <taglib/id3v2header.h>
#include <taglib/id3v2tag.h>
#include <taglib/mpegfile.h>
#include <taglib/tbytevectorstream.h>

#include <algorithm>
#include <functional>

namespace tag_file {

namespace {

// A whole-file save holds the file in memory once more than TagLib does.
constexpr qint64 MaxEditedFile = qint64(1) << 30;
constexpr int ApeFooterSize = 32;

// The end of an ID3v2 tag at the start as its header declares it; 0 without one.
qint64 id3v2End(const QByteArray &header)
{
    if (header.size() < 10 || !header.startsWith("ID3"))
        return 0;
    qint64 size = 0;
    for (int i = 6; i < 10; ++i) {
        const auto byte = static_cast<unsigned char>(header[i]);
        if (byte & 0x80)
            return 0;
        size = size << 7 | byte;
    }
    const bool footer = static_cast<unsigned char>(header[5]) & 0x10;
    return 10 + size + (footer ? 10 : 0);
}

// The bytes from an APEv2 tag's start (its header, when it has one) to the
// end of the file, found by its footer before an ID3v1 tag or at the very
// end; 0 without one.
qint64 apeTail(QIODevice &file, qint64 size)
{
    for (const qint64 end : {size - id3::TagSize, size}) {
        if (end < ApeFooterSize || !file.seek(end - ApeFooterSize))
            continue;
        const QByteArray footer = file.read(ApeFooterSize);
        if (footer.size() != ApeFooterSize || !footer.startsWith("APETAGEX"))
            continue;
        const qint64 tagSize = qFromLittleEndian<quint32>(footer.constData() + 12);
        const bool header = qFromLittleEndian<quint32>(footer.constData() + 20) & 0x80000000u;
        return tagSize + (header ? ApeFooterSize : 0) + (size - end);
    }
    return 0;
}

// What TagLib needs to find the rich tags, each part read only when it
// claims no more than the cap: the ID3v2 tag at the start and the APEv2 tag
// (with ID3v1) at the end. Empty when the file has neither.
QByteArray richTagBytes(QFile &file)
{
    const qint64 size = file.size();
    const qint64 head = file.seek(0) ? id3v2End(file.peek(10)) : 0;
    const qint64 headLength = head <= MaxTagBytes ? std::min(head, size) : 0;
    const qint64 ape = apeTail(file, size);
    const qint64 tailLength = ape <= MaxTagBytes + id3::TagSize ? std::min(ape, size - headLength) : 0;
    QByteArray bytes;
    if (headLength > 0 && file.seek(0))
        bytes = file.read(headLength);
    if (tailLength > 0 && file.seek(size - tailLength))
        bytes += file.read(tailLength);
    return bytes;
}

TagLib::ByteVector byteVector(const QByteArray &bytes)
{
    return {bytes.constData(), static_cast<unsigned int>(bytes.size())};
}

QString text(const TagLib::String &value)
{
    return QString::fromStdString(value.to8Bit(true));
}

TagLib::String tagText(const QString &value)
{
    return {value.toStdString(), TagLib::String::UTF8};
}

// The richer tag of an MPEG file: ID3v2 before APEv2; nothing when both are
// missing or empty.
TagLib::Tag *richTag(TagLib::MPEG::File &file)
{
    if (TagLib::ID3v2::Tag *id3v2 = file.ID3v2Tag(); id3v2 && !id3v2->isEmpty())
        return id3v2;
    if (TagLib::APE::Tag *ape = file.APETag(); ape && !ape->isEmpty())
        return ape;
    return nullptr;
}

// Fields the rich tag leaves empty keep what ID3v1 says.
Id3Tag merged(const TagLib::Tag &rich, const std::optional<Id3Tag> &v1)
{
    Id3Tag tag = v1.value_or(Id3Tag{{}, {}, {}, QStringLiteral("    "), {}, 255});
    const auto take = [](QString &field, const TagLib::String &value) {
        if (!value.isEmpty())
            field = text(value);
    };
    take(tag.title, rich.title());
    take(tag.artist, rich.artist());
    take(tag.album, rich.album());
    take(tag.comment, rich.comment());
    if (rich.year() > 0 && rich.year() <= 9999)
        tag.year = QString::number(rich.year());
    const QString genre = text(rich.genre());
    if (const int number = id3GenreNumber(genre); !genre.isEmpty() && id3GenreName(number) == genre)
        tag.genre = number;
    return tag;
}

void setFields(TagLib::Tag &rich, const Id3Tag &tag)
{
    rich.setTitle(tagText(tag.title));
    rich.setArtist(tagText(tag.artist));
    rich.setAlbum(tagText(tag.album));
    rich.setComment(tagText(tag.comment));
    rich.setYear(tag.year.trimmed().toUInt());
    // A genre the table does not name stays as the tag has it.
    if (const QString genre = id3GenreName(tag.genre); !genre.isEmpty())
        rich.setGenre(tagText(genre));
}

// The file with the ID3v1 record put in place of the old one, or cut off
// when `record` is empty.
QByteArray withId3v1(QByteArray contents, const QByteArray &record)
{
    if (id3::parseRecord(contents.right(id3::TagSize)))
        contents.chop(id3::TagSize);
    return contents + record;
}

// TagLib writes over a tag's claimed extent as it stands; one reaching past
// the file's end (or an APEv2 tag reaching into the ID3v2 tag) would have it
// move memory outside the file. TagLib takes the first "ID3" before the
// audio as the tag, with at least its 10-byte header.
bool tagsOverrun(const QByteArray &contents, bool id3v2)
{
    const qsizetype at = id3v2 ? contents.indexOf("ID3") : -1;
    const qint64 head = at < 0 ? 0 : at + std::max<qint64>(10, id3v2End(contents.mid(at, 10)));
    QBuffer buffer;
    buffer.setData(contents);
    buffer.open(QIODevice::ReadOnly);
    return head > contents.size() || apeTail(buffer, contents.size()) > contents.size() - head;
}

// Edits the whole file in memory with TagLib, puts `id3v1` in place of its
// ID3v1 tag (cuts that off when empty) and saves the file in one step.
QString editWhole(const QString &path, const std::function<bool(TagLib::MPEG::File &)> &edit,
                  const QByteArray &id3v1)
{
    const std::optional<QByteArray> contents = platform::readLimitedFile(path, MaxEditedFile);
    if (!contents)
        return QStringLiteral("The file cannot be read, or is larger than 1 GB.");
    TagLib::ByteVectorStream stream(byteVector(*contents));
    {
        TagLib::MPEG::File file(&stream, TagLib::ID3v2::FrameFactory::instance(), false);
        if (file.isValid() && tagsOverrun(*contents, file.hasID3v2Tag()))
            return QStringLiteral("The tags of the file are damaged: they claim more bytes than the file has. "
                                  "The file is left as it is.");
        if (!file.isValid() || !edit(file))
            return QStringLiteral("The tags of the file could not be written.");
    }
    const TagLib::ByteVector &data = *stream.data();
    return platform::saveWholeFile(path, withId3v1(QByteArray(data.data(), static_cast<qsizetype>(data.size())), id3v1));
}

}  // namespace

std::optional<Id3Tag> read(const QString &path, Kinds *kinds)
{
    QFile file(path);
    if (!platform::openRegularFile(file, QIODevice::ReadOnly))
        return std::nullopt;
    const std::optional<Id3Tag> v1 = id3::parseRecord(
        file.size() >= id3::TagSize && file.seek(file.size() - id3::TagSize) ? file.read(id3::TagSize) : QByteArray());
    const QByteArray bytes = richTagBytes(file);
    if (kinds)
        *kinds = {v1.has_value(), false};
    if (bytes.isEmpty())
        return v1;
    TagLib::ByteVectorStream stream(byteVector(bytes));
    TagLib::MPEG::File tags(&stream, TagLib::ID3v2::FrameFactory::instance(), false);
    const TagLib::Tag *rich = tags.isValid() ? richTag(tags) : nullptr;
    if (!rich)
        return v1;
    if (kinds)
        kinds->rich = true;
    return merged(*rich, v1);
}

QString save(const QString &path, const Id3Tag &tag)
{
    Kinds kinds;
    read(path, &kinds);
    if (!kinds.rich)
        return id3::TagWriter().save(path, tag);
    return editWhole(
        path,
        [&tag](TagLib::MPEG::File &file) {
            int kinds = 0;
            TagLib::ID3v2::Version version = TagLib::ID3v2::v4;
            if (TagLib::ID3v2::Tag *id3v2 = file.ID3v2Tag()) {
                setFields(*id3v2, tag);
                kinds |= TagLib::MPEG::File::ID3v2;
                // An ID3v2.2 tag cannot be written; it becomes 2.4.
                if (id3v2->header()->majorVersion() == 3)
                    version = TagLib::ID3v2::v3;
            }
            if (TagLib::APE::Tag *ape = file.APETag()) {
                setFields(*ape, tag);
                kinds |= TagLib::MPEG::File::APE;
            }
            return file.save(kinds, TagLib::File::StripNone, version, TagLib::File::DoNotDuplicate);
        },
        id3::buildRecord(tag));
}

QString clear(const QString &path)
{
    Kinds kinds;
    read(path, &kinds);
    if (!kinds.rich)
        return id3::TagWriter().clear(path);
    return editWhole(
        path, [](TagLib::MPEG::File &file) { return file.strip(TagLib::MPEG::File::ID3v2 | TagLib::MPEG::File::APE); },
        {});
}

}  // namespace tag_file
