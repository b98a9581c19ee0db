// Draws the pictures of the browser's own pages into the program folder's
// Browser/: the background every page lies on, the logo, and the windows
// the help pages describe, drawn off screen in the built-in texture.
//   ludro-browser-pictures FOLDER

#include "appearance/theme.h"
#include "app/main_form.h"
#include "sound/eq_form.h"

#include <QApplication>
#include <QDir>
#include <QTemporaryDir>
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

class NoDialogs : public platform::QtDialogs {
public:
    QString askAddress() override { return {}; }
    int chooseSong(const QStringList &) override { return -1; }
};

// The window as the page shows it: on the page's own colour.
QImage window(QWidget &form)
{
    QImage shot(form.size(), QImage::Format_RGB32);
    shot.fill(QColor(22, 27, 36));
    form.render(&shot, QPoint(), QRegion(), QWidget::DrawChildren);
    return shot;
}

}  // namespace

int main(int argc, char **argv)
{
    // Drawn off screen: the build may run where no display is.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: ludro-browser-pictures FOLDER\n");
        return 2;
    }
    const QString folder = QString::fromLocal8Bit(argv[1]) + '/';
    QDir().mkpath(folder);
    const TextureManager textures;
    TMainForm mainForm(textures);
    mainForm.showTitle(QStringLiteral("Morning Waltz"));
    mainForm.showTime(QStringLiteral("0:12"));
    mainForm.showVolume(80);
    mainForm.showBalance(50);
    QTemporaryDir presets;
    NoDialogs dialogs;
    TEQForm equalizer(textures, {presets.path() + '/'}, dialogs);
    equalizer.resize(TEQForm::BodyWidth, TEQForm::WindowHeight);
    equalizer.setStoredValues({-30, -30, -18, -4, 6, 20, 24, 20, 6, -10, -26, -26});
    equalizer.setUseEqualizer(true);
    const std::pair<const char *, QImage> pictures[] = {
        {"BackGround.bmp", paintBackground()},
        {"logo.bmp", paintLogo()},
        {"main-window.bmp", window(mainForm)},
        {"equalizer-window.bmp", window(equalizer)},
    };
    for (const auto &[name, picture] : pictures)
        if (!picture.convertToFormat(QImage::Format_RGB32).save(folder + name, "BMP")) {
            std::fprintf(stderr, "cannot write %s%s\n", qPrintable(folder), name);
            return 1;
        }
    return 0;
}
