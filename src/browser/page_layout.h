#pragma once

// The browser's pages: a line-oriented subset of HTML, read into commands
// and laid out into a list of things to draw and a table of links. The
// layout only measures (through the caller's measure), so it needs no
// window and its geometry can be checked with any measure; the renderer
// draws the result.

#include <QColor>
#include <QImage>
#include <QRect>
#include <QString>
#include <QStringList>

#include <functional>
#include <vector>

namespace browser {

// One line of a page file.
struct PageLine {
    enum Kind {
        Text,
        CenterOn,
        CenterOff,
        Break,
        Rule,
        FontSize,
        Bold,
        Italic,
        Underline,
        Plain,
        QuoteOn,
        QuoteOff,
        FontColor,
        FontFace,
        Link,
        Image,
    };
    Kind kind = Text;
    QString text;   // text, font face, link target or picture name
    int value = 0;  // font size in points, colour as 0xRRGGBB
};

// Every non-empty line that means something; tags that are unknown, short
// or malformed are left out, so the state stays as it was.
std::vector<PageLine> parsePage(const QString &text);

struct TextStyle {
    enum Style { Plain, Bold, Italic, Underline };
    QString face = QStringLiteral("Arial");
    int points = 8;
    Style style = Plain;
    QColor color = Qt::white;
    bool operator==(const TextStyle &) const = default;
};

struct PageItem {
    enum Kind { Text, Rule, Image };
    Kind kind = Text;
    QPoint at;      // top left; a rule's left end
    int right = 0;  // a rule's right end
    QString text;
    TextStyle style;
    QImage image;
};

struct PageLink {
    QString target;
    QRect area;
};

struct PageLayout {
    std::vector<PageItem> items;
    std::vector<PageLink> links;
    int height = 0;
};

struct PageMetrics {
    int width = 0;          // the page's width
    int visibleHeight = 0;  // the page is at least this tall
    std::function<QSize(const QString &text, const TextStyle &style)> measure;
    // The picture of that name, or a null image when there is none.
    std::function<QImage(const QString &name)> picture;
};

// A page taller than this is cut; what lies below is not laid out.
inline constexpr int maxPageHeight = 30000;
inline constexpr int pageMargin = 10;

PageLayout layoutPage(const std::vector<PageLine> &lines, const PageMetrics &metrics);

// The link whose text holds the point, or null.
const PageLink *linkAt(const PageLayout &layout, QPoint point);

}  // namespace browser
