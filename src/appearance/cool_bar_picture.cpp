#include "appearance/builtin_pictures.h"

#include "appearance/glyphs.h"
#include "appearance/theme.h"

#include <QPainter>
#include <QPainterPath>

QImage paintCoolBarPicture(const CoolBarLayout &layout, bool lit)
{
    QImage image(layout.width, layout.height, QImage::Format_ARGB32_Premultiplied);
    image.fill(theme::RimDark);
    QPainter painter(&image);

    QPainterPath body;
    body.addRoundedRect(QRectF(0, 0, layout.width, layout.height), 3, 3);
    theme::paintMetal(painter, body, theme::MetalTop, theme::MetalBottom);
    theme::paintRaisedEdge(painter, body);

    theme::paintEngraved(painter, QPoint(7, (layout.height - 5) / 2), "LUDRO");

    // The LCD holds the play state and the time text.
    QPainterPath lcd;
    lcd.addRoundedRect(QRectF(layout.status.x() - 3, 2.5, layout.play.left() - layout.status.x(), layout.height - 5), 2,
                       2);
    theme::paintLcd(painter, lcd);

    const struct {
        QRect rect;
        Glyph glyph;
        int height;
    } keys[] = {
        {layout.play, Glyph::Play, 7},       {layout.pause, Glyph::Pause, 7},       {layout.stop, Glyph::Stop, 6},
        {layout.load, Glyph::Eject, 7},      {layout.previous, Glyph::Previous, 7}, {layout.rewind, Glyph::Rewind, 7},
        {layout.forward, Glyph::Forward, 7}, {layout.next, Glyph::Next, 7},         {layout.mode, Glyph::Mode, 7},
        {layout.exit, Glyph::Close, 7},      {layout.menu, Glyph::List, 7},         {layout.playlist, Glyph::List, 7},
        {layout.info, Glyph::Info, 7},       {layout.minimize, Glyph::Minimize, 7},
    };
    // The bar is too thin for key faces: bare glyphs, glowing when lit.
    for (const auto &key : keys) {
        if (key.rect.left() >= HiddenLeft)
            continue;
        painter.save();
        painter.setClipRect(key.rect);
        theme::paintGlyph(painter, glyphPath(key.glyph, key.rect, key.height), lit);
        painter.restore();
    }
    theme::paintGrille(painter, QRect(layout.next.right() + 6, 4, layout.mode.left() - layout.next.right() - 12, 11));
    return image;
}
