#include "xmcd_record.h"

namespace cd {

namespace {

// Servers refuse lines over 256 bytes, the line feed included.
constexpr qsizetype maxLineBytes = 255;

}  // namespace

QString escapedValue(const QString &value)
{
    QString text;
    text.reserve(value.size());
    for (const QChar c : value) {
        if (c == '\\')
            text += QLatin1String("\\\\");
        else if (c == '\n')
            text += QLatin1String("\\n");
        else if (c == '\t')
            text += QLatin1String("\\t");
        else
            text += c.category() == QChar::Other_Control ? QChar(' ') : c;
    }
    return text;
}

namespace {

// "KEY=value" in as many lines as the value needs, never splitting an
// escape or a character.
void addField(QStringList &lines, const QString &key, const QString &value)
{
    const QString text = escapedValue(value);
    const qsizetype room = maxLineBytes - key.size() - 1;
    QString part;
    qsizetype bytes = 0;
    for (qsizetype i = 0; i < text.size();) {
        const qsizetype length = (text[i] == '\\' || text[i].isHighSurrogate()) && i + 1 < text.size() ? 2 : 1;
        const QString unit = text.mid(i, length);
        const qsizetype unitBytes = unit.toUtf8().size();
        if (bytes + unitBytes > room) {
            lines << key + '=' + part;
            part.clear();
            bytes = 0;
        }
        part += unit;
        bytes += unitBytes;
        i += length;
    }
    lines << key + '=' + part;
}

}  // namespace

QStringList xmcdRecord(const DiscId &disc, const DiscNames &names, int revision)
{
    QStringList lines{QStringLiteral("# xmcd"), QStringLiteral("#"),
                      QStringLiteral("# Names given to the gnudb.org disc database under its terms of use"),
                      QStringLiteral("#"), QStringLiteral("# Track frame offsets:")};
    for (const long offset : disc.offsets)
        lines << "#   " + QString::number(offset);
    lines << QStringLiteral("#") << "# Disc length: " + QString::number(disc.discSeconds) + " seconds"
          << QStringLiteral("#") << "# Revision: " + QString::number(revision)
          << QStringLiteral("# Submitted via: Ludro Pro 2.0") << QStringLiteral("#") << "DISCID=" + disc.id;
    // A name read from a record keeps the blank before its slash; it is sent once.
    QString artist = names.artist;
    while (artist.endsWith(' '))
        artist.chop(1);
    addField(lines, QStringLiteral("DTITLE"), artist + " / " + names.title);
    // Servers want every keyword of the form, empty or not; what a fetched
    // record held goes back, so a resubmission keeps it.
    addField(lines, QStringLiteral("DYEAR"), names.year);
    addField(lines, QStringLiteral("DGENRE"), names.genre);
    for (qsizetype i = 0; i < names.tracks.size(); ++i)
        addField(lines, "TTITLE" + QString::number(i), names.tracks[i]);
    addField(lines, QStringLiteral("EXTD"), names.extd);
    for (qsizetype i = 0; i < names.tracks.size(); ++i)
        addField(lines, "EXTT" + QString::number(i), names.extt.value(i));
    lines << QStringLiteral("PLAYORDER=");
    return lines;
}

}  // namespace cd
