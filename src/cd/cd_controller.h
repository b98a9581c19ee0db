#pragma once

// CD mode: the switch between file playback and the disc in the drive, the
// poll the main window's 750 ms timer runs while it is on (a disc inserted,
// removed or not playable; the time, track and names to show), the
// transport the main window's buttons and commands reach in CD mode, and
// the disc's names with their cache file. It shows nothing itself: the
// views follow its signals.

#include "cd/cd_device.h"
#include "cd/disc_id.h"
#include "cd/disc_names.h"
#include "platform/dialogs.h"

#include <QObject>
#include <QRect>
#include <QString>
#include <QStringList>

namespace cd {

class CdController : public QObject {
    Q_OBJECT

public:
    static constexpr int NoPendingTrack = 0x7FFFFFFF;

    // `tracksFolder` holds the names' cache files, with a trailing "/".
    CdController(CdDevice &device, platform::Dialogs &dialogs, QString tracksFolder,
                 QObject *parent = nullptr);

    bool cdMode() const { return cdMode_; }
    int playerState() const { return playerState_; }  // 0 stopped, 1 playing, 2 paused
    int trackCount() const { return trackCount_; }
    int trackLengthSeconds() const { return trackLength_; }
    // The track playing (from 0, -1 for none) and its seconds played.
    int track() const { return lastTrack_ - 1; }
    int trackSecondsPlayed() const { return trackSecondsPlayed_; }
    int pendingTrack() const { return pendingTrack_; }
    int discRevision() const { return names_.revision; }
    const DiscNames &names() const { return names_; }
    // The disc's id as computed when it started.
    const DiscId &discId() const { return discId_; }
    // A revision the disc database accepted; kept with the disc's names.
    void setDiscRevision(int revision);
    // The track list's lines: "N. name".
    QStringList lines() const;

    void setTimeElapsed(bool elapsed) { timeElapsed_ = elapsed; }
    void setShowTimeInTitle(bool on) { showTimeInTitle_ = on; }

public slots:
    // On or off; entering opens the device, or says it is busy.
    void toggle();
    // One tick of the main window's 750 ms timer, in CD mode.
    void poll();
    // Play and pause alike: play when not playing, else pause.
    void playPause();
    void stop();
    void eject();
    void next();
    void previous();
    void forward10();
    void back10();
    // The position knob let go at `offset` pixels of a `width` pixel track.
    void seekToBar(int offset, int width);
    // The track (from 0) the next tick jumps to; one the disc lacks is ignored.
    void setPendingTrack(int index);
    // The main window closes: the disc stops.
    void close();
    void renameTrack(int index);
    // Asks the disc database (lookupRequested) for the disc's names.
    void readFromCddb(const QRect &mainWindowFrame);
    // The disc database's names for the disc `asked`; they name the disc in
    // the drive only if it is still that disc.
    void namesFound(const cd::DiscId &asked, const cd::DiscNames &names);
    void titleEdited(const QString &title);
    void artistEdited(const QString &artist);

signals:
    void cdModeChanged(bool on);
    // The title label and the total-time label ("(m:ss)").
    void titleChanged(const QString &title, const QString &total);
    void timeChanged(const QString &time);
    void positionChanged(double fraction);
    void playStateChanged(int state);
    void applicationTitleChanged(const QString &title);
    void namesChanged(const QStringList &lines, const QString &title, const QString &artist);
    void lineSelected(int index);
    // The disc database is to look the disc up (see namesFound).
    void lookupRequested(const cd::DiscId &disc, const cd::DiscNames &names, const QRect &mainWindowFrame);

private:
    void setPlayerState(int state);
    void showNoDisc(const QString &title);
    void startDisc();
    void followPosition();
    void showNames();
    void saveNames();
    uint32_t position();
    void jumpTo(uint32_t tmsf);
    void seekInTrack(uint32_t position, int seconds);

    CdDevice &device_;
    platform::Dialogs &dialogs_;
    QString tracksFolder_;

    bool cdMode_ = false;
    int playerState_ = 0;
    bool awaitingDisc_ = false;
    bool noAudioDisc_ = false;
    bool playingEdge_ = true;
    bool stoppedEdge_ = true;
    int trackCount_ = 0;
    int lastSecond_ = -1;
    int lastTrack_ = -1;
    int trackLength_ = 0;
    int trackSecondsPlayed_ = 0;
    int pendingTrack_ = NoPendingTrack;
    TableOfContents toc_;  // of the disc that started, to notice another one
    DiscId discId_;
    DiscNames names_;
    bool timeElapsed_ = true;
    bool showTimeInTitle_ = false;
    QString timeText_;
    QString totalText_;
};

}  // namespace cd
