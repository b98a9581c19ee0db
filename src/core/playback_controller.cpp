#include "playback_controller.h"

#include "playlist/playlist_file.h"
#include "playlist/song_tag.h"

#include <QFileInfo>

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
                                       platform::Dialogs &dialogs)
    : player_(player), playlist_(playlist), view_(view), dialogs_(dialogs),
      random_(static_cast<unsigned>(std::chrono::steady_clock::now().time_since_epoch().count()))
{
    bindPlayerEvents();
}

void PlaybackController::bindPlayerEvents()
{
    player_.OnNotifyPlayerState = [this](TSonarkPlayer *, int state) { onPlayerState(state); };
    player_.OnNotifyInputDuration = [this](TSonarkPlayer *, int32_t seconds) { onDuration(seconds); };
    player_.OnNotifyInputTimecode = [this](TSonarkPlayer *, uint8_t h, uint8_t m, uint8_t s, uint8_t) {
        onTimecode(h, m, s);
    };
    player_.OnNotifyInputStreamInfo = [this](TSonarkPlayer *, uint8_t level, uint8_t layer, uint16_t bitrate,
                                             uint16_t frequency, uint8_t mode) {
        onStreamInfo(level, layer, bitrate, frequency, mode);
    };
    player_.OnNotifyNack = [](TSonarkPlayer *, uint8_t, int16_t) {};
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
    endOfSong = false;
    advanceCountdown = 0;
    if (songLoaded) {
        player_.Stop();
        resetDisplays();
    }
    const int count = playlist_.entryCount();
    int index = shuffle && count > 0 ? std::uniform_int_distribution<int>(0, count - 1)(random_) : 0;
    if (startIndex != NoPosition) {
        index = playlist_.entryAt(startIndex) ? startIndex : 0;
        startIndex = NoPosition;
    }
    playlist_.playedMarks.clear();
    playlist_.playedMarks.mark(index);
    if (!openEntry(index))
        unload();
}

void PlaybackController::resetDisplays()
{
    titleText_ = noTitle;
    displayTitle.clear();
    durationText_ = QStringLiteral("(0:00)");
    view_.showTitle(noTitle);
    view_.showScrollingTitle(noTitle);
    view_.showTime(zeroTime);
    view_.showDuration(durationText_);
    view_.showPosition(0);
}

// The one way from a playlist position to an opened song: a position that
// names no entry means nothing to play.
bool PlaybackController::openEntry(int index)
{
    if (!playlist_.entryAt(index))
        return false;
    playlist_.currentIndex = index;
    const QString path = playlist_.entryPath(index);
    player_.InputOpen(path);
    currentFile = path;
    songLoaded = true;
    durationSeconds = positionSeconds = 0;
    readSongTag();
    updateTitle();
    view_.refreshPlaylist();
    if (songOpened)
        songOpened();
    return true;
}

// Nothing to play: the engine lets go of the old song, so neither Play nor
// the displays can reach it any more.
void PlaybackController::unload()
{
    if (songLoaded)
        player_.InputClose();
    songLoaded = false;
    currentFile.clear();
    resetDisplays();
    durationSeconds = positionSeconds = 0;
    playlist_.currentIndex = 0;
    view_.refreshPlaylist();
}

// The current position holds the loaded song, unless the list changed
// under it; then the song's facts belong to no entry.
int PlaybackController::songEntry() const
{
    return songLoaded && playlist_.entryPath(playlist_.currentIndex) == currentFile ? playlist_.currentIndex : -1;
}

// A file that cannot be read counts as untagged.
void PlaybackController::readSongTag()
{
    const std::optional<Id3Tag> tag = id3::readTag(currentFile);
    displayTitle = songTag(tag).displayTitle;
    showTagColumns(playlist_, songEntry(), tag);
}

void PlaybackController::TagChanged(const QString &path)
{
    if (!songLoaded || path != currentFile)
        return;
    readSongTag();
    updateTitle();
    view_.refreshPlaylist();
}

void PlaybackController::playEntry(int index)
{
    if (openEntry(index))
        StartPlayback();
}

void PlaybackController::StartPlayback()
{
    if (songLoaded)
        player_.Play();
    view_.focusPlaylistEntry(playlist_.currentIndex);
    player_.SetPlayerEnvironmentInteger(pitchName, pitch);
    pitchPending = 1;
}

void PlaybackController::OpenDialog()
{
    const QString name = dialogs_.openFileName(QStringLiteral("Open"), songDir,
                                               QStringLiteral("MPEG Audio and Playlists (*.mp1 *.mp2 *.mp3 *.MP1 "
                                                              "*.MP2 *.MP3 *.m3u *.m3u8 *.pls *.dmp);;All Files (*)"));
    if (name.isEmpty())
        return;
    songDir = QFileInfo(name).path() + '/';
    OpenFile(name);
    if (fileChosen)
        fileChosen(name);
    if (songLoaded)
        StartPlayback();
    pitchPending = 1;
}

void PlaybackController::OpenAddress(const QString &address)
{
    if (address.isEmpty())
        return;
    endOfSong = false;
    advanceCountdown = 0;
    playlist_.clearEntries();
    playlist_.addNetworkEntry(address);
    playlist_.renumberEntries();
    playlist_.currentIndex = 0;
    displayTitle.clear();
    player_.InputOpen(address);
    currentFile = address;
    songLoaded = true;
    updateTitle();
    StartPlayback();
    if (songOpened)
        songOpened();
}

// ---- transport ----

void PlaybackController::PlayCommand()
{
    if (!songLoaded) {
        OpenDialog();
        return;
    }
    endOfSong = false;
    advanceCountdown = 0;
    playlist_.pendingIndex = NoPosition;
    if (playerState == 1) {
        player_.Pause();
    } else if (playerState == 2) {
        StartPlayback();
    } else {
        player_.Stop();
        StartPlayback();
    }
}

void PlaybackController::PauseCommand()
{
    if (!songLoaded)
        return;
    if (playerState == 2)
        StartPlayback();
    else
        player_.Pause();
}

void PlaybackController::StopCommand()
{
    view_.setApplicationTitle(applicationTitle);
    if (!songLoaded)
        return;
    advanceCountdown = 0;
    player_.Stop();
    player_.InputSeek(0, 0);
}

void PlaybackController::NextSong()
{
    const int count = playlist_.entryCount();
    if (!((songLoaded && count > playlist_.currentIndex + 1) || (shuffle && count > 0)))
        return;
    endOfSong = false;
    advanceCountdown = 0;
    player_.Stop();
    playEntry(shuffle ? playlist_.playedMarks.pick(count, random_) : playlist_.currentIndex + 1);
}

void PlaybackController::PreviousSong()
{
    if (shuffle) {
        NextSong();
        return;
    }
    if (!songLoaded || !playlist_.entryAt(playlist_.currentIndex - 1))
        return;
    endOfSong = false;
    advanceCountdown = 0;
    player_.Stop();
    playEntry(playlist_.currentIndex - 1);
}

void PlaybackController::SeekForward()
{
    if (playerState != 1 || positionSeconds + 10 >= durationSeconds)
        return;
    positionSeconds = std::round(positionSeconds) + 10;
    showTimes();
    player_.InputSeek(static_cast<int32_t>(positionSeconds), static_cast<int32_t>(std::lround(durationSeconds)));
}

void PlaybackController::SeekBack()
{
    if (playerState != 1 || positionSeconds - 10 <= 0)
        return;
    positionSeconds = std::round(positionSeconds) - 10;
    showTimes();
    player_.InputSeek(static_cast<int32_t>(positionSeconds), static_cast<int32_t>(std::lround(durationSeconds)));
}

void PlaybackController::RefreshTitle()
{
    updateTitle();
}

void PlaybackController::KnobDragged(int offset, int width)
{
    if (width <= 0)
        return;
    const long t = std::lround(durationSeconds) * offset / width;
    view_.showTitle(QStringLiteral("Position %1:%2").arg(t / 60).arg(t % 60, 2, 10, QLatin1Char('0')));
}

void PlaybackController::SeekToKnob(int offset, int width)
{
    if (songLoaded && width > 0)
        player_.InputSeek(offset, width);
    updateTitle();
}

void PlaybackController::ToggleRepeat()
{
    repeat = !repeat;
    view_.showRepeat(repeat);
}

void PlaybackController::ToggleShuffle()
{
    shuffle = !shuffle;
    view_.showShuffle(shuffle);
}

void PlaybackController::RandomSongCommand()
{
    playlist_.playedMarks.clear();
    ToggleShuffle();
}

void PlaybackController::SetTimeElapsed(bool elapsed)
{
    timeElapsed = elapsed;
    showTimes();
}

void PlaybackController::ToggleAlwaysOnTop()
{
    alwaysOnTop = !alwaysOnTop;
    view_.setStayOnTop(alwaysOnTop);
}

void PlaybackController::ExitCommand()
{
    if (songLoaded)
        player_.Stop();
    view_.closeMainWindow();
}

void PlaybackController::AutomaticAdvance()
{
    // A request for a position that names no entry is dropped; what plays
    // goes on.
    if (const int pending = std::exchange(playlist_.pendingIndex, NoPosition); playlist_.entryAt(pending)) {
        if (songLoaded)
            player_.Stop();
        endOfSong = false;
        advanceCountdown = 0;
        playlist_.playedMarks.mark(pending);
        playEntry(pending);
    }
    if (endOfSong) {
        advanceCountdown = 4;
        endOfSong = false;
    }
    if (advanceCountdown == 1) {
        const int count = playlist_.entryCount();
        const int current = playlist_.currentIndex;
        if (count == 1 && repeat) {
            player_.Stop();
            StartPlayback();
        } else if (count >= 2 && shuffle) {
            playEntry(playlist_.playedMarks.pick(count, random_));
        } else if (count >= 2 && current + 1 < count) {
            playlist_.playedMarks.mark(current + 1);
            playEntry(current + 1);
        } else if (count >= 2 && repeat) {
            playlist_.playedMarks.clear();
            playlist_.playedMarks.mark(0);
            playEntry(0);
        }
    }
    if (advanceCountdown > 0)
        --advanceCountdown;
}

// ---- titles and notifications ----

void PlaybackController::updateTitle()
{
    if (!songLoaded) {
        view_.showTitle(titleText_);
        return;
    }
    // An address is shown whole; a file without its folder and extension.
    QString name = currentFile;
    if (!PlaylistModel::isNetworkEntry(name)) {
        name = name.section('/', -1);
        name.chop(4);
    }
    if (name.size() > 1 && name[0] >= QLatin1Char('a') && name[0] <= QLatin1Char('z'))
        name[0] = name[0].toUpper();
    titleText_ = name;
    if (!displayTitle.isEmpty() && !cdMode)
        titleText_ = displayTitle;
    view_.showTitle(titleText_);
    view_.showScrollingTitle(scrollingTitle());
}

// The title and the duration; a tag's title stands alone until the
// duration is known.
QString PlaybackController::scrollingTitle() const
{
    const bool tagged = !displayTitle.isEmpty() && !cdMode;
    return tagged && durationSeconds <= 0 ? titleText_ : titleText_ + ' ' + durationText_;
}

void PlaybackController::showTimes()
{
    const int position = static_cast<int>(positionSeconds);
    const QString time = timeElapsed ? minutesSeconds(position)
                                     : '-' + minutesSeconds(std::max(0, static_cast<int>(durationSeconds) - position));
    view_.showTime(time);
    view_.showPosition(durationSeconds > 0 ? std::clamp(positionSeconds / durationSeconds, 0.0, 1.0) : 0.0);
    if (showTimeInTitle)
        view_.setApplicationTitle(minutesSeconds(position) + " - " + titleText_);
}

void PlaybackController::rebuildSizeText()
{
    const PlaylistEntry *entry = playlist_.entryAt(songEntry());
    const QString size = entry ? (*entry)[PlaylistEntry::Size] : QStringLiteral("0");
    sizeText = QString::number(static_cast<int>(durationSeconds)) + " seconds / " + size + "Kb";
}

void PlaybackController::onPlayerState(int state)
{
    switch (state) {
    case 0:
        playerState = 0;
        view_.showTime(zeroTime);
        view_.showPosition(0);
        view_.showPlayState(0);
        break;
    case 1:
    case 2:
        playerState = state;
        view_.showPlayState(state);
        break;
    case 3:
        playerState = 0;
        view_.setApplicationTitle(applicationTitle);
        view_.showPlayState(0);
        player_.InputSeek(0, 0);
        endOfSong = true;
        break;
    default:
        break;
    }
}

void PlaybackController::onDuration(int32_t seconds)
{
    durationSeconds = seconds;
    durationText_ = '(' + minutesSeconds(seconds) + ')';
    view_.showDuration(durationText_);
    playlist_.setColumn(songEntry(), PlaylistEntry::Time, minutesSeconds(seconds));
    view_.showScrollingTitle(scrollingTitle());
    rebuildSizeText();
    view_.refreshPlaylist();
}

void PlaybackController::onTimecode(int hours, int minutes, int seconds)
{
    positionSeconds = hours * 3600 + minutes * 60 + seconds;
    showTimes();
}

void PlaybackController::onStreamInfo(int level, int layer, int bitrate, int frequency, int mode)
{
    static const char *const modes[] = {"Stereo", "Joint Stereo", "Dual Channel", "Single Channel"};
    mpegText = "MPEG " + (level == 25 ? QStringLiteral("2.5") : QString::number(level));
    layerText = "Layer " + QString::number(layer);
    bitrateText = QString::number(bitrate) + " kbps";
    frequencyText = QString::number(frequency) + " Hz";
    channelModeText = mode >= 0 && mode <= 3 ? modes[mode] : "";
    view_.showChannelMode(mode == 3 ? QStringLiteral("Mono") : QStringLiteral("Stereo"));
    informationChanged = true;
}
