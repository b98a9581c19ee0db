#include "playlist/song_tag.h"

#include "playlist/id3_genres.h"

namespace {

QString orStandIn(const QString &value, const char *standIn)
{
    return value.isEmpty() ? QString::fromLatin1(standIn) : value;
}

}  // namespace

SongTag songTag(const std::optional<Id3Tag> &tag)
{
    SongTag song;
    if (!tag) {
        song.title = QStringLiteral("No ID3 Tag");
        return song;
    }
    song.present = true;
    song.title = tag->title;
    song.artist = orStandIn(tag->artist, "<ARTIST>");
    song.album = orStandIn(tag->album, "<ALBUM>");
    const bool blankYear = tag->year.size() == 4 && tag->year.front() == ' ' && tag->year.back() == ' ';
    song.year = blankYear ? QStringLiteral("<YEAR>") : tag->year;
    song.comment = orStandIn(tag->comment, "<COMMENT>");
    song.genre = id3GenreName(tag->genre);
    if (!tag->title.isEmpty())
        song.displayTitle = tag->artist.isEmpty() ? tag->title : tag->artist + " - " + tag->title;
    return song;
}

void showTagColumns(PlaylistModel &playlist, int index, const std::optional<Id3Tag> &tag)
{
    if (index < 0 || index >= playlist.entryCount())
        return;
    const QString na = QStringLiteral("<NA>");
    playlist.setColumn(index, PlaylistEntry::Artist, tag ? orStandIn(tag->artist, "<NA>") : QString());
    playlist.setColumn(index, PlaylistEntry::Album, tag ? orStandIn(tag->album, "<NA>") : QString());
    const QString genre = tag ? id3GenreName(tag->genre) : QString();
    playlist.setColumn(index, PlaylistEntry::Genre, tag && genre.isEmpty() ? na : genre);
}
