// The external encoder, the converter and the CD recorder: the menu opens
// the converter and the recorder, the wizard chooses the encoder, and a
// first start without one looks for one.

#include "ludro_app.h"

#include <QListWidget>

#include <algorithm>
#include <tuple>

void LudroApp::connectEncoderWindows()
{
    QObject::connect(menu_.converterAction(), &QAction::triggered, [this] { convForm_.show(); });
    for (QAction *recorder : {menu_.recorderAction(), menu_.audioRecorderAction()})
        QObject::connect(recorder, &QAction::triggered, [this] { recForm_.show(); });
    QObject::connect(&asForm_, &TASForm::encoderSetupRequested, [this] { encForm_.open(); });
    QObject::connect(&encForm_, &TEncForm::encoderChosen, [this](const QString &path) { ChooseEncoder(path); });
    recForm_.setGeometry(settings_.recorderX, settings_.recorderY, std::max(settings_.recorderW, recForm_.minimumWidth()),
                         std::max(settings_.recorderH, recForm_.minimumHeight()));
}

void LudroApp::storeRecorderSettings()
{
    const QRect place = recForm_.geometry();
    settings_.recorderX = place.x();
    settings_.recorderY = place.y();
    settings_.recorderW = place.width();
    settings_.recorderH = place.height();
}

encoder::EncoderSetup LudroApp::encoderSetup() const
{
    const Settings &s = settings_;
    return {s.encPath, {s.audioGe, s.audioIn, s.audioOut, s.audioBr, s.audioHq, s.audioDm}};
}

void LudroApp::ChooseEncoder(const QString &path)
{
    const encoder::EncoderSetup chosen = encoder::chooseEncoder(encoderSetup(), path);
    Settings &s = settings_;
    s.encPath = chosen.program;
    const encoder::EncoderSwitches &w = chosen.switches;
    std::tie(s.audioGe, s.audioIn, s.audioOut, s.audioBr, s.audioHq, s.audioDm) =
        std::tie(w.general, w.input, w.output, w.bitRate, w.highQuality, w.downmix);
}

// Once per start, after the start-up windows: one encoder found is taken at
// once; several are offered in the wizard.
void LudroApp::checkEncoderAtStart()
{
    encoderCheckPending_ = false;
    encForm_.DetectEncoders(folders_.user());
    if (encForm_.EncoderList->count() == 1)
        ChooseEncoder(encForm_.EncoderList->item(0)->text());
    else if (encForm_.EncoderList->count() > 1)
        encForm_.open();
}
