#pragma once

// Whole files in a test's temporary folder: written at once, folders made as
// needed, and read back.

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <gtest/gtest.h>

// Returns `path`, so that a test can name the file where it makes it.
inline QString writeFile(const QString &path, const QByteArray &bytes = {})
{
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        ADD_FAILURE() << "cannot write " << path.toStdString();
    return path;
}

inline QByteArray readFile(const QString &path)
{
    QFile file(path);
    file.open(QIODevice::ReadOnly);
    return file.readAll();
}

// The names in a folder, hidden ones included, by name.
inline QStringList entries(const QString &folder)
{
    return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot, QDir::Name);
}
