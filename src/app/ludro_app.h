#pragma once

// The program: the shared services (settings, language, textures, the
// player and its controllers, the main window and its menu), the features
// that make up the rest, and the lines that connect them. Every feature gets
// the same treatment here: its settings restored and stored, its texts, its
// commands, its windows' help pages, places and docking. The main window's
// two timers run the features' shares in a fixed order.

#include "app/appearance_feature.h"
#include "app/browser_feature.h"
#include "app/button_lights.h"
#include "app/cd_feature.h"
#include "app/encoder_feature.h"
#include "app/keys_feature.h"
#include "app/main_form.h"
#include "app/main_menu.h"
#include "app/player_feature.h"
#include "app/playlist_feature.h"
#include "app/plugin_host.h"
#include "app/prefs_feature.h"
#include "app/recorder_feature.h"
#include "app/shell_feature.h"
#include "app/sound_feature.h"
#include "app/tag_feature.h"
#include "app/visualizer_feature.h"
#include "app/window_size_feature.h"
#include "appearance/texture_manager.h"
#include "core/hand_over.h"
#include "core/output_control.h"
#include "core/playback_controller.h"
#include "core/remote_control.h"
#include "core/settings.h"
#include "core/volume_control.h"
#include "decoder/sonark_player.h"
#include "language/language.h"
#include "platform/data_folders.h"
#include "platform/dialogs.h"
#include "platform/quit_watch.h"
#include "platform/window_messages.h"
#include "playlist/playlist_model.h"
#include "shell/window_docking.h"

#include <QStringList>
#include <QTimer>

#include <memory>
#include <vector>

class LudroApp {
public:
    LudroApp(const QStringList &arguments, platform::Dialogs &dialogs);
    ~LudroApp();

    void show();
    // The main window's timers run once the start-up light show is over.
    bool timersRunning() const { return timer1_.isActive(); }
    // One tick of each timer, as their timeouts run them.
    void Timer1Timer();
    void Timer2Timer();

    Settings &settings() { return settings_; }
    const Settings &settings() const { return settings_; }
    TMainForm &mainForm() { return form_; }
    MainMenu &menu() { return menu_; }
    PlaybackController &controller() { return controller_; }
    PlaylistModel &playlist() { return playlist_; }
    TSonarkPlayer &player() { return player_; }
    VolumeControl &volume() { return volume_; }
    OutputControl &output() { return output_; }
    RemoteControl &remote() { return remote_; }
    Language &language() { return language_; }
    TextureManager &textures() { return textures_; }
    const PluginHost &plugins() const { return plugins_; }
    // The window plug-ins post their commands to.
    platform::WindowHandle pluginWindow() const { return pluginWindow_.handle(); }

    const std::vector<Feature *> &features() const { return features_; }
    AppearanceFeature &appearance() { return appearance_; }
    PlaylistFeature &playlistFeature() { return playlistFeature_; }
    SoundFeature &sound() { return sound_; }
    TagFeature &tags() { return tags_; }
    CdFeature &cd() { return cd_; }
    EncoderFeature &encoder() { return encoder_; }
    BrowserFeature &browser() { return browser_; }
    RecorderFeature &recorder() { return recorder_; }
    ShellFeature &shell() { return shell_; }
    VisualizerFeature &visualizer() { return visualizer_; }
    WindowSizeFeature &windowSize() { return windowSize_; }
    PrefsFeature &preferences() { return prefs_; }
    KeysFeature &keys() { return keys_; }

    // The files named on the command line: every argument but the program
    // name and the switches, each a file; or all of them joined with blanks
    // when that names a file (a name with blanks that was not quoted).
    static QStringList fileArguments(const QStringList &arguments);

    // The message hook: commands from other programs and plug-ins, and the
    // file a second instance hands over.
    void receiveMessage(const platform::WindowMessage &message);

private:
    template <typename F, typename... Parts>
    F &add(Parts &...parts)
    {
        auto feature = std::make_unique<F>(context_, parts...);
        F &added = *feature;
        features_.push_back(&added);
        owned_.push_back(std::move(feature));
        return added;
    }
    void adopt(Feature &feature, FeatureWindow &window);
    void connectFeatures();
    void applyTexts();
    void applyGeneralSettings();
    void chooseStartupFiles(const QStringList &files);
    void startPlayer();
    void startTimers();
    void recordWindowVisibility();
    // A failure is said once a run: in a box, or at exit on the error
    // stream, so that nothing holds up the end.
    void saveSettings(bool atExit);

    platform::Dialogs &dialogs_;
    platform::DataFolders folders_;
    Settings settings_;
    bool noSave_ = false;
    bool startCdMode_ = false;
    bool startupPending_ = true;
    bool settingsFailureSaid_ = false;
    Language language_{folders_.search(QStringLiteral("language"))};
    TextureManager textures_{folders_.search(QStringLiteral("textures"))};
    TMainForm form_{textures_};
    PlaylistModel playlist_;
    TSonarkPlayer player_;
    PlaybackController controller_;
    VolumeControl volume_{player_, settings_.volume, settings_.balance};
    OutputControl output_{player_, settings_.directSound, settings_.playMode};
    RemoteControl remote_;
    MainMenu menu_;
    PluginHost plugins_;
    AppContext context_{dialogs_,  folders_, settings_, language_, textures_, playlist_, player_,
                        controller_, volume_, output_, remote_,    form_,    menu_};

    // The features, each added with one line, in the order their settings
    // are restored and their docking windows' snaps are tried.
    std::vector<Feature *> features_;
    std::vector<std::unique_ptr<Feature>> owned_;
    AppearanceFeature &appearance_ = add<AppearanceFeature>(docking_);
    PlayerFeature &player_feature_ = add<PlayerFeature>();
    SoundFeature &sound_ = add<SoundFeature>();
    PlaylistFeature &playlistFeature_ = add<PlaylistFeature>();
    TagFeature &tags_ = add<TagFeature>();
    CdFeature &cd_ = add<CdFeature>();
    EncoderFeature &encoder_ = add<EncoderFeature>();
    BrowserFeature &browser_ = add<BrowserFeature>();
    RecorderFeature &recorder_ = add<RecorderFeature>(cd_, encoder_);
    ShellFeature &shell_ = add<ShellFeature>(cd_);
    VisualizerFeature &visualizer_ = add<VisualizerFeature>();
    // Bound now, used once the docking below is made.
    WindowSizeFeature &windowSize_ = add<WindowSizeFeature>(docking_);
    PrefsFeature &prefs_ = add<PrefsFeature>(cd_, encoder_, plugins_);
    KeysFeature &keys_ = add<KeysFeature>(playlistFeature_);

    QTimer timer1_;
    QTimer timer2_;
    QString startupFile_;
    QStringList startupFollowers_;  // named after it on the command line
    HandOverBuffer handOver_;
    ButtonLights lights_{form_, [this] { startTimers(); }};
    platform::QuitWatch quitWatch_{[this] { recordWindowVisibility(); }};
    platform::MessageWindow pluginWindow_;
    std::vector<FeatureWindow *> dockingWindows_;
    shell::WindowDocking docking_{{&form_}};
};
