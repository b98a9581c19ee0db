#include "cd_feature.h"

#include "app/main_form.h"
#include "app/main_menu.h"
#include "cd/track_names.h"
#include "core/playback_controller.h"
#include "core/remote_control.h"

CdFeature::CdFeature(AppContext &app)
    : Feature(app),
      cddb_({QStringLiteral("cddb.html")},
            [this, &app] {
                auto form = std::make_unique<cd::TCDDBForm>(app.dialogs);
                form->setServer(app.settings.cddbServer);
                form->setUserEmail(app.settings.userEMail);
                form->setCddbEnabled(app.settings.cddbEnabled);
                connect(form.get(), &cd::TCDDBForm::cddbEnabledChanged, this,
                        [&app](bool on) { app.settings.cddbEnabled = on; });
                return form;
            }),
      submit_({QStringLiteral("cddb.html")},
              [this, &app] { return std::make_unique<cd::TSubmitForm>(cddbForm(), app.dialogs); }),
      controller_(device_, app.dialogs, cd::tracksFolder())
{
    TMainForm &form = app.mainForm;
    QObject::connect(&form, &TMainForm::cdClicked, &controller_, &cd::CdController::toggle);
    QObject::connect(&controller_, &cd::CdController::cdModeChanged, &form, [this](bool on) {
        this->app.mainForm.setCdMode(on);
        this->app.menu.setCdMode(on);
    });
    app.playback.setCdController(&controller_);
    QObject::connect(&app.playback, &PlaybackController::timeElapsedChanged, &controller_,
                     &cd::CdController::setTimeElapsed);
    QObject::connect(&controller_, &cd::CdController::titleChanged, &form, [&form](const QString &title, const QString &total) {
        form.showTitle(title);
        form.showDuration(total);
        form.showScrollingTitle(title + ' ' + total);
        form.setHint(TMainForm::Hint::Title, title);
    });
    QObject::connect(&controller_, &cd::CdController::timeChanged, &form, &TMainForm::showTime);
    QObject::connect(&controller_, &cd::CdController::positionChanged, &form, &TMainForm::showPosition);
    QObject::connect(&controller_, &cd::CdController::playStateChanged, &form, &TMainForm::showPlayState);
    QObject::connect(&controller_, &cd::CdController::applicationTitleChanged, &form, &TMainForm::setApplicationTitle);
    // The disc database's window looks the disc up when asked.
    connect(&controller_, &cd::CdController::lookupRequested, this,
            [this](const cd::DiscId &disc, cd::DiscNames names, const QRect &mainWindowFrame) {
                if (cddbForm().QueryDisc(disc, names, mainWindowFrame))
                    controller_.namesFound(disc, names);
            });
}

void CdFeature::restore()
{
    controller_.setShowTimeInTitle(app.settings.showTime);
}

void CdFeature::applyTexts(const Messages &messages)
{
    if (cd::TCDDBForm *form = cddb_.existing())
        form->applyTexts(messages);
}

void CdFeature::bindCommands(RemoteControl &remote)
{
    remote.bind("cd-mode", [this](int) { controller_.toggle(); });
}

void CdFeature::submitDisc()
{
    if (controller_.cdMode())
        controller_.setDiscRevision(
            submit_.get().WriteToCDDB(controller_.discId(), controller_.names(), app.mainForm.frameGeometry()));
}
