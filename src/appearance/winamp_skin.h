#pragma once

// A Winamp skin: the bitmaps of a folder holding "cButtons.bmp", laid out
// in the fixed Winamp places. The loader bakes what never changes into the
// texture's background and hover pictures; the pictures kept here draw
// what changes (counter, title, bars, indicators).

#include "appearance/texture_loader.h"
#include "appearance/winamp_playlist.h"

#include <QImage>
#include <QPainter>
#include <QString>

struct WinampSkin {
    QImage numbers;  // digits, blank and minus; empty: the texture's own digits
    QImage text;
    QImage playPause;
    QImage volume;
    QImage shuffleRepeat;
    QImage monoStereo;
    QImage shadeKnob;
    // The title strip's background colour, from the background picture.
    QRgb titleBackground = 0;
    WinampPlaylist playlist;
};

// What the main window shows that a Winamp skin draws itself.
struct WinampState {
    int seconds = 0;
    bool remaining = false;  // the time left, shown with a minus
    int playState = 0;  // as the player reports it: 1 playing, 2 paused
    bool timeShown = true;
    int volume = 100;
    int balance = 50;
    bool mono = false;
    bool shuffle = false;
    bool repeat = false;
    QString title;
    double position = 0;  // 0 ... 1 of the song
    int bitRate = 0;      // kbit/s
    int sampleRate = 0;   // Hz; 0 shows no stream numbers
    int titleLeft = 0;    // where the scrolling title stands in its strip
};

LoadedTexture loadWinampSkin(const TextureSource &source);

// The glyph index of a character in the bitmap font, or -1 for none.
int winampGlyph(char32_t character);

void paintWinampIndicators(QPainter &painter, const WinampSkin &skin, const WinampState &state);
// The shade bar: its position knob and the time in the bitmap font.
void paintWinampShade(QPainter &painter, const WinampSkin &skin, const WinampState &state);
// The left of the shade bar's position knob.
int winampShadeKnobLeft(double position);
