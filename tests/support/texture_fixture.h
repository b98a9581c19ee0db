#pragma once

// Texture folders made by the tests. Every picture encodes its own pixels'
// places (red = x, green = y, both modulo 256, blue = the file's id), so a
// test knows what each pixel of a window must be from the fixture and the
// texture's rules alone.

#include "support/files.h"

#include <QImage>
#include <QPainter>
#include <QString>

#include <tuple>
#include <vector>

namespace fixture_texture {

// The files' ids; a Winamp skin's bitmaps from SkinMain on.
// clang-format off
enum Id {
    Main = 1, Selected, CoolBarMain, CoolBarSelected, Numbers, Status, Playlist, Equalizer, Knob, KnobDown, LevelKnob,
    LevelKnobDown, SkinMain, SkinButtons, SkinTitleBar, SkinPositionBar, SkinVolume, SkinNumbers, SkinText,
    SkinPlayPause, SkinShuffleRepeat, SkinMonoStereo, SkinEqualizer, Recorder, Browser, SkinNumbersEx, SkinPlaylist
};
// clang-format on

inline QRgb coded(int x, int y, int id)
{
    return qRgb(x & 0xFF, y & 0xFF, id);
}

inline QImage codedPicture(QSize size, int id)
{
    QImage image(size, QImage::Format_RGB32);
    for (int y = 0; y < size.height(); ++y)
        for (int x = 0; x < size.width(); ++x)
            image.setPixel(x, y, coded(x, y, id));
    return image;
}

inline void writeBitmap(const QString &path, const QImage &image)
{
    writeFile(path);
    ASSERT_TRUE(image.save(path, "BMP")) << path.toStdString();
}

// The layout of the texture "Coded": its sizes and places, as its
// Texture.ini (tests/fixtures/coded-texture.ini) writes them. The repeat and
// shuffle buttons are left out (no size at all), every text is hidden.
inline constexpr QSize MainSize{200, 100};
inline constexpr QSize CoolBarSize{180, 16};
inline constexpr QRect Play{10, 60, 20, 12};
inline constexpr QRect CoolBarPlay{40, 3, 10, 10};
inline constexpr QRect Counter{20, 10, 40, 12};
inline constexpr QPoint Action{70, 10};
inline constexpr QRect PositionDot{150, 40, 20, 15};
inline constexpr QRect CutCorner{0, 0, 20, 20};  // cut away by the mask

inline const QByteArray Ini = readFile(QStringLiteral(LUDRO_FIXTURE_DIR "/coded-texture.ini"));

// The folder `textures/Coded` under `home`, its file names in assorted
// letter cases; `selectedFrames` hover frames. Returns the folder.
inline QString writeCodedTexture(const QString &home, int selectedFrames = 2)
{
    const QString folder = home + "/textures/Coded/";
    writeFile(folder + "TEXTURE.INI", Ini);
    // clang-format off
    const std::vector<std::tuple<const char *, QSize, Id>> pictures{
        {"MAIN.BMP", MainSize, Main}, {"CPMain.bmp", CoolBarSize, CoolBarMain},
        {"Selected.bmp", {MainSize.width(), MainSize.height() * selectedFrames}, Selected},
        {"cpselected.bmp", CoolBarSize, CoolBarSelected}, {"Status.bmp", {38, 13}, Status},
        {"numbers.bmp", {2 * Counter.width(), Counter.height()}, Numbers}, {"playlist.bmp", {480, 250}, Playlist},
        {"eqmain.bmp", {275, 227}, Equalizer}, {"recorder.bmp", {120, 200}, Recorder},
        {"browser.bmp", {300, 30}, Browser}, {"Scrollup.bmp", {10, 6}, Knob}, {"ScrollDown.bmp", {10, 6}, KnobDown},
        {"volup.bmp", {6, 6}, LevelKnob}, {"volDown.bmp", {6, 6}, LevelKnobDown}};
    // clang-format on
    for (const auto &[name, size, id] : pictures)
        writeBitmap(folder + name, codedPicture(size, id));
    QImage mask(MainSize, QImage::Format_RGB32);
    mask.fill(Qt::black);
    QPainter(&mask).fillRect(CutCorner, Qt::white);
    writeBitmap(folder + "MainMask.BMP", mask);
    return folder;
}

// The Winamp skin "Classic" under `home`/textures, its bitmaps named in
// capitals as zipped skins often have them, with a Texture.ini to ignore.
// Returns the folder.
inline QString writeCodedWinampSkin(const QString &home)
{
    const QString folder = home + "/textures/Classic/";
    writeFile(folder + "Texture.ini", "[main]\nMain_Width=100\n");
    // clang-format off
    const std::vector<std::tuple<const char *, QSize, Id>> pictures{
        {"MAIN.BMP", {275, 116}, SkinMain}, {"CBUTTONS.BMP", {136, 36}, SkinButtons},
        {"TITLEBAR.BMP", {344, 87}, SkinTitleBar}, {"POSBAR.BMP", {307, 10}, SkinPositionBar},
        {"VOLUME.BMP", {68, 433}, SkinVolume}, {"NUMBERS.BMP", {99, 13}, SkinNumbers},
        {"TEXT.BMP", {155, 18}, SkinText}, {"PLAYPAUS.BMP", {42, 9}, SkinPlayPause},
        {"SHUFREP.BMP", {92, 85}, SkinShuffleRepeat}, {"MONOSTER.BMP", {58, 24}, SkinMonoStereo},
        {"EQMAIN.BMP", {275, 227}, SkinEqualizer}};
    // clang-format on
    for (const auto &[name, size, id] : pictures)
        writeBitmap(folder + name, codedPicture(size, id));
    return folder;
}

// The skin's playlist pictures and colours in `folder`, one colour written
// without its "#" and one that is no colour (SelectedBG), as skins have them.
inline void writeCodedSkinPlaylist(const QString &folder)
{
    writeBitmap(folder + "PLEDIT.BMP", codedPicture(QSize(280, 186), SkinPlaylist));
    writeFile(folder + "Pledit.txt", "[Text]\r\nNormal=#00C000\r\nCurrent=FFFF40\r\nNormalBG=#101030\r\n"
                                     "SelectedBG=#2040G0\r\nFont=Nimbus Sans\r\n");
}

}  // namespace fixture_texture
