#include "cd_controller.h"

#include "cd/track_names.h"

#include <algorithm>
#include <utility>

namespace cd {

namespace {

using Mode = CdDevice::Mode;

const QString zeroTime = QStringLiteral("0:00");

// Minutes unpadded, seconds with two digits.
QString minutesSeconds(int seconds)
{
    return QStringLiteral("%1:%2").arg(seconds / 60).arg(seconds % 60, 2, 10, QLatin1Char('0'));
}

}  // namespace

CdController::CdController(CdDevice &device, platform::Dialogs &dialogs, QString tracksFolder,
                           QObject *parent)
    : QObject(parent), device_(device), dialogs_(dialogs), tracksFolder_(std::move(tracksFolder))
{
}

QStringList CdController::lines() const
{
    QStringList lines;
    for (int i = 0; i < names_.tracks.size(); ++i)
        lines << QStringLiteral("%1. %2").arg(QString::number(i + 1), names_.tracks[i]);
    return lines;
}

void CdController::setPlayerState(int state)
{
    playerState_ = state;
    emit playStateChanged(state);
}

// ---- the switch ----

void CdController::toggle()
{
    if (!cdMode_ && !device_.open()) {
        dialogs_.error(QStringLiteral("The CD-Player is currently Busy"));
        return;
    }
    device_.stop();
    device_.seekToStart();
    timeText_ = zeroTime;
    emit timeChanged(timeText_);
    emit positionChanged(0);
    setPlayerState(0);
    cdMode_ = !cdMode_;
    if (cdMode_) {
        // With the door open the first tick shows that there is no disc.
        awaitingDisc_ = device_.mode() != Mode::Open;
        device_.stop();
        lastSecond_ = lastTrack_ = -1;
        emit cdModeChanged(true);
    } else {
        emit cdModeChanged(false);
        emit applicationTitleChanged(QStringLiteral("Ludro Pro"));
        device_.close();
    }
}

// ---- the poll ----

void CdController::poll()
{
    if (!cdMode_)
        return;
    const Mode mode = device_.mode();
    if (mode != Mode::Playing)
        playingEdge_ = true;
    else if (std::exchange(playingEdge_, false))
        setPlayerState(1);
    if (mode != Mode::Stopped)
        stoppedEdge_ = true;
    else if (std::exchange(stoppedEdge_, false) && playerState_ != 2)
        setPlayerState(0);

    // Another disc without an open door between (an image replaced in
    // place, a drive that reports none): it starts as if inserted.
    if (!awaitingDisc_ && mode != Mode::Open && device_.tableOfContents() != toc_)
        awaitingDisc_ = true;
    if ((!awaitingDisc_ || noAudioDisc_) && mode == Mode::Open) {
        awaitingDisc_ = true;
        showNoDisc(QStringLiteral("No CD in Drive"));
    }
    if (awaitingDisc_ && mode != Mode::Open)
        startDisc();
    if (device_.mode() != Mode::Open)
        followPosition();
    if (showTimeInTitle_)
        emit applicationTitleChanged("CD - " + timeText_ + "  " + totalText_);
}

void CdController::showNoDisc(const QString &title)
{
    trackCount_ = 0;
    names_ = {};
    showNames();
    timeText_ = zeroTime;
    totalText_ = QStringLiteral("(0:00)");
    emit timeChanged(timeText_);
    setPlayerState(0);
    emit titleChanged(title, totalText_);
    emit positionChanged(0);
}

// A disc that does not play is a data disc; it is tried again every tick.
void CdController::startDisc()
{
    device_.stop();
    device_.seekToStart();
    device_.play();
    if (device_.mode() != Mode::Playing) {
        showNoDisc(QStringLiteral("Data CD in Drive"));
        noAudioDisc_ = true;
        return;
    }
    setPlayerState(1);
    noAudioDisc_ = false;
    awaitingDisc_ = false;
    trackCount_ = device_.trackCount();
    lastSecond_ = lastTrack_ = -1;
    toc_ = device_.tableOfContents();
    discId_ = computeDiscId(toc_);
    names_ = {};
    loadTrackNames(tracksFolder_, discId_, legacyCacheName(toc_), trackCount_, names_);
    showNames();
}

void CdController::followPosition()
{
    if (pendingTrack_ != NoPendingTrack) {
        device_.stop();
        device_.seekToStart();
        device_.seek(packTmsf(std::exchange(pendingTrack_, NoPendingTrack) + 1, 0, 0, 0));
        device_.play();
    }
    const uint32_t now = position();
    const int second = tmsfSeconds(now), track = tmsfTrack(now);
    if (second == lastSecond_ && track == lastTrack_)
        return;
    const uint32_t length = device_.trackLength(track);
    trackLength_ = msfMinutes(length) * 60 + msfSeconds(length);
    const int elapsed = tmsfMinutes(now) * 60 + second;
    trackSecondsPlayed_ = elapsed;
    lastSecond_ = second;
    if (track != std::exchange(lastTrack_, track))
        emit lineSelected(track - 1);
    if (device_.mode() != Mode::Open && trackLength_ > 0)
        emit positionChanged(std::clamp(static_cast<double>(elapsed) / trackLength_, 0.0, 1.0));
    timeText_ = timeElapsed_ ? minutesSeconds(elapsed) : '-' + minutesSeconds(std::max(0, trackLength_ - elapsed));
    emit timeChanged(timeText_);
    totalText_ = '(' + minutesSeconds(trackLength_) + ')';
    // One pass: a name may hold "%2" itself.
    emit titleChanged(QStringLiteral("%1 (%2 of %3)")
                          .arg(names_.tracks.value(track - 1), QString::number(track), QString::number(trackCount_)),
                      totalText_);
}

// ---- transport ----

uint32_t CdController::position()
{
    device_.setTimeFormat(CdDevice::TimeFormat::Tmsf);
    return device_.position();
}

void CdController::playPause()
{
    if (device_.mode() != Mode::Playing) {
        // Resumed before a tick saw the pause: the next tick still shows it playing.
        playingEdge_ = true;
        device_.play();
        return;
    }
    device_.pause();
    setPlayerState(2);
}

void CdController::stop()
{
    emit applicationTitleChanged(QStringLiteral("Ludro Pro"));
    device_.stop();
    device_.seekToStart();
    setPlayerState(0);
}

void CdController::eject()
{
    device_.eject();
}

void CdController::jumpTo(uint32_t tmsf)
{
    if (device_.mode() == Mode::Playing)
        device_.playFrom(tmsf);
    else
        device_.seek(tmsf);
}

void CdController::next()
{
    if (trackCount_ < 1)
        return;
    jumpTo(packTmsf(std::min(tmsfTrack(position()) + 1, trackCount_), 0, 0, 0));
}

// In the first second of a track the track before it; else this track's start.
void CdController::previous()
{
    if (trackCount_ < 1)
        return;
    const uint32_t now = position();
    const int track = tmsfTrack(now);
    const bool atStart = tmsfMinutes(now) == 0 && tmsfSeconds(now) == 0;
    jumpTo(packTmsf(track > 1 && atStart ? track - 1 : track, 0, 0, 0));
}

// The same track and frame, `seconds` from the track's start.
void CdController::seekInTrack(uint32_t position, int seconds)
{
    device_.stop();
    device_.seek(packTmsf(tmsfTrack(position), seconds / 60, seconds % 60, tmsfFrames(position)));
    device_.play();
}

void CdController::forward10()
{
    if (device_.mode() != Mode::Playing)
        return;
    const uint32_t now = position();
    seekInTrack(now, tmsfMinutes(now) * 60 + tmsfSeconds(now) + 10);
}

void CdController::back10()
{
    if (device_.mode() != Mode::Playing)
        return;
    const uint32_t now = position();
    const int target = tmsfMinutes(now) * 60 + tmsfSeconds(now) - 10;
    if (target > 0)
        seekInTrack(now, target);
}

void CdController::seekToBar(int offset, int width)
{
    if (width <= 0)
        return;
    seekInTrack(position(), offset * trackLength_ / width);
}

void CdController::setPendingTrack(int index)
{
    if (index >= 0 && index < trackCount_)
        pendingTrack_ = index;
}

void CdController::close()
{
    if (cdMode_)
        device_.stop();
}

// ---- names ----

void CdController::showNames()
{
    emit namesChanged(lines(), names_.title, names_.artist);
}

void CdController::saveNames()
{
    if (names_.tracks.isEmpty())
        return;
    if (!saveTrackNames(tracksFolder_, discId_.id, names_))
        dialogs_.errorWithCaption(QStringLiteral("File Error"), QStringLiteral("Could not write to Database."));
}

void CdController::renameTrack(int index)
{
    if (index < 0 || index >= names_.tracks.size())
        return;
    const QString answer = dialogs_.askText(QStringLiteral("Track Name"),
                                            QStringLiteral("Change the Name of this Track to..."), names_.tracks[index]);
    if (answer.isEmpty() || answer == names_.tracks[index])
        return;
    names_.tracks[index] = answer;
    showNames();
    emit lineSelected(index);
    saveNames();
}

// The answer belongs to the disc it was asked for: the lookup waits for it
// while the poll goes on, so the disc may have changed meanwhile. Its names
// are then only in that disc's file.
void CdController::readFromCddb(const QRect &mainWindowFrame)
{
    if (names_.tracks.isEmpty())
        return;
    // Copies: the disc may change while the database is asked.
    const DiscId asked = discId_;
    emit lookupRequested(asked, DiscNames(names_), mainWindowFrame);
}

void CdController::namesFound(const DiscId &asked, const DiscNames &names)
{
    if (awaitingDisc_ || discId_.id != asked.id)
        return;
    names_ = names;
    showNames();
    emit lineSelected(lastTrack_ - 1);
}

void CdController::setDiscRevision(int revision)
{
    names_.revision = revision;
    saveNames();
}

void CdController::titleEdited(const QString &title)
{
    names_.title = title;
    saveNames();
}

void CdController::artistEdited(const QString &artist)
{
    names_.artist = artist;
    saveNames();
}

}  // namespace cd
