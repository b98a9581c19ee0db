#pragma once

// The position dot travels over the upper half of an ellipse: from the left
// end at the start, over the top at half time, to the right end at the end.

#include <QPoint>
#include <QRect>

// `dot` is the texture's PositionDot rectangle: the ellipse's centre and radii.
QPoint positionDotPlace(const QRect &dot, double fraction);
