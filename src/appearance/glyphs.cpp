#include "appearance/glyphs.h"

#include <QPainterPathStroker>
#include <QPolygonF>
#include <QTransform>

#include <cmath>
#include <numbers>

namespace {

QPainterPath triangle(QPointF a, QPointF b, QPointF c)
{
    QPainterPath path;
    path.addPolygon(QPolygonF{a, b, c, a});
    path.closeSubpath();
    return path;
}

QPainterPath rect(qreal x, qreal y, qreal w, qreal h)
{
    QPainterPath path;
    path.addRect(x, y, w, h);
    return path;
}

QPainterPath stroked(const QPainterPath &line, qreal width)
{
    QPainterPathStroker stroker;
    stroker.setWidth(width);
    stroker.setCapStyle(Qt::FlatCap);
    stroker.setJoinStyle(Qt::MiterJoin);
    return stroker.createStroke(line);
}

QPainterPath play(qreal h)
{
    const qreal w = std::round(h * 0.8);
    return triangle({0, 0}, {0, h}, {w, h / 2});
}

QPainterPath pause(qreal h)
{
    const qreal bar = std::max(2.0, std::round(h / 3.2));
    return rect(0, 0, bar, h).united(rect(bar * 2, 0, bar, h));
}

QPainterPath previous(qreal h)
{
    const qreal bar = std::max(1.0, std::round(h / 5));
    const qreal w = std::round(h * 0.75);
    return rect(0, 0, bar, h).united(triangle({bar + w, 0}, {bar + w, h}, {bar, h / 2}));
}

QPainterPath rewind(qreal h)
{
    const qreal w = std::round(h * 0.6);
    return triangle({w, 0}, {w, h}, {0, h / 2}).united(triangle({2 * w, 0}, {2 * w, h}, {w, h / 2}));
}

QPainterPath eject(qreal h)
{
    const qreal w = h + 1;
    const qreal roof = std::round(h * 0.55);
    const qreal bar = std::max(1.0, h - roof - 2);
    return triangle({0, roof}, {w, roof}, {w / 2, 0}).united(rect(0, h - bar, w, bar));
}

QPainterPath list(qreal h)
{
    QPainterPath path;
    const qreal line = h >= 9 ? 2 : 1;
    const qreal step = std::floor((h - line) / 2);
    for (int i = 0; i < 3; ++i) {
        path.addRect(0, i * step, line, line);
        path.addRect(line + 1, i * step, std::round(h * 0.9), line);
    }
    return path;
}

QPainterPath equalizer(qreal h)
{
    QPainterPath path;
    const qreal levels[] = {0.55, 1.0, 0.7, 0.4};
    for (int i = 0; i < 4; ++i) {
        const qreal bar = std::round(h * levels[i]);
        path.addRect(i * 2, h - bar, 1, bar);
    }
    return path;
}

QPainterPath disc(qreal h)
{
    QPainterPath outer;
    outer.addEllipse(0, 0, h, h);
    QPainterPath hole;
    const qreal r = std::max(1.0, h / 6);
    hole.addEllipse(QPointF(h / 2, h / 2), r, r);
    return outer.subtracted(hole);
}

QPainterPath info(qreal h)
{
    const qreal stem = std::max(2.0, std::round(h / 4));
    return rect(0, 0, stem, stem).united(rect(0, stem + 1, stem, h - stem - 1));
}

QPainterPath record(qreal h)
{
    QPainterPath path;
    path.addEllipse(0, 0, h, h);
    return path;
}

QPainterPath cross(qreal h, qreal width)
{
    QPainterPath line;
    line.moveTo(0, 0);
    line.lineTo(h, h);
    line.moveTo(h, 0);
    line.lineTo(0, h);
    return stroked(line, width);
}

// A small cross in whole pixels: smoothing would blur it at this size.
QPainterPath pixelCross(int h)
{
    QPainterPath path;
    for (int i = 0; i < h; ++i) {
        path.addRect(i, i, 1, 1);
        path.addRect(h - 1 - i, i, 1, 1);
    }
    return path.simplified();
}

QPainterPath plus(qreal h)
{
    const qreal bar = std::max(2.0, std::round(h / 4));
    const qreal mid = std::round((h - bar) / 2);
    return rect(0, mid, h, bar).united(rect(mid, 0, bar, h));
}

QPainterPath mode(qreal h)
{
    return rect(0, 0, h, 2).united(rect(0, h - 2, h, 2)).united(rect(0, 0, 1, h)).united(rect(h - 1, 0, 1, h));
}

QPainterPath gear(qreal h)
{
    QPainterPath teeth;
    const QPointF c(h / 2, h / 2);
    for (int i = 0; i < 8; ++i) {
        const qreal a = i * std::numbers::pi / 4;
        QPainterPath spoke;
        spoke.moveTo(c);
        spoke.lineTo(c + QPointF(std::cos(a), std::sin(a)) * (h / 2));
        teeth = teeth.united(stroked(spoke, std::max(1.5, h / 5)));
    }
    QPainterPath body;
    body.addEllipse(c, h * 0.34, h * 0.34);
    QPainterPath hole;
    hole.addEllipse(c, h * 0.14, h * 0.14);
    return teeth.united(body).subtracted(hole);
}

QPainterPath sort(qreal h)
{
    QPainterPath path;
    const qreal step = std::round(h / 4);
    for (int i = 0; i < 4; ++i)
        path.addRect(0, i * step, std::round(h * (1.0 - i * 0.22)), step - 1);
    return path;
}

// A ring with a meridian and the equator, for the music browser.
QPainterPath globe(qreal h)
{
    QPainterPath lines;
    lines.addEllipse(0.5, 0.5, h - 1, h - 1);
    lines.addEllipse(QPointF(h / 2, h / 2), h * 0.22, h / 2 - 0.5);
    lines.moveTo(0.5, h / 2);
    lines.lineTo(h - 0.5, h / 2);
    return stroked(lines, 1);
}

QPainterPath mirrored(const QPainterPath &path)
{
    const QRectF bounds = path.boundingRect();
    QTransform flip;
    flip.translate(bounds.left() + bounds.right(), 0);
    flip.scale(-1, 1);
    return flip.map(path);
}

QPainterPath shape(Glyph glyph, qreal h)
{
    switch (glyph) {
    case Glyph::Play:
        return play(h);
    case Glyph::Pause:
        return pause(h);
    case Glyph::Stop:
        return rect(0, 0, h, h);
    case Glyph::Previous:
        return previous(h);
    case Glyph::Next:
        return mirrored(previous(h));
    case Glyph::Rewind:
        return rewind(h);
    case Glyph::Forward:
        return mirrored(rewind(h));
    case Glyph::Eject:
        return eject(h);
    case Glyph::List:
        return list(h);
    case Glyph::Equalizer:
        return equalizer(h);
    case Glyph::Disc:
        return disc(h);
    case Glyph::Info:
        return info(h);
    case Glyph::Record:
        return record(h);
    case Glyph::Minimize:
        return rect(0, h - 2, h, 2);
    case Glyph::Close:
        return h <= 7 ? pixelCross(static_cast<int>(h)) : cross(h, 1.6);
    case Glyph::Mode:
        return mode(h);
    case Glyph::Plus:
        return plus(h);
    case Glyph::Cross:
        return cross(h, 2.2);
    case Glyph::Gear:
        return gear(h);
    case Glyph::Sort:
        return sort(h);
    case Glyph::Globe:
        return globe(h);
    }
    return {};
}

}  // namespace

QPainterPath glyphPath(Glyph glyph, const QRectF &box, int height)
{
    const QPainterPath path = shape(glyph, height);
    const QRectF bounds = path.boundingRect();
    const QPointF corner(std::round(box.center().x() - bounds.width() / 2),
                         std::round(box.center().y() - bounds.height() / 2));
    return path.translated(corner - bounds.topLeft());
}
