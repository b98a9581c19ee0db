// Ludro Pro: the program entry.

#include "core/app_dialogs.h"
#include "core/ludro_app.h"

#include <QApplication>
#include <QScreen>
#include <QTimer>

#include <cstdio>
#include <cstdlib>

namespace {

// LUDRO_SCREENSHOT=FILE[:SECONDS] saves a picture of the main window, so the
// player can be seen working on a machine without a display.
void scheduleScreenshot(LudroApp &app)
{
    const QString request = qEnvironmentVariable("LUDRO_SCREENSHOT");
    if (request.isEmpty())
        return;
    const QString file = request.section(':', 0, 0);
    const int seconds = request.contains(':') ? request.section(':', 1).toInt() : 5;
    QTimer::singleShot(seconds * 1000, [&app, file] {
        if (app.mainForm().grab().save(file))
            std::printf("Screenshot of the main window saved to %s\n", qPrintable(file));
        else
            std::fprintf(stderr, "Cannot save the screenshot to %s\n", qPrintable(file));
        std::fflush(stdout);
    });
}

}  // namespace

int main(int argc, char **argv)
{
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Ludro Pro"));
    AppDialogs dialogs(nullptr);
    LudroApp app(QApplication::arguments(), dialogs);
    app.show();
    scheduleScreenshot(app);
    return QApplication::exec();
}
