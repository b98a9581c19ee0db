#include "encoder_feature.h"

#include "app/main_menu.h"
#include "language/window_texts.h"
#include "platform/data_folders.h"

#include <QAction>
#include <QListWidget>

#include <tuple>

EncoderFeature::EncoderFeature(AppContext &app)
    : Feature(app),
      converter_({QStringLiteral("converter.html")},
                 [this, &app] { return std::make_unique<TConvForm>(app.dialogs, [this] { return setup(); }); }),
      wizard_({QStringLiteral("converter.html")}, [this, &app] {
          auto wizard = std::make_unique<TEncForm>(app.dialogs);
          QObject::connect(wizard.get(), &TEncForm::encoderChosen, wizard.get(),
                           [this](const QString &path) { choose(path); });
          return wizard;
      })
{
    QObject::connect(app.menu.converterAction(), &QAction::triggered, &app.menu, [this] { converter().show(); });
}

void EncoderFeature::restore()
{
    checkPending_ = app.settings.encPath.isEmpty();
}

void EncoderFeature::applyTexts(const Messages &messages)
{
    if (TConvForm *form = converter_.existing())
        form->applyTexts(messages);
    if (TEncForm *form = wizard_.existing())
        ::applyTexts(*form, messages);
}

encoder::EncoderSetup EncoderFeature::setup() const
{
    const Settings &s = app.settings;
    return {s.encPath, {s.audioGe, s.audioIn, s.audioOut, s.audioBr, s.audioHq, s.audioDm}};
}

void EncoderFeature::setSetup(const encoder::EncoderSetup &setup)
{
    Settings &s = app.settings;
    s.encPath = setup.program;
    const encoder::EncoderSwitches &w = setup.switches;
    std::tie(s.audioGe, s.audioIn, s.audioOut, s.audioBr, s.audioHq, s.audioDm) =
        std::tie(w.general, w.input, w.output, w.bitRate, w.highQuality, w.downmix);
}

void EncoderFeature::choose(const QString &path)
{
    setSetup(encoder::chooseEncoder(setup(), path));
}

void EncoderFeature::checkAtStart()
{
    if (!std::exchange(checkPending_, false))
        return;
    TEncForm &found = wizard();
    found.DetectEncoders(app.folders.user());
    if (found.EncoderList->count() == 1)
        choose(found.EncoderList->item(0)->text());
    else if (found.EncoderList->count() > 1)
        found.open();
}
