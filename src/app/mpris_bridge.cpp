#include "mpris_bridge.h"

#include <QFileInfo>

#include <algorithm>
#include <climits>
#include <cmath>

MprisBridge::MprisBridge(PlaybackController &controller, VolumeControl &volume, RemoteControl &remote,
                         PlaylistModel &playlist, cd::CdController &cd, std::function<void()> raise)
    : controller_(controller), volume_(volume), remote_(remote), playlist_(playlist), cd_(cd), raise_(std::move(raise)),
      service_(shell::MprisService::start(*this))
{
    if (!service_)
        return;
    shell::MprisService *s = service_.get();
    const auto sync = [s] { s->sync(); };
    QObject::connect(&controller, &PlaybackController::songChanged, s, sync);
    QObject::connect(&controller, &PlaybackController::stateChanged, s, sync);
    QObject::connect(&controller, &PlaybackController::durationChanged, s, sync);
    QObject::connect(&controller, &PlaybackController::repeatChanged, s, sync);
    QObject::connect(&controller, &PlaybackController::shuffleChanged, s, sync);
    QObject::connect(&controller, &PlaybackController::songTagChanged, s, sync);
    QObject::connect(&controller, &PlaybackController::streamTitleChanged, s, sync);
    QObject::connect(&playlist, &PlaylistModel::changed, s, sync);
    QObject::connect(&volume, &VolumeControl::volumeChanged, s, sync);
    QObject::connect(&cd, &cd::CdController::cdModeChanged, s, sync);
    QObject::connect(&cd, &cd::CdController::playStateChanged, s, sync);
    QObject::connect(&cd, &cd::CdController::namesChanged, s, sync);
    QObject::connect(&cd, &cd::CdController::lineSelected, s, [this, s](int index) {
        cdTrack_ = index;
        s->sync();
    });
    QObject::connect(&cd, &cd::CdController::titleChanged, s, sync);
    QObject::connect(&cd, &cd::CdController::positionChanged, s, [this](double fraction) { cdFraction_ = fraction; });
}

shell::MediaTrack MprisBridge::track() const
{
    shell::MediaTrack t;
    if (controller_.cdMode()) {
        if (cd_.trackCount() <= 0 || cdTrack_ < 0)
            return t;
        const cd::DiscNames &names = cd_.names();
        t.location = QStringLiteral("cdda://%1").arg(cdTrack_ + 1);
        t.number = cdTrack_;
        t.title = names.tracks.value(cdTrack_);
        if (!names.artist.isEmpty())
            t.artists = QStringList{names.artist};
        t.album = names.title;
        t.lengthUs = qint64(cd_.trackLengthSeconds()) * 1000000;
        return t;
    }
    if (!controller_.songLoaded())
        return t;
    const QString &file = controller_.currentFile();
    const SongTag &tag = controller_.songTag();
    t.location = file;
    t.number = playlist_.currentIndex();
    if (PlaylistModel::isNetworkEntry(file))
        t.title = controller_.streamTitle().isEmpty() ? file : controller_.streamTitle();
    else
        t.title = tag.present && !tag.title.isEmpty() ? tag.title : QFileInfo(file).completeBaseName();
    if (tag.present && !tag.artist.isEmpty())
        t.artists = QStringList{tag.artist};
    if (tag.present)
        t.album = tag.album;
    t.lengthUs = std::llround(controller_.durationSeconds() * 1e6);
    return t;
}

shell::MediaState MprisBridge::state() const
{
    using Status = shell::MediaState::Status;
    shell::MediaState s;
    const int playerState = controller_.playerState();
    s.status = playerState == 1 ? Status::Playing : playerState == 2 ? Status::Paused : Status::Stopped;
    s.repeat = controller_.repeat();
    s.shuffle = controller_.shuffle();
    s.volume = volume_.volume() / 100.0;
    s.track = track();
    const int count = playlist_.entryCount();
    const int current = playlist_.currentIndex();
    if (controller_.cdMode()) {
        s.canPlay = s.canGoNext = s.canGoPrevious = cd_.trackCount() > 0;
        s.canSeek = playerState != 0 && s.track.lengthUs > 0;
    } else {
        // As NextSong and PreviousSong decide.
        const bool loaded = controller_.songLoaded();
        s.canPlay = loaded;
        s.canGoNext = (loaded && count > current + 1) || (s.shuffle && count > 0);
        s.canGoPrevious = s.shuffle ? s.canGoNext : loaded && current > 0 && current < count;
        s.canSeek = loaded && s.track.lengthUs > 0;
    }
    return s;
}

qint64 MprisBridge::positionUs() const
{
    if (controller_.cdMode())
        return std::llround(cdFraction_ * cd_.trackLengthSeconds() * 1e6);
    return std::llround(controller_.positionSeconds() * 1e6);
}

void MprisBridge::execute(const char *command, int argument)
{
    remote_.execute(findRemoteCommand(QLatin1String(command))->number, argument);
}

// The play command pauses what plays; the pause command resumes what is paused.
void MprisBridge::play()
{
    if (state().canPlay && controller_.playerState() != 1)
        execute("play");
}

void MprisBridge::pause()
{
    if (controller_.playerState() == 1)
        execute("pause");
}

void MprisBridge::playPause()
{
    if (state().canPlay)
        execute("play");
}

void MprisBridge::stop()
{
    execute("stop");
}

void MprisBridge::next()
{
    execute("next");
}

void MprisBridge::previous()
{
    execute("previous");
}

// The knob's arithmetic in milliseconds of the track.
void MprisBridge::seekTo(qint64 us)
{
    const shell::MediaState s = state();
    const qint64 lengthMs = s.track.lengthUs / 1000;
    if (lengthMs <= 0 || lengthMs > INT_MAX)
        return;
    controller_.SeekToKnob(static_cast<int>(std::clamp<qint64>(us / 1000, 0, lengthMs)), static_cast<int>(lengthMs));
}

void MprisBridge::setVolume(double volume)
{
    execute("volume", static_cast<int>(std::lround(volume * 100)));
}

void MprisBridge::setRepeat(bool on)
{
    if (on != controller_.repeat())
        execute("repeat");
}

void MprisBridge::setShuffle(bool on)
{
    if (on != controller_.shuffle())
        execute("shuffle");
}

void MprisBridge::open(const QString &location)
{
    if (PlaylistModel::isNetworkEntry(location)) {
        controller_.OpenAddress(location);
        return;
    }
    if (!QFileInfo(location).isFile())
        return;
    controller_.OpenFile(location);
    if (controller_.songLoaded())
        controller_.StartPlayback();
}
