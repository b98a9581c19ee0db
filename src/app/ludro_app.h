#pragma once

// The program's windows and controllers, and the lines that connect them:
// the main window, the player, the playlist, the playback, volume, output and
// remote controls, the pop-up menu and the main window's timers. What a part
// of the program does lives in that part; here it is only wired.

#include "cd/cd_controller.h"
#include "cd/cd_device.h"
#include "cd/cddb_form.h"
#include "cd/submit_form.h"
#include "cd/track_names.h"
#include "browser/browser_controller.h"
#include "browser/page_update.h"
#include "app/button_lights.h"
#include "core/hand_over.h"
#include "app/main_form.h"
#include "app/main_menu.h"
#include "app/mpris_bridge.h"
#include "core/playback_controller.h"
#include "core/output_control.h"
#include "app/plugin_host.h"
#include "app/prefs_form.h"
#include "appearance/title_scroller.h"
#include "core/remote_control.h"
#include "core/settings.h"
#include "core/volume_control.h"
#include "decoder/sonark_player.h"
#include "encoder/conv_form.h"
#include "encoder/enc_form.h"
#include "language/language.h"
#include "platform/dialogs.h"
#include "platform/data_folders.h"
#include "platform/quit_watch.h"
#include "playlist/pl_form.h"
#include "playlist/id3_form.h"
#include "playlist/playlist_model.h"
#include "recording/as_form.h"
#include "recording/rec_form.h"
#include "shell/shell_controller.h"
#include "shell/window_docking.h"
#include "sound/eq_form.h"
#include "sound/pitch_form.h"

#include <QStringList>
#include <QTimer>

class LudroApp {
public:
    LudroApp(const QStringList &arguments, platform::Dialogs &dialogs);
    ~LudroApp();

    void show();
    // The main window's timers run once the start-up light show is over.
    bool timersRunning() const { return timer1_.isActive(); }

    Settings &settings() { return settings_; }
    TMainForm &mainForm() { return form_; }
    PlaybackController &controller() { return controller_; }
    PlaylistModel &playlist() { return playlist_; }
    TEQForm &equalizerForm() { return eqForm_; }
    TPitchForm &pitchForm() { return pitchForm_; }
    TConvForm &converterForm() { return convForm_; }
    TEncForm &encoderWizard() { return encForm_; }
    TRecForm &recorderForm() { return recForm_; }
    MainMenu &menu() { return menu_; }
    // The preferences' encoder becomes `path`, with its kind's switches.
    void ChooseEncoder(const QString &path);
    // The preferences' "Register Filetypes": the settings "Icon1" and
    // "Icon2" pick the icons; the outcome is shown in a message box.
    void RegisterFileTypes();
    // The tray buttons; the preferences' check box calls ShowTrayIcons.
    shell::ShellController &shell() { return shell_; }
    TID3Form &tagForm() { return tagForm_; }
    TSonarkPlayer &player() { return player_; }
    TPLForm &playlistForm() { return plForm_; }
    cd::CdController &cdController() { return cd_; }
    BrowserController &browser() { return browser_; }
    MainMenu &mainMenu() { return menu_; }
    cd::CdDevice &cdDevice() { return cdDevice_; }
    TextureManager &textures() { return textures_; }
    // Takes the texture and keeps it as the setting; a texture that cannot
    // be used changes neither and is reported.
    void chooseTexture(const QString &name);
    VolumeControl &volume() { return volume_; }
    // The language the windows speak; choosing one keeps it as the setting.
    Language &language() { return language_; }
    void chooseLanguage(const QString &name);
    TPrefsForm &preferences() { return prefsForm_; }
    OutputControl &output() { return output_; }
    RemoteControl &remote() { return remote_; }
    // The window plug-ins post their commands to.
    platform::WindowHandle pluginWindow() const { return pluginWindow_.handle(); }

    const Settings &settings() const { return settings_; }
    const PluginHost &plugins() const { return plugins_; }

    // The file argument: every argument but the program name and the
    // switches, joined with blanks.
    static QString fileArgument(const QStringList &arguments);

    // The message hook: commands from other programs and plug-ins, and the
    // file a second instance hands over.
    void receiveMessage(const platform::WindowMessage &message);

private:
    void chooseStartupFile(const QString &file);
    void applySettings();
    // A failure is said once a run: in a box, or at exit on the error
    // output, as a box then would hold up a logout or a SIGTERM.
    void saveSettings(bool atExit = false);
    void bindRemoteCommands();
    void showRecentFiles();
    void updateHints();
    void connectButtons();
    void connectAppearance();
    void applyTexts();
    void connectPreferences();
    void openPreferences(std::optional<TPrefsForm::Page> page);
    void applyGeneralSettings();
    void applyPlaylistFont();
    void servePreferenceRequests();
    void connectSoundWindows();
    void connectEncoderWindows();
    void checkEncoderAtStart();
    encoder::EncoderSetup encoderSetup() const;
    void openCurrentSongTag();
    void openPlaylistTag(int index);
    void showPitchWindow();
    void applySoundSettings();
    void storeSoundSettings();
    void applyEqualizer();
    void connectPlaylistWindow();
    void connectCd();
    void connectBrowser();
    void storeBrowserSettings();
    void storeRecorderSettings();
    void connectShell();
    void dropOnMainWindow(const QStringList &names);
    void storePlaylistWindow();
    void recordWindowVisibility();
    void saveDefaultPlaylist();
    void startPlayer();
    void Timer1Timer();
    void Timer2Timer();
    void startTimers();

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
    TPLForm plForm_;
    cd::CdDevice cdDevice_;
    cd::TCDDBForm cddbForm_{dialogs_};
    cd::TSubmitForm submitForm_{cddbForm_, dialogs_};
    cd::CdController cd_{cdDevice_, cddbForm_, dialogs_, cd::tracksFolder()};
    QTimer timer1_;
    QTimer timer2_;
    QString startupFile_;
    TEQForm eqForm_{textures_, folders_.search(QStringLiteral("presets")), dialogs_};
    TPitchForm pitchForm_;
    TID3Form tagForm_{playlist_, dialogs_};
    TConvForm convForm_{dialogs_, [this] { return encoderSetup(); }};
    TEncForm encForm_{dialogs_};
    TASForm asForm_{dialogs_, [this] { return encoderSetup(); }, settings_.recDest, settings_.recInput};
    TRecForm recForm_{cdDevice_, asForm_, dialogs_, cd::tracksFolder(), [this] { return cd_.cdMode(); }};
    bool encoderCheckPending_ = false;
    // The language is applied once more on the first tick, so windows made
    // while the program starts take it too.
    bool languageAgain_ = false;
    BrowserController browser_{textures_, dialogs_, folders_.search(QStringLiteral("Browser")),
                               browser::updateAddress()};
    HandOverBuffer handOver_;
    TitleScroller titleScroller_;
    ButtonLights lights_{form_, [this] { startTimers(); }};
    platform::QuitWatch quitWatch_{[this] { recordWindowVisibility(); }};
    platform::MessageWindow pluginWindow_;
    PluginHost plugins_;
    TPrefsForm prefsForm_{
        {settings_, dialogs_, language_, textures_, output_, plugins_, cddbForm_, encForm_, folders_}, &form_};
    shell::ShellController shell_;
    shell::WindowDocking docking_{{&form_, &eqForm_, &plForm_, &browser_.form()}};
    // On the session bus when there is one.
    std::unique_ptr<MprisBridge> mpris_;
};
