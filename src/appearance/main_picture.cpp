#include "appearance/builtin_pictures.h"

#include "appearance/key_faces.h"
#include "appearance/lcd_digits.h"
#include "appearance/theme.h"

#include <QFont>
#include <QPainter>
#include <QPainterPath>

namespace {

// The dome as a smooth outline; the window's region follows it in whole pixels.
QPainterPath domeOutline(const MainLayout &layout)
{
    QPainterPath ellipse;
    ellipse.addEllipse(0, 0, 246, 150);
    QPainterPath upper;
    upper.addRect(0, 0, 246, 75);
    QPainterPath lower;
    lower.addRect(0, 69, layout.width, layout.height - 69);
    return ellipse.intersected(upper).united(lower);
}

QPainterPath displayOutline(const MainLayout &layout)
{
    QPainterPath inner;
    inner.addEllipse(QRectF(4, 3, 238, 144));
    QPainterPath above;
    above.addRect(0, 0, layout.width, 52);
    QPainterPath corner;
    corner.addRoundedRect(QRectF(layout.minimize.left() - 4, layout.minimize.top() - 1, 60, 20), 3, 3);
    return inner.intersected(above).subtracted(corner);
}

QPainterPath transportWell(const MainLayout &layout)
{
    const QRect upper = layout.play.united(layout.pause).united(layout.stop).united(layout.load);
    const QRect lower = layout.previous.united(layout.rewind).united(layout.forward).united(layout.next);
    QPainterPath top;
    top.addRoundedRect(QRectF(upper).adjusted(-3, -3, 3, 3), 4, 4);
    QPainterPath bottom;
    bottom.addRoundedRect(QRectF(lower).adjusted(-3, -3, 3, 3), 4, 4);
    return top.united(bottom);
}

void paintDisplay(QPainter &painter, const MainLayout &layout)
{
    theme::paintLcd(painter, displayOutline(layout));

    // Dim segments under the counter's digits, and its colon.
    const QRect counter = layout.counter;
    QColor ghost = theme::Accent;
    ghost.setAlpha(22);
    const int w = counter.width();
    for (int start : {0, 5, 11, 16}) {
        const QRectF cell(counter.left() + w * start / 20, counter.top(), w / 5, counter.height());
        paintLcdSegments(painter, cell, AllLcdSegments, ghost, false);
    }
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(theme::Accent);
    const qreal colonX = counter.left() + (w * 9 / 20 + w * 11 / 20) / 2.0 - 1;
    painter.drawRect(QRectF(colonX, counter.top() + counter.height() * 0.3, 2, 2));
    painter.drawRect(QRectF(colonX - 0.5, counter.top() + counter.height() * 0.65, 2, 2));

    // A faint rule between the counter row and the title row.
    QLinearGradient rule(0, 0, layout.width, 0);
    rule.setColorAt(0, QColor(88, 208, 255, 0));
    rule.setColorAt(0.5, QColor(88, 208, 255, 60));
    rule.setColorAt(1, QColor(88, 208, 255, 0));
    painter.fillRect(QRectF(24, layout.fileName.top - 2, layout.width - 48, 1), rule);
    painter.restore();
}

void paintSlider(QPainter &painter, const SliderGeometry &slider, int grooveHeight)
{
    const qreal middle = slider.top + slider.height / 2.0;
    QPainterPath groove;
    groove.addRoundedRect(
        QRectF(slider.left + 1, middle - grooveHeight / 2.0, slider.length + slider.width - 2, grooveHeight), 1.5, 1.5);
    theme::paintWell(painter, groove);
}

void paintButton(QPainter &painter, const QRect &rect, Glyph glyph, int glyphHeight, bool lit)
{
    if (rect.left() < HiddenLeft)
        paintGlyphKey(painter, rect, glyph, glyphHeight, lit);
}

void paintRoundButton(QPainter &painter, const QRect &rect, Glyph glyph, int glyphHeight, bool lit,
                      const QColor &glyphColor = theme::Glyph)
{
    if (rect.left() < HiddenLeft)
        paintGlyphKey(painter, rect, glyph, glyphHeight, lit, rect.width() / 2.0, glyphColor);
}

void paintRoundSocket(QPainter &painter, const QRect &rect)
{
    QPainterPath socket;
    socket.addEllipse(QRectF(rect).adjusted(-2, -2, 2, 2));
    theme::paintWell(painter, socket);
}

// A toggle: its name on a small key; lit while the mode is on.
void paintToggle(QPainter &painter, const QRect &rect, const QString &name, bool lit)
{
    theme::paintKey(painter, rect, 3, lit);
    theme::paintEngravedCentred(painter, rect.center().x() + 1, rect.top() + (rect.height() - 5) / 2, name,
                                lit ? theme::AccentLight : theme::Glyph);
}

void paintNameplate(QPainter &painter, const MainLayout &layout)
{
    QFont font("Arial");
    font.setBold(true);
    font.setPixelSize(9);
    font.setLetterSpacing(QFont::AbsoluteSpacing, 2);
    painter.save();
    painter.setFont(font);
    const QRect plate(layout.scrollerTime.left + layout.scrollerTime.length + layout.scrollerTime.width + 6,
                      layout.scrollerTime.top - 1, 112, 12);
    painter.setPen(theme::LabelShadow);
    painter.drawText(plate.translated(0, 1), Qt::AlignCenter, "LUDRO PRO");
    painter.setPen(theme::Label);
    painter.drawText(plate, Qt::AlignCenter, "LUDRO PRO");
    painter.restore();
}

}  // namespace

QImage paintMainPicture(const MainLayout &layout, bool lit)
{
    QImage image(layout.width, layout.height, QImage::Format_ARGB32_Premultiplied);
    image.fill(toQColor(layout.background));
    QPainter painter(&image);

    const QPainterPath body = domeOutline(layout);
    theme::paintMetal(painter, body, theme::MetalTop, theme::MetalBottom);
    theme::paintRaisedEdge(painter, body);
    paintDisplay(painter, layout);
    paintNameplate(painter, layout);

    paintSlider(painter, layout.scrollerTime, 3);
    paintSlider(painter, layout.scrollerVolume, 3);
    paintSlider(painter, layout.scrollerBalance, 3);
    const SliderGeometry &volume = layout.scrollerVolume;
    const SliderGeometry &balance = layout.scrollerBalance;
    const int labelTop = volume.top + volume.height + 2;
    theme::paintEngravedCentred(painter, volume.left + (volume.length + volume.width) / 2, labelTop, "VOL");
    theme::paintEngravedCentred(painter, balance.left + (balance.length + balance.width) / 2, labelTop, "BAL");

    theme::paintGrille(painter, QRect(7, 119, 45, 16));
    theme::paintGrille(painter, QRect(layout.width - 52, 119, 45, 16));

    theme::paintWell(painter, transportWell(layout));
    paintButton(painter, layout.play, Glyph::Play, 7, lit);
    paintButton(painter, layout.pause, Glyph::Pause, 7, lit);
    paintButton(painter, layout.stop, Glyph::Stop, 6, lit);
    paintButton(painter, layout.load, Glyph::Eject, 7, lit);
    paintButton(painter, layout.previous, Glyph::Previous, 7, lit);
    paintButton(painter, layout.rewind, Glyph::Rewind, 7, lit);
    paintButton(painter, layout.forward, Glyph::Forward, 7, lit);
    paintButton(painter, layout.next, Glyph::Next, 7, lit);
    paintButton(painter, layout.minimize, Glyph::Minimize, 5, lit);
    paintButton(painter, layout.exit, Glyph::Close, 5, lit);
    paintButton(painter, layout.menu, Glyph::List, 7, lit);
    paintButton(painter, layout.mode, Glyph::Mode, 6, lit);
    paintButton(painter, layout.prefs, Glyph::Gear, 9, lit);

    for (const QRect &round : {layout.playlist, layout.info, layout.equalizer, layout.cd, layout.audio})
        paintRoundSocket(painter, round);
    paintRoundButton(painter, layout.playlist, Glyph::List, 7, lit);
    paintRoundButton(painter, layout.info, Glyph::Info, 8, lit);
    paintRoundButton(painter, layout.equalizer, Glyph::Equalizer, 7, lit);
    paintRoundButton(painter, layout.cd, Glyph::Disc, 9, lit);
    paintRoundButton(painter, layout.audio, Glyph::Record, 5, lit, QColor(232, 96, 88));

    paintToggle(painter, layout.repeat, "REP", lit);
    paintToggle(painter, layout.shuffle, "SHUF", lit);
    return image;
}
