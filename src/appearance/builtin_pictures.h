#pragma once

// The built-in texture's pictures, drawn by our own code at start.

#include "appearance/texture_layout.h"

#include <QImage>
#include <QSize>

// Each button face is drawn at its rectangle; `lit` draws every button in
// its highlighted state (the "selected" picture).
QImage paintMainPicture(const MainLayout &layout, bool lit);
QImage paintCoolBarPicture(const CoolBarLayout &layout, bool lit);
// Playing, stopped and paused (11 x 13 each) and the 5 x 5 position dot.
QImage paintStatusPicture();
// The digits 0 to 9 side by side, each `cell` large.
QImage paintDigitsPicture(QSize cell);
QImage paintPositionKnob(QSize size, bool pressed);
QImage paintRoundKnob(QSize size, bool pressed);
QImage paintPlaylistPicture(const PlaylistLayout &layout);
QImage paintEqualizerPicture();
QImage paintBrowserPicture();
QImage paintRecorderPicture();
