#include "disc_transport.h"

NowPlaying DiscTransport::nowPlaying() const
{
    NowPlaying now;
    const int track = disc_.track();
    if (disc_.trackCount() <= 0 || track < 0)
        return now;
    const cd::DiscNames &names = disc_.names();
    now.location = QStringLiteral("cdda://%1").arg(track + 1);
    now.number = track;
    now.title = names.tracks.value(track);
    if (!names.artist.isEmpty())
        now.artists = QStringList{names.artist};
    now.album = names.title;
    now.lengthSeconds = disc_.trackLengthSeconds();
    return now;
}
