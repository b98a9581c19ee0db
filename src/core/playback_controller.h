#pragma once

// Decides what the player plays: opens songs, playlists and addresses,
// starts, pauses, stops and seeks, steps through the playlist with repeat
// and shuffle, moves on when a song ends, and turns the player's
// notifications into the main window's texts. It mirrors the player's state
// from notifications only and never assumes that a command took effect.

#include "core/playback_view.h"
#include "decoder/sonark_player.h"
#include "platform/dialogs.h"
#include "playlist/playlist_model.h"

#include <QString>

#include <functional>
#include <random>

class PlaybackController {
public:
    PlaybackController(TSonarkPlayer &player, PlaylistModel &playlist, PlaybackView &view, platform::Dialogs &dialogs);

    void OpenFile(const QString &name);
    void StartPlayback();
    void PlayCommand();
    void PauseCommand();
    void StopCommand();
    void NextSong();
    void PreviousSong();
    void SeekForward();
    void SeekBack();
    // The position knob is held at `offset` pixels of a `width` pixel track:
    // the title shows the time there.
    void KnobDragged(int offset, int width);
    // The position knob was released there.
    void SeekToKnob(int offset, int width);
    // Puts the song's title back after a slider showed its read-out there.
    void RefreshTitle();
    void ToggleRepeat();
    void ToggleShuffle();
    // The shuffle menu item and button: a fresh cycle, then the toggle.
    void RandomSongCommand();
    void OpenDialog();
    void OpenAddress(const QString &address);
    void SetTimeElapsed(bool elapsed);
    void ToggleAlwaysOnTop();
    void ExitCommand();
    // Timer1's share: a pending play request and the advance after a song ended.
    void AutomaticAdvance();

    // "m:ss" with the hours dropped, as the displays show times.
    static QString minutesSeconds(int seconds);

    bool songLoaded = false;
    int playerState = 0;
    bool endOfSong = false;
    int advanceCountdown = 0;
    int startIndex = NoPosition;
    QString currentFile;
    QString songDir;
    double durationSeconds = 0;
    double positionSeconds = 0;
    bool cdMode = false;
    bool repeat = false;
    bool shuffle = false;
    bool timeElapsed = true;
    bool alwaysOnTop = false;
    bool showTimeInTitle = false;
    int pitch = 1000;
    int pitchPending = 0;
    // A title from the song's tag; when set it replaces the file name.
    QString displayTitle;
    // The tag editor wrote or removed the tag of that file.
    void TagChanged(const QString &path);
    // Runs after each newly opened input.
    std::function<void()> songOpened;
    // A file was chosen in the open dialog (for the recent-files list).
    std::function<void(const QString &)> fileChosen;

    // Song information texts for the information window and the displays.
    QString mpegText, layerText, bitrateText, frequencyText, channelModeText, sizeText;
    bool informationChanged = false;

private:
    void bindPlayerEvents();
    bool openEntry(int index);
    void playEntry(int index);
    void unload();
    int songEntry() const;
    void readSongTag();
    void resetDisplays();
    void updateTitle();
    QString scrollingTitle() const;
    void showTimes();
    void rebuildSizeText();
    void onPlayerState(int state);
    void onDuration(int32_t seconds);
    void onTimecode(int hours, int minutes, int seconds);
    void onStreamInfo(int level, int layer, int bitrate, int frequency, int mode);

    TSonarkPlayer &player_;
    PlaylistModel &playlist_;
    PlaybackView &view_;
    platform::Dialogs &dialogs_;
    QString titleText_;
    QString durationText_ = QStringLiteral("(0:00)");
    std::mt19937 random_;
};
