#pragma once

// The title bar of the built-in secondary windows: dark metal with the
// window's name engraved in ice blue.

#include <QRect>
#include <QString>

class QPainter;

// A `seamless` bar has its grooves run to both edges, so that pieces of it
// join when tiled.
void paintWindowTitleBar(QPainter &painter, const QRect &area, const QString &name, bool seamless = false);
