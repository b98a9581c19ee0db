#pragma once

// A Winamp skin's "region.txt": for each window a section ("Normal" for the
// main window, "WindowShade" for its shade bar) whose "NumPoints" lists the
// corner counts of its polygons and whose "PointList" lists their corners
// as x, y pairs, in skin pixels. The polygons together shape the window.

#include <QByteArray>
#include <QRegion>
#include <QSize>
#include <QString>

// Far more corners than any skin draws; the rest of a longer list is not read.
inline constexpr int MaxRegionPoints = 4096;

// The shape `section` gives a window of `window`; none (a rectangular
// window) when the section is missing, names no polygon of three corners
// or more, or leaves nothing of the window.
QRegion readSkinRegion(const QByteArray &text, const QString &section, QSize window);
