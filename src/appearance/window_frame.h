#pragma once

// The frame of the secondary windows (playlist, recorder, browser), cut from
// the texture's playlist picture: 5-pixel borders with their corners, the
// background tile, the list header strip and the resize grip.

#include <QImage>
#include <QRect>
#include <QSize>

class QPainter;

inline constexpr int WindowBorder = 5;

namespace frame_piece {
inline constexpr QRect Background{0, 50, 20, 50};
inline constexpr QRect HeaderStrip{70, 50, 20, 20};
inline constexpr QRect ResizeGrip{45, 75, 25, 25};
}  // namespace frame_piece

// `piece` of `picture` repeated over `area`; nothing for an empty piece.
void tilePiece(QPainter &painter, const QRect &area, const QImage &picture, const QRect &piece);
// The borders and corners of a window `size` big.
void paintWindowBorders(QPainter &painter, QSize size, const QImage &playlistPicture);
// The grip in the lower right corner of a window `size` big.
QRect windowGripRect(QSize size);
