// The ID3v1 tag at the end of a song: parsed from the last 128 bytes, read
// from a file, shown, written back and cut off.

#include "fuzz_input.h"
#include "playlist/song_tag.h"

#include <QFileInfo>

namespace {

// The same fields, as far as a record holds them.
bool same(const std::optional<Id3Tag> &a, const std::optional<Id3Tag> &b)
{
    return a && b ? id3::buildRecord(*a) == id3::buildRecord(*b) : !a && !b;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const std::optional<Id3Tag> parsed = id3::parseRecord(
        QByteArray(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size)).right(id3::TagSize));
    const QString path = fuzz::inputFile(data, size, QStringLiteral("song.mp3"));
    fuzz::require(same(id3::readTag(path), parsed));

    const SongTag song = songTag(parsed);
    PlaylistModel playlist;
    playlist.addFileEntry(path);
    showTagColumns(playlist, 0, parsed);

    // A tag saved reads back as it was; clearing takes it off again.
    const Id3Tag tag = parsed.value_or(
        Id3Tag{song.title, song.artist, song.album, song.year, song.comment, static_cast<int>(size & 0xFF)});
    id3::TagWriter writer;
    fuzz::require(writer.save(path, tag).isEmpty());
    const std::optional<Id3Tag> saved = id3::readTag(path);
    fuzz::require(same(saved, id3::parseRecord(id3::buildRecord(tag))));
    fuzz::require(!parsed || same(saved, parsed));
    fuzz::require(writer.clear(path).isEmpty());
    fuzz::require(QFileInfo(path).size() == static_cast<qint64>(size) - (parsed ? id3::TagSize : 0));
    return 0;
}
