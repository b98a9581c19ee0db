// Renders the preferences window's pages, and the player in a language, into
// PNGs for the documentation:
//   prefs-window-shot OUT-FOLDER [LANGUAGE]
//       OUT-FOLDER/prefs-1.png ... prefs-6.png, one per page, and with a
//       LANGUAGE also OUT-FOLDER/language-german.png: the main window, its menu and
//       the preferences in that language. LUDRO_HOME names the program folder.

#include "app/app_dialogs.h"
#include "app/ludro_app.h"

#include <QApplication>
#include <QMenu>
#include <QPainter>
#include <QTabWidget>
#include <QTextStream>
#include <QTimer>

namespace {

QImage shown(QWidget &widget)
{
    widget.show();
    QApplication::processEvents();
    return widget.grab().toImage();
}

}  // namespace

int main(int argc, char **argv)
{
    QApplication application(argc, argv);
    const QStringList args = application.arguments();
    if (args.size() < 2) {
        QTextStream(stderr) << "usage: prefs-window-shot OUT-FOLDER [LANGUAGE]\n";
        return 2;
    }
    const QString folder = args[1] + '/';
    AppDialogs dialogs(nullptr);
    LudroApp player({"ludro", "/noSave"}, dialogs);
    player.show();
    TPrefsForm &prefs = player.preferences();
    if (args.size() > 2)
        player.chooseLanguage(args[2]);
    // The window is opened modally and pictured from inside.
    QImage pages[6];
    QTimer::singleShot(0, &prefs, [&] {
        for (int page = 0; page < 6; ++page) {
            prefs.pages().setCurrentIndex(page);
            QApplication::processEvents();
            pages[page] = prefs.grab().toImage();
        }
        prefs.accept();
    });
    prefs.resize(560, 430);
    player.preferences().openOn(TPrefsForm::InitialSetup);
    bool saved = true;
    if (args.size() > 2) {
        QMenu *menu = player.mainForm().findChild<QMenu *>();
        const QImage main = player.mainForm().grab().toImage();
        menu->popup(QPoint(0, 0));
        const QImage items = shown(*menu);
        const QImage &general = pages[TPrefsForm::General];
        QImage shot(main.width() + items.width() + general.width() + 24,
                    std::max({main.height(), items.height(), general.height()}), QImage::Format_RGB32);
        shot.fill(QColor(0x30, 0x34, 0x3c));
        QPainter painter(&shot);
        painter.drawImage(0, 0, main);
        painter.drawImage(main.width() + 12, 0, items);
        painter.drawImage(main.width() + items.width() + 24, 0, general);
        painter.end();
        saved = shot.save(folder + QStringLiteral("language-%1.png").arg(args[2].toLower()));
    } else {
        for (int page = 0; page < 6; ++page)
            saved = pages[page].save(folder + QStringLiteral("prefs-%1.png").arg(page + 1)) && saved;
    }
    if (!saved) {
        QTextStream(stderr) << "cannot write into " << folder << "\n";
        return 1;
    }
    return 0;
}
