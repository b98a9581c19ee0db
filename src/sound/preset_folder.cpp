#include "sound/preset_folder.h"

#include "platform/data_folders.h"
#include "platform/program_folder.h"
#include "platform/regular_file.h"
#include "platform/whole_file.h"

#include <QDir>
#include <QFile>

QStringList PresetFolder::names() const
{
    QList<QStringList> lists;
    for (const QString &folder : folders_)
        lists << QDir(folder).entryList(QDir::Files, QDir::Name | QDir::IgnoreCase);
    QStringList names = platform::mergedNames(lists);
    names.sort(Qt::CaseInsensitive);
    return names;
}

QString PresetFolder::refusal(const QString &name)
{
    // A name starting with "." would be a hidden file that the list never shows.
    if (name.contains('/') || name.startsWith('.'))
        return QStringLiteral("A preset name cannot start with \".\" or contain \"/\".");
    return {};
}

QString PresetFolder::save(const QString &name, const equalizer::Positions &positions) const
{
    if (const QString refused = refusal(name); !refused.isEmpty())
        return refused;
    QByteArray text;
    for (int value : equalizer::storedValues(positions))
        text += QByteArray::number(value) + '\n';
    const QString folder = folders_.value(0);
    QDir().mkpath(folder);
    return platform::saveWholeFile(platform::pathIgnoringCase(folder, name), text);
}

PresetFolder::Loaded PresetFolder::load(const QString &name) const
{
    Loaded loaded;
    if (const QString refused = refusal(name); !refused.isEmpty()) {
        loaded.error = refused;
        return loaded;
    }
    QFile file(platform::findInFolders(folders_, name));
    if (!platform::openRegularFile(file, QIODevice::ReadOnly)) {
        loaded.error = file.errorString();
        return loaded;
    }
    const QList<QByteArray> lines = file.readAll().split('\n');
    for (int line = 1; line <= equalizer::SliderCount; ++line) {
        const QString text = line < lines.size() ? QString::fromUtf8(lines[line]).trimmed() : QString();
        bool ok = false;
        const int value = text.toInt(&ok);
        if (!ok) {
            loaded.error = QStringLiteral("'%1' is not a valid integer value").arg(text);
            return loaded;
        }
        loaded.positions.push_back(value);
    }
    return loaded;
}
