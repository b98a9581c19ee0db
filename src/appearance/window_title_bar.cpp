#include "appearance/window_title_bar.h"

#include "appearance/pixel_font.h"
#include "appearance/theme.h"

#include <QPainter>
#include <QPainterPath>

void paintWindowTitleBar(QPainter &painter, const QRect &area, const QString &name, bool seamless)
{
    QPainterPath bar;
    bar.addRect(area);
    theme::paintMetal(painter, bar, QColor(60, 69, 82), QColor(30, 35, 44));
    painter.fillRect(QRect(area.left(), area.top(), area.width(), 1), theme::RimLight);
    painter.fillRect(QRect(area.left(), area.bottom(), area.width(), 1), theme::RimDark);
    const int top = area.top() + (area.height() - pixel_font::Height) / 2;
    const int textLeft = area.left() + 10;
    const int inset = seamless ? 0 : 2;
    const int grooveLeft = name.isEmpty() ? area.left() + inset : textLeft + pixel_font::textWidth(name) + 4;
    const int grooveWidth = area.right() + 1 - (seamless ? 0 : 4) - grooveLeft;
    // Grooves beside the name, as on a rack handle.
    for (int y = top; y < top + pixel_font::Height; y += 2) {
        if (!name.isEmpty())
            painter.fillRect(QRect(area.left() + 4, y, 4, 1), theme::RimDark);
        painter.fillRect(QRect(grooveLeft, y, grooveWidth, 1), theme::RimDark);
        painter.fillRect(QRect(grooveLeft, y + 1, grooveWidth, 1), QColor(255, 255, 255, 18));
    }
    if (!name.isEmpty())
        theme::paintEngraved(painter, QPoint(textLeft, top), name, theme::AccentLight);
}
