#pragma once

// Decides what the player plays: opens songs, playlists and addresses,
// starts, pauses, stops and seeks, steps through the playlist with repeat
// and shuffle, moves on when a song ends, and turns the player's
// notifications into the main window's texts. It mirrors the player's state
// from notifications only and never assumes that a command took effect;
// listeners learn of every change through its signals. The transport
// commands go to the songs of the playlist, or in CD mode to the disc.

#include "cd/cd_controller.h"
#include "core/playback_view.h"
#include "core/transport.h"
#include "decoder/sonark_player.h"
#include "language/messages.h"
#include "platform/dialogs.h"
#include "playlist/playlist_model.h"
#include "playlist/song_tag.h"

#include <QObject>
#include <QString>

#include <memory>
#include <random>

// The song's facts for the information window and the displays.
struct SongInformation {
    QString mpeg, layer, bitrate, frequency, channelMode, size;
};

class PlaybackController : public QObject, private Transport {
    Q_OBJECT

public:
    PlaybackController(TSonarkPlayer &player, PlaylistModel &playlist, PlaybackView &view, platform::Dialogs &dialogs,
                       QObject *parent = nullptr);

    void OpenFile(const QString &name);
    void StartPlayback();
    // What the buttons, the menu and the commands reach: the songs, or the
    // disc in CD mode.
    Transport &transport();
    const Transport &transport() const;
    void PlayCommand() { transport().play(); }
    void PauseCommand() { transport().pause(); }
    void StopCommand() { transport().stop(); }
    void NextSong() { transport().next(); }
    void PreviousSong() { transport().previous(); }
    void SeekForward() { transport().forward(); }
    void SeekBack() { transport().back(); }
    // The keys' five seconds on or back; the disc steps as its buttons do.
    void StepForward() { transport().stepForward(); }
    void StepBack() { transport().stepBack(); }
    // The position knob is held at `offset` pixels of a `width` pixel track:
    // the title shows the time there.
    void KnobDragged(int offset, int width);
    // The position knob was released there.
    void SeekToKnob(int offset, int width) { transport().seekToKnob(offset, width); }
    // Puts the song's title back after a slider showed its read-out there.
    void RefreshTitle();
    void ToggleRepeat();
    void ToggleShuffle();
    // The shuffle menu item and button: a fresh cycle, then the toggle.
    void RandomSongCommand();
    void OpenDialog();
    // The open box's title and the position read-out's word.
    void applyTexts(const Messages &messages);
    // The load button and command: the open dialog, or the door in CD mode.
    void LoadCommand() { transport().load(); }
    void OpenAddress(const QString &address);
    void SetTimeElapsed(bool elapsed);
    void ToggleAlwaysOnTop();
    void ExitCommand();
    // Timer1's share: a pending play request and the advance after a song ended.
    void AutomaticAdvance();
    // Timer2's share: the pitch asked for once more, if it is pending.
    void SendPendingPitch();
    // The tag editor wrote or removed the tag of that file.
    void TagChanged(const QString &path);
    // A second start handed its files over: they replace the list
    // (`clearList`) or join it, and the first plays at the next tick.
    void TakeHandedOverFiles(const QStringList &names, bool clearList);
    // The remote command's entry number, counted from 1.
    void PlayEntryNumber(int number) { transport().playNumber(number); }
    // The first or last entry plays at the next tick, when a song is loaded.
    void PlayFirstEntry() { transport().first(); }
    void PlayLastEntry() { transport().last(); }

    void setRepeat(bool on);
    void setShuffle(bool on);
    // The pitch window: the value, sent by Timer2.
    void setPitch(int pitch);
    // Start-up: the entry to begin the start-up playlist with.
    void setStartIndex(int index) { startIndex_ = index; }
    void setSongDir(const QString &folder) { songDir_ = folder; }
    void setShowTimeInTitle(bool on) { showTimeInTitle_ = on; }
    // The CD part, whose switch decides CD mode; file playback stops when
    // it is switched on. Connect the main window's own CD look first: the
    // song's texts are shown again over it when the mode ends.
    void setCdController(cd::CdController *cd);

    bool songLoaded() const { return songLoaded_; }
    // 0 stopped, 1 playing, 2 paused; the disc's in CD mode.
    int playerState() const { return transport().state(); }
    const QString &currentFile() const { return currentFile_; }
    const QString &songDir() const { return songDir_; }
    double durationSeconds() const { return durationSeconds_; }
    double positionSeconds() const override { return positionSeconds_; }
    bool cdMode() const { return cd_ && cd_->cdMode(); }
    bool repeat() const { return repeat_; }
    bool shuffle() const { return shuffle_; }
    bool timeElapsed() const { return timeElapsed_; }
    bool alwaysOnTop() const { return alwaysOnTop_; }
    int pitch() const { return pitch_; }
    // A title from the song's tag; when set it replaces the file name.
    const QString &displayTitle() const { return songTag_.displayTitle; }
    // The loaded song's tag as read when it was opened or its tag changed.
    const SongTag &songTag() const { return songTag_; }
    // The title the station sends now; empty for a file and before the first.
    const QString &streamTitle() const { return streamTitle_; }
    const SongInformation &information() const { return information_; }

    // "m:ss" with the hours dropped, as the displays show times.
    static QString minutesSeconds(int seconds);

signals:
    void stateChanged(int state);
    // A new song was opened (its full path or address), or none is loaded
    // any more (empty).
    void songChanged(const QString &file);
    // The loaded song's tag was edited and read again.
    void songTagChanged();
    void durationChanged(double seconds);
    void positionChanged(double seconds);
    void repeatChanged(bool on);
    void shuffleChanged(bool on);
    void timeElapsedChanged(bool elapsed);
    void alwaysOnTopChanged(bool on);
    // The stream's facts arrived.
    void informationChanged();
    // The station sent another title.
    void streamTitleChanged();
    // The song reached its end; the next one follows by the repeat and
    // shuffle rules.
    void songEnded();
    // A file was chosen in the open dialog (for the recent-files list).
    void fileChosen(const QString &file);

private:
    // The songs of the playlist as the transport.
    int state() const override { return playerState_; }
    bool canPlay() const override { return songLoaded_; }
    bool canGoNext() const override;
    bool canGoPrevious() const override;
    bool canSeek() const override { return songLoaded_ && durationSeconds_ > 0; }
    double lengthSeconds() const override { return durationSeconds_; }
    NowPlaying nowPlaying() const override;
    void play() override;
    void pause() override;
    void stop() override;
    void next() override;
    void previous() override;
    void forward() override { seekBy(10); }
    void back() override { seekBy(-10); }
    void stepForward() override { seekBy(5); }
    void stepBack() override { seekBy(-5); }
    void seekBy(int seconds);
    void seekToKnob(int offset, int width) override;
    void load() override;
    void playNumber(int number) override;
    void first() override;
    void last() override;
    void close() override;
    PlaybackView &songView();

    QString openCaption_ = Messages().text("Load_Dialog");
    QString positionWord_ = Messages().text("Words_Position");
    QString cannotOpenText_ = Messages().text("Title_CannotOpen");
    // Songs that could not be opened since the last one that could.
    int failedInARow_ = 0;
    bool openEntry(int index);
    void playEntry(int index);
    void openInput(const QString &name);
    void unload();
    int songEntry() const;
    void readSongTag();
    void resetDisplays();
    void updateTitle();
    QString scrollingTitle() const;
    void showTimes();
    void rebuildSizeText();
    void PlayerNotifyAck(uint8_t command);
    void SongCannotBeOpened();
    void PlayerNotifyPlayerState(int state);
    void PlayerNotifyInputDuration(int32_t seconds);
    void PlayerNotifyInputTimecode(int hours, int minutes, int seconds);
    void PlayerNotifyInputStreamInfo(int level, int layer, int bitrate, int frequency, int mode);

    // Streams (playback_stream.cpp): titles, breaks, failures and station lists.
    void connectStreamNotifications();
    void applyStreamTexts(const Messages &messages);
    void PlayerNotifyProgress(uint8_t source, uint8_t code, const QString &text);
    void PlayerNotifyError(uint8_t source, const QString &text);
    void takeStationList(const QString &text);
    void showStreamMessage(const QString &text);

    TSonarkPlayer &player_;
    PlaylistModel &playlist_;
    PlaybackView &view_;
    platform::Dialogs &dialogs_;

    bool songLoaded_ = false;
    int playerState_ = 0;
    bool endOfSong_ = false;
    int advanceCountdown_ = 0;
    int startIndex_ = NoPosition;
    // Opens sent whose answer has not come: what the engine reports until
    // then belongs to an input already replaced.
    int opensInFlight_ = 0;
    QString currentFile_;
    QString songDir_;
    double durationSeconds_ = 0;
    double positionSeconds_ = 0;
    cd::CdController *cd_ = nullptr;
    std::unique_ptr<Transport> disc_;
    HiddenView hiddenView_;
    bool repeat_ = false;
    bool shuffle_ = false;
    bool timeElapsed_ = true;
    bool alwaysOnTop_ = false;
    bool showTimeInTitle_ = false;
    int pitch_ = 1000;
    int pitchPending_ = 0;
    SongTag songTag_;
    SongInformation information_;
    QString titleText_;
    QString durationText_ = QStringLiteral("(0:00)");
    QString channelText_;
    std::mt19937 random_;

    QString reconnectingWord_, noStationsText_, segmentedText_, nestedListsText_;
    QString streamTitle_;
    bool reconnecting_ = false;
    // Station lists read in a row since the user's last choice.
    int stationListDepth_ = 0;
    bool openingFromStationList_ = false;
};
