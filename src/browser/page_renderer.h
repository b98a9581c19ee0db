#pragma once

// Draws a laid-out page over the tiled background, and the real measure
// of the page's text.

#include "browser/page_layout.h"

#include <QFont>
#include <QImage>

namespace browser {

QFont pageFont(const TextStyle &style);
QSize measureText(const QString &text, const TextStyle &style);

// The background picture repeats every 200 x 100 pixels under the page.
QImage renderPage(const PageLayout &layout, int width, const QImage &background);

}  // namespace browser
