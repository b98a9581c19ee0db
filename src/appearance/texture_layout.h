#pragma once

// Where a texture places things and how it colours its texts, and what it
// says about itself. The member defaults are the built-in texture's values;
// a texture folder's description file overrides them.

#include "appearance/texture_color.h"

#include <QPoint>
#include <QRect>
#include <QString>

// A Left of this value places an element outside every window.
inline constexpr int HiddenLeft = 1000;

struct TextElement {
    QString font;
    bool bold = true;
    int size = 8;
    TextureColor color = 0x00D0D0D0;
    int left = 0;
    int top = 0;
};

// A slider's knob rectangle at the start of its track, and the track's length.
struct SliderGeometry {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    int length = 0;

    QRect knobAtStart() const { return {left, top, width, height}; }
};

struct MainLayout {
    TextElement fileName{"Arial", true, 8, 0x00D0D0D0, 32, 37};
    int fileNameWidth = 130;
    int fileNameHeight = 12;
    TextElement monoStereo{"Arial", true, 8, 0x0000FF00, 160, 36};
    TextElement fileLength{"Arial", true, 8, 0x0000FFFF, 148, 21};
    TextElement filePos{"Arial", true, 8, 0x00FFFFFF, HiddenLeft, 85};

    QRect play{114, 99, 19, 15};
    QRect stop{158, 99, 19, 15};
    QRect pause{136, 99, 19, 15};
    QRect previous{106, 115, 19, 15};
    QRect rewind{125, 115, 19, 15};
    QRect forward{147, 115, 19, 15};
    QRect next{166, 115, 19, 15};
    QRect load{179, 99, 19, 15};
    QRect playlist{89, 88, 17, 17};
    QRect minimize{205, 48, 9, 12};
    QRect info{213, 82, 17, 17};
    QRect menu{HiddenLeft, 0, 0, 0};
    QRect mode{HiddenLeft, 0, 0, 0};
    QRect exit{215, 48, 11, 12};
    QRect equalizer{127, 75, 17, 17};
    QRect cd{57, 114, 17, 17};
    QRect audio{170, 74, 17, 17};
    QRect prefs{HiddenLeft, 0, 0, 0};
    QRect repeat{19, 91, 21, 11};
    QRect shuffle{30, 103, 20, 10};
    // A texture has no place for these; a Winamp skin has.
    QRect browser{HiddenLeft, 0, 0, 0};
    QRect options{HiddenLeft, 0, 0, 0};
    // The bitmap time counter, five digit cells wide.
    QRect counter{89, 13, 70, 20};
    QRect positionDot{HiddenLeft, 0, 0, 0};
    // The visualization area; a texture has none unless it names one.
    QRect visualizer{HiddenLeft, 0, 0, 0};

    QPoint action{72, 17};
    int width = 245;
    int height = 140;
    TextureColor background = 0;
    SliderGeometry scrollerTime{16, 55, 12, 9, 56};
    SliderGeometry scrollerVolume{15, 68, 7, 7, 15};
    SliderGeometry scrollerBalance{42, 68, 7, 7, 15};

    QRect titlePanel() const { return {fileName.left, fileName.top, fileNameWidth, fileNameHeight}; }
};

struct CoolBarLayout {
    int width = 245;
    int height = 19;
    QRect play{85, 5, 8, 9};
    QRect pause{94, 5, 9, 9};
    QRect stop{104, 5, 9, 9};
    QRect load{124, 5, 9, 9};
    QRect previous{147, 5, 7, 9};
    QRect rewind{155, 5, 10, 9};
    QRect forward{168, 5, 10, 9};
    QRect next{179, 5, 7, 9};
    QRect mode{219, 5, 7, 10};
    QRect exit{231, 5, 10, 9};
    QRect menu{HiddenLeft, 0, 0, 0};
    QRect playlist{HiddenLeft, 0, 0, 0};
    QRect info{HiddenLeft, 0, 0, 0};
    QRect minimize{HiddenLeft, 0, 0, 0};
    TextElement counter{"Arial", true, 9, 0x00FFFFFF, 54, 2};
    QPoint status{33, 3};
};

struct PlaylistLayout {
    QRect file{83, 12, 32, 38};
    QRect add{121, 12, 33, 38};
    QRect remove{160, 12, 51, 38};
    QRect play{217, 12, 39, 38};
    QRect edit{262, 12, 34, 38};
    QRect id3tag{304, 12, 54, 38};
    QRect sort{363, 12, 39, 38};
    int exitMinLeft = 400;
    TextureColor quickSortColor = 0x00181010;
    TextureColor quickSearchEditColor = 0x00FFD0D0;
    TextureColor quickSearchEditBackground = 0x00181010;
    TextureColor infoTextColor = 0x00181010;
    int listFontSize = 8;
    QString listFont = "MS Sans Serif";
    TextureColor listBackground = 0x00181010;
    TextureColor listColor = 0x00FFFFFF;
};

struct EqualizerLayout {
    TextureColor infoColor = 0x00FFFFFF;
    TextureColor listBackground = 0x00181010;
    TextureColor listColor = 0x00FFFFFF;
};

struct RecorderLayout {
    TextureColor headColor = 0x00FFFFFF;
    TextureColor infoColor = 0x00FFFFFF;
    TextureColor tracksBackground = 0x00181010;
    TextureColor tracksColor = 0x00FFFFFF;
};

// What the preferences window shows about a texture.
struct TextureInfo {
    QString name;
    QString version;
    QString author;
    QString email;
    QString homePage;
    QString comment;
};

struct TextureLayout {
    MainLayout main;
    CoolBarLayout coolBar;
    PlaylistLayout playlist;
    EqualizerLayout equalizer;
    RecorderLayout recorder;
};
