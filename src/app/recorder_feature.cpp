#include "recorder_feature.h"

#include "app/cd_feature.h"
#include "app/encoder_feature.h"
#include "app/main_menu.h"
#include "cd/track_names.h"

#include <QAction>

RecorderFeature::RecorderFeature(AppContext &app, CdFeature &cd, EncoderFeature &encoder)
    : Feature(app),
      setup_({QStringLiteral("recorder.html")},
             [this, &app, &encoder] {
                 auto setup = std::make_unique<TASForm>(app.dialogs, [&encoder] { return encoder.setup(); },
                                                        app.settings.recDest, app.settings.recInput);
                 connect(setup.get(), &TASForm::encoderSetupRequested, this, &RecorderFeature::encoderSetupRequested);
                 return setup;
             }),
      recorder_({QStringLiteral("recorder.html"), true,
                 {&Settings::recorderX, &Settings::recorderY, &Settings::recorderW, &Settings::recorderH},
                 &Settings::recVis},
                [this, &app, &cd] {
                    cd::CdController &controller = cd.controller();
                    return std::make_unique<TRecForm>(cd.device(), setup(), app.dialogs, cd::tracksFolder(),
                                                      [&controller] { return controller.cdMode(); }, app.textures);
                })
{
    for (QAction *item : {app.menu.recorderAction(), app.menu.audioRecorderAction()})
        QObject::connect(item, &QAction::triggered, &app.menu, [this] { recorder().show(); });
}

void RecorderFeature::applyTexts(const Messages &messages)
{
    if (TRecForm *form = recorder_.existing())
        form->applyTexts(messages);
    if (TASForm *form = setup_.existing())
        form->applyTexts(messages);
}
