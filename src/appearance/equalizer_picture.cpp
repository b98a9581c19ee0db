#include "appearance/builtin_pictures.h"

#include "appearance/key_faces.h"
#include "appearance/theme.h"
#include "appearance/window_title_bar.h"

#include <QPainter>
#include <QPainterPath>

namespace {

// The on switch: a status light and "ON".
void paintSwitch(QPainter &painter, const QRect &rect, bool on)
{
    theme::paintKey(painter, rect, 2.5, on);
    theme::paintLed(painter, QRectF(rect.left() + 4, rect.top() + 3.5, 5, 5), on);
    theme::paintEngraved(painter, QPoint(rect.left() + 12, rect.top() + 3), "ON",
                         on ? theme::AccentLight : theme::Glyph);
}

void paintBandSlider(QPainter &painter, const QRect &rect)
{
    painter.fillRect(rect, theme::MetalBottom);
    QPainterPath groove;
    groove.addRoundedRect(QRectF(rect.center().x() - 1.5, rect.top() + 2, 3, rect.height() - 4), 1.5, 1.5);
    theme::paintWell(painter, groove);
    const int middle = rect.top() + rect.height() / 2;
    painter.fillRect(QRect(rect.left() + 1, middle, 3, 1), theme::Label);
    painter.fillRect(QRect(rect.right() - 3, middle, 3, 1), theme::Label);
    for (int y = rect.top() + 4; y < rect.bottom() - 2; y += 8) {
        painter.fillRect(QRect(rect.left() + 1, y, 2, 1), QColor(96, 108, 124));
        painter.fillRect(QRect(rect.right() - 2, y, 2, 1), QColor(96, 108, 124));
    }
}

}  // namespace

QImage paintEqualizerPicture()
{
    QImage image(275, 227, QImage::Format_ARGB32_Premultiplied);
    image.fill(theme::MetalBottom);
    QPainter painter(&image);

    QPainterPath body;
    body.addRect(0, 0, 275, 116);
    theme::paintMetal(painter, body, theme::MetalTop, theme::MetalBottom);
    theme::paintRaisedEdge(painter, body);
    QPainterPath bands;
    bands.addRoundedRect(QRectF(70.5, 34.5, 198, 74), 4, 4);
    theme::paintWell(painter, bands);
    theme::paintEngraved(painter, QPoint(14, 40), "60 HZ");
    theme::paintEngraved(painter, QPoint(14, 96), "16 KHZ");
    theme::paintEngraved(painter, QPoint(14, 68), "+/- 40 DB");

    paintGlyphKey(painter, QRect(0, 115, 9, 9), Glyph::Close, 4, false, 1.5);
    paintSwitch(painter, QRect(10, 119, 25, 12), false);
    paintSwitch(painter, QRect(69, 119, 25, 12), true);
    paintWindowTitleBar(painter, QRect(0, 134, 275, 14), "EQUALIZER");

    theme::paintKey(painter, QRect(224, 164, 44, 12), 2.5, false);
    theme::paintEngravedCentred(painter, 246, 167, "PRESETS", theme::Glyph);
    paintBandSlider(painter, QRect(209, 164, 12, 63));

    const QImage knob = paintRoundKnob(QSize(11, 11), false);
    painter.drawImage(0, 164, knob);
    return image;
}
