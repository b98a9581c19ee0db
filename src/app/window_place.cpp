#include "window_place.h"

namespace {

int keptInside(int edge, int extent, int screenExtent)
{
    if (edge > screenExtent)
        return screenExtent - extent - 10;
    if (edge < 0)
        return 10;
    return edge;
}

}  // namespace

QSize correctedPlaylistSize(const QSize &stored, int screenHeight)
{
    const int height = stored.height() < 200 || stored.height() > screenHeight ? 408 : stored.height();
    const int width = stored.width() > 800 || stored.width() < 300 ? 483 : stored.width();
    return {width, height};
}

int correctedEqualizerWidth(int stored)
{
    return stored > 800 || stored < 274 ? 400 : stored;
}

QPoint keptOnScreen(const QRect &window, const QSize &screen)
{
    return {keptInside(window.left(), window.width(), screen.width()),
            keptInside(window.top(), window.height(), screen.height())};
}
