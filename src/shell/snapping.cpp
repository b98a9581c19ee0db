#include "shell/snapping.h"

#include <cstdlib>
#include <optional>

namespace shell {

namespace {

// Both ranges [a, a + aLength] and [b, b + bLength] share a point.
bool overlap(int a, int aLength, int b, int bLength)
{
    return a + aLength >= b && b + bLength >= a;
}

bool close(int a, int b)
{
    return std::abs(a - b) < snapTolerance;
}

// `m` against `o` along one axis (start and length), with the other axis
// given as "cross": m's new start along the axis, and its start across it
// when an edge lines up as well.
struct Snap {
    std::optional<int> along, across;
};

Snap snapAxis(int mStart, int mLength, int oStart, int oLength, int mCross, int mCrossLength, int oCross,
              int oCrossLength)
{
    Snap snap;
    if (!overlap(mCross, mCrossLength, oCross, oCrossLength))
        return snap;
    if (close(mStart, oStart + oLength))
        snap.along = oStart + oLength;
    if (close(oStart, mStart + mLength))
        snap.along = oStart - mLength;
    if (!snap.along)
        return snap;
    if (close(mCross, oCross))
        snap.across = oCross;
    else if (close(mCross + mCrossLength, oCross + oCrossLength))
        snap.across = oCross + oCrossLength - mCrossLength;
    return snap;
}

bool touching(const QRect &a, const QRect &b)
{
    const bool sideBySide = a.x() + a.width() == b.x() || b.x() + b.width() == a.x();
    const bool stacked = a.y() + a.height() == b.y() || b.y() + b.height() == a.y();
    return (sideBySide && overlap(a.y(), a.height(), b.y(), b.height()))
           || (stacked && overlap(a.x(), a.width(), b.x(), b.width()));
}

}  // namespace

QPoint snappedPosition(const QRect &wanted, const QList<WindowBox> &windows, qsizetype moving)
{
    std::optional<int> x, y;
    for (qsizetype i = 0; i < windows.size(); ++i) {
        const QRect o = windows[i].rect;
        if (i == moving || !windows[i].visible)
            continue;
        const Snap vertical = snapAxis(wanted.y(), wanted.height(), o.y(), o.height(), wanted.x(), wanted.width(),
                                       o.x(), o.width());
        const Snap horizontal = snapAxis(wanted.x(), wanted.width(), o.x(), o.width(), wanted.y(), wanted.height(),
                                         o.y(), o.height());
        for (const auto &[along, across] : {std::pair(&y, vertical.along), std::pair(&x, vertical.across),
                                            std::pair(&x, horizontal.along), std::pair(&y, horizontal.across)})
            if (across)
                *along = across;
    }
    return {x.value_or(wanted.x()), y.value_or(wanted.y())};
}

QList<bool> dockedWindows(const QList<WindowBox> &windows, qsizetype main)
{
    QList<bool> docked(windows.size(), false);
    for (bool grew = true; grew;) {
        grew = false;
        for (qsizetype i = 0; i < windows.size(); ++i) {
            if (i == main || docked[i] || !windows[i].visible)
                continue;
            for (qsizetype j = 0; j < windows.size() && !docked[i]; ++j)
                if ((j == main || docked[j]) && j != i && touching(windows[i].rect, windows[j].rect))
                    docked[i] = grew = true;
        }
    }
    return docked;
}

}  // namespace shell
