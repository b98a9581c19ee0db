// The preferences window: opened from the menu and the main window's button,
// its requests served by Timer1, its changes applied where they show.

#include "ludro_app.h"

#include "appearance/texture_color.h"
#include "encoder/encoder_page.h"

#include <tuple>

void LudroApp::connectPreferences()
{
    QObject::connect(menu_.preferencesAction(), &QAction::triggered, [this] { openPreferences({}); });
    QObject::connect(menu_.browseTexturesAction(), &QAction::triggered,
                     [this] { openPreferences(TPrefsForm::Textures); });
    QObject::connect(&form_, &TMainForm::prefsClicked, [this] {
        if (!prefsForm_.isVisible())
            openPreferences(TPrefsForm::Textures);
    });
    QObject::connect(&prefsForm_, &TPrefsForm::closed, [this] { saveSettings(); });
    QObject::connect(&prefsForm_, &TPrefsForm::helpRequested,
                     [this] { browser_.OpenHelpPage(QStringLiteral("preferences.html")); });
    QObject::connect(&prefsForm_, &TPrefsForm::generalChanged, [this] { applyGeneralSettings(); });
    QObject::connect(&prefsForm_, &TPrefsForm::registerRequested, [this] { RegisterFileTypes(); });
    QObject::connect(&prefsForm_, &TPrefsForm::languageChosen, [this](const QString &name) { chooseLanguage(name); });
    QObject::connect(&prefsForm_, &TPrefsForm::deviceChosen,
                     [this] { pitchForm_.PitchBar().setValue(TPitchForm::NormalPitch); });
    QObject::connect(&prefsForm_, &TPrefsForm::pitchControlClicked, [this] {
        if (pitchForm_.isVisible())
            pitchForm_.hide();
        else
            showPitchWindow();
    });
    QObject::connect(&plForm_, &TPLForm::fontSizeChanged, [this](int points) { settings_.fontSize = points; });
    EncoderPage &encoder = prefsForm_.encoderPage();
    encoder.setSetup(encoderSetup());
    QObject::connect(&encoder, &EncoderPage::setupChanged, [this](const encoder::EncoderSetup &setup) {
        Settings &s = settings_;
        s.encPath = setup.program;
        const encoder::EncoderSwitches &w = setup.switches;
        std::tie(s.audioGe, s.audioIn, s.audioOut, s.audioBr, s.audioHq, s.audioDm) =
            std::tie(w.general, w.input, w.output, w.bitRate, w.highQuality, w.downmix);
    });
}

void LudroApp::openPreferences(std::optional<TPrefsForm::Page> page)
{
    form_.clearHighlight();
    prefsForm_.encoderPage().setSetup(encoderSetup());
    prefsForm_.openOn(page);
}

// What the general page's check boxes change shows at once.
void LudroApp::applyGeneralSettings()
{
    controller_.setShowTimeInTitle(settings_.showTime);
    cd_.setShowTimeInTitle(settings_.showTime);
    form_.setLevelSlidersLocked(settings_.useVolume);
    shell_.ShowTrayIcons(settings_.trayIcons);
    if (!settings_.showTime)
        form_.setWindowTitle(QStringLiteral("Ludro Pro"));
}

// An empty face is the texture's own font.
void LudroApp::applyPlaylistFont()
{
    const std::optional<TextureColor> colour = parseTextureColor(settings_.fontColor);
    plForm_.setUserFont(settings_.fontName, settings_.fontStyle,
                        colour && !settings_.fontName.isEmpty() ? std::optional(toQColor(*colour)) : std::nullopt);
    plForm_.setFontSize(settings_.fontSize);
}

// Timer1's share of the preferences: the texture and the playlist font.
void LudroApp::servePreferenceRequests()
{
    if (const QString texture = prefsForm_.takeTextureRequest(); !texture.isEmpty())
        chooseTexture(texture);
    switch (prefsForm_.takeFontRequest()) {
    case TPrefsForm::ChosenFont:
    case TPrefsForm::DefaultFont:
        applyPlaylistFont();
        break;
    case TPrefsForm::NoFont:
        break;
    }
}
