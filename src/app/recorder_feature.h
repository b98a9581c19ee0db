#pragma once

// The CD recorder and its setup window: opened from the menu, the recorder
// docks beside the others and keeps its place and whether it was open.

#include "app/feature.h"
#include "recording/as_form.h"
#include "recording/rec_form.h"

class CdFeature;
class EncoderFeature;

class RecorderFeature : public Feature {
    Q_OBJECT

public:
    RecorderFeature(AppContext &app, CdFeature &cd, EncoderFeature &encoder);

    std::vector<FeatureWindow *> windows() override { return {&recorder_, &setup_}; }
    void applyTexts(const Messages &messages) override;

    TRecForm &recorder() { return recorder_.get(); }
    TASForm &setup() { return setup_.get(); }

signals:
    // The setup window's "Encoder Setup".
    void encoderSetupRequested();

private:
    Window<TASForm> setup_;
    Window<TRecForm> recorder_;
};
