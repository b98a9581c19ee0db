#include "appearance/position_dot.h"

#include <algorithm>
#include <cmath>
#include <numbers>

QPoint positionDotPlace(const QRect &dot, double fraction)
{
    // Past the end (a duration read short) the dot stays at the arc's end.
    const double angle = std::numbers::pi * (1.0 - std::clamp(fraction, 0.0, 1.0));
    return {dot.left() + static_cast<int>(std::lround(dot.width() * std::cos(angle))),
            dot.top() - static_cast<int>(std::lround(dot.height() * std::sin(angle)))};
}
