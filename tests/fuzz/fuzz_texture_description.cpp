// A texture folder's description as the loader reads it: the first byte
// picks "Texture.ini" or "prefs" and whether the texture has Cool Bar
// pictures, the rest is the file.

#include "appearance/texture_description.h"
#include "fuzz_input.h"

#include <algorithm>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    if (size == 0)
        return 0;
    const QByteArray file(reinterpret_cast<const char *>(data + 1), static_cast<qsizetype>(size - 1));
    const bool coolBarPictures = data[0] & 2;
    TextureLayout layout;
    TextureInfo info;
    if (data[0] & 1)
        readLegacyPrefs(file, QStringLiteral("Fuzz"), coolBarPictures, layout, info);
    else
        readTextureIni(file, coolBarPictures, layout, info);

    // Every number is kept far from what overflows when windows are laid out.
    const MainLayout &main = layout.main;
    const CoolBarLayout &bar = layout.coolBar;
    for (const QRect &rect : {main.counter, main.positionDot, main.play, bar.exit})
        fuzz::require(std::max({std::abs(rect.left()), std::abs(rect.top()), rect.width(), rect.height()}) <= 500000);
    for (const TextElement *text : {&main.fileName, &main.monoStereo, &main.fileLength, &main.filePos, &bar.counter})
        fuzz::require(text->size >= 0 && text->size <= 200 && std::abs(text->left) <= 100000);
    fuzz::require(std::abs(main.width) <= 100000);
    for (const SliderGeometry *slider : {&main.scrollerTime, &main.scrollerVolume, &main.scrollerBalance})
        fuzz::require(slider->length >= 0 && slider->length <= 100000);
    return 0;
}
