// The built-in texture's pictures: "selected" pictures that differ only at
// the buttons, borders that tile, distinct digits, and texts that stand out
// from the display behind them.

#include "appearance/main_button.h"
#include "appearance/texture_set.h"
#include "appearance/window_shape.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

const TextureSet &builtin()
{
    static const TextureSet texture = TextureSet::builtin();
    return texture;
}

double lightness(QRgb pixel)
{
    return (0.2126 * qRed(pixel) + 0.7152 * qGreen(pixel) + 0.0722 * qBlue(pixel)) / 255.0;
}

double averageLightness(const QImage &image, const QRect &rect)
{
    double sum = 0;
    for (int y = rect.top(); y <= rect.bottom(); ++y) {
        for (int x = rect.left(); x <= rect.right(); ++x)
            sum += lightness(image.pixel(x, y));
    }
    return sum / (rect.width() * rect.height());
}

// `selected` differs from `normal` in each button and nowhere else.
void expectDifferenceOnlyAt(const QImage &normal, const QImage &selected, const std::vector<QRect> &buttons)
{
    QRegion pressed;
    for (const QRect &rect : buttons) {
        pressed += rect;
        EXPECT_NE(normal.copy(rect), selected.copy(rect)) << rect.x() << "," << rect.y();
    }
    for (const QRect &rect : QRegion(normal.rect()).subtracted(pressed))
        EXPECT_EQ(normal.copy(rect), selected.copy(rect)) << rect.x() << "," << rect.y();
}

}  // namespace

TEST(BuiltinTexture, MainPictureIsOpaqueWithinTheWindowShape)
{
    const QImage &main = builtin().pictures.main;
    for (const QRect &band : builtinWindowShape()) {
        for (int y = band.top(); y <= band.bottom(); ++y) {
            for (int x = band.left(); x <= std::min(band.right(), main.width() - 1); ++x)
                ASSERT_EQ(qAlpha(main.pixel(x, y)), 255) << x << "," << y;
        }
    }
}

TEST(BuiltinTexture, SelectedPicturesDifferOnlyAtTheButtonsAndLightThem)
{
    const TexturePictures &p = builtin().pictures;
    const MainLayout &layout = builtin().layout.main;
    std::vector<QRect> buttons;
    for (MainButton button : allMainButtons())
        if (!mainButtonRect(layout, button).isEmpty())
            buttons.push_back(mainButtonRect(layout, button));
    expectDifferenceOnlyAt(p.main, p.selected, buttons);
    for (MainButton button : {MainButton::Play, MainButton::Load, MainButton::Exit, MainButton::Playlist}) {
        const QRect rect = mainButtonRect(layout, button);
        EXPECT_GT(averageLightness(p.selected, rect), averageLightness(p.main, rect)) << static_cast<int>(button);
    }
    const CoolBarLayout &bar = builtin().layout.coolBar;
    expectDifferenceOnlyAt(
        p.coolBarMain, p.coolBarSelected,
        {bar.play, bar.pause, bar.stop, bar.load, bar.previous, bar.rewind, bar.forward, bar.next, bar.mode, bar.exit});
}

TEST(BuiltinTexture, PlaylistButtonsAreHighlightedOneHundredRowsLower)
{
    const QImage &playlist = builtin().pictures.playlist;
    const PlaylistLayout &layout = builtin().layout.playlist;
    for (const QRect &button :
         {layout.file, layout.add, layout.remove, layout.play, layout.edit, layout.id3tag, layout.sort}) {
        // A button at window place (L, T) lies at (L - 5, T - 5) in the bar.
        const QRect normal = button.translated(-5, -5);
        const QRect highlighted = button.translated(-5, 95);
        EXPECT_GT(averageLightness(playlist, highlighted), averageLightness(playlist, normal)) << button.x();
        // Between the buttons the two bars are alike.
        const QRect gap(normal.right() + 1, normal.top(), 2, normal.height());
        EXPECT_EQ(playlist.copy(gap), playlist.copy(gap.translated(0, 100))) << button.x();
    }
}

TEST(BuiltinTexture, FramePiecesTileWithoutSeams)
{
    const QImage &playlist = builtin().pictures.playlist;
    // Every row of the left border piece (20, 55)-(25, 90) is the same, and
    // so is every column of the top border pieces at rows 50 and 95.
    for (int y = 56; y < 90; ++y)
        EXPECT_EQ(playlist.copy(20, y, 5, 1), playlist.copy(20, 55, 5, 1)) << y;
    for (int x = 26; x < 65; ++x) {
        EXPECT_EQ(playlist.copy(x, 50, 1, 5), playlist.copy(25, 50, 1, 5)) << x;
        EXPECT_EQ(playlist.copy(x, 95, 1, 5), playlist.copy(25, 95, 1, 5)) << x;
    }
}

TEST(BuiltinTexture, DigitsAreDistinct)
{
    const QImage &numbers = builtin().pictures.numbers;
    for (int a = 0; a < 10; ++a) {
        const QImage digit = numbers.copy(14 * a, 0, 14, 20);
        EXPECT_GT(averageLightness(digit, digit.rect()), 0.05) << a;
        for (int b = a + 1; b < 10; ++b)
            EXPECT_NE(digit, numbers.copy(14 * b, 0, 14, 20)) << a << " vs " << b;
    }
}

TEST(BuiltinTexture, TextsStandOutFromTheDisplayBehindThem)
{
    const TextureSet &texture = builtin();
    const MainLayout &layout = texture.layout.main;
    const struct {
        const TextElement &element;
        QRect area;
    } texts[] = {
        {layout.fileName, layout.titlePanel()},
        {layout.monoStereo, QRect(layout.monoStereo.left + 12, layout.monoStereo.top, 40, 12)},
        {layout.fileLength, QRect(layout.fileLength.left + 20, layout.fileLength.top, 34, 12)},
    };
    for (const auto &text : texts) {
        const double background = averageLightness(texture.pictures.main, text.area);
        const double ink = lightness(toQColor(text.element.color).rgb());
        EXPECT_LT(background, 0.12) << text.element.left;
        EXPECT_GT(ink - background, 0.6) << text.element.left;
    }
}
