#include "browser/page_renderer.h"

#include <QFontMetrics>
#include <QPainter>

namespace browser {

QFont pageFont(const TextStyle &style)
{
    QFont font(style.face);
    // Points at 96 dots per inch, whatever the screen, so pages look alike everywhere.
    font.setPixelSize(std::max(1, (style.points * 96 + 36) / 72));
    font.setBold(style.style == TextStyle::Bold);
    font.setItalic(style.style == TextStyle::Italic);
    font.setUnderline(style.style == TextStyle::Underline);
    return font;
}

QSize measureText(const QString &text, const TextStyle &style)
{
    const QFontMetrics metrics(pageFont(style));
    return {metrics.horizontalAdvance(text), metrics.height()};
}

QImage renderPage(const PageLayout &layout, int width, const QImage &background)
{
    QImage page(std::max(1, width), std::max(1, layout.height), QImage::Format_RGB32);
    page.fill(Qt::black);
    QPainter painter(&page);
    if (!background.isNull())
        for (int y = 0; y < page.height(); y += 100)
            for (int x = 0; x < page.width(); x += 200)
                painter.drawImage(x, y, background);
    for (const PageItem &item : layout.items) {
        switch (item.kind) {
        case PageItem::Text: {
            const QFont font = pageFont(item.style);
            painter.setFont(font);
            painter.setPen(item.style.color);
            painter.drawText(item.at + QPoint(0, QFontMetrics(font).ascent()), item.text);
            break;
        }
        case PageItem::Rule:
            painter.setPen(item.style.color);
            painter.drawLine(item.at, QPoint(item.right, item.at.y()));
            break;
        case PageItem::Image:
            painter.drawImage(item.at, item.image);
            break;
        }
    }
    return page;
}

}  // namespace browser
