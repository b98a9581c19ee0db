#pragma once

// The program's windows and their wiring: the main window, the player, the
// playlist, the controller, the pop-up menu and the main window's timers.

#include "core/main_form.h"
#include "core/main_menu.h"
#include "core/playback_controller.h"
#include "decoder/sonark_player.h"
#include "platform/dialogs.h"
#include "playlist/playlist_model.h"

#include <QStringList>
#include <QTimer>

class LudroApp {
public:
    LudroApp(const QStringList &arguments, platform::Dialogs &dialogs);
    ~LudroApp();

    void show();
    TMainForm &mainForm() { return form_; }
    PlaybackController &controller() { return controller_; }
    PlaylistModel &playlist() { return playlist_; }

    // The file argument: every argument but the program name and the
    // switches, joined with blanks.
    static QString fileArgument(const QStringList &arguments);

private:
    void connectButtons();
    void startPlayer();
    void Timer1Timer();
    void Timer2Timer();

    platform::Dialogs &dialogs_;
    TMainForm form_;
    PlaylistModel playlist_;
    TSonarkPlayer player_;
    PlaybackController controller_;
    MainMenu menu_;
    QTimer timer1_;
    QTimer timer2_;
    QString startupFile_;
};
