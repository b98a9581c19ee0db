#include "appearance/window_shape.h"

#include <QList>

#include <vector>

QRegion builtinWindowShape()
{
    const QRegion ellipse(0, 0, 246, 150, QRegion::Ellipse);
    const QRegion dome = ellipse.intersected(QRegion(0, 0, 246, 75));
    return dome.united(QRegion(0, 69, 245, 71));
}

// Rows with the same runs of black make one band, so a mask of thousands of
// rows is set in one step instead of thousands of unions.
QRegion maskRegion(const QImage &mask, QSize window)
{
    const QImage pixels = mask.copy(mask.rect().intersected(QRect(QPoint(0, 0), window)))
                              .convertToFormat(QImage::Format_RGB32);
    QList<QRect> rects;
    std::vector<std::pair<int, int>> band, row;
    int bandTop = 0;
    auto closeBand = [&](int bottom) {
        for (const auto &[left, right] : band)
            rects.append(QRect(QPoint(left, bandTop), QPoint(right, bottom - 1)));
    };
    for (int y = 0; y < pixels.height(); ++y) {
        const auto *line = reinterpret_cast<const QRgb *>(pixels.constScanLine(y));
        row.clear();
        for (int x = 0; x < pixels.width();) {
            if ((line[x] & 0xFFFFFF) != 0) {
                ++x;
                continue;
            }
            const int start = x;
            while (x < pixels.width() && (line[x] & 0xFFFFFF) == 0)
                ++x;
            row.emplace_back(start, x - 1);
        }
        if (row != band) {
            closeBand(y);
            if (rects.size() + qsizetype(row.size()) > MaxShapeRectangles)
                return {};
            band = row;
            bandTop = y;
        }
    }
    closeBand(pixels.height());
    QRegion region;
    region.setRects(rects.constData(), static_cast<int>(rects.size()));
    return region;
}
