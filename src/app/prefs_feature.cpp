#include "prefs_feature.h"

#include "app/cd_feature.h"
#include "app/encoder_feature.h"
#include "app/main_form.h"
#include "app/main_menu.h"
#include "core/remote_control.h"
#include "encoder/encoder_page.h"
#include "platform/data_folders.h"

#include <QAction>

PrefsFeature::PrefsFeature(AppContext &app, CdFeature &cd, EncoderFeature &encoder, PluginHost &plugins)
    : Feature(app), encoder_(encoder),
      window_({QStringLiteral("preferences.html")}, [this, &app, &cd, &encoder, &plugins] {
          auto form = std::make_unique<TPrefsForm>(TPrefsForm::Parts{app.settings, app.dialogs, app.language,
                                                                     app.textures, app.output, plugins,
                                                                     cd.cddbForm(), encoder.wizard(), app.folders},
                                                   &app.mainForm);
          TPrefsForm *f = form.get();
          connect(f, &TPrefsForm::generalChanged, this, &PrefsFeature::generalChanged);
          connect(f, &TPrefsForm::languageChosen, this, &PrefsFeature::languageChosen);
          connect(f, &TPrefsForm::deviceChosen, this, &PrefsFeature::deviceChosen);
          connect(f, &TPrefsForm::pitchControlClicked, this, &PrefsFeature::pitchControlClicked);
          connect(f, &TPrefsForm::registerRequested, this, &PrefsFeature::registerRequested);
          connect(f, &TPrefsForm::closed, this, &PrefsFeature::closed);
          connect(&f->encoderPage(), &EncoderPage::setupChanged, this, &PrefsFeature::encoderChanged);
          return form;
      })
{
    MainMenu &menu = app.menu;
    connect(menu.preferencesAction(), &QAction::triggered, this, [this] { open(); });
    connect(menu.browseTexturesAction(), &QAction::triggered, this, [this] { open(TPrefsForm::Textures); });
    connect(&app.mainForm, &TMainForm::prefsClicked, this, [this] {
        if (!window_.isShown())
            open(TPrefsForm::Textures);
    });
    connect(&app.mainForm, &TMainForm::optionsClicked, this, [this] { open(); });
}

void PrefsFeature::applyTexts(const Messages &messages)
{
    if (TPrefsForm *f = window_.existing())
        f->applyTexts(messages);
}

void PrefsFeature::bindCommands(RemoteControl &remote)
{
    remote.bind("preferences", [this](int) { open(); });
}

void PrefsFeature::open(std::optional<TPrefsForm::Page> page)
{
    app.mainForm.clearHighlight();
    form().encoderPage().setSetup(encoder_.setup());
    form().openOn(page);
}

void PrefsFeature::serveRequests()
{
    TPrefsForm *f = window_.existing();
    if (!f)
        return;
    if (const QString texture = f->takeTextureRequest(); !texture.isEmpty())
        emit textureChosen(texture);
    if (f->takeFontRequest() != TPrefsForm::NoFont)
        emit fontChosen();
}
