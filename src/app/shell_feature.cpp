#include "shell_feature.h"

#include "app/cd_feature.h"
#include "app/main_form.h"
#include "core/playback_controller.h"
#include "core/remote_control.h"
#include "language/language.h"
#include "platform/data_folders.h"
#include "platform/dialogs.h"
#include "shell/file_types.h"

#include <QCoreApplication>

ShellFeature::ShellFeature(AppContext &app, CdFeature &cd) : Feature(app), cd_(cd)
{
    // Through the command table, so a modal window shuts them out as it
    // does every command from outside.
    const RemoteControl &r = app.remote;
    tray_.setCommands({[&r] { r.execute("previous"); }, [&r] { r.execute("play"); }, [&r] { r.execute("stop"); },
                       [&r] { r.execute("load"); }, [&r] { r.execute("next"); }});
}

void ShellFeature::started()
{
    AppContext &a = app;
    mpris_ = std::make_unique<MprisBridge>(a.playback, a.volume, a.remote, a.playlist, cd_.controller(), [&a] {
        a.mainForm.showNormal();
        a.mainForm.raise();
        a.mainForm.activateWindow();
    });
}

void ShellFeature::restore()
{
    tray_.ShowTrayIcons(app.settings.trayIcons);
}

void ShellFeature::applyTexts(const Messages &messages)
{
    tray_.setToolTips({messages["Hint_Previous"], messages["Hint_Play"], messages["Hint_Stop"], messages["Hint_Load"],
                       messages["Hint_Next"]});
}

void ShellFeature::registerFileTypes()
{
    const QStringList icons = shell::iconFiles(app.folders.search(QStringLiteral("icons")));
    const auto icon = [&](int index) { return index >= 0 && index < icons.size() ? icons[index] : QString(); };
    const shell::Registration result = shell::registerFileTypes(QCoreApplication::applicationFilePath(),
                                                                icon(app.settings.icon1), icon(app.settings.icon2));
    switch (result.outcome) {
    case shell::Registration::Registered:
        app.dialogs.information(app.language.messages().text("Info_Message1"));
        break;
    case shell::Registration::NotDefault:
        app.dialogs.information(
            QStringLiteral("The file types are registered, but the desktop still opens them with another "
                           "program (%1). Choose Ludro in the desktop's settings for default programs.")
                .arg(result.detail));
        break;
    case shell::Registration::Failed:
        app.dialogs.error(QStringLiteral("The file types could not be registered: %1").arg(result.detail));
        break;
    }
}
