// Renders the main window with sample texts into a PNG, enlarged with
// whole pixels, for the documentation: main-window-shot OUT.png [SCALE]

#include "core/main_form.h"

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <QTextStream>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() < 2) {
        QTextStream(stderr) << "usage: main-window-shot OUT.png [SCALE]\n";
        return 2;
    }
    const int scale = args.size() > 2 ? std::max(1, args[2].toInt()) : 3;

    const TextureManager textures;
    TMainForm form(textures);
    form.showTitle("Morning Waltz");
    form.showDuration("(0:25)");
    form.showChannelMode("Stereo");
    form.showTime("0:12");
    form.showPosition(12.0 / 25.0);
    form.showPlayState(1);
    form.showVolume(80);
    form.showBalance(50);

    // Outside the window's shape is see-through, as on the desktop.
    QImage shot(form.size(), QImage::Format_ARGB32_Premultiplied);
    shot.fill(Qt::transparent);
    {
        QPainter painter(&shot);
        painter.setClipRegion(form.mask());
        painter.drawPixmap(0, 0, form.grab());
    }
    const QImage enlarged = shot.scaled(shot.size() * scale, Qt::IgnoreAspectRatio, Qt::FastTransformation);
    if (!enlarged.save(args[1])) {
        QTextStream(stderr) << "cannot write " << args[1] << "\n";
        return 1;
    }
    return 0;
}
