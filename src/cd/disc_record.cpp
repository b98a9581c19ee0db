#include "disc_record.h"

namespace cd {

namespace {

// "Artist / Title": the blank before the slash stays with the artist, one
// blank after it goes. Without a slash the whole value names the artist.
void applyDiscTitle(const QString &value, DiscNames &names)
{
    const qsizetype slash = value.indexOf('/');
    if (slash < 0) {
        names.artist = value;
        names.title.clear();
        return;
    }
    names.artist = value.left(slash);
    names.title = value.mid(slash + 1);
    if (names.title.startsWith(' '))
        names.title.remove(0, 1);
}

}  // namespace

void applyDiscRecord(const QStringList &lines, DiscNames &names)
{
    names.tracks.clear();
    QString previousTrackKey;
    for (const QString &line : lines) {
        if (line.startsWith(QLatin1String("# revision"), Qt::CaseInsensitive)) {
            bool number = false;
            const int revision = line.mid(11).trimmed().toInt(&number);
            if (number)
                names.revision = revision;
        }
        const QString key = line.left(6).toUpper();
        if (key == QLatin1String("TTITLE")) {
            const qsizetype equals = line.indexOf('=');
            const QString value = equals < 0 ? QString() : line.mid(equals + 1);
            // Up to two digits of the track number: a long title goes on in
            // the next line of the same number.
            const QString trackKey = line.mid(6, 2);
            if (!names.tracks.isEmpty() && trackKey == previousTrackKey)
                names.tracks.last() += value;
            else
                names.tracks << value;
            previousTrackKey = trackKey;
        } else if (key == QLatin1String("DTITLE")) {
            applyDiscTitle(line.mid(7), names);
        }
    }
}

DiscNames parseDiscRecord(const QStringList &lines)
{
    DiscNames names;
    applyDiscRecord(lines, names);
    return names;
}

}  // namespace cd
