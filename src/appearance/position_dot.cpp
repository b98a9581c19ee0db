#include "appearance/position_dot.h"

#include <cmath>
#include <numbers>

QPoint positionDotPlace(const QRect &dot, double fraction)
{
    const double angle = std::numbers::pi * (1.0 - fraction);
    return {dot.left() + static_cast<int>(std::lround(dot.width() * std::cos(angle))),
            dot.top() - static_cast<int>(std::lround(dot.height() * std::sin(angle)))};
}
