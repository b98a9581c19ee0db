// The built-in texture's pictures: opaque within the window's shape,
// "selected" pictures that differ only at the buttons, distinct digits.

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

double averageLightness(const QImage &image, const QRect &rect)
{
    double sum = 0;
    for (int y = rect.top(); y <= rect.bottom(); ++y)
        for (int x = rect.left(); x <= rect.right(); ++x) {
            const QRgb pixel = image.pixel(x, y);
            sum += (0.2126 * qRed(pixel) + 0.7152 * qGreen(pixel) + 0.0722 * qBlue(pixel)) / 255.0;
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
    for (const QRect &band : builtinWindowShape())
        for (int y = band.top(); y <= band.bottom(); ++y)
            for (int x = band.left(); x <= std::min(band.right(), main.width() - 1); ++x)
                ASSERT_EQ(qAlpha(main.pixel(x, y)), 255) << x << "," << y;
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
