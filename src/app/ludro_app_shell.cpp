// The player in the desktop: the tray buttons, the media-player service on
// the session bus, and the file types registered on the user's request with
// the icons chosen in the preferences.
// The windows snap and dock by themselves (docking_).

#include "ludro_app.h"

#include "shell/file_types.h"

#include <QCoreApplication>

void LudroApp::connectShell()
{
    PlaybackController &c = controller_;
    shell_.setCommands({[&c] { c.PreviousSong(); }, [&c] { c.PlayCommand(); }, [&c] { c.StopCommand(); },
                        [&c] { c.LoadCommand(); }, [&c] { c.NextSong(); }});
    shell_.ShowTrayIcons(settings_.trayIcons);
    mpris_ = std::make_unique<MprisBridge>(controller_, volume_, remote_, playlist_, cd_, [this] {
        form_.showNormal();
        form_.raise();
        form_.activateWindow();
    });
}

void LudroApp::RegisterFileTypes()
{
    const QStringList icons = shell::iconFiles(folders_.search(QStringLiteral("icons")));
    const auto icon = [&](int index) { return index >= 0 && index < icons.size() ? icons[index] : QString(); };
    const shell::Registration result = shell::registerFileTypes(QCoreApplication::applicationFilePath(),
                                                                icon(settings_.icon1), icon(settings_.icon2));
    switch (result.outcome) {
    case shell::Registration::Registered:
        dialogs_.information(language_.messages().text("Info_Message1"));
        break;
    case shell::Registration::NotDefault:
        dialogs_.information(
            QStringLiteral("The file types are registered, but the desktop still opens them with another "
                           "program (%1). Choose Ludro in the desktop's settings for default programs.")
                .arg(result.detail));
        break;
    case shell::Registration::Failed:
        dialogs_.error(QStringLiteral("The file types could not be registered: %1").arg(result.detail));
        break;
    }
}
