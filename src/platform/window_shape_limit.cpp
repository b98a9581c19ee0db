#include "platform/window_shape_limit.h"

#include <QGuiApplication>

#include <xcb/xcb.h>

#include <algorithm>

qsizetype platform::maxWindowShapeRectangles()
{
    // In four-byte units.
    quint64 maxRequest = 65535;
    // The offscreen platform offers the interface too, without a connection.
    const auto *x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    if (x11 && x11->connection())
        maxRequest = xcb_get_maximum_request_length(x11->connection());
    // The shape request's 16 header bytes and the 4 of a big request's
    // length come before its rectangles of 8 bytes each.
    constexpr quint64 headerBytes = 16 + 4;
    constexpr quint64 rectangleBytes = 8;
    return qsizetype((std::max<quint64>(maxRequest * 4, headerBytes) - headerBytes) / rectangleBytes);
}
