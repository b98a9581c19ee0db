#pragma once

// The program's windows and their wiring: the main window, the player, the
// playlist, the controller, the pop-up menu and the main window's timers.

#include "core/hand_over.h"
#include "core/main_form.h"
#include "core/main_menu.h"
#include "core/playback_controller.h"
#include "core/plugin_host.h"
#include "appearance/title_scroller.h"
#include "core/settings.h"
#include "decoder/sonark_player.h"
#include "platform/dialogs.h"
#include "platform/program_folder.h"
#include "platform/quit_watch.h"
#include "platform/super_timer.h"
#include "playlist/pl_form.h"
#include "playlist/id3_form.h"
#include "playlist/playlist_model.h"
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

    // Requests of other windows (the preferences window), served by Timer1:
    // the output device from `DirectSound`, the channel mode from `PlayMode`.
    bool outputChanged = false;
    bool channelsChanged = true;
    Settings &settings() { return settings_; }
    TMainForm &mainForm() { return form_; }
    PlaybackController &controller() { return controller_; }
    PlaylistModel &playlist() { return playlist_; }
    TEQForm &equalizerForm() { return eqForm_; }
    TPitchForm &pitchForm() { return pitchForm_; }
    TID3Form &tagForm() { return tagForm_; }
    TSonarkPlayer &player() { return player_; }
    TPLForm &playlistForm() { return plForm_; }

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
    void saveSettings();
    void executeCommand(int command, int argument);
    void setVolume(int volume);
    void setBalance(int balance);
    void takeHandedOverFile(const QString &name);
    void showRecentFiles();
    void updateHints();
    void connectButtons();
    void connectSoundWindows();
    void openCurrentSongTag();
    void openPlaylistTag(int index);
    void showPitchWindow();
    void applySoundSettings();
    void storeSoundSettings();
    void applyEqualizer();
    void connectPlaylistWindow();
    void dropOnMainWindow(const QStringList &names);
    void storePlaylistWindow();
    void recordWindowVisibility();
    void saveDefaultPlaylist();
    void startPlayer();
    void Timer1Timer();
    void Timer2Timer();
    void SuperTimer1Timer();
    void startTimers();
    void animatePress();

    platform::Dialogs &dialogs_;
    QString programFolder_;
    Settings settings_;
    bool noSave_ = false;
    bool startCdMode_ = false;
    bool startupPending_ = true;
    TMainForm form_;
    PlaylistModel playlist_;
    TSonarkPlayer player_;
    PlaybackController controller_;
    MainMenu menu_;
    TPLForm plForm_;
    QTimer timer1_;
    QTimer timer2_;
    QString startupFile_;
    TEQForm eqForm_{form_.texture(), platform::pathIgnoringCase(programFolder_, QStringLiteral("presets")) + '/', dialogs_};
    TPitchForm pitchForm_;
    TID3Form tagForm_{playlist_, dialogs_};
    int queuedCommand_ = 0;
    int queuedArgument_ = 0;
    HandOverBuffer handOver_;
    TitleScroller titleScroller_;
    platform::TSuperTimer superTimer1_;
    int introStep_ = 20;
    MainButton pressedButton_ = MainButton::None;
    int pressFrame_ = 0;
    platform::QuitWatch quitWatch_{[this] { recordWindowVisibility(); }};
    platform::MessageWindow pluginWindow_;
    PluginHost plugins_;
};
