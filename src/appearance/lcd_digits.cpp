#include "appearance/lcd_digits.h"

#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>

#include <array>

namespace {

QPolygonF horizontal(qreal left, qreal right, qreal y, qreal t)
{
    const qreal h = t / 2;
    return QPolygonF{{left, y},  {left + h, y - h},  {right - h, y - h},
                     {right, y}, {right - h, y + h}, {left + h, y + h}};
}

QPolygonF vertical(qreal x, qreal top, qreal bottom, qreal t)
{
    const qreal h = t / 2;
    return QPolygonF{{x, top},    {x + h, top + h},    {x + h, bottom - h},
                     {x, bottom}, {x - h, bottom - h}, {x - h, top + h}};
}

}  // namespace

unsigned lcdSegments(int digit)
{
    static constexpr std::array<unsigned, 10> table{0x3F, 0x06, 0x5B, 0x4F, 0x66, 0x6D, 0x7D, 0x07, 0x7F, 0x6F};
    return digit >= 0 && digit <= 9 ? table[digit] : 0;
}

void paintLcdSegments(QPainter &painter, const QRectF &cell, unsigned segments, const QColor &color, bool glow)
{
    const qreal t = std::max(1.6, cell.width() / 5.5);
    const qreal left = cell.left() + t / 2 + 1;
    const qreal right = cell.right() - t / 2 - 1;
    const qreal top = cell.top() + t / 2 + 0.5;
    const qreal bottom = cell.bottom() - t / 2 - 0.5;
    const qreal middle = (top + bottom) / 2;
    const qreal gap = 0.6;
    const std::array<QPolygonF, 7> shapes{
        horizontal(left + gap, right - gap, top, t),    vertical(right, top + gap, middle - gap, t),
        vertical(right, middle + gap, bottom - gap, t), horizontal(left + gap, right - gap, bottom, t),
        vertical(left, middle + gap, bottom - gap, t),  vertical(left, top + gap, middle - gap, t),
        horizontal(left + gap, right - gap, middle, t),
    };
    QPainterPath path;
    for (std::size_t i = 0; i < shapes.size(); ++i) {
        if (segments & (1u << i))
            path.addPolygon(shapes[i]);
    }
    // A slight forward slant, as on a watch display.
    QTransform slant;
    slant.translate(cell.center().x(), cell.center().y());
    slant.shear(-0.08, 0);
    slant.translate(-cell.center().x(), -cell.center().y());
    path = slant.map(path);

    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    if (glow) {
        QColor halo = color;
        halo.setAlpha(55);
        painter.setPen(QPen(halo, 2.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        painter.setBrush(Qt::NoBrush);
        painter.drawPath(path);
    }
    painter.fillPath(path, color);
    painter.restore();
}
