#include "track_names.h"

#include "text_lines.h"

#include "platform/data_folders.h"
#include "platform/whole_file.h"

#include <QDir>
#include <QFile>

#include <optional>

namespace cd {

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
    return platform::saveWholeFile(QDir(tracksFolder).filePath(discId), text.toUtf8()).isEmpty();
}

}  // namespace cd
