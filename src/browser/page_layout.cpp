#include "browser/page_layout.h"

#include <algorithm>
#include <array>
#include <optional>

namespace browser {

namespace {

constexpr std::array<int, 7> fontPoints{7, 8, 10, 12, 14, 18, 22};
const QColor linkColor(0x7E, 0x7E, 0xFF);
constexpr int quoteIndent = 30;
constexpr int imageGap = 5;

// The text between a tag's fixed start and its fixed end, or empty.
QString between(const QString &line, qsizetype start, qsizetype endLength)
{
    return line.size() > start + endLength ? line.mid(start, line.size() - start - endLength) : QString();
}

// A colour tag's six hex digits, blue first; false when they are not there.
bool parseColor(const QString &line, int &rgb)
{
    const QString digits = line.mid(12, 6);
    if (digits.size() != 6)
        return false;
    bool ok = false;
    const uint bgr = digits.toUInt(&ok, 16);
    if (!ok || !std::all_of(digits.begin(), digits.end(), [](QChar c) { return isxdigit(c.toLatin1()); }))
        return false;
    rgb = static_cast<int>(((bgr & 0xFF) << 16) | (bgr & 0xFF00) | (bgr >> 16));
    return true;
}

std::optional<PageLine> parseTag(const QString &line)
{
    using K = PageLine::Kind;
    static const std::array<std::pair<const char *, K>, 12> plain{{
        {"<CENTER>", K::CenterOn},
        {"</CENTER>", K::CenterOff},
        {"<BR>", K::Break},
        {"<HR>", K::Rule},
        {"<B>", K::Bold},
        {"<I>", K::Italic},
        {"<U>", K::Underline},
        {"</B>", K::Plain},
        {"</I>", K::Plain},
        {"</U>", K::Plain},
        {"<BLOCKQUOTE>", K::QuoteOn},
        {"</BLOCKQUOTE>", K::QuoteOff},
    }};
    for (const auto &[tag, kind] : plain)
        if (line == QLatin1String(tag))
            return PageLine{kind, {}, 0};
    for (int size = 1; size <= 7; ++size)
        if (line == QStringLiteral("<FONT SIZE=%1>").arg(size))
            return PageLine{K::FontSize, {}, fontPoints[size - 1]};

    QString text;
    int rgb = 0;
    if (line.startsWith(QLatin1String("<FONT COLOR")) && parseColor(line, rgb))
        return PageLine{K::FontColor, {}, rgb};
    if (line.startsWith(QLatin1String("<FONT FACE")) && !(text = between(line, 11, 1)).isEmpty())
        return PageLine{K::FontFace, text, 0};
    if (line.startsWith(QLatin1String("<A HREF")) && !(text = between(line, 9, 2)).isEmpty())
        return PageLine{K::Link, text, 0};
    if (line.startsWith(QLatin1String("<IMG")) && !(text = between(line, 10, 2)).isEmpty())
        return PageLine{K::Image, text, 0};
    return std::nullopt;
}

}  // namespace

std::vector<PageLine> parsePage(const QString &text)
{
    std::vector<PageLine> lines;
    for (QStringView view : QStringView(text).split(u'\n')) {
        const QString line = view.endsWith(u'\r') ? view.chopped(1).toString() : view.toString();
        if (line.isEmpty())
            continue;
        if (!line.startsWith(u'<'))
            lines.push_back({PageLine::Text, line, 0});
        else if (auto tag = parseTag(line))
            lines.push_back(*tag);
    }
    return lines;
}

PageLayout layoutPage(const std::vector<PageLine> &lines, const PageMetrics &metrics)
{
    PageLayout page;
    TextStyle style;
    int indent = 0, xOffset = 0, continuation = 0, y = pageMargin;
    int bottom = 0;  // of rules and pictures, which do not move y themselves
    bool centred = false;
    int imageHeight = -1;  // the last picture's, while the line after it is pictures only
    QString pendingLink;
    bool linkPending = false;
    const int half = metrics.width / 2;

    for (const PageLine &line : lines) {
        if (y >= maxPageHeight)
            break;
        switch (line.kind) {
        case PageLine::Text: {
            TextStyle shown = style;
            if (linkPending) {
                shown.style = TextStyle::Underline;
                shown.color = linkColor;
            }
            // A "\" at the end continues the line with the next text.
            const bool continued = line.text.endsWith(u'\\');
            const QString text = continued ? line.text.chopped(1) : line.text;
            const QSize size = metrics.measure(text, shown);
            const int x = centred ? half - size.width() / 2 : indent + pageMargin + xOffset + continuation;
            continuation = continued ? continuation + size.width() : 0;
            if (linkPending)
                page.links.push_back({pendingLink, QRect(x, y, size.width(), size.height())});
            linkPending = false;
            imageHeight = -1;
            page.items.push_back({PageItem::Text, QPoint(x, y), 0, text, shown, {}});
            if (continuation == 0)
                y += size.height();
            break;
        }
        case PageLine::Break:
            y += imageHeight >= 0 ? imageHeight + imageGap : metrics.measure(QStringLiteral("<BR>"), style).height();
            xOffset = 0;
            break;
        case PageLine::Rule:
            page.items.push_back({PageItem::Rule, QPoint(pageMargin, y), metrics.width - 36, {}, style, {}});
            bottom = std::max(bottom, y + 1);
            break;
        case PageLine::Image: {
            const QImage image = metrics.picture(line.text);
            if (image.isNull())
                break;
            int x = indent + pageMargin + xOffset;
            xOffset += image.width() + imageGap;
            if (centred) {
                x = half - image.width() / 2;
                xOffset = 0;
            }
            page.items.push_back({PageItem::Image, QPoint(x, y), 0, line.text, style, image});
            imageHeight = image.height();
            bottom = std::max(bottom, y + imageHeight);
            break;
        }
        case PageLine::CenterOn:
            centred = true;
            break;
        case PageLine::CenterOff:
            centred = false;
            break;
        case PageLine::FontSize:
            style.points = line.value;
            break;
        case PageLine::Bold:
            style.style = TextStyle::Bold;
            break;
        case PageLine::Italic:
            style.style = TextStyle::Italic;
            break;
        case PageLine::Underline:
            style.style = TextStyle::Underline;
            break;
        case PageLine::Plain:
            style.style = TextStyle::Plain;
            break;
        case PageLine::QuoteOn:
            indent += quoteIndent;
            break;
        case PageLine::QuoteOff:
            indent = std::max(0, indent - quoteIndent);
            break;
        case PageLine::FontColor:
            style.color = QColor::fromRgb(static_cast<QRgb>(line.value));
            break;
        case PageLine::FontFace:
            style.face = line.text;
            break;
        case PageLine::Link:
            pendingLink = line.text;
            linkPending = true;
            break;
        }
    }
    page.height = std::min(std::max({y, bottom, metrics.visibleHeight}), maxPageHeight);
    return page;
}

const PageLink *linkAt(const PageLayout &layout, QPoint point)
{
    const auto found = std::find_if(layout.links.begin(), layout.links.end(),
                                    [point](const PageLink &link) { return link.area.contains(point); });
    return found == layout.links.end() ? nullptr : &*found;
}

}  // namespace browser
