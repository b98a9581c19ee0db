#pragma once

// Texture folders made by the tests. Every picture encodes its own pixels'
// places (red = x, green = y, both modulo 256, blue = the file's id), so a
// test knows what each pixel of a window must be from the fixture and the
// texture's rules alone.

#include "support/files.h"

#include <QImage>
#include <QString>

#include <utility>
#include <vector>

namespace fixture_texture {

enum Id {
    Main = 1,
    Selected,
    CoolBarMain,
    CoolBarSelected,
    Numbers,
    Status,
    Playlist,
    Equalizer,
    Knob,
    KnobDown,
    LevelKnob,
    LevelKnobDown,
    // A Winamp skin's bitmaps.
    SkinMain,
    SkinButtons,
    SkinTitleBar,
    SkinPositionBar,
    SkinVolume,
    SkinNumbers,
    SkinText,
    SkinPlayPause,
    SkinShuffleRepeat,
    SkinMonoStereo,
    SkinEqualizer,
    Recorder,
    Browser,
    SkinNumbersEx,
    SkinPlaylist
};

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
// Texture.ini writes them. The repeat and shuffle buttons are left out
// (no size at all), every text is hidden.
inline constexpr QSize MainSize{200, 100};
inline constexpr QSize CoolBarSize{180, 16};
inline constexpr QRect Play{10, 60, 20, 12};
inline constexpr QRect CoolBarPlay{40, 3, 10, 10};
inline constexpr QRect Counter{20, 10, 40, 12};
inline constexpr QPoint Action{70, 10};
inline constexpr QRect PositionDot{150, 40, 20, 15};
inline constexpr QRect CutCorner{0, 0, 20, 20};  // cut away by the mask

inline const char *const Ini = R"([Texture]
Name=Coded
; the main window
[main]
Main_Width=200
Main_Height=$64
MainBG_Color=clBlack
FileName_Left=1000
MonoStereo_Left=1000
FileLength_Left=1000
FilePos_Left=1000
ButtonPlay_Left=10
ButtonPlay_Top=60
ButtonPlay_Width=20
ButtonPlay_Height=0x0C
ButtonStop_Left=32
ButtonStop_Top=60
ButtonStop_Width=20
ButtonStop_Height=12
ButtonMode_Left=168
ButtonMode_Top=4
ButtonMode_Width=8
ButtonMode_Height=8
ButtonExit_Left=190
ButtonExit_Top=4
ButtonExit_Width=8
ButtonExit_Height=8
FilePosBitMap_Left=20
FilePosBitMap_Top=10
FilePosBitMap_Width=8
FilePosBitMap_Height=12
Action_Left=70
Action_Top=10
PositionDot_Left=150
PositionDot_Top=40
PositionDot_Width=20
PositionDot_Height=15
ScrollerTime_Left=10
ScrollerTime_Top=30
ScrollerTime_Width=10
ScrollerTime_Height=6
ScrollerTime_Length=60
ScrollerVolume_Left=100
ScrollerVolume_Top=30
ScrollerVolume_Width=6
ScrollerVolume_Height=6
ScrollerVolume_Length=20
ScrollerBalance_Left=130
ScrollerBalance_Top=30
ScrollerBalance_Width=6
ScrollerBalance_Height=6
ScrollerBalance_Length=20
[Cool Bar]
Main_Width=180
Main_Height=16
Play_Left=40
Play_Top=3
Play_Width=10
Play_Height=10
Mode_Left=150
Mode_Top=3
Mode_Width=10
Mode_Height=10
REW_Left=1000
FFW_Left=1000
Counter_Left=1000
Status_Left=26
Status_Top=2
[Recorder]
Head_Color=clRed
Info_Color=clLime
Tracks_BGColor=$00400000
Tracks_Color=clYellow
)";

// The folder `textures/Coded` under `home`, its file names in assorted
// letter cases; `selectedFrames` hover frames. Returns the folder.
inline QString writeCodedTexture(const QString &home, int selectedFrames = 2)
{
    const QString folder = home + "/textures/Coded/";
    writeFile(folder + "TEXTURE.INI", Ini);
    const std::vector<std::pair<const char *, QImage>> pictures{
        {"MAIN.BMP", codedPicture(MainSize, Main)},
        {"Selected.bmp", codedPicture(QSize(MainSize.width(), MainSize.height() * selectedFrames), Selected)},
        {"CPMain.bmp", codedPicture(CoolBarSize, CoolBarMain)},
        {"cpselected.bmp", codedPicture(CoolBarSize, CoolBarSelected)},
        {"numbers.bmp", codedPicture(QSize(2 * Counter.width(), Counter.height()), Numbers)},
        {"Status.bmp", codedPicture(QSize(38, 13), Status)},
        {"playlist.bmp", codedPicture(QSize(480, 250), Playlist)},
        {"eqmain.bmp", codedPicture(QSize(275, 227), Equalizer)},
        {"recorder.bmp", codedPicture(QSize(120, 200), Recorder)},
        {"browser.bmp", codedPicture(QSize(300, 30), Browser)},
        {"Scrollup.bmp", codedPicture(QSize(10, 6), Knob)},
        {"ScrollDown.bmp", codedPicture(QSize(10, 6), KnobDown)},
        {"volup.bmp", codedPicture(QSize(6, 6), LevelKnob)},
        {"volDown.bmp", codedPicture(QSize(6, 6), LevelKnobDown)},
    };
    for (const auto &[name, picture] : pictures)
        writeBitmap(folder + name, picture);
    QImage mask(MainSize, QImage::Format_RGB32);
    mask.fill(Qt::black);
    for (int y = CutCorner.top(); y <= CutCorner.bottom(); ++y)
        for (int x = CutCorner.left(); x <= CutCorner.right(); ++x)
            mask.setPixel(x, y, qRgb(255, 255, 255));
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
    const std::vector<std::pair<const char *, QImage>> pictures{
        {"MAIN.BMP", codedPicture(QSize(275, 116), SkinMain)},
        {"CBUTTONS.BMP", codedPicture(QSize(136, 36), SkinButtons)},
        {"TITLEBAR.BMP", codedPicture(QSize(344, 87), SkinTitleBar)},
        {"POSBAR.BMP", codedPicture(QSize(307, 10), SkinPositionBar)},
        {"VOLUME.BMP", codedPicture(QSize(68, 433), SkinVolume)},
        {"NUMBERS.BMP", codedPicture(QSize(99, 13), SkinNumbers)},
        {"TEXT.BMP", codedPicture(QSize(155, 18), SkinText)},
        {"PLAYPAUS.BMP", codedPicture(QSize(42, 9), SkinPlayPause)},
        {"SHUFREP.BMP", codedPicture(QSize(92, 85), SkinShuffleRepeat)},
        {"MONOSTER.BMP", codedPicture(QSize(58, 24), SkinMonoStereo)},
        {"EQMAIN.BMP", codedPicture(QSize(275, 227), SkinEqualizer)},
    };
    for (const auto &[name, picture] : pictures)
        writeBitmap(folder + name, picture);
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
