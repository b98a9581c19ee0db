#pragma once

// The equalizer and the pitch window: opened from the main window, its menu
// and the command, the equalizer's record sent by Timer1, the pitch by the
// playback controller; the equalizer's place and values kept in the settings.

#include "app/feature.h"
#include "sound/eq_form.h"
#include "sound/pitch_form.h"

class SoundFeature : public Feature {
public:
    explicit SoundFeature(AppContext &app);

    std::vector<FeatureWindow *> windows() override { return {&equalizer_, &pitch_}; }
    void restore() override;
    void store() override;
    void applyTexts(const Messages &messages) override;
    void bindCommands(RemoteControl &remote) override;

    TEQForm &equalizer() { return equalizer_.get(); }
    TPitchForm &pitch() { return pitch_.get(); }
    // The pitch window, with a word first when the output has no pitch.
    void showPitchWindow();
    void togglePitchWindow();
    // A new output device plays at the normal pitch.
    void resetPitch();
    // Timer1's share: a changed equalizer goes to the engine.
    void applyEqualizer();

private:
    Window<TEQForm> equalizer_;
    Window<TPitchForm> pitch_;
};
