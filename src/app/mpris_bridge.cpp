#include "mpris_bridge.h"

#include <QFileInfo>

#include <algorithm>
#include <climits>
#include <cmath>

MprisBridge::MprisBridge(PlaybackController &controller, VolumeControl &volume, RemoteControl &remote,
                         PlaylistModel &playlist, cd::CdController &cd, std::function<void()> raise)
    : controller_(controller), volume_(volume), remote_(remote), raise_(std::move(raise)),
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
    QObject::connect(&cd, &cd::CdController::lineSelected, s, sync);
    QObject::connect(&cd, &cd::CdController::titleChanged, s, sync);
}

shell::MediaTrack MprisBridge::track() const
{
    const NowPlaying now = controller_.transport().nowPlaying();
    shell::MediaTrack t;
    if (now.location.isEmpty())
        return t;
    t.location = now.location;
    t.number = now.number;
    t.title = now.title;
    t.artists = now.artists;
    t.album = now.album;
    t.lengthUs = std::llround(now.lengthSeconds * 1e6);
    return t;
}

shell::MediaState MprisBridge::state() const
{
    using Status = shell::MediaState::Status;
    const Transport &transport = controller_.transport();
    shell::MediaState s;
    const int playerState = transport.state();
    s.status = playerState == 1 ? Status::Playing : playerState == 2 ? Status::Paused : Status::Stopped;
    s.repeat = controller_.repeat();
    s.shuffle = controller_.shuffle();
    s.volume = volume_.volume() / 100.0;
    s.track = track();
    s.canPlay = transport.canPlay();
    s.canGoNext = transport.canGoNext();
    s.canGoPrevious = transport.canGoPrevious();
    s.canSeek = transport.canSeek();
    return s;
}

qint64 MprisBridge::positionUs() const
{
    return std::llround(controller_.transport().positionSeconds() * 1e6);
}

void MprisBridge::execute(const char *command, int argument)
{
    remote_.execute(command, argument);
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
    if (lengthMs <= 0 || lengthMs > INT_MAX || remote_.ignored())
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
    if (remote_.ignored())
        return;
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

void MprisBridge::quit()
{
    if (!remote_.ignored())
        controller_.ExitCommand();
}
