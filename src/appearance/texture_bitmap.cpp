#include "appearance/texture_bitmap.h"

#include <QBuffer>
#include <QImageReader>
#include <QPainter>

bool PixelBudget::take(QSize size)
{
    const qint64 pixels = qint64(size.width()) * size.height();
    exceeded_ = exceeded_ || pixels > left_;
    if (!exceeded_)
        left_ -= pixels;
    return !exceeded_;
}

QString PixelBudget::refusal(const QString &name)
{
    return QStringLiteral("The pictures of %1 are too large: more than %2 million pixels together.")
        .arg(name)
        .arg(MaxSkinPixels / 1'000'000);
}

std::optional<QImage> readTextureBitmap(const TextureSource &source, const QString &name, PixelBudget &budget)
{
    if (budget.exceeded())
        return std::nullopt;
    std::optional<QByteArray> bytes = source.file(name, MaxBitmapBytes);
    if (!bytes)
        return std::nullopt;
    QBuffer buffer(&*bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, "bmp");
    reader.setDecideFormatFromContent(false);
    const QSize size = reader.size();
    if (!size.isValid() || size.isEmpty() || size.width() > MaxBitmapSide || size.height() > MaxBitmapSide ||
        !budget.take(size))
        return std::nullopt;
    const QImage image = reader.read();
    if (image.isNull())
        return std::nullopt;
    return image.convertToFormat(QImage::Format_RGB32);
}

void drawPiece(QPainter &painter, QPoint at, const QImage &picture, const QRect &source)
{
    const QRect inside = source.intersected(picture.rect());
    if (!inside.isEmpty())
        painter.drawImage(at + (inside.topLeft() - source.topLeft()), picture, inside);
}
