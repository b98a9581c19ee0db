// The parts the built-in pictures are drawn with: the pixel font and the
// button glyphs (the LCD digits are seen in the built-in texture's).

#include "appearance/glyphs.h"
#include "appearance/pixel_font.h"

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

QRect litBounds(const QImage &image)
{
    QRect bounds;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (qGray(image.pixel(x, y)) > 0)
                bounds |= QRect(x, y, 1, 1);
        }
    }
    return bounds;
}

}  // namespace

TEST(PixelFont, MeasuresAndDrawsWithinItsHeightSmallLettersAsCapitals)
{
    // An unknown character is a gap, as a blank is.
    EXPECT_EQ(pixel_font::textWidth(u"A~B"), pixel_font::textWidth(u"A B"));

    const QRect bounds = litBounds(drawn("ID3 TAG"));
    EXPECT_EQ(bounds, QRect(1, 1, pixel_font::textWidth(u"ID3 TAG"), pixel_font::Height));
    EXPECT_EQ(drawn("shuf"), drawn("SHUF"));
    EXPECT_NE(drawn("REP"), drawn("RPE"));
}

TEST(Glyphs, HaveTheirHeightAndSitCentredInTheirBox)
{
    const QRectF key(114, 99, 19, 14);
    for (Glyph glyph : {Glyph::Play, Glyph::Pause, Glyph::Stop, Glyph::Previous, Glyph::Next, Glyph::Rewind,
                        Glyph::Forward, Glyph::Eject}) {
        const QRectF bounds = glyphPath(glyph, key, 7).boundingRect();
        EXPECT_NEAR(bounds.height(), 7, 0.01) << static_cast<int>(glyph);
        EXPECT_TRUE(key.contains(bounds)) << static_cast<int>(glyph);
        EXPECT_NEAR(bounds.center().x(), key.center().x(), 0.6) << static_cast<int>(glyph);
        EXPECT_NEAR(bounds.center().y(), key.center().y(), 0.6) << static_cast<int>(glyph);
        // Whole pixels, so that the edges stay sharp.
        EXPECT_EQ(bounds.left(), std::round(bounds.left())) << static_cast<int>(glyph);
        EXPECT_EQ(bounds.top(), std::round(bounds.top())) << static_cast<int>(glyph);
    }
}

TEST(Glyphs, TransportPairsAreMirrorImages)
{
    const QRectF box(0, 0, 20, 20);
    for (const auto &[left, right] :
         {std::pair{Glyph::Previous, Glyph::Next}, std::pair{Glyph::Rewind, Glyph::Forward}}) {
        const QPainterPath a = glyphPath(left, box, 7);
        const QPainterPath b = glyphPath(right, box, 7);
        ASSERT_EQ(a.boundingRect(), b.boundingRect());
        const QRectF bounds = a.boundingRect();
        int filled = 0;
        for (qreal y = bounds.top() + 0.5; y < bounds.bottom(); y += 1) {
            for (qreal x = bounds.left() + 0.5; x < bounds.right(); x += 1) {
                const QPointF mirrored(bounds.left() + bounds.right() - x, y);
                EXPECT_EQ(a.contains(QPointF(x, y)), b.contains(mirrored)) << x << "," << y;
                filled += a.contains(QPointF(x, y));
            }
        }
        EXPECT_GT(filled, 10);
    }
    // Previous has its bar on the left, next on the right.
    const QRectF bounds = glyphPath(Glyph::Previous, box, 7).boundingRect();
    EXPECT_TRUE(glyphPath(Glyph::Previous, box, 7).contains(QPointF(bounds.left() + 0.5, bounds.top() + 0.5)));
    EXPECT_FALSE(glyphPath(Glyph::Previous, box, 7).contains(QPointF(bounds.right() - 2.5, bounds.top() + 0.5)));
}

