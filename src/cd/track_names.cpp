#include "track_names.h"

#include "disc_record.h"
#include "text_lines.h"
#include "xmcd_record.h"

#include "platform/data_folders.h"
#include "platform/whole_file.h"

#include <QDir>
#include <QFile>

#include <optional>

namespace cd {

namespace {

QString extraFile(const QString &tracksFolder, const QString &discId)
{
    return QDir(tracksFolder).filePath(discId + ".extra");
}

void loadExtra(const QString &path, DiscNames &names)
{
    const std::optional<QStringList> lines = readTextLines(path);
    if (!lines)
        return;
    for (const QString &line : *lines) {
        const QString key = line.section('=', 0, 0);
        const QString value = unescapedValue(line.section('=', 1));
        if (key == QLatin1String("REVISION"))
            names.revision = value.toInt();
        else if (key == QLatin1String("DYEAR"))
            names.year = value;
        else if (key == QLatin1String("DGENRE"))
            names.genre = value;
        else if (key == QLatin1String("EXTD"))
            names.extd = value;
        else if (key.startsWith(QLatin1String("EXTT"))) {
            bool number = false;
            const int track = key.mid(4).toInt(&number);
            if (!number || track < 0 || track >= names.tracks.size())
                continue;
            if (names.extt.size() <= track)
                names.extt.resize(track + 1);
            names.extt[track] = value;
        }
    }
}

// None when the record held nothing beyond the names.
QString extraText(const DiscNames &names)
{
    QString text;
    const auto add = [&](const QString &key, const QString &value) {
        if (!value.isEmpty())
            text += key + '=' + escapedValue(value) + '\n';
    };
    add(QStringLiteral("REVISION"), names.revision > 0 ? QString::number(names.revision) : QString());
    add(QStringLiteral("DYEAR"), names.year);
    add(QStringLiteral("DGENRE"), names.genre);
    add(QStringLiteral("EXTD"), names.extd);
    for (qsizetype i = 0; i < names.extt.size(); ++i)
        add("EXTT" + QString::number(i), names.extt[i]);
    return text;
}

}  // namespace

QString tracksFolder()
{
    return platform::DataFolders::current().user() + "tracks/";
}

bool loadTrackNames(const QString &tracksFolder, const DiscId &id, const QString &legacyName, int trackCount,
                    DiscNames &names)
{
    const QDir folder(tracksFolder);
    // Lines beyond the disc's tracks name nothing on it.
    const qsizetype kept = trackCount > 0 ? trackCount : -1;
    names = DiscNames();
    if (!legacyName.isEmpty()) {
        const QString legacyPath = folder.filePath(legacyName);
        if (std::optional<QStringList> lines = readTextLines(legacyPath)) {
            names.tracks = lines->mid(0, kept);
            // The old file goes only once its names are safe in the new one.
            if (saveTrackNames(tracksFolder, id.id, names))
                QFile::remove(legacyPath);
            return true;
        }
    }
    if (std::optional<QStringList> lines = readTextLines(folder.filePath(id.id))) {
        names.title = lines->value(0);
        names.artist = lines->value(1);
        names.tracks = lines->mid(2, kept);
        loadExtra(extraFile(tracksFolder, id.id), names);
        return true;
    }
    if (trackCount > 0 && trackCount < 100)
        for (int i = 0; i < trackCount; ++i)
            names.tracks << QStringLiteral("CD-Track");
    return false;
}

bool saveTrackNames(const QString &tracksFolder, const QString &discId, const DiscNames &names)
{
    if (names.tracks.isEmpty())
        return true;
    QString text = singleLine(names.title) + '\n' + singleLine(names.artist) + '\n';
    for (const QString &track : names.tracks)
        text += singleLine(track) + '\n';
    if (!QDir().mkpath(tracksFolder))
        return false;
    if (!platform::saveWholeFile(QDir(tracksFolder).filePath(discId), text.toUtf8()).isEmpty())
        return false;
    const QString extra = extraText(names);
    if (extra.isEmpty())
        return !QFile::exists(extraFile(tracksFolder, discId)) || QFile::remove(extraFile(tracksFolder, discId));
    return platform::saveWholeFile(extraFile(tracksFolder, discId), extra.toUtf8()).isEmpty();
}

}  // namespace cd
