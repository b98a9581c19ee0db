#include "appearance_feature.h"

#include "app/main_form.h"
#include "app/main_menu.h"
#include "appearance/texture_manager.h"
#include "core/remote_control.h"
#include "language/language.h"
#include "platform/dialogs.h"
#include "shell/window_docking.h"

#include <QAction>

#include <utility>

AppearanceFeature::AppearanceFeature(AppContext &app, shell::WindowDocking &docking) : Feature(app), docking_(docking)
{
    TMainForm &form = app.mainForm;
    QObject::connect(&form, &TMainForm::modeClicked, &form, &TMainForm::ToggleMode);
    QAction *coolBar = app.menu.coolBarAction();
    QObject::connect(coolBar, &QAction::triggered, &form, &TMainForm::ToggleMode);
    QObject::connect(&form, &TMainForm::modeChanged, coolBar, [coolBar](bool normal) { coolBar->setChecked(!normal); });
}

void AppearanceFeature::restore()
{
    // A texture that cannot be used leaves the built-in one, and the
    // setting as it was.
    app.textures.apply(app.settings.texture);
    app.language.choose(app.settings.language);
    languageAgain_ = true;
    app.mainForm.setNormalMode(app.settings.mode);
    app.menu.coolBarAction()->setChecked(!app.mainForm.normalMode());
}

void AppearanceFeature::store()
{
    app.settings.mode = app.mainForm.normalMode();
}

void AppearanceFeature::bindCommands(RemoteControl &remote)
{
    remote.bind("mode", [this](int) { app.mainForm.ToggleMode(); });
}

void AppearanceFeature::chooseTexture(const QString &name)
{
    QString error;
    bool worn = false;
    docking_.resizeKeepingDocked([&] { worn = app.textures.apply(name, &error); });
    if (!worn) {
        app.dialogs.error(error);
        return;
    }
    app.settings.texture = name;
}

void AppearanceFeature::chooseLanguage(const QString &name)
{
    app.language.choose(name);
    app.settings.language = name;
}

void AppearanceFeature::applyLanguageAgain()
{
    if (std::exchange(languageAgain_, false) && !Language::isBuiltin(app.settings.language))
        app.language.choose(app.settings.language);
}
