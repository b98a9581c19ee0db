#include "playback_controller.h"

#include "core/disc_transport.h"

#include "playlist/file_drop.h"
#include "playlist/playlist_file.h"
#include "playlist/song_tag.h"
#include "playlist/tag_file.h"

#include <QFileInfo>
#include <QTimer>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <utility>

namespace {

const QString applicationTitle = QStringLiteral("Ludro Pro");
const QString noTitle = QStringLiteral("<None>");
const QString zeroTime = QStringLiteral("0:00");
const char *const pitchName = "OUTPUT.DIRECTSOUND.PITCH";

}  // namespace

PlaybackController::PlaybackController(TSonarkPlayer &player, PlaylistModel &playlist, PlaybackView &view,
                                       platform::Dialogs &dialogs, QObject *parent)
    : QObject(parent), player_(player), playlist_(playlist), view_(view), dialogs_(dialogs),
      random_(static_cast<unsigned>(std::chrono::steady_clock::now().time_since_epoch().count()))
{
    connect(&player_, &TSonarkPlayer::OnNotifyAck, this, [this](TSonarkPlayer *, uint8_t command) {
        const bool wanted = command == SK_INPUT_OPEN && opensInFlight_ == 1;
        PlayerNotifyAck(command);
        if (wanted) {
            failedInARow_ = 0;
            playlist_.setUnopenable(songEntry(), false);
        }
    });
    // A refused open ends the wait as an acknowledged one does; the refusal
    // of the song now wanted is shown.
    connect(&player_, &TSonarkPlayer::OnNotifyNack, this, [this](TSonarkPlayer *, uint8_t command, int16_t) {
        const bool wanted = command == SK_INPUT_OPEN && opensInFlight_ == 1;
        PlayerNotifyAck(command);
        if (wanted)
            SongCannotBeOpened();
    });
    connect(&player_, &TSonarkPlayer::OnNotifyPlayerState, this,
            [this](TSonarkPlayer *, int state) { PlayerNotifyPlayerState(state); });
    connect(&player_, &TSonarkPlayer::OnNotifyInputDuration, this,
            [this](TSonarkPlayer *, int32_t seconds) { PlayerNotifyInputDuration(seconds); });
    connect(&player_, &TSonarkPlayer::OnNotifyInputTimecode, this,
            [this](TSonarkPlayer *, uint8_t h, uint8_t m, uint8_t s, uint8_t) { PlayerNotifyInputTimecode(h, m, s); });
    connect(&player_, &TSonarkPlayer::OnNotifyInputStreamInfo, this,
            [this](TSonarkPlayer *, uint8_t level, uint8_t layer, uint16_t bitrate, uint16_t frequency,
                   uint8_t mode) { PlayerNotifyInputStreamInfo(level, layer, bitrate, frequency, mode); });
    connectStreamNotifications();
}

void PlaybackController::setCdController(cd::CdController *cd)
{
    cd_ = cd;
    disc_ = std::make_unique<DiscTransport>(*cd);
    // The song stops where it is, and nothing asked for before starts
    // while the disc plays or after. Back from the disc, what the song's
    // stream told meanwhile shows.
    connect(cd_, &cd::CdController::cdModeChanged, this, [this](bool on) {
        if (!on) {
            updateTitle();
            view_.showDuration(durationText_);
            if (!channelText_.isEmpty())
                view_.showChannelMode(channelText_);
            return;
        }
        if (songLoaded_)
            player_.Stop();
        endOfSong_ = false;
        advanceCountdown_ = 0;
        playlist_.pendingIndex = NoPosition;
    });
}

QString PlaybackController::minutesSeconds(int seconds)
{
    const int minutes = seconds % 3600 / 60, rest = seconds % 60;
    return QStringLiteral("%1:%2").arg(minutes).arg(rest, 2, 10, QLatin1Char('0'));
}

// ---- opening ----

void PlaybackController::OpenFile(const QString &name)
{
    // A file that holds no text is refused before anything changes, even
    // what plays.
    if (const QString refusal = playlist_files::openFromMainWindow(playlist_, name); !refusal.isEmpty()) {
        dialogs_.error(refusal);
        return;
    }
    endOfSong_ = false;
    advanceCountdown_ = 0;
    if (songLoaded_) {
        player_.Stop();
        resetDisplays();
    }
    // The start-up position names a song of the file as it was read; it
    // follows that song when the list is sorted. A fresh list starts at
    // its top as shown.
    const int start = std::exchange(startIndex_, NoPosition);
    const bool resuming = start != NoPosition;
    if (resuming)
        playlist_.setCurrentIndex(playlist_.entryAt(start) ? start : 0);
    playlist_.settle();
    const int count = playlist_.entryCount();
    int index = shuffle_ && count > 0 ? std::uniform_int_distribution<int>(0, count - 1)(random_) : 0;
    if (resuming)
        index = playlist_.currentIndex();
    playlist_.playedMarks.clear();
    playlist_.playedMarks.mark(index);
    if (!openEntry(index))
        unload();
}

// In CD mode the disc has the displays; what the song says is kept for
// when the mode ends.
PlaybackView &PlaybackController::songView()
{
    return cdMode() ? hiddenView_ : view_;
}

Transport &PlaybackController::transport()
{
    if (cdMode())
        return *disc_;
    return *this;
}

const Transport &PlaybackController::transport() const
{
    if (cdMode())
        return *disc_;
    return *this;
}

void PlaybackController::resetDisplays()
{
    titleText_ = noTitle;
    songTag_ = {};
    durationText_ = QStringLiteral("(0:00)");
    songView().showTitle(noTitle);
    songView().showScrollingTitle(noTitle);
    songView().showTime(zeroTime);
    songView().showDuration(durationText_);
    songView().showPosition(0);
}

// The one way from a playlist position to an opened song: a position that
// names no entry means nothing to play.
bool PlaybackController::openEntry(int index)
{
    if (!playlist_.entryAt(index))
        return false;
    playlist_.setCurrentIndex(index);
    openInput(playlist_.entryPath(index));
    readSongTag();
    updateTitle();
    emit songChanged(currentFile_);
    return true;
}

void PlaybackController::openInput(const QString &name)
{
    streamTitle_.clear();
    reconnecting_ = false;
    if (!openingFromStationList_)
        stationListDepth_ = 0;
    player_.InputOpen(name);
    ++opensInFlight_;
    currentFile_ = name;
    songLoaded_ = true;
    durationSeconds_ = positionSeconds_ = 0;
}

// Nothing to play: the engine lets go of the old song, so neither Play nor
// the displays can reach it any more.
void PlaybackController::unload()
{
    if (songLoaded_)
        player_.InputClose();
    songLoaded_ = false;
    currentFile_.clear();
    resetDisplays();
    durationSeconds_ = positionSeconds_ = 0;
    playlist_.setCurrentIndex(0);
    emit songChanged(currentFile_);
}

// The current position holds the loaded song, unless the list changed
// under it; then the song's facts belong to no entry.
int PlaybackController::songEntry() const
{
    return songLoaded_ && playlist_.entryPath(playlist_.currentIndex()) == currentFile_ ? playlist_.currentIndex() : -1;
}

// A file that cannot be read counts as untagged.
void PlaybackController::readSongTag()
{
    const std::optional<Id3Tag> tag = tag_file::read(currentFile_);
    songTag_ = ::songTag(tag);
    showTagColumns(playlist_, songEntry(), tag);
}

void PlaybackController::TagChanged(const QString &path)
{
    if (!songLoaded_ || path != currentFile_)
        return;
    readSongTag();
    updateTitle();
    emit songTagChanged();
}

void PlaybackController::playEntry(int index)
{
    if (openEntry(index))
        StartPlayback();
}

void PlaybackController::StartPlayback()
{
    if (songLoaded_)
        player_.Play();
    view_.focusPlaylistEntry(playlist_.currentIndex());
    player_.SetPlayerEnvironmentInteger(pitchName, pitch_);
    pitchPending_ = 1;
}

void PlaybackController::applyTexts(const Messages &messages)
{
    openCaption_ = messages.text("Load_Dialog");
    positionWord_ = messages.text("Words_Position");
    cannotOpenText_ = messages.text("Title_CannotOpen");
    applyStreamTexts(messages);
}

void PlaybackController::OpenDialog()
{
    const QString name = dialogs_.openFileName(openCaption_, songDir_,
                                               QStringLiteral("MPEG Audio and Playlists (*.mp1 *.mp2 *.mp3 *.MP1 "
                                                              "*.MP2 *.MP3 *.m3u *.m3u8 *.pls *.dmp);;All Files (*)"));
    if (name.isEmpty())
        return;
    songDir_ = QFileInfo(name).path() + '/';
    OpenFile(name);
    emit fileChosen(name);
    if (songLoaded_)
        StartPlayback();
    pitchPending_ = 1;
}

void PlaybackController::load()
{
    OpenDialog();
}

void PlaybackController::OpenAddress(const QString &address)
{
    if (address.isEmpty())
        return;
    endOfSong_ = false;
    advanceCountdown_ = 0;
    // Nothing of the song before stays on the display.
    resetDisplays();
    playlist_.clearEntries();
    playlist_.addNetworkEntry(address);
    playlist_.settle();
    playlist_.setCurrentIndex(0);
    songTag_ = {};
    openInput(address);
    updateTitle();
    StartPlayback();
    emit songChanged(currentFile_);
}

// ---- transport ----

void PlaybackController::play()
{
    if (!songLoaded_) {
        OpenDialog();
        return;
    }
    endOfSong_ = false;
    advanceCountdown_ = 0;
    playlist_.pendingIndex = NoPosition;
    if (playerState_ == 1) {
        player_.Pause();
    } else if (playerState_ == 2) {
        StartPlayback();
    } else {
        player_.Stop();
        StartPlayback();
    }
}

void PlaybackController::pause()
{
    if (!songLoaded_)
        return;
    if (playerState_ == 2)
        StartPlayback();
    else
        player_.Pause();
}

void PlaybackController::stop()
{
    view_.setApplicationTitle(applicationTitle);
    if (!songLoaded_)
        return;
    advanceCountdown_ = 0;
    player_.Stop();
    player_.InputSeek(0, 0);
}

bool PlaybackController::canGoNext() const
{
    const int count = playlist_.entryCount();
    return (songLoaded_ && count > playlist_.currentIndex() + 1) || (shuffle_ && count > 0);
}

bool PlaybackController::canGoPrevious() const
{
    return shuffle_ ? canGoNext() : songLoaded_ && playlist_.entryAt(playlist_.currentIndex() - 1);
}

void PlaybackController::next()
{
    const int count = playlist_.entryCount();
    if (!canGoNext())
        return;
    endOfSong_ = false;
    advanceCountdown_ = 0;
    // The user's choice replaces a request not yet taken (the start-up's).
    playlist_.pendingIndex = NoPosition;
    player_.Stop();
    playEntry(shuffle_ ? playlist_.playedMarks.pick(count, random_) : playlist_.currentIndex() + 1);
}

void PlaybackController::previous()
{
    if (shuffle_) {
        next();
        return;
    }
    if (!canGoPrevious())
        return;
    endOfSong_ = false;
    advanceCountdown_ = 0;
    playlist_.pendingIndex = NoPosition;
    player_.Stop();
    playEntry(playlist_.currentIndex() - 1);
}

// Only while playing, and only to a place inside the song.
void PlaybackController::seekBy(int seconds)
{
    const double target = positionSeconds_ + seconds;
    if (playerState_ != 1 || target >= durationSeconds_ || target <= 0)
        return;
    positionSeconds_ = std::round(positionSeconds_) + seconds;
    showTimes();
    emit positionChanged(positionSeconds_);
    player_.InputSeek(static_cast<int32_t>(positionSeconds_), static_cast<int32_t>(std::lround(durationSeconds_)));
}

void PlaybackController::RefreshTitle()
{
    updateTitle();
}

void PlaybackController::KnobDragged(int offset, int width)
{
    if (width <= 0)
        return;
    const long length = std::lround(transport().lengthSeconds());
    const long t = length * offset / width;
    view_.showTitle(positionWord_ + QStringLiteral(" %1:%2").arg(t / 60).arg(t % 60, 2, 10, QLatin1Char('0')));
}

void PlaybackController::seekToKnob(int offset, int width)
{
    if (songLoaded_ && width > 0)
        player_.InputSeek(offset, width);
    updateTitle();
}

void PlaybackController::ToggleRepeat()
{
    setRepeat(!repeat_);
}

void PlaybackController::ToggleShuffle()
{
    setShuffle(!shuffle_);
}

void PlaybackController::setRepeat(bool on)
{
    repeat_ = on;
    view_.showRepeat(on);
    emit repeatChanged(on);
}

void PlaybackController::setShuffle(bool on)
{
    shuffle_ = on;
    view_.showShuffle(on);
    emit shuffleChanged(on);
}

void PlaybackController::RandomSongCommand()
{
    playlist_.playedMarks.clear();
    ToggleShuffle();
}

void PlaybackController::SetTimeElapsed(bool elapsed)
{
    timeElapsed_ = elapsed;
    showTimes();
    emit timeElapsedChanged(elapsed);
}

void PlaybackController::ToggleAlwaysOnTop()
{
    alwaysOnTop_ = !alwaysOnTop_;
    view_.setStayOnTop(alwaysOnTop_);
    emit alwaysOnTopChanged(alwaysOnTop_);
}

void PlaybackController::setPitch(int pitch)
{
    pitch_ = pitch;
    pitchPending_ = pitch;
}

void PlaybackController::SendPendingPitch()
{
    if (pitchPending_ <= 0)
        return;
    player_.SetPlayerEnvironmentInteger(pitchName, pitch_);
    pitchPending_ = 0;
}

void PlaybackController::ExitCommand()
{
    transport().close();
    view_.closeMainWindow();
}

void PlaybackController::close()
{
    if (songLoaded_)
        player_.Stop();
}

void PlaybackController::TakeHandedOverFiles(const QStringList &names, bool clearList)
{
    if (names.isEmpty())
        return;
    player_.Stop();
    int first = playlist_.entryCount();
    QStringList rest = names;
    if (clearList) {
        OpenFile(rest.takeFirst());
        first = playlist_.currentIndex();
    }
    // The boxes wait for the event loop: the second start is answered first.
    if (const QStringList errors = file_drop::addNamed(playlist_, rest); !errors.isEmpty())
        QTimer::singleShot(0, this, [this, errors] {
            for (const QString &error : errors)
                dialogs_.error(error);
        });
    if (playlist_.entryAt(first))
        playlist_.pendingIndex = first;
    playlist_.settle();  // the request follows the new song to its place
}

// The request is checked when Timer1 takes it.
void PlaybackController::playNumber(int number)
{
    if (number > 0)
        playlist_.pendingIndex = number - 1;
}

void PlaybackController::first()
{
    if (songLoaded_)
        playlist_.pendingIndex = 0;
}

void PlaybackController::last()
{
    if (songLoaded_)
        playlist_.pendingIndex = playlist_.entryCount() - 1;
}

void PlaybackController::AutomaticAdvance()
{
    if (cdMode())
        return;
    // A request for a position that names no entry is dropped; what plays
    // goes on.
    if (const int pending = std::exchange(playlist_.pendingIndex, NoPosition); playlist_.entryAt(pending)) {
        if (songLoaded_)
            player_.Stop();
        endOfSong_ = false;
        advanceCountdown_ = 0;
        playlist_.playedMarks.mark(pending);
        playEntry(pending);
    }
    if (endOfSong_) {
        advanceCountdown_ = 4;
        endOfSong_ = false;
    }
    if (advanceCountdown_ == 1) {
        const int count = playlist_.entryCount();
        const int current = playlist_.currentIndex();
        if (count == 1 && repeat_) {
            player_.Stop();
            StartPlayback();
        } else if (count >= 2 && shuffle_) {
            playEntry(playlist_.playedMarks.pick(count, random_));
        } else if (count >= 2 && current + 1 < count) {
            playlist_.playedMarks.mark(current + 1);
            playEntry(current + 1);
        } else if (count >= 2 && repeat_) {
            playlist_.playedMarks.clear();
            playlist_.playedMarks.mark(0);
            playEntry(0);
        }
    }
    if (advanceCountdown_ > 0)
        --advanceCountdown_;
}

// ---- titles and notifications ----

void PlaybackController::updateTitle()
{
    if (!songLoaded_) {
        songView().showTitle(titleText_);
        return;
    }
    // An address is shown whole; a file without its folder and extension.
    QString name = currentFile_;
    if (!PlaylistModel::isNetworkEntry(name)) {
        name = name.section('/', -1);
        name.chop(4);
    }
    if (name.size() > 1 && name[0] >= QLatin1Char('a') && name[0] <= QLatin1Char('z'))
        name[0] = name[0].toUpper();
    titleText_ = name;
    if (!songTag_.displayTitle.isEmpty())
        titleText_ = songTag_.displayTitle;
    if (!streamTitle_.isEmpty())
        titleText_ = streamTitle_;
    songView().showTitle(titleText_);
    songView().showScrollingTitle(scrollingTitle());
}

// The title and the duration; a tag's or a station's title stands alone
// until the duration is known.
QString PlaybackController::scrollingTitle() const
{
    const bool tagged = !songTag_.displayTitle.isEmpty() || !streamTitle_.isEmpty();
    return tagged && durationSeconds_ <= 0 ? titleText_ : titleText_ + ' ' + durationText_;
}

void PlaybackController::showTimes()
{
    const int position = static_cast<int>(positionSeconds_);
    const QString time = timeElapsed_ ? minutesSeconds(position)
                                     : '-' + minutesSeconds(std::max(0, static_cast<int>(durationSeconds_) - position));
    songView().showTime(time);
    songView().showPosition(durationSeconds_ > 0 ? std::clamp(positionSeconds_ / durationSeconds_, 0.0, 1.0) : 0.0);
    if (showTimeInTitle_)
        songView().setApplicationTitle(minutesSeconds(position) + " - " + titleText_);
}

void PlaybackController::rebuildSizeText()
{
    const PlaylistEntry *entry = playlist_.entryAt(songEntry());
    const QString size = entry ? (*entry)[PlaylistEntry::Size] : QStringLiteral("0");
    information_.size = QString::number(static_cast<int>(durationSeconds_)) + " seconds / " + size + "Kb";
}

void PlaybackController::PlayerNotifyAck(uint8_t command)
{
    if (command == SK_INPUT_OPEN && opensInFlight_ > 0)
        --opensInFlight_;
}

// Where its title would be, the song says it cannot be opened, and the list
// marks it. Its Play then ends at once, and playback goes on with the next
// entry as after a song's end, until every entry in a row has failed.
// Streams say why themselves.
void PlaybackController::SongCannotBeOpened()
{
    if (cdMode() || PlaylistModel::isNetworkEntry(currentFile_))
        return;
    playlist_.setUnopenable(songEntry(), true);
    titleText_ = cannotOpenText_ + QStringLiteral(": ") + currentFile_.section('/', -1);
    songView().showTitle(titleText_);
    songView().showScrollingTitle(titleText_);
    ++failedInARow_;
}

// While an open is on its way, the end of the song it replaces, its time
// and its length are old news: acting on them would skip the new song.
void PlaybackController::PlayerNotifyPlayerState(int state)
{
    const int before = playerState_;
    // The song stopped by the CD switch reports it while the disc is shown.
    PlaybackView &view = songView();
    switch (state) {
    case 0:
        playerState_ = 0;
        view.showTime(zeroTime);
        view.showPosition(0);
        view.showPlayState(0);
        break;
    case 1:
    case 2:
        playerState_ = state;
        view.showPlayState(state);
        break;
    case 3:
        if (opensInFlight_ > 0)
            return;
        playerState_ = 0;
        view.setApplicationTitle(applicationTitle);
        view.showPlayState(0);
        player_.InputSeek(0, 0);
        // A list whose every entry failed in a row does not go round again.
        endOfSong_ = failedInARow_ == 0 || failedInARow_ < playlist_.entryCount();
        emit songEnded();
        break;
    default:
        return;
    }
    if (playerState_ != before)
        emit stateChanged(playerState_);
}

void PlaybackController::PlayerNotifyInputDuration(int32_t seconds)
{
    if (opensInFlight_ > 0)
        return;
    durationSeconds_ = seconds;
    durationText_ = '(' + minutesSeconds(seconds) + ')';
    playlist_.setColumn(songEntry(), PlaylistEntry::Time, minutesSeconds(seconds));
    songView().showDuration(durationText_);
    songView().showScrollingTitle(scrollingTitle());
    rebuildSizeText();
    emit durationChanged(durationSeconds_);
}

void PlaybackController::PlayerNotifyInputTimecode(int hours, int minutes, int seconds)
{
    if (opensInFlight_ > 0)
        return;
    positionSeconds_ = hours * 3600 + minutes * 60 + seconds;
    showTimes();
    emit positionChanged(positionSeconds_);
}

void PlaybackController::PlayerNotifyInputStreamInfo(int level, int layer, int bitrate, int frequency, int mode)
{
    static const char *const modes[] = {"Stereo", "Joint Stereo", "Dual Channel", "Single Channel"};
    information_.mpeg = "MPEG " + (level == 25 ? QStringLiteral("2.5") : QString::number(level));
    information_.layer = "Layer " + QString::number(layer);
    information_.bitrate = QString::number(bitrate) + " kbps";
    information_.frequency = QString::number(frequency) + " Hz";
    information_.channelMode = mode >= 0 && mode <= 3 ? modes[mode] : "";
    channelText_ = mode == 3 ? QStringLiteral("Mono") : QStringLiteral("Stereo");
    songView().showChannelMode(channelText_);
    songView().showStreamNumbers(bitrate, frequency);
    emit informationChanged();
}

NowPlaying PlaybackController::nowPlaying() const
{
    NowPlaying now;
    if (!songLoaded_)
        return now;
    now.location = currentFile_;
    now.number = playlist_.currentIndex();
    if (PlaylistModel::isNetworkEntry(currentFile_))
        now.title = streamTitle_.isEmpty() ? currentFile_ : streamTitle_;
    else
        now.title = songTag_.present && !songTag_.title.isEmpty() ? songTag_.title
                                                                   : QFileInfo(currentFile_).completeBaseName();
    if (songTag_.present && !songTag_.artist.isEmpty())
        now.artists = QStringList{songTag_.artist};
    if (songTag_.present)
        now.album = songTag_.album;
    now.lengthSeconds = durationSeconds_;
    return now;
}
