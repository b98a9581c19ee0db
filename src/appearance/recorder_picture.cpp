#include "appearance/builtin_pictures.h"

#include "appearance/key_faces.h"
#include "appearance/theme.h"
#include "appearance/window_title_bar.h"

#include <QPainter>
#include <QPainterPath>

QImage paintRecorderPicture()
{
    QImage image(120, 200, QImage::Format_ARGB32_Premultiplied);
    image.fill(theme::MetalBottom);
    QPainter painter(&image);

    // The button column's faces, 60 wide.
    const struct {
        int top;
        int height;
        Glyph glyph;
        const char *name;
    } faces[] = {
        {0, 20, Glyph::Disc, "REFRESH"}, {20, 20, Glyph::Plus, "ADD"},      {40, 20, Glyph::Cross, "DELETE"},
        {60, 20, Glyph::List, "RENAME"}, {80, 30, Glyph::Record, "RECORD"}, {120, 20, Glyph::Info, "HELP"},
    };
    for (const auto &face : faces) {
        const QRect rect(0, face.top, 60, face.height);
        theme::paintKey(painter, rect.adjusted(1, 1, -1, -1), 3, false);
        const bool tall = face.height > 20;
        const QColor glyphColor = face.glyph == Glyph::Record ? QColor(232, 96, 88) : theme::Glyph;
        theme::paintGlyph(painter, glyphPath(face.glyph, QRectF(4, face.top, 12, face.height), tall ? 9 : 7), false,
                          glyphColor);
        theme::paintEngraved(painter, QPoint(18, face.top + (face.height - 5) / 2), face.name, theme::Glyph);
    }

    // The column's background tile, 60 x 20.
    QPainterPath column;
    column.addRect(0, 140, 60, 20);
    theme::paintMetal(painter, column, QColor(44, 51, 62), QColor(40, 46, 56));
    painter.fillRect(QRect(0, 140, 1, 20), theme::RimLight.darker(130));
    painter.fillRect(QRect(59, 140, 1, 20), theme::RimDark);

    // The move bar, 40 high: a title bar over a band of the column's metal.
    // Its tile and its left end with the window's name join seamlessly.
    paintWindowTitleBar(painter, QRect(0, 160, 20, 20), QString(), true);
    QPainterPath band;
    band.addRect(0, 180, 20, 20);
    theme::paintMetal(painter, band, QColor(44, 51, 62), QColor(40, 46, 56));
    painter.fillRect(QRect(0, 199, 20, 1), theme::RimDark);
    paintWindowTitleBar(painter, QRect(20, 160, 100, 20), "RECORDER", true);
    // The close button stands on the title bar.
    paintWindowTitleBar(painter, QRect(20, 180, 100, 20), QString(), true);
    paintGlyphKey(painter, QRect(20, 180, 15, 15), Glyph::Close, 6, false, 2);
    return image;
}
