#include "appearance/theme.h"

#include "appearance/pixel_font.h"

#include <QLinearGradient>
#include <QPainter>
#include <QRadialGradient>

namespace theme {

namespace {

// Small, repeatable noise for the brushed streaks.
unsigned nextNoise(unsigned &state)
{
    state = state * 1103515245u + 12345u;
    return (state >> 16) & 0x7FFF;
}

QColor withAlpha(QColor color, int alpha)
{
    color.setAlpha(alpha);
    return color;
}

}  // namespace

void strokeEdge(QPainter &painter, const QPainterPath &area, const QGradientStops &stops, qreal width)
{
    const QRectF bounds = area.boundingRect();
    QLinearGradient edge(bounds.topLeft(), bounds.bottomLeft());
    edge.setStops(stops);
    painter.setPen(QPen(QBrush(edge), width));
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(area);
}

void paintMetal(QPainter &painter, const QPainterPath &area, const QColor &top, const QColor &bottom)
{
    const QRectF bounds = area.boundingRect();
    painter.save();
    painter.setClipPath(area, Qt::IntersectClip);
    QLinearGradient gradient(bounds.topLeft(), bounds.bottomLeft());
    gradient.setColorAt(0, top);
    gradient.setColorAt(0.45, top.darker(125));
    gradient.setColorAt(1, bottom);
    painter.fillRect(bounds, gradient);
    unsigned state = 0x1d2c3b4a;
    for (int y = static_cast<int>(bounds.top()); y < bounds.bottom(); ++y) {
        int x = static_cast<int>(bounds.left());
        while (x < bounds.right()) {
            const int length = 6 + static_cast<int>(nextNoise(state) % 40);
            const int shade = static_cast<int>(nextNoise(state) % 5);
            const QColor streak = shade < 2 ? QColor(255, 255, 255, 4 + 2 * shade) : QColor(0, 0, 0, 3 + 2 * shade);
            painter.fillRect(x, y, length, 1, streak);
            x += length;
        }
    }
    painter.restore();
}

void paintRaisedEdge(QPainter &painter, const QPainterPath &area, const QColor &light, const QColor &dark)
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setClipPath(area, Qt::IntersectClip);
    strokeEdge(painter, area, {{0, withAlpha(light, 230)}, {0.5, withAlpha(light, 70)}, {1, withAlpha(dark, 200)}}, 2);
    painter.restore();
}

void paintWell(QPainter &painter, const QPainterPath &area)
{
    const QRectF bounds = area.boundingRect();
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    QLinearGradient fill(bounds.topLeft(), bounds.bottomLeft());
    fill.setColorAt(0, QColor(14, 17, 22, 200));
    fill.setColorAt(1, QColor(30, 36, 45, 160));
    painter.fillPath(area, fill);
    strokeEdge(painter, area,
               {{0, withAlpha(RimDark, 240)}, {0.6, withAlpha(RimDark, 120)}, {1, withAlpha(RimLight, 170)}}, 1);
    painter.restore();
}

void paintLcd(QPainter &painter, const QPainterPath &area)
{
    const QRectF bounds = area.boundingRect();
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    QLinearGradient fill(bounds.topLeft(), bounds.bottomLeft());
    fill.setColorAt(0, LcdTop);
    fill.setColorAt(1, LcdBottom);
    painter.fillPath(area, fill);
    painter.setClipPath(area, Qt::IntersectClip);
    QRadialGradient shine(QPointF(bounds.center().x(), bounds.top()), bounds.width() * 0.6);
    shine.setColorAt(0, QColor(120, 200, 255, 26));
    shine.setColorAt(1, QColor(120, 200, 255, 0));
    painter.fillRect(bounds, shine);
    painter.setClipping(false);
    strokeEdge(painter, area, {{0, QColor(0, 0, 0, 255)}, {0.7, QColor(0, 0, 0, 200)}, {1, withAlpha(RimLight, 200)}},
               1.2);
    painter.restore();
}

void paintKey(QPainter &painter, const QRectF &area, qreal radius, bool lit)
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF outer = area.adjusted(0.5, 0.5, -0.5, -0.5);
    QLinearGradient face(outer.topLeft(), outer.bottomLeft());
    face.setColorAt(0, lit ? QColor(98, 124, 146) : QColor(92, 103, 119));
    face.setColorAt(0.5, lit ? QColor(62, 82, 102) : QColor(58, 66, 78));
    face.setColorAt(1, lit ? QColor(40, 56, 72) : QColor(37, 43, 52));
    painter.setPen(QPen(lit ? Accent.darker(130) : RimDark, 1));
    painter.setBrush(face);
    painter.drawRoundedRect(outer, radius, radius);
    const QRectF inner = outer.adjusted(1, 1, -1, -1);
    QLinearGradient rim(inner.topLeft(), inner.bottomLeft());
    rim.setColorAt(0, lit ? withAlpha(AccentLight, 220) : QColor(168, 181, 198, 200));
    rim.setColorAt(0.45, QColor(255, 255, 255, 0));
    rim.setColorAt(1, lit ? withAlpha(Accent, 150) : QColor(0, 0, 0, 70));
    painter.setPen(QPen(QBrush(rim), 1));
    painter.setBrush(Qt::NoBrush);
    painter.drawRoundedRect(inner, std::max(0.0, radius - 1), std::max(0.0, radius - 1));
    if (lit) {
        QRadialGradient glow(outer.center(), std::max(outer.width(), outer.height()) * 0.7);
        glow.setColorAt(0, withAlpha(Accent, 70));
        glow.setColorAt(1, withAlpha(Accent, 0));
        painter.setPen(Qt::NoPen);
        painter.setBrush(glow);
        painter.drawRoundedRect(inner, radius, radius);
    }
    painter.restore();
}

void paintGlyph(QPainter &painter, const QPainterPath &glyph, bool lit, const QColor &color)
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setBrush(Qt::NoBrush);
    if (lit) {
        painter.setPen(QPen(withAlpha(Accent, 110), 2.0, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        painter.drawPath(glyph);
    } else {
        painter.fillPath(glyph.translated(0, 1), withAlpha(RimDark, 150));
    }
    painter.fillPath(glyph, lit ? AccentLight : color);
    painter.restore();
}

void paintLed(QPainter &painter, const QRectF &area, bool lit)
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    QRadialGradient light(area.center() - QPointF(0.5, 0.5), area.width());
    if (lit) {
        light.setColorAt(0, QColor(230, 252, 255));
        light.setColorAt(0.5, Accent);
        light.setColorAt(1, Accent.darker(180));
    } else {
        light.setColorAt(0, QColor(60, 76, 90));
        light.setColorAt(1, QColor(18, 24, 30));
    }
    painter.setPen(QPen(RimDark, 0.8));
    painter.setBrush(light);
    painter.drawEllipse(area);
    painter.restore();
}

void paintEngraved(QPainter &painter, QPoint topLeft, const QString &text, const QColor &color)
{
    pixel_font::drawText(painter, topLeft + QPoint(0, 1), text, withAlpha(LabelShadow, 200));
    pixel_font::drawText(painter, topLeft, text, color);
}

void paintEngravedCentred(QPainter &painter, int centreX, int top, const QString &text, const QColor &color)
{
    paintEngraved(painter, QPoint(centreX - pixel_font::textWidth(text) / 2, top), text, color);
}

void paintGrille(QPainter &painter, const QRect &area)
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    for (int y = area.top(); y + 2 <= area.bottom(); y += 4) {
        const int shift = ((y - area.top()) / 4) % 2 * 2;
        for (int x = area.left() + shift; x + 2 <= area.right(); x += 4) {
            painter.setBrush(withAlpha(RimLight, 90));
            painter.drawEllipse(QRectF(x, y + 0.8, 2.4, 2.4));
            painter.setBrush(QColor(4, 5, 8, 230));
            painter.drawEllipse(QRectF(x, y, 2.4, 2.4));
        }
    }
    painter.restore();
}

}  // namespace theme
