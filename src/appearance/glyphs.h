#pragma once

// The symbols on the built-in buttons, as filled outlines sized by their
// height in pixels so that they stay crisp at every button size.

#include <QPainterPath>
#include <QRectF>

enum class Glyph {
    Play,
    Pause,
    Stop,
    Previous,
    Next,
    Rewind,
    Forward,
    Eject,
    List,
    Equalizer,
    Disc,
    Info,
    Record,
    Minimize,
    Close,
    Mode,
    Plus,
    Cross,
    Gear,
    Sort,
    Globe,
};

// The glyph `height` pixels high, centred in `box` on whole pixels.
QPainterPath glyphPath(Glyph glyph, const QRectF &box, int height);
