#pragma once

// The external encoder and the converter: the menu opens the converter, the
// wizard chooses the encoder, and a first start without one looks for one
// (at the first tick, after the windows show).

#include "app/feature.h"
#include "encoder/conv_form.h"
#include "encoder/enc_form.h"
#include "encoder/encoder_kind.h"

class EncoderFeature : public Feature {
public:
    explicit EncoderFeature(AppContext &app);

    std::vector<FeatureWindow *> windows() override { return {&converter_, &wizard_}; }
    void restore() override;
    void applyTexts(const Messages &messages) override;

    TConvForm &converter() { return converter_.get(); }
    TEncForm &wizard() { return wizard_.get(); }
    // The encoder of the settings, with its switches.
    encoder::EncoderSetup setup() const;
    void setSetup(const encoder::EncoderSetup &setup);
    // `path` becomes the encoder, with its kind's switches.
    void choose(const QString &path);
    // Timer1's share, once per start: one encoder found is taken at once;
    // several are offered in the wizard.
    void checkAtStart();

private:
    Window<TConvForm> converter_;
    Window<TEncForm> wizard_;
    bool checkPending_ = false;
};
