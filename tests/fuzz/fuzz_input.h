#pragma once

// The readers take file names: each input is written to one file of this
// process, in a temporary folder removed when the fuzzer ends.

#include <QFile>
#include <QTemporaryDir>

#include <cstdint>
#include <cstdlib>

namespace fuzz {

inline QString inputFile(const std::uint8_t *data, std::size_t size, const QString &name)
{
    static QTemporaryDir folder;
    const QString path = folder.filePath(name);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
        file.write(reinterpret_cast<const char *>(data), static_cast<qint64>(size)) != static_cast<qint64>(size))
        std::abort();
    return path;
}

// A broken promise of the code under test is a finding like a crash.
inline void require(bool promise)
{
    if (!promise)
        std::abort();
}

}  // namespace fuzz
