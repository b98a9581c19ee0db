// "LudroPro.ini" as the player reads it at start: the profile file, then
// every setting over it. Settings written once read back the same.

#include "core/settings.h"
#include "fuzz_input.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QString path = fuzz::inputFile(data, size, QStringLiteral("LudroPro.ini"));
    QByteArray written[2];
    for (QByteArray &text : written) {
        Settings settings;
        settings.read(platform::ProfileFile::load(path), QStringLiteral("/home/fuzz/"));
        platform::ProfileFile file;
        settings.write(file, QStringLiteral("/opt/ludro/"));
        fuzz::require(file.save(path));
        QFile saved(path);
        fuzz::require(saved.open(QIODevice::ReadOnly));
        text = saved.readAll();
    }
    fuzz::require(written[0] == written[1]);
    return 0;
}
