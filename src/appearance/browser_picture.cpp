#include "appearance/builtin_pictures.h"

#include "appearance/theme.h"
#include "appearance/window_title_bar.h"

#include <QPainter>

QImage paintBrowserPicture()
{
    QImage image(300, 30, QImage::Format_ARGB32_Premultiplied);
    image.fill(theme::MetalBottom);
    QPainter painter(&image);
    paintWindowTitleBar(painter, QRect(0, 0, 275, 30), "MUSIC BROWSER", true);

    // The resize grip: 25 x 25 at (275, 5).
    const QRect grip(275, 5, 25, 25);
    painter.fillRect(QRect(275, 0, 25, 30), QColor(36, 42, 52));
    painter.fillRect(QRect(grip.right(), grip.top(), 1, grip.height()), theme::RimDark);
    painter.fillRect(QRect(grip.left(), grip.bottom(), grip.width(), 1), theme::RimDark);
    for (int a = 0; a < 4; ++a) {
        for (int b = 0; a + b < 4; ++b) {
            const QPoint dot(grip.right() - 4 - 4 * a, grip.bottom() - 4 - 4 * b);
            painter.fillRect(QRect(dot, QSize(2, 2)), theme::RimLight);
            painter.fillRect(QRect(dot + QPoint(1, 1), QSize(1, 1)), theme::RimDark);
        }
    }
    return image;
}
