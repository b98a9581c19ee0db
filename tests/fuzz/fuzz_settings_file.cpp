// "LudroPro.ini" as the player reads it at start: the profile file, then
// every setting over it.

#include "core/settings.h"
#include "fuzz_input.h"

namespace {

const QString home = QStringLiteral("/home/fuzz/");
const QString programFolder = QStringLiteral("/opt/ludro/");

// The file the player would write for these settings.
QByteArray written(const Settings &settings, const QString &path)
{
    platform::ProfileFile file;
    settings.write(file, programFolder);
    fuzz::require(file.save(path));
    QFile saved(path);
    fuzz::require(saved.open(QIODevice::ReadOnly));
    return saved.readAll();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QString path = fuzz::inputFile(data, size, QStringLiteral("LudroPro.ini"));
    Settings first;
    first.read(platform::ProfileFile::load(path), home);
    const QByteArray firstText = written(first, path);

    // Settings written once read back the same.
    Settings second;
    second.read(platform::ProfileFile::load(path), home);
    fuzz::require(written(second, path) == firstText);
    return 0;
}
