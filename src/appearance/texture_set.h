#pragma once

// A texture: its pictures, its layout and what the preferences window says
// about it. `builtin()` draws the program's own texture.

#include "appearance/texture_layout.h"

#include <QImage>
#include <QRegion>
#include <QString>

struct TextureInfo {
    QString name;
    QString version;
    QString author;
    QString email;
    QString homePage;
    QString comment;
};

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
    static TextureSet builtin();

    TextureLayout layout;
    TexturePictures pictures;
    // The main window's shape; an empty one leaves the window a rectangle.
    QRegion mainShape;
    TextureInfo info;
};

// The play-state pictures within the status picture.
QRect statusPictureRect(int playerState);
inline constexpr QRect PositionDotPictureRect{33, 0, 5, 5};
