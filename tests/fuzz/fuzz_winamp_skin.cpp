// A Winamp skin as the loader reads it: with a first byte 0 the rest is a
// zipped skin; otherwise the rest is every bitmap of a skin folder. What
// loads is painted, normal and shade, with every indicator at its extremes.

#include "appearance/texture_archive.h"
#include "appearance/winamp_skin.h"
#include "fuzz_input.h"

#include <QGuiApplication>

namespace {

class SameFileEverywhere final : public TextureSource {
public:
    explicit SameFileEverywhere(QByteArray bytes) : bytes_(std::move(bytes)) {}
    std::optional<QByteArray> file(const QString &, qint64 limit) const override
    {
        return bytes_.size() <= limit ? std::optional(bytes_) : std::nullopt;
    }
    QString name() const override { return QStringLiteral("Fuzz"); }

private:
    QByteArray bytes_;
};

void check(const LoadedTexture &loaded)
{
    if (!loaded.texture)
        return;
    const TextureSet &texture = *loaded.texture;
    fuzz::require(texture.winamp && texture.layout.main.width == 275 && texture.layout.main.height == 116);
    QImage window(275, 116, QImage::Format_RGB32);
    QPainter painter(&window);
    // clang-format off
    const WinampState state{.seconds = 100 * 60 + 7, .remaining = true, .playState = 2, .volume = 100, .balance = 0,
                            .mono = true, .shuffle = true, .repeat = true, .title = QString(200, QChar(0xE5)),
                            .position = 2, .bitRate = 100000, .sampleRate = 192000, .titleLeft = -300};
    // clang-format on
    paintWinampIndicators(painter, *texture.winamp, state);
    paintWinampShade(painter, *texture.winamp, state);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    static int argc = 1;
    static char *argv[] = {const_cast<char *>("fuzz"), nullptr};
    static const bool offscreen = qputenv("QT_QPA_PLATFORM", "offscreen");
    static const QGuiApplication app(argc, argv);
    if (size == 0 || !offscreen)
        return 0;
    if (data[0] == 0) {
        const TextureArchive archive(fuzz::inputFile(data + 1, size - 1, QStringLiteral("skin.wsz")));
        if (archive.usable())
            check(loadWinampSkin(archive));
    } else {
        const QByteArray bytes(reinterpret_cast<const char *>(data + 1), static_cast<qsizetype>(size - 1));
        check(loadWinampSkin(SameFileEverywhere(bytes)));
    }
    return 0;
}
