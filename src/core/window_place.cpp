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

QPoint keptOnScreen(const QRect &window, const QSize &screen)
{
    return {keptInside(window.left(), window.width(), screen.width()),
            keptInside(window.top(), window.height(), screen.height())};
}
