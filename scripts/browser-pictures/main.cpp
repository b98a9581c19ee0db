// Draws the pictures of the browser's own pages into the program folder's
// Browser/: the background every page lies on, the logo, and pictures of
// the windows the help pages describe, taken from the built-in texture.
//   ludro-browser-pictures FOLDER

#include "appearance/texture_set.h"
#include "appearance/theme.h"

#include <QDir>
#include <QGuiApplication>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

#include <cstdio>

namespace {

// Deep blue-grey with faint diagonal grooves; it repeats every 200 x 100
// pixels without a seam.
QImage paintBackground()
{
    QImage tile(200, 100, QImage::Format_RGB32);
    QPainter painter(&tile);
    painter.fillRect(tile.rect(), QColor(22, 27, 36));
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(QColor(30, 37, 49), 6));
    for (int x = -100; x < 300; x += 25)
        painter.drawLine(x, 100, x + 100, 0);
    return tile;
}

QImage paintLogo()
{
    QImage logo(300, 64, QImage::Format_ARGB32_Premultiplied);
    logo.fill(QColor(22, 27, 36));
    QPainter painter(&logo);
    painter.setRenderHint(QPainter::Antialiasing);
    QLinearGradient metal(0, 6, 0, 58);
    metal.setColorAt(0, theme::RimLight.lighter(130));
    metal.setColorAt(1, QColor(70, 82, 100));
    painter.setBrush(metal);
    painter.setPen(QPen(QColor(12, 14, 18), 2));
    painter.drawRoundedRect(QRectF(4, 6, 56, 52), 10, 10);
    QPainterPath note;  // a note on the key
    note.addEllipse(QRectF(18, 38, 14, 10));
    note.addRect(QRectF(29, 16, 3, 27));
    note.addRect(QRectF(29, 16, 14, 4));
    painter.fillPath(note, QColor(20, 24, 30));
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(34);
    font.setBold(true);
    painter.setFont(font);
    painter.setPen(QColor(226, 232, 240));
    painter.drawText(QRect(72, 0, 228, 64), Qt::AlignVCenter, QStringLiteral("Ludro Pro"));
    return logo;
}

}  // namespace

int main(int argc, char **argv)
{
    // Drawn off screen: the build may run where no display is.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: ludro-browser-pictures FOLDER\n");
        return 2;
    }
    const QString folder = QString::fromLocal8Bit(argv[1]) + '/';
    QDir().mkpath(folder);
    const TextureSet texture = TextureSet::builtin();
    const std::pair<const char *, QImage> pictures[] = {
        {"BackGround.bmp", paintBackground()},
        {"logo.bmp", paintLogo()},
        {"main-window.bmp", texture.pictures.main},
        {"equalizer-window.bmp", texture.pictures.equalizer.copy(0, 0, 275, 116)},
    };
    for (const auto &[name, picture] : pictures)
        if (!picture.convertToFormat(QImage::Format_RGB32).save(folder + name, "BMP")) {
            std::fprintf(stderr, "cannot write %s%s\n", qPrintable(folder), name);
            return 1;
        }
    return 0;
}
