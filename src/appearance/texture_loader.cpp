#include "appearance/texture_loader.h"

#include "appearance/texture_bitmap.h"
#include "appearance/texture_description.h"
#include "appearance/winamp_skin.h"
#include "appearance/window_shape.h"

#include <algorithm>

namespace {

bool load(const TextureSource &source, const QString &name, QImage &picture)
{
    std::optional<QImage> image = readTextureBitmap(source, name);
    if (image)
        picture = std::move(*image);
    return image.has_value();
}

// A size that leaves no window to see or click takes the built-in one.
void keepUsable(int &width, int &height, int builtinWidth, int builtinHeight)
{
    if (width < MinimumWindowSide || height < MinimumWindowSide) {
        width = builtinWidth;
        height = builtinHeight;
    }
    width = std::min(width, MaxBitmapSide);
    height = std::min(height, MaxBitmapSide);
}

// Frames of the "selected" pictures: on when it is more than one and a half
// times as tall as the main picture.
void countHoverFrames(TextureSet &texture)
{
    const TexturePictures &p = texture.pictures;
    if (p.main.height() * 3 >= p.selected.height() * 2)
        return;
    texture.hoverFrames = p.selected.height() / std::max(1, p.main.height());
    texture.playlistHoverFrames = std::max(1, (p.playlist.height() - 100) / 50);
}

}  // namespace

LoadedTexture loadTextureFolder(const TextureSource &source)
{
    if (readTextureBitmap(source, QStringLiteral("cButtons.bmp")))
        return loadWinampSkin(source);

    auto texture = std::make_shared<TextureSet>(TextureSet::builtin());
    TexturePictures &p = texture->pictures;
    load(source, QStringLiteral("main.bmp"), p.main);
    load(source, QStringLiteral("eqmain.bmp"), p.equalizer);
    load(source, QStringLiteral("selected.bmp"), p.selected);
    load(source, QStringLiteral("browser.bmp"), p.browser);
    load(source, QStringLiteral("recorder.bmp"), p.recorder);
    load(source, QStringLiteral("playlist.bmp"), p.playlist);
    load(source, QStringLiteral("Status.bmp"), p.status);
    load(source, QStringLiteral("ScrollDown.bmp"), p.positionKnobPressed);
    load(source, QStringLiteral("Scrollup.bmp"), p.positionKnob);
    load(source, QStringLiteral("volup.bmp"), p.volumeKnob);
    load(source, QStringLiteral("volDown.bmp"), p.volumeKnobPressed);
    // Without them the Cool Bar keeps the built-in pictures and layout.
    const bool hasCoolBarPictures = load(source, QStringLiteral("CPMain.bmp"), p.coolBarMain);
    load(source, QStringLiteral("CPSelected.bmp"), p.coolBarSelected);
    if (!load(source, QStringLiteral("Numbers.bmp"), p.numbers))
        load(source, QStringLiteral("Nums_ex.bmp"), p.numbers);

    // Without a mask the window is a rectangle; an all-white mask, too.
    texture->mainShape = {};
    if (const std::optional<QImage> mask = readTextureBitmap(source, QStringLiteral("mainmask.bmp")))
        texture->mainShape = maskRegion(*mask);

    if (const auto ini = source.file(QStringLiteral("Texture.ini"), MaxDescriptionBytes))
        readTextureIni(*ini, hasCoolBarPictures, texture->layout, texture->info);
    else if (const auto prefs = source.file(QStringLiteral("prefs"), MaxDescriptionBytes))
        readLegacyPrefs(*prefs, source.name(), hasCoolBarPictures, texture->layout, texture->info);

    const TextureLayout builtin;
    MainLayout &main = texture->layout.main;
    keepUsable(main.width, main.height, builtin.main.width, builtin.main.height);
    CoolBarLayout &bar = texture->layout.coolBar;
    keepUsable(bar.width, bar.height, builtin.coolBar.width, builtin.coolBar.height);
    countHoverFrames(*texture);
    return {std::move(texture), {}};
}
