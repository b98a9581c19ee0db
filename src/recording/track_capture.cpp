#include "recording/track_capture.h"

#include "cd/cd_device.h"

#include <algorithm>

namespace recording {

TrackCapture::TrackCapture(cd::CdDevice &device, const cd::CdTrack &track, QObject *parent)
    : QObject(parent), device_(device), track_(track)
{
    timer_.setInterval(200);
    connect(&timer_, &QTimer::timeout, this, &TrackCapture::tick);
}

TrackCapture::~TrackCapture()
{
    if (timer_.isActive())
        device_.stop();
    if (recorder_.running())
        recorder_.stop();
    if (openedHere_)
        device_.close();
}

bool TrackCapture::start(const QString &wavPath, QString &error)
{
    if (!device_.isOpen()) {
        if (!device_.open()) {
            error = QStringLiteral("The CD-Player is currently Busy");
            return false;
        }
        openedHere_ = true;
    }
    recorder_.setTrigger(false, 0);
    if (!recorder_.start(wavPath)) {
        error = recorder_.error();
        return false;
    }
    device_.playFrom(device_.trackPosition(track_.number));
    clock_.start();
    timer_.start();
    return true;
}

// The absolute frame the device plays, from either time format.
long TrackCapture::playedFrame() const
{
    const uint32_t at = device_.position();
    if (device_.timeFormat() == cd::CdDevice::TimeFormat::Msf)
        return static_cast<long>(cd::framesFromMsf(at));
    const int track = cd::tmsfTrack(at);
    if (track != track_.number)
        return track > track_.number ? track_.endFrame() : track_.startFrame;
    return track_.startFrame +
           (cd::tmsfMinutes(at) * 60L + cd::tmsfSeconds(at)) * cd::framesPerSecond + cd::tmsfFrames(at);
}

void TrackCapture::tick()
{
    const bool playing = device_.mode() == cd::CdDevice::Mode::Playing;
    seenPlaying_ = seenPlaying_ || playing;
    const long frame = playedFrame();
    played_ = std::clamp(frame - track_.startFrame, 0L, track_.lengthFrames);
    const qint64 limitMs = (track_.lengthFrames / cd::framesPerSecond + 5) * 1000;
    const bool over = frame >= track_.endFrame() || (seenPlaying_ && !playing) || clock_.elapsed() > limitMs ||
                      recorder_.failed();
    emit progressed();
    if (!over)
        return;
    timer_.stop();
    device_.stop();
    const bool ok = recorder_.stop();
    emit done(ok, ok ? QString() : recorder_.error());
}

}  // namespace recording
