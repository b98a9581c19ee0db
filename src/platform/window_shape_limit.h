#pragma once

// How many rectangles a window's shape may have. The X server takes a shape
// in one request, and a request longer than the server's maximum closes
// the connection, which ends the program; a shape beyond this count must
// give a rectangular window instead.

#include <QtGlobal>

namespace platform {

// From the X server's maximum request length; off X (offscreen, Wayland)
// the length every X server takes without the big-requests extension.
qsizetype maxWindowShapeRectangles();

}  // namespace platform
