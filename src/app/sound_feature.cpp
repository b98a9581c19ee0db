#include "sound_feature.h"

#include "app/main_form.h"
#include "app/main_menu.h"
#include "app/window_place.h"
#include "core/output_control.h"
#include "core/playback_controller.h"
#include "core/remote_control.h"
#include "decoder/sonark_player.h"
#include "language/language.h"
#include "language/window_texts.h"
#include "platform/data_folders.h"
#include "platform/dialogs.h"

#include <QAction>

namespace {

QSize correctedSize(QSize stored)
{
    return {correctedEqualizerWidth(stored.width()), TEQForm::WindowHeight};
}

}  // namespace

SoundFeature::SoundFeature(AppContext &app)
    : Feature(app),
      equalizer_({QStringLiteral("equalizer.html"), true,
                  {&Settings::equalizerX, &Settings::equalizerY, &Settings::equalizerW, nullptr, correctedSize, true},
                  &Settings::eqVis},
                 [&app] {
                     return std::make_unique<TEQForm>(app.textures, app.folders.search(QStringLiteral("presets")),
                                                      app.dialogs);
                 }),
      pitch_({QStringLiteral("pitch.html")},
             [&app] {
                 auto pitch = std::make_unique<TPitchForm>();
                 pitch->OnPitchChange = [&app](int value) { app.playback.setPitch(value); };
                 return pitch;
             })
{
    QObject::connect(&app.mainForm, &TMainForm::equalizerClicked, &app.mainForm,
                     [this] { equalizer().setVisible(!equalizer().isVisible()); });
    MainMenu &menu = app.menu;
    menu.equalizerAction()->setEnabled(true);
    QObject::connect(menu.equalizerAction(), &QAction::triggered, &menu, [this] { equalizer().show(); });
    menu.pitchAction()->setEnabled(true);
    QObject::connect(menu.pitchAction(), &QAction::triggered, &menu, [this] { showPitchWindow(); });
    QObject::connect(&app.playback, &PlaybackController::songChanged, &equalizer(),
                     [this] { equalizer().inputOpened(); });
}

void SoundFeature::restore()
{
    equalizer().setStoredValues(app.settings.eq);
    equalizer().setUseEqualizer(app.settings.useEqualizer);
}

void SoundFeature::store()
{
    app.settings.eq = equalizer().storedValues();
    app.settings.useEqualizer = equalizer().UseEqualizer();
}

void SoundFeature::applyTexts(const Messages &messages)
{
    equalizer().applyTexts(messages);
    if (TPitchForm *form = pitch_.existing())
        ::applyTexts(*form, messages);
}

void SoundFeature::bindCommands(RemoteControl &remote)
{
    remote.bind("equalizer", [this](int) { equalizer().setVisible(!equalizer().isVisible()); });
}

void SoundFeature::showPitchWindow()
{
    if (!app.output.directSound())
        app.dialogs.information(app.language.messages().text("Info_Message2"));
    pitch().show();
}

void SoundFeature::togglePitchWindow()
{
    if (pitch().isVisible())
        pitch().hide();
    else
        showPitchWindow();
}

void SoundFeature::resetPitch()
{
    if (TPitchForm *form = pitch_.existing())
        form->PitchBar().setValue(TPitchForm::NormalPitch);
}

void SoundFeature::applyEqualizer()
{
    equalizer().ApplyEqualizer([this](const SK_EqualizerInfo *record) { app.player.SetCodecEqualizer(record); });
}
