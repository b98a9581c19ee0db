#include "cd_device.h"

#include "device_channel.h"
#include "extraction_thread.h"

#include <algorithm>
#include <initializer_list>
#include <optional>

namespace cd {
namespace {

using Kind = DeviceCommand::Kind;
using Mode = CdDevice::Mode;

// Changes the state as the thread will once it has the command, so queries
// agree with the command at once, and queues the command.
template <typename Change>
bool command(DeviceChannel &channel, Change change)
{
    std::optional<DeviceCommand> queued;
    {
        std::lock_guard lock(channel.mutex);
        queued = change(channel.state);
        if (queued)
            channel.commands.push_back(*queued);
    }
    if (queued)
        channel.wake.notify_one();
    return queued.has_value();
}

// A disc in one of the modes `from` goes to mode `to`.
bool transition(DeviceChannel &channel, std::initializer_list<Mode> from, Mode to, Kind kind)
{
    return command(channel, [&](DeviceState &state) -> std::optional<DeviceCommand> {
        if (std::find(from.begin(), from.end(), state.mode) == from.end())
            return {};
        state.mode = to;
        return DeviceCommand{kind};
    });
}

const CdTrack *trackOf(const TableOfContents &toc, int track)
{
    return track >= 1 && track <= static_cast<int>(toc.tracks.size()) ? &toc.tracks[static_cast<std::size_t>(track - 1)]
                                                                      : nullptr;
}

}  // namespace

CdDevice::CdDevice(QString device, QObject *parent)
    : QObject(parent), device_(std::move(device)), channel_(std::make_unique<DeviceChannel>())
{
}

CdDevice::~CdDevice()
{
    close();
}

QString CdDevice::deviceName() const
{
    return resolved_.isEmpty() ? device_ : resolved_;
}

bool CdDevice::open()
{
    if (thread_)
        return true;
    const DiscSource source = resolveDiscSource(device_);
    resolved_ = source.name;
    thread_ = ExtractionThread::start(
        source, *channel_, [this] { QMetaObject::invokeMethod(this, &CdDevice::notifyMode, Qt::QueuedConnection); });
    notifyMode();
    return thread_ != nullptr;
}

void CdDevice::close()
{
    if (!thread_)
        return;
    thread_.reset();
    {
        std::lock_guard lock(channel_->mutex);
        channel_->state = {};
    }
    notifyMode();
}

bool CdDevice::isOpen() const
{
    return thread_ != nullptr;
}

void CdDevice::setTimeFormat(TimeFormat format)
{
    format_ = format;
}

CdDevice::TimeFormat CdDevice::timeFormat() const
{
    return format_;
}

void CdDevice::play()
{
    const bool sent = command(*channel_, [](DeviceState &state) -> std::optional<DeviceCommand> {
        if (state.mode == Mode::Paused) {
            state.mode = Mode::Playing;
            return DeviceCommand{Kind::Resume};
        }
        if (state.mode != Mode::Stopped || !state.toc.hasAudio())
            return {};
        const long start = state.toc.tracks.front().startFrame;
        if (state.frame >= state.toc.audioEndFrame() || state.frame < start)
            state.frame = start;
        state.mode = Mode::Playing;
        return DeviceCommand{Kind::Play, state.frame};
    });
    if (sent)
        notifyMode();
}

void CdDevice::playFrom(uint32_t position)
{
    seek(position);
    play();
}

void CdDevice::pause()
{
    if (transition(*channel_, {Mode::Playing}, Mode::Paused, Kind::Pause))
        notifyMode();
}

void CdDevice::stop()
{
    if (transition(*channel_, {Mode::Playing, Mode::Paused}, Mode::Stopped, Kind::Stop))
        notifyMode();
}

void CdDevice::seekToStart()
{
    std::optional<long> start;
    {
        std::lock_guard lock(channel_->mutex);
        if (!channel_->state.toc.empty())
            start = channel_->state.toc.tracks.front().startFrame;
    }
    if (start)
        seekFrame(*start);
}

void CdDevice::seek(uint32_t position)
{
    long frame = -1;
    {
        std::lock_guard lock(channel_->mutex);
        frame = frameOf(position);
    }
    seekFrame(frame);
}

// Seeking stops a playing or paused disc, as a drive does.
void CdDevice::seekFrame(long frame)
{
    const bool sent = command(*channel_, [frame](DeviceState &state) -> std::optional<DeviceCommand> {
        if (frame < 0 || state.mode == Mode::Open || state.mode == Mode::NotReady)
            return {};
        state.mode = Mode::Stopped;
        state.frame = frame;
        return DeviceCommand{Kind::Seek, frame};
    });
    if (sent)
        notifyMode();
}

void CdDevice::eject()
{
    const bool sent = command(*channel_, [](DeviceState &state) -> std::optional<DeviceCommand> {
        if (state.mode == Mode::NotReady)
            return {};
        state = {Mode::Open, {}, 0};
        return DeviceCommand{Kind::Eject};
    });
    if (sent)
        notifyMode();
}

CdDevice::Mode CdDevice::mode() const
{
    std::lock_guard lock(channel_->mutex);
    return channel_->state.mode;
}

int CdDevice::trackCount() const
{
    std::lock_guard lock(channel_->mutex);
    return static_cast<int>(channel_->state.toc.tracks.size());
}

uint32_t CdDevice::position() const
{
    std::lock_guard lock(channel_->mutex);
    const DeviceState &state = channel_->state;
    if (format_ == TimeFormat::Msf)
        return msfFromFrames(state.frame);
    const CdTrack *track = trackOf(state.toc, state.toc.trackAt(state.frame));
    if (!track)
        return 0;
    const uint32_t offset = msfFromFrames(state.frame - track->startFrame);
    return packTmsf(track->number, msfMinutes(offset), msfSeconds(offset), msfFrames(offset));
}

uint32_t CdDevice::trackPosition(int track) const
{
    std::lock_guard lock(channel_->mutex);
    const CdTrack *found = trackOf(channel_->state.toc, track);
    if (!found)
        return 0;
    return format_ == TimeFormat::Tmsf ? packTmsf(track, 0, 0, 0) : msfFromFrames(found->startFrame);
}

uint32_t CdDevice::trackLength(int track) const
{
    std::lock_guard lock(channel_->mutex);
    const CdTrack *found = trackOf(channel_->state.toc, track);
    return found ? msfFromFrames(found->lengthFrames) : 0;
}

TableOfContents CdDevice::tableOfContents() const
{
    std::lock_guard lock(channel_->mutex);
    return channel_->state.toc;
}

long CdDevice::frameOf(uint32_t position) const
{
    const TableOfContents &toc = channel_->state.toc;
    if (toc.empty())
        return -1;
    long frame = 0;
    if (format_ == TimeFormat::Msf) {
        frame = static_cast<long>(framesFromMsf(position));
    } else {
        const CdTrack *track = trackOf(toc, tmsfTrack(position));
        if (!track)
            return -1;
        frame = track->startFrame + (tmsfMinutes(position) * 60L + tmsfSeconds(position)) * framesPerSecond +
                tmsfFrames(position);
    }
    return frame >= toc.tracks.front().startFrame && frame <= toc.leadoutFrame ? frame : -1;
}

void CdDevice::notifyMode()
{
    const Mode now = mode();
    if (now == lastNotified_)
        return;
    lastNotified_ = now;
    emit modeChanged(now);
}

}  // namespace cd
