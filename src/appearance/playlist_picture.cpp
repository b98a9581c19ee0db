#include "appearance/builtin_pictures.h"

#include "appearance/key_faces.h"
#include "appearance/theme.h"

#include <QPainter>
#include <QPainterPath>

namespace {

// The button bar is shown at (5, 5) of the playlist window.
constexpr QPoint BarOffset{5, 5};
constexpr int BarHeight = 50;
constexpr int LitBarTop = 100;
constexpr int Width = 480;

QImage buttonBar(const PlaylistLayout &layout, bool lit)
{
    QImage image(Width, BarHeight, QImage::Format_ARGB32_Premultiplied);
    image.fill(theme::MetalBottom);
    QPainter painter(&image);
    QPainterPath bar;
    bar.addRect(0, 0, Width, BarHeight);
    theme::paintMetal(painter, bar, theme::MetalTop, theme::MetalBottom);
    theme::paintRaisedEdge(painter, bar);

    QPainterPath badge;
    badge.addRoundedRect(QRectF(8, 9, 62, 32), 3, 3);
    theme::paintLcd(painter, badge);
    theme::paintEngravedCentred(painter, 39, 17, "LUDRO", theme::AccentLight);
    theme::paintEngravedCentred(painter, 39, 27, "PLAYLIST", theme::Accent);

    const struct {
        QRect rect;
        Glyph glyph;
        int height;
        const char *name;
    } buttons[] = {
        {layout.file, Glyph::List, 9, "FILE"},      {layout.add, Glyph::Plus, 9, "ADD"},
        {layout.remove, Glyph::Cross, 8, "DELETE"}, {layout.play, Glyph::Play, 10, "PLAY"},
        {layout.edit, Glyph::Gear, 11, "EDIT"},     {layout.id3tag, Glyph::Info, 11, "ID3 TAG"},
        {layout.sort, Glyph::Sort, 10, "SORT"},
    };
    for (const auto &button : buttons) {
        const QRect place = button.rect.translated(-BarOffset);
        paintLabelledKey(painter, place, button.glyph, button.height, button.name, lit);
    }
    return image;
}

// The pieces the secondary windows' frames are cut from, in rows 50 to 100.
void paintFramePieces(QPainter &painter)
{
    QPainterPath tile;
    tile.addRect(0, 50, 20, 50);
    theme::paintMetal(painter, tile, theme::LightMetalTop, theme::LightMetalBottom);

    // A 50 x 50 frame: 5-pixel borders around a dark inside, the resize grip
    // in its lower right corner.
    const QRect frame(20, 50, 50, 50);
    painter.fillRect(frame, theme::MetalBottom);
    painter.fillRect(frame.adjusted(0, 0, 0, -45), QColor(62, 71, 84));
    painter.fillRect(frame.adjusted(0, 0, -45, 0), QColor(50, 58, 70));
    painter.fillRect(frame.adjusted(45, 0, 0, 0), QColor(36, 42, 52));
    painter.fillRect(frame.adjusted(0, 45, 0, 0), QColor(30, 35, 44));
    painter.fillRect(QRect(frame.left(), frame.top(), frame.width(), 1), theme::RimLight);
    painter.fillRect(QRect(frame.left(), frame.top(), 1, frame.height()), theme::RimLight.darker(130));
    painter.fillRect(QRect(frame.right(), frame.top(), 1, frame.height()), theme::RimDark);
    painter.fillRect(QRect(frame.left(), frame.bottom(), frame.width(), 1), theme::RimDark);
    painter.fillRect(QRect(frame.left() + 4, frame.top() + 4, frame.width() - 8, 1), theme::RimDark);
    painter.fillRect(QRect(frame.left() + 4, frame.top() + 4, 1, frame.height() - 8), theme::RimDark);
    painter.fillRect(QRect(frame.right() - 4, frame.top() + 5, 1, frame.height() - 9), QColor(84, 96, 112));
    painter.fillRect(QRect(frame.left() + 5, frame.bottom() - 4, frame.width() - 9, 1), QColor(84, 96, 112));
    for (int a = 0; a < 4; ++a) {
        for (int b = 0; a + b < 4; ++b) {
            const QPoint dot(61 - 4 * a, 91 - 4 * b);
            painter.fillRect(QRect(dot, QSize(2, 2)), theme::RimLight);
            painter.fillRect(QRect(dot + QPoint(1, 1), QSize(1, 1)), theme::RimDark);
        }
    }

    // The list's column header: 20 x 20, tiled across.
    QPainterPath header;
    header.addRect(70, 50, 20, 20);
    theme::paintMetal(painter, header, QColor(58, 66, 78), QColor(34, 40, 49));
    painter.fillRect(QRect(70, 50, 20, 1), QColor(110, 122, 138));
    painter.fillRect(QRect(70, 69, 20, 1), theme::RimDark);

    const QRect closeButton(70, 70, 15, 15);
    painter.fillRect(closeButton, QColor(36, 42, 52));
    paintGlyphKey(painter, closeButton, Glyph::Close, 6, false, 2);
}

}  // namespace

QImage paintPlaylistPicture(const PlaylistLayout &layout)
{
    QImage image(Width, LitBarTop + BarHeight, QImage::Format_ARGB32_Premultiplied);
    image.fill(theme::MetalBottom);
    QPainter painter(&image);
    painter.drawImage(0, 0, buttonBar(layout, false));
    QPainterPath rest;
    rest.addRect(90, 50, Width - 90, 50);
    theme::paintMetal(painter, rest, theme::MetalTop, theme::MetalBottom);
    paintFramePieces(painter);
    painter.drawImage(0, LitBarTop, buttonBar(layout, true));
    return image;
}
