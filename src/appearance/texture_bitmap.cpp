#include "appearance/texture_bitmap.h"

#include <QBuffer>
#include <QImageReader>
#include <QPainter>

std::optional<QImage> readTextureBitmap(const TextureSource &source, const QString &name)
{
    std::optional<QByteArray> bytes = source.file(name, MaxBitmapBytes);
    if (!bytes)
        return std::nullopt;
    QBuffer buffer(&*bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, "bmp");
    reader.setDecideFormatFromContent(false);
    const QSize size = reader.size();
    if (!size.isValid() || size.isEmpty() || size.width() > MaxBitmapSide || size.height() > MaxBitmapSide)
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
