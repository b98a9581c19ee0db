#pragma once

// Windows that snap to each other while dragged, and the windows carried
// along when the main window is dragged. Positions are logical pixels.

#include <QList>
#include <QPoint>
#include <QRect>

namespace shell {

struct WindowBox {
    QRect rect;
    bool visible = true;
};

inline constexpr int snapTolerance = 15;

// Where the window `moving` of `windows` goes when the mouse asks for
// `wanted`: each other visible window, in list order, may snap it to its
// edges (a later snap wins on the same axis); an axis without a snap follows
// the mouse. The window never snaps to itself.
QPoint snappedPosition(const QRect &wanted, const QList<WindowBox> &windows, qsizetype moving);

// The visible windows that touch window `main` edge to edge, or touch a
// window that does; `main` itself is not in the answer.
QList<bool> dockedWindows(const QList<WindowBox> &windows, qsizetype main);

}  // namespace shell
