#include "disc_record.h"

#include <QHash>

namespace cd {

namespace {

// "Artist / Title": split at the first " / ". Without one, the first "/"
// splits, the blank before it stays with the artist and one blank after it
// goes. Without a slash the whole value names the artist.
void applyDiscTitle(const QString &value, DiscNames &names)
{
    const qsizetype separator = value.indexOf(QLatin1String(" / "));
    if (separator >= 0) {
        names.artist = value.left(separator);
        names.title = value.mid(separator + 3);
        return;
    }
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

// The values of a record's keys, each joined over its lines, in the order
// the keys first appear.
struct RecordValues {
    QStringList keys;
    QHash<QString, QString> values;

    void add(const QString &key, const QString &part)
    {
        auto found = values.find(key);
        if (found == values.end()) {
            keys << key;
            values.insert(key, part);
        } else {
            *found += part;
        }
    }
    QString value(const QString &key) const { return unescapedValue(values.value(key)); }
};

// The number of a "TTITLEn" or "EXTTn" key; -1 for another key.
int trackOfKey(const QString &key, QLatin1String prefix)
{
    if (!key.startsWith(prefix))
        return -1;
    bool number = false;
    const int track = key.mid(prefix.size()).toInt(&number);
    return number && track >= 0 ? track : -1;
}

}  // namespace

QString unescapedValue(const QString &value)
{
    QString text;
    text.reserve(value.size());
    for (qsizetype i = 0; i < value.size(); ++i) {
        const QChar next = i + 1 < value.size() ? value[i + 1] : QChar();
        if (value[i] == '\\' && (next == 'n' || next == 't' || next == '\\')) {
            text += next == 'n' ? QChar('\n') : next == 't' ? QChar('\t') : QChar('\\');
            ++i;
        } else {
            text += value[i];
        }
    }
    return text;
}

void applyDiscRecord(const QStringList &lines, DiscNames &names)
{
    RecordValues record;
    for (const QString &line : lines) {
        if (line.startsWith(QLatin1String("# revision"), Qt::CaseInsensitive)) {
            bool number = false;
            const int revision = line.mid(11).trimmed().toInt(&number);
            if (number)
                names.revision = revision;
            continue;
        }
        const qsizetype equals = line.indexOf('=');
        if (line.startsWith('#') || equals < 0)
            continue;
        record.add(line.left(equals).trimmed().toUpper(), line.mid(equals + 1));
    }
    names.tracks.clear();
    names.extt.clear();
    QHash<int, qsizetype> trackIndex;  // a key's number to its place in `tracks`
    for (const QString &key : record.keys)
        if (const int track = trackOfKey(key, QLatin1String("TTITLE")); track >= 0) {
            trackIndex.insert(track, names.tracks.size());
            names.tracks << record.value(key);
        }
    names.extt = QStringList(names.tracks.size());
    for (const QString &key : record.keys)
        if (const int track = trackOfKey(key, QLatin1String("EXTT")); track >= 0 && trackIndex.contains(track))
            names.extt[trackIndex.value(track)] = record.value(key);
    while (!names.extt.isEmpty() && names.extt.last().isEmpty())
        names.extt.removeLast();
    if (record.values.contains(QStringLiteral("DTITLE")))
        applyDiscTitle(record.value(QStringLiteral("DTITLE")), names);
    names.year = record.value(QStringLiteral("DYEAR"));
    names.genre = record.value(QStringLiteral("DGENRE"));
    names.extd = record.value(QStringLiteral("EXTD"));
}

DiscNames parseDiscRecord(const QStringList &lines)
{
    DiscNames names;
    applyDiscRecord(lines, names);
    return names;
}

}  // namespace cd
