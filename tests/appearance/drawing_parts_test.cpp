// The parts the built-in pictures are drawn with: the pixel font and the
// button glyphs (the LCD digits are seen in the built-in texture's).

#include "appearance/glyphs.h"
#include "appearance/pixel_font.h"

#include <QBitmap>
#include <QImage>
#include <QPainter>

#include <gtest/gtest.h>

namespace {

QImage drawn(const QString &text)
{
    QImage image(pixel_font::textWidth(text) + 2, pixel_font::Height + 2, QImage::Format_RGB32);
    image.fill(Qt::black);
    QPainter painter(&image);
    pixel_font::drawText(painter, QPoint(1, 1), text, Qt::white);
    return image;
}

// The rectangle around the pixels that are not black.
QRect litBounds(const QImage &image)
{
    return QRegion(QBitmap::fromImage(image.createMaskFromColor(qRgb(0, 0, 0)))).boundingRect();
}

}  // namespace

TEST(PixelFont, MeasuresAndDrawsWithinItsHeightSmallLettersAsCapitals)
{
    // An unknown character is a gap, as a blank is.
    EXPECT_EQ(pixel_font::textWidth(u"A~B"), pixel_font::textWidth(u"A B"));

    EXPECT_EQ(litBounds(drawn("ID3 TAG")), QRect(1, 1, pixel_font::textWidth(u"ID3 TAG"), pixel_font::Height));
    EXPECT_EQ(drawn("shuf"), drawn("SHUF"));
    EXPECT_NE(drawn("REP"), drawn("RPE"));
}

TEST(Glyphs, SitCentredOnWholePixelsAndTransportPairsAreMirrorImages)
{
    const QRectF key(114, 99, 19, 14);
    for (Glyph glyph : {Glyph::Play, Glyph::Pause, Glyph::Stop, Glyph::Previous, Glyph::Next, Glyph::Rewind,
                        Glyph::Forward, Glyph::Eject}) {
        SCOPED_TRACE(static_cast<int>(glyph));
        const QRectF bounds = glyphPath(glyph, key, 7).boundingRect();
        EXPECT_NEAR(bounds.height(), 7, 0.01);
        EXPECT_NEAR(bounds.center().x(), key.center().x(), 0.6);
        EXPECT_NEAR(bounds.center().y(), key.center().y(), 0.6);
        // Whole pixels, so that the edges stay sharp.
        EXPECT_EQ(bounds.topLeft(), bounds.topLeft().toPoint());
    }
    const auto drawn = [&key](Glyph glyph) {
        const QPainterPath path = glyphPath(glyph, key, 7);
        QImage image(path.boundingRect().size().toSize(), QImage::Format_RGB32);
        image.fill(Qt::black);
        QPainter(&image).fillPath(path.translated(-path.boundingRect().topLeft()), Qt::white);
        return image;
    };
    EXPECT_EQ(drawn(Glyph::Previous), drawn(Glyph::Next).mirrored(true, false));
    EXPECT_EQ(drawn(Glyph::Rewind), drawn(Glyph::Forward).mirrored(true, false));
    // Previous has its bar on the left, next on the right.
    const QImage previous = drawn(Glyph::Previous);
    EXPECT_EQ(previous.pixel(0, 0), qRgb(255, 255, 255));
    EXPECT_EQ(previous.pixel(previous.width() - 3, 0), qRgb(0, 0, 0));
}
