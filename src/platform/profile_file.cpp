#include "profile_file.h"

#include "regular_file.h"
#include "text_decoding.h"
#include "whole_file.h"

#include <QFile>

namespace platform {

ProfileFile ProfileFile::load(const QString &path)
{
    QFile file(path);
    if (!openRegularFile(file, QIODevice::ReadOnly))
        return {};
    return parse(file.readAll());
}

ProfileFile ProfileFile::parse(const QByteArray &bytes)
{
    ProfileFile profile;
    Section *current = nullptr;
    for (QString line : decodeText(bytes).split('\n')) {
        if (line.endsWith('\r'))
            line.chop(1);
        const QString trimmed = line.trimmed();
        if (trimmed.startsWith('[') && trimmed.endsWith(']')) {
            profile.sections_.push_back({trimmed.mid(1, trimmed.size() - 2).trimmed(), {}});
            current = &profile.sections_.back();
            continue;
        }
        const qsizetype equals = line.indexOf('=');
        if (!current || equals <= 0 || trimmed.startsWith(';'))
            continue;
        current->entries.push_back({line.left(equals).trimmed(), line.mid(equals + 1)});
    }
    return profile;
}

bool ProfileFile::save(const QString &path, QString *error) const
{
    QString text;
    for (const Section &section : sections_) {
        text += '[' + section.name + "]\n";
        for (const Entry &entry : section.entries)
            text += entry.key + '=' + entry.value + '\n';
    }
    const QString failure = saveWholeFile(path, text.toUtf8());
    if (error)
        *error = failure;
    return failure.isEmpty();
}

const ProfileFile::Entry *ProfileFile::find(const QString &section, const QString &key) const
{
    for (const Section &s : sections_) {
        if (s.name.compare(section, Qt::CaseInsensitive) != 0)
            continue;
        for (const Entry &e : s.entries)
            if (e.key.compare(key, Qt::CaseInsensitive) == 0)
                return &e;
    }
    return nullptr;
}

QString ProfileFile::readString(const QString &section, const QString &key, const QString &fallback) const
{
    const Entry *entry = find(section, key);
    return entry ? entry->value : fallback;
}

int ProfileFile::readInteger(const QString &section, const QString &key, int fallback) const
{
    const QString value = readString(section, key, QString()).trimmed();
    bool ok = false;
    int number = 0;
    if (value.size() > 2 && value.startsWith(QLatin1String("0x"), Qt::CaseInsensitive))
        number = static_cast<int>(value.mid(2).toUInt(&ok, 16));
    else
        number = value.toInt(&ok, 10);
    return ok ? number : fallback;
}

bool ProfileFile::readBool(const QString &section, const QString &key, bool fallback) const
{
    return readInteger(section, key, fallback ? 1 : 0) != 0;
}

void ProfileFile::writeString(const QString &section, const QString &key, const QString &text)
{
    // A line break inside a value would start a new key on reading.
    QString value = text;
    value.replace('\r', ' ').replace('\n', ' ');
    Section *target = nullptr;
    for (Section &s : sections_)
        if (s.name.compare(section, Qt::CaseInsensitive) == 0) {
            target = &s;
            break;
        }
    if (!target) {
        sections_.push_back({section, {}});
        target = &sections_.back();
    }
    for (Entry &e : target->entries)
        if (e.key.compare(key, Qt::CaseInsensitive) == 0) {
            e.value = value;
            return;
        }
    target->entries.push_back({key, value});
}

void ProfileFile::writeInteger(const QString &section, const QString &key, int value)
{
    writeString(section, key, QString::number(value));
}

void ProfileFile::writeBool(const QString &section, const QString &key, bool value)
{
    writeString(section, key, value ? QStringLiteral("1") : QStringLiteral("0"));
}

}  // namespace platform
