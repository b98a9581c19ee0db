// The built-in texture's pictures: sizes the layout implies, a "selected"
// picture that differs only at the buttons, distinct digits and states, and
// texts that stand out from the display behind them.

#include "appearance/main_button.h"
#include "appearance/texture_set.h"
#include "appearance/window_shape.h"

#include <gtest/gtest.h>

namespace {

const TextureSet &builtin()
{
    static const TextureSet texture = TextureSet::builtin();
    return texture;
}

bool samePixels(const QImage &a, const QImage &b, const QRect &rect)
{
    return a.copy(rect) == b.copy(rect);
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

}  // namespace

TEST(BuiltinTexture, PicturesHaveTheSizesTheLayoutImplies)
{
    const TexturePictures &p = builtin().pictures;
    const TextureLayout &layout = builtin().layout;
    EXPECT_EQ(p.main.size(), QSize(245, 140));
    EXPECT_EQ(p.selected.size(), p.main.size());
    EXPECT_EQ(p.coolBarMain.size(), QSize(245, 19));
    EXPECT_EQ(p.coolBarSelected.size(), QSize(245, 19));
    EXPECT_EQ(p.status.size(), QSize(38, 13));
    EXPECT_EQ(p.numbers.size(), QSize(10 * 14, 20));
    EXPECT_EQ(p.positionKnob.size(), QSize(12, 9));
    EXPECT_EQ(p.positionKnobPressed.size(), QSize(12, 9));
    EXPECT_EQ(p.volumeKnob.size(), QSize(7, 7));
    EXPECT_EQ(p.volumeKnobPressed.size(), QSize(7, 7));
    // Playlist: the highlighted bar 100 rows below the bar, one hover frame.
    EXPECT_GE(p.playlist.width(), layout.playlist.sort.right() - 5 + 1);
    EXPECT_EQ((p.playlist.height() - 100) / 50, 1);
    EXPECT_GE(p.equalizer.width(), 275);
    EXPECT_GE(p.equalizer.height(), 227);
    EXPECT_GE(p.browser.width(), 300);
    EXPECT_GE(p.browser.height(), 30);
    EXPECT_GE(p.recorder.width(), 120);
    EXPECT_GE(p.recorder.height(), 200);
}

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

TEST(BuiltinTexture, SelectedPictureDiffersOnlyAtTheButtons)
{
    const TexturePictures &p = builtin().pictures;
    const MainLayout &layout = builtin().layout.main;
    QRegion buttons;
    for (MainButton button : allMainButtons()) {
        const QRect rect = mainButtonRect(layout, button);
        if (rect.isEmpty())
            continue;
        buttons += rect;
        EXPECT_FALSE(samePixels(p.main, p.selected, rect)) << static_cast<int>(button);
    }
    // Everything but the buttons is alike.
    const QRegion elsewhere = QRegion(0, 0, 245, 140).subtracted(buttons);
    for (const QRect &rect : elsewhere) {
        for (int y = rect.top(); y <= rect.bottom(); ++y) {
            for (int x = rect.left(); x <= rect.right(); ++x)
                ASSERT_EQ(p.main.pixel(x, y), p.selected.pixel(x, y)) << x << "," << y;
        }
    }
    for (MainButton button : {MainButton::Play, MainButton::Load, MainButton::Exit, MainButton::Playlist}) {
        const QRect rect = mainButtonRect(layout, button);
        EXPECT_GT(averageLightness(p.selected, rect), averageLightness(p.main, rect)) << static_cast<int>(button);
    }
}

TEST(BuiltinTexture, CoolBarSelectedPictureLightsItsButtons)
{
    const TexturePictures &p = builtin().pictures;
    const CoolBarLayout &bar = builtin().layout.coolBar;
    QRegion buttons;
    for (const QRect &rect : {bar.play, bar.pause, bar.stop, bar.load, bar.previous, bar.rewind, bar.forward, bar.next,
                              bar.mode, bar.exit}) {
        buttons += rect;
        EXPECT_FALSE(samePixels(p.coolBarMain, p.coolBarSelected, rect)) << rect.x();
    }
    for (const QRect &rect : QRegion(0, 0, bar.width, bar.height).subtracted(buttons))
        EXPECT_TRUE(samePixels(p.coolBarMain, p.coolBarSelected, rect)) << rect.x() << "," << rect.y();
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
    // The borders repeat along their length: every row of the left border
    // piece (20, 55)-(25, 90) is the same, and so is every column of the top
    // border piece (25, 50)-(65, 55).
    for (int y = 56; y < 90; ++y)
        EXPECT_EQ(playlist.copy(20, y, 5, 1), playlist.copy(20, 55, 5, 1)) << y;
    for (int x = 26; x < 65; ++x)
        EXPECT_EQ(playlist.copy(x, 50, 1, 5), playlist.copy(25, 50, 1, 5)) << x;
    for (int x = 26; x < 65; ++x)
        EXPECT_EQ(playlist.copy(x, 95, 1, 5), playlist.copy(25, 95, 1, 5)) << x;
}

TEST(BuiltinTexture, DigitsAndPlayStatesAreDistinct)
{
    const TexturePictures &p = builtin().pictures;
    for (int a = 0; a < 10; ++a) {
        const QImage digit = p.numbers.copy(14 * a, 0, 14, 20);
        EXPECT_GT(averageLightness(digit, digit.rect()), 0.05) << a;
        for (int b = a + 1; b < 10; ++b)
            EXPECT_NE(digit, p.numbers.copy(14 * b, 0, 14, 20)) << a << " vs " << b;
    }
    const QImage playing = p.status.copy(statusPictureRect(1));
    const QImage stopped = p.status.copy(statusPictureRect(0));
    const QImage paused = p.status.copy(statusPictureRect(2));
    EXPECT_NE(playing, stopped);
    EXPECT_NE(playing, paused);
    EXPECT_NE(stopped, paused);
    EXPECT_EQ(statusPictureRect(1).x(), 0);
    EXPECT_EQ(statusPictureRect(0).x(), 11);
    EXPECT_EQ(statusPictureRect(2).x(), 22);
    EXPECT_GT(qAlpha(p.status.pixel(35, 2)), 200);
}

TEST(BuiltinTexture, TextsStandOutFromTheDisplayBehindThem)
{
    const TextureSet &texture = builtin();
    const MainLayout &layout = texture.layout.main;
    const QImage &main = texture.pictures.main;
    const struct {
        const TextElement &element;
        QRect area;
    } texts[] = {
        {layout.fileName, layout.titlePanel()},
        {layout.monoStereo, QRect(layout.monoStereo.left + 12, layout.monoStereo.top, 40, 12)},
        {layout.fileLength, QRect(layout.fileLength.left + 20, layout.fileLength.top, 34, 12)},
    };
    for (const auto &text : texts) {
        const double background = averageLightness(main, text.area);
        const double ink = lightness(toQColor(text.element.color).rgb());
        EXPECT_LT(background, 0.12) << text.element.left;
        EXPECT_GT(ink - background, 0.6) << text.element.left;
    }
}
