#include "appearance/window_frame.h"

#include "appearance/texture_bitmap.h"

#include <QPainter>
#include <QPixmap>

namespace {

const QRect LeftBorder(20, 55, 5, 35);
const QRect RightBorder(65, 55, 5, 35);
const QRect TopBorder(25, 50, 40, 5);
const QRect BottomBorder(25, 95, 40, 5);
const QRect TopLeftCorner(20, 50, 5, 5);
const QRect BottomLeftCorner(20, 95, 5, 5);
const QRect TopRightCorner(65, 50, 5, 5);

}  // namespace

void tilePiece(QPainter &painter, const QRect &area, const QImage &picture, const QRect &piece)
{
    const QImage tile = picture.copy(piece.intersected(picture.rect()));
    if (!tile.isNull() && !area.isEmpty())
        painter.drawTiledPixmap(area, QPixmap::fromImage(tile));
}

void paintWindowBorders(QPainter &painter, QSize size, const QImage &playlistPicture)
{
    const int w = size.width(), h = size.height(), b = WindowBorder;
    tilePiece(painter, QRect(0, 0, w, b), playlistPicture, TopBorder);
    tilePiece(painter, QRect(0, h - b, w, b), playlistPicture, BottomBorder);
    tilePiece(painter, QRect(0, 0, b, h), playlistPicture, LeftBorder);
    tilePiece(painter, QRect(w - b, 0, b, h), playlistPicture, RightBorder);
    drawPiece(painter, QPoint(0, 0), playlistPicture, TopLeftCorner);
    drawPiece(painter, QPoint(0, h - b), playlistPicture, BottomLeftCorner);
    drawPiece(painter, QPoint(w - b, 0), playlistPicture, TopRightCorner);
}

QRect windowGripRect(QSize size)
{
    return {QPoint(size.width() - frame_piece::ResizeGrip.width(), size.height() - frame_piece::ResizeGrip.height()),
            frame_piece::ResizeGrip.size()};
}
