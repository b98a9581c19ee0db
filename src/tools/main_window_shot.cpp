// Renders the main window into a PNG, enlarged with whole pixels, for the
// documentation:
//   main-window-shot OUT.png [SCALE] [--texture FOLDER] [--cool-bar]
//       with sample texts; FOLDER is a texture folder (its parent holds the
//       textures), without it the built-in texture is shown
//   main-window-shot OUT.png --cd [SCALE]
//       the player in CD mode, a few seconds into the disc in the drive
//       (LUDRO_CD_DEVICE)

#include "app/app_dialogs.h"
#include "app/ludro_app.h"
#include "app/main_form.h"

#include <QApplication>
#include <QEventLoop>
#include <QFileInfo>
#include <QImage>
#include <QPainter>
#include <QTextStream>
#include <QTimer>

namespace {

void showSample(TMainForm &form)
{
    form.showTitle("Morning Waltz");
    form.showDuration("(0:25)");
    form.showChannelMode("Stereo");
    form.showStreamNumbers(128, 44100);
    form.showTime("0:12");
    form.showPosition(12.0 / 25.0);
    form.showPlayState(1);
    form.showVolume(80);
    form.showBalance(50);
}

// Outside the window's shape is see-through, as on the desktop.
bool save(TMainForm &form, int scale, const QString &file)
{
    QImage shot(form.size(), QImage::Format_ARGB32_Premultiplied);
    shot.fill(Qt::transparent);
    {
        QPainter painter(&shot);
        if (!form.mask().isEmpty())
            painter.setClipRegion(form.mask());
        painter.drawPixmap(0, 0, form.grab());
    }
    return shot.scaled(shot.size() * scale, Qt::IgnoreAspectRatio, Qt::FastTransformation).save(file);
}

}  // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QStringList args = app.arguments();
    const qsizetype textureAt = args.indexOf("--texture");
    const QString texture = textureAt > 0 ? args.value(textureAt + 1) : QString();
    if (textureAt > 0)
        args.remove(textureAt, 2);
    const bool coolBar = args.removeAll("--cool-bar") > 0;
    const bool disc = args.removeAll("--cd") > 0;
    if (args.size() < 2) {
        QTextStream(stderr) << "usage: main-window-shot OUT.png [SCALE] [--texture FOLDER] [--cool-bar] | OUT.png --cd [SCALE]\n";
        return 2;
    }
    const int scale = args.size() > 2 ? std::max(1, args[2].toInt()) : 3;

    bool saved = false;
    if (disc) {
        AppDialogs dialogs(nullptr);
        LudroApp player({"ludro", "/noSave", "/cd"}, dialogs);
        player.show();
        QEventLoop playing;
        QTimer::singleShot(4000, &playing, &QEventLoop::quit);
        playing.exec();
        saved = save(player.mainForm(), scale, args[1]);
    } else {
        const QFileInfo folder(texture);
        TextureManager textures({folder.absolutePath() + '/'});
        QString error;
        if (!texture.isEmpty() && !textures.apply(folder.fileName(), &error)) {
            QTextStream(stderr) << error << "\n";
            return 1;
        }
        TMainForm form(textures);
        form.setNormalMode(!coolBar);
        showSample(form);
        saved = save(form, scale, args[1]);
    }
    if (!saved) {
        QTextStream(stderr) << "cannot write " << args[1] << "\n";
        return 1;
    }
    return 0;
}
