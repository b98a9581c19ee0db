#include "sound/preset_folder.h"

#include <QDir>
#include <QFile>
#include <QSaveFile>

QStringList PresetFolder::names() const
{
    return QDir(folder_).entryList(QDir::Files | QDir::NoDotAndDotDot, QDir::Name | QDir::IgnoreCase);
}

QString PresetFolder::refusal(const QString &name)
{
    if (name.contains('/') || name.contains(QLatin1String("..")) || name == QLatin1String("."))
        return QStringLiteral("A preset name cannot contain \"/\" or \"..\".");
    return {};
}

QString PresetFolder::save(const QString &name, const equalizer::Positions &positions) const
{
    if (const QString refused = refusal(name); !refused.isEmpty())
        return refused;
    QSaveFile file(folder_ + name);
    if (!file.open(QIODevice::WriteOnly))
        return file.errorString();
    QByteArray text;
    for (int value : equalizer::storedValues(positions))
        text += QByteArray::number(value) + '\n';
    if (file.write(text) != text.size() || !file.commit())
        return file.errorString();
    return {};
}

PresetFolder::Loaded PresetFolder::load(const QString &name) const
{
    Loaded loaded;
    if (const QString refused = refusal(name); !refused.isEmpty()) {
        loaded.error = refused;
        return loaded;
    }
    QFile file(folder_ + name);
    if (!file.open(QIODevice::ReadOnly)) {
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
