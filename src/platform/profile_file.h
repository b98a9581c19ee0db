#pragma once

// Profile (INI) files: sections of "key=value" lines. Section and key names
// are compared without regard to letter case and the first occurrence wins;
// values are kept as written. Saving replaces the file in one step, so a
// crash or a full disk never leaves half a file.

#include <QByteArray>
#include <QString>

#include <vector>

namespace platform {

class ProfileFile {
public:
    // A missing or unreadable file gives an empty profile.
    static ProfileFile load(const QString &path);
    // The profile written in `bytes`.
    static ProfileFile parse(const QByteArray &bytes);
    // Writes to a temporary file beside it and renames it over the old one.
    bool save(const QString &path, QString *error = nullptr) const;

    bool contains(const QString &section, const QString &key) const { return find(section, key) != nullptr; }
    QString readString(const QString &section, const QString &key, const QString &fallback) const;
    // Decimal, or hexadecimal for a value of more than two characters that
    // starts with "0x"; anything else gives the fallback.
    int readInteger(const QString &section, const QString &key, int fallback) const;
    bool readBool(const QString &section, const QString &key, bool fallback) const;

    void writeString(const QString &section, const QString &key, const QString &value);
    void writeInteger(const QString &section, const QString &key, int value);
    void writeBool(const QString &section, const QString &key, bool value);

private:
    struct Entry {
        QString key, value;
    };
    struct Section {
        QString name;
        std::vector<Entry> entries;
    };

    const Entry *find(const QString &section, const QString &key) const;

    std::vector<Section> sections_;
};

}  // namespace platform
