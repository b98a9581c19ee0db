#pragma once

// A texture: its pictures, its layout and what the preferences window says
// about it. `builtin()` draws the program's own texture; loaders start
// from it.

#include "appearance/texture_layout.h"
#include "appearance/vis_colors.h"

#include <QImage>
#include <QRegion>
#include <QString>

#include <memory>

struct WinampSkin;

struct TexturePictures {
    QImage main;
    QImage selected;
    QImage coolBarMain;
    QImage coolBarSelected;
    QImage equalizer;
    QImage playlist;
    QImage browser;
    QImage recorder;
    // Playing, stopped and paused pictures, then the position dot.
    QImage status;
    QImage numbers;
    QImage positionKnob;
    QImage positionKnobPressed;
    QImage volumeKnob;
    QImage volumeKnobPressed;
};

class TextureSet {
public:
    // Drawn once; later calls share its pictures.
    static TextureSet builtin();

    TextureLayout layout;
    TexturePictures pictures;
    // The main window's shape in normal mode; an empty one leaves the
    // window a rectangle.
    QRegion mainShape;
    // The Cool Bar's shape, only ever a Winamp skin's shade bar.
    QRegion coolBarShape;
    TextureInfo info;
    VisColors visColors;
    // Hover frames of the main window's and the playlist's buttons, one
    // below the other in their "selected" pictures; 1 is no animation.
    int hoverFrames = 1;
    int playlistHoverFrames = 1;
    // A Winamp skin's own pictures; none for a texture.
    std::shared_ptr<const WinampSkin> winamp;
};

// The play-state pictures within the status picture.
QRect statusPictureRect(int playerState);
inline constexpr QRect PositionDotPictureRect{33, 0, 5, 5};
