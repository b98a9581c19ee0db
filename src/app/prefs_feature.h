#pragma once

// The preferences window: opened from the menu, the main window's options
// strip and the command; what it changes reaches the other features through
// its signals, the texture and the playlist font by Timer1.

#include "app/feature.h"
#include "app/prefs_form.h"
#include "encoder/encoder_kind.h"

class CdFeature;
class EncoderFeature;
class PluginHost;

class PrefsFeature : public Feature {
    Q_OBJECT

public:
    PrefsFeature(AppContext &app, CdFeature &cd, EncoderFeature &encoder, PluginHost &plugins);

    std::vector<FeatureWindow *> windows() override { return {&window_}; }
    void applyTexts(const Messages &messages) override;
    void bindCommands(RemoteControl &remote) override;

    TPrefsForm &form() { return window_.get(); }
    // On `page`, or on the page shown last.
    void open(std::optional<TPrefsForm::Page> page = std::nullopt);
    // Timer1's share: the texture and the playlist font chosen since the
    // last tick.
    void serveRequests();

signals:
    // The form's, while it exists.
    void generalChanged();
    void languageChosen(const QString &name);
    void deviceChosen();
    void pitchControlClicked();
    void registerRequested();
    void closed();
    void encoderChanged(const encoder::EncoderSetup &setup);
    void textureChosen(const QString &name);
    void fontChosen();

private:
    EncoderFeature &encoder_;
    Window<TPrefsForm> window_;
};
