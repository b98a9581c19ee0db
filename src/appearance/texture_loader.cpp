#include "appearance/texture_loader.h"

#include "appearance/texture_bitmap.h"
#include "appearance/texture_description.h"
#include "appearance/winamp_skin.h"
#include "appearance/window_shape.h"

#include <algorithm>

namespace {

bool load(const TextureSource &source, PixelBudget &budget, const QString &name, QImage &picture)
{
    std::optional<QImage> image = readTextureBitmap(source, name, budget);
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
    PixelBudget budget;
    if (readTextureBitmap(source, QStringLiteral("cButtons.bmp"), budget))
        return loadWinampSkin(source);

    auto texture = std::make_shared<TextureSet>(TextureSet::builtin());
    TexturePictures &p = texture->pictures;
    load(source, budget, QStringLiteral("main.bmp"), p.main);
    load(source, budget, QStringLiteral("eqmain.bmp"), p.equalizer);
    load(source, budget, QStringLiteral("selected.bmp"), p.selected);
    load(source, budget, QStringLiteral("browser.bmp"), p.browser);
    load(source, budget, QStringLiteral("recorder.bmp"), p.recorder);
    load(source, budget, QStringLiteral("playlist.bmp"), p.playlist);
    load(source, budget, QStringLiteral("Status.bmp"), p.status);
    load(source, budget, QStringLiteral("ScrollDown.bmp"), p.positionKnobPressed);
    load(source, budget, QStringLiteral("Scrollup.bmp"), p.positionKnob);
    load(source, budget, QStringLiteral("volup.bmp"), p.volumeKnob);
    load(source, budget, QStringLiteral("volDown.bmp"), p.volumeKnobPressed);
    // Without them the Cool Bar keeps the built-in pictures and layout.
    const bool hasCoolBarPictures = load(source, budget, QStringLiteral("CPMain.bmp"), p.coolBarMain);
    load(source, budget, QStringLiteral("CPSelected.bmp"), p.coolBarSelected);
    if (!load(source, budget, QStringLiteral("Numbers.bmp"), p.numbers))
        load(source, budget, QStringLiteral("Nums_ex.bmp"), p.numbers);

    const std::optional<QImage> mask = readTextureBitmap(source, QStringLiteral("mainmask.bmp"), budget);

    if (const auto ini = source.file(QStringLiteral("Texture.ini"), MaxDescriptionBytes))
        readTextureIni(*ini, hasCoolBarPictures, texture->layout, texture->info);
    else if (const auto prefs = source.file(QStringLiteral("prefs"), MaxDescriptionBytes))
        readLegacyPrefs(*prefs, source.name(), hasCoolBarPictures, texture->layout, texture->info);
    if (budget.exceeded())
        return {nullptr, PixelBudget::refusal(source.name())};

    const TextureLayout builtin;
    MainLayout &main = texture->layout.main;
    keepUsable(main.width, main.height, builtin.main.width, builtin.main.height);
    CoolBarLayout &bar = texture->layout.coolBar;
    keepUsable(bar.width, bar.height, builtin.coolBar.width, builtin.coolBar.height);
    // Without a mask the window is a rectangle; an all-white mask, too.
    texture->mainShape = mask ? maskRegion(*mask, QSize(main.width, main.height)) : QRegion();
    countHoverFrames(*texture);
    texture->visColors = readVisColors(source);
    return {std::move(texture), {}};
}
