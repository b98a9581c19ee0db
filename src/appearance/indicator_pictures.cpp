#include "appearance/builtin_pictures.h"

#include "appearance/glyphs.h"
#include "appearance/lcd_digits.h"
#include "appearance/theme.h"

#include <QPainter>
#include <QRadialGradient>

namespace {

QImage transparentImage(QSize size)
{
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    return image;
}

void paintStateGlyph(QPainter &painter, const QRect &cell, Glyph glyph, int height, const QColor &color)
{
    const QPainterPath path = glyphPath(glyph, cell, height);
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    QColor halo = color;
    halo.setAlpha(80);
    painter.setPen(QPen(halo, 2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.drawPath(path);
    painter.fillPath(path, color);
    painter.restore();
}

}  // namespace

QImage paintStatusPicture()
{
    QImage image = transparentImage(QSize(38, 13));
    QPainter painter(&image);
    paintStateGlyph(painter, QRect(0, 0, 11, 13), Glyph::Play, 8, QColor(120, 246, 170));
    paintStateGlyph(painter, QRect(11, 0, 11, 13), Glyph::Stop, 6, QColor(150, 168, 188));
    paintStateGlyph(painter, QRect(22, 0, 11, 13), Glyph::Pause, 8, QColor(255, 204, 96));

    painter.setRenderHint(QPainter::Antialiasing);
    QRadialGradient dot(QPointF(35.5, 2.5), 2.6);
    dot.setColorAt(0, theme::AccentLight);
    dot.setColorAt(0.6, theme::Accent);
    dot.setColorAt(1, QColor(88, 208, 255, 60));
    painter.setPen(Qt::NoPen);
    painter.setBrush(dot);
    painter.drawEllipse(QRectF(33, 0, 5, 5));
    return image;
}

QImage paintDigitsPicture(QSize cell)
{
    QImage image = transparentImage(QSize(cell.width() * 10, cell.height()));
    QPainter painter(&image);
    for (int digit = 0; digit < 10; ++digit) {
        const QRectF box(digit * cell.width(), 0, cell.width(), cell.height());
        paintLcdSegments(painter, box, lcdSegments(digit), theme::AccentLight, true);
    }
    return image;
}

QImage paintPositionKnob(QSize size, bool pressed)
{
    QImage image = transparentImage(size);
    QPainter painter(&image);
    theme::paintKey(painter, QRect(QPoint(0, 0), size), 2, pressed);
    // Three grip grooves across the middle.
    const int left = size.width() / 2 - 3;
    for (int i = 0; i < 3; ++i) {
        const QRect groove(left + 2 * i, 3, 1, size.height() - 6);
        painter.fillRect(groove, pressed ? theme::Accent.darker(150) : QColor(20, 24, 30));
        painter.fillRect(groove.translated(1, 0), pressed ? theme::AccentLight : QColor(140, 152, 168));
    }
    return image;
}

QImage paintRoundKnob(QSize size, bool pressed)
{
    QImage image = transparentImage(size);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF area = QRectF(QPoint(0, 0), size).adjusted(0.5, 0.5, -0.5, -0.5);
    QRadialGradient face(area.center() - QPointF(1, 1), area.width());
    face.setColorAt(0, pressed ? theme::AccentLight : QColor(206, 214, 226));
    face.setColorAt(0.6, pressed ? theme::Accent : QColor(112, 124, 140));
    face.setColorAt(1, pressed ? theme::Accent.darker(160) : QColor(52, 60, 72));
    painter.setPen(QPen(theme::RimDark, 1));
    painter.setBrush(face);
    painter.drawEllipse(area);
    return image;
}
