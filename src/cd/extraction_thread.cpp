#include "extraction_thread.h"

#include <algorithm>
#include <optional>

#include <pthread.h>

namespace cd {
namespace {

using namespace std::chrono_literals;

constexpr long framesPerSector = samplesPerSector / 2;
constexpr long sectorsPerSlice = 4;  // 53 ms
constexpr long msfOffset = 150;      // LSN 0 is MSF 00:02.00
// A stat() of an image is cheap; a drive is asked less often.
constexpr auto imagePollInterval = 250ms;
constexpr auto drivePollInterval = 1s;
constexpr auto drainCheckInterval = 20ms;

}  // namespace

std::unique_ptr<ExtractionThread> ExtractionThread::start(const DiscSource &source, DeviceChannel &channel,
                                                          std::function<void()> modeChanged)
{
    auto thread = std::make_unique<ExtractionThread>(source, channel, std::move(modeChanged));
    if (!source.image && !thread->cdio_)
        return nullptr;
    thread->publish();
    thread->thread_ = std::thread(&ExtractionThread::run, thread.get());
    return thread;
}

ExtractionThread::ExtractionThread(const DiscSource &source, DeviceChannel &channel, std::function<void()> modeChanged)
    : source_(source), channel_(channel), modeChanged_(std::move(modeChanged)),
      samples_(sectorsPerSlice * samplesPerSector)
{
    if (source_.image)
        stamp_ = stampOf(source_.name);
    reload();
}

ExtractionThread::~ExtractionThread()
{
    if (thread_.joinable()) {
        {
            std::lock_guard lock(channel_.mutex);
            channel_.commands.push_front({DeviceCommand::Kind::Quit});
        }
        channel_.wake.notify_one();
        thread_.join();
        std::lock_guard lock(channel_.mutex);
        channel_.commands.clear();
    }
    stopOutput();
    closeDisc();
}

void ExtractionThread::run()
{
    pthread_setname_np(pthread_self(), "ludro-cd");
    for (;;) {
        std::optional<DeviceCommand> command;
        {
            std::unique_lock lock(channel_.mutex);
            if (channel_.commands.empty())
                channel_.wake.wait_until(lock, deadline());
            if (!channel_.commands.empty()) {
                command = channel_.commands.front();
                channel_.commands.pop_front();
            }
        }
        if (command && command->kind == DeviceCommand::Kind::Quit)
            return;
        if (command) {
            handle(*command);
        } else {
            if (Clock::now() >= nextPoll_)
                pollDisc();
            if (mode_ == Mode::Playing)
                playSlice();
        }
        publish();
    }
}

ExtractionThread::Clock::time_point ExtractionThread::deadline() const
{
    if (mode_ != Mode::Playing)
        return nextPoll_;
    return frame_ < toc_.audioEndFrame() ? Clock::now() : Clock::now() + drainCheckInterval;
}

void ExtractionThread::handle(const DeviceCommand &command)
{
    switch (command.kind) {
    case DeviceCommand::Kind::Play:
        if (toc_.hasAudio())
            moveTo(command.frame, Mode::Playing);
        return;
    case DeviceCommand::Kind::Resume:
        if (mode_ != Mode::Paused)
            return;
        if (output_)
            output_->pause(false);
        mode_ = Mode::Playing;
        return;
    case DeviceCommand::Kind::Pause:
        if (mode_ != Mode::Playing)
            return;
        heard_ = heardFrame();
        if (output_)
            output_->pause(true);
        mode_ = Mode::Paused;
        return;
    case DeviceCommand::Kind::Stop:
        if (mode_ != Mode::Playing && mode_ != Mode::Paused)
            return;
        frame_ = heard_ = heardFrame();
        stopOutput();
        mode_ = Mode::Stopped;
        return;
    case DeviceCommand::Kind::Seek:
        if (!toc_.empty())
            moveTo(command.frame, Mode::Stopped);
        return;
    case DeviceCommand::Kind::Eject:
        eject();
        return;
    case DeviceCommand::Kind::Quit:
        return;
    }
}

// What was written but not heard is dropped.
void ExtractionThread::moveTo(long frame, Mode mode)
{
    stopOutput();
    frame_ = heard_ = frame;
    mode_ = mode;
}

void ExtractionThread::publish()
{
    bool changed = false;
    {
        std::lock_guard lock(channel_.mutex);
        if (!channel_.commands.empty())
            return;
        DeviceState &state = channel_.state;
        changed = state.mode != mode_;
        state.mode = mode_;
        state.frame = heard_;
        if (tocChanged_)
            state.toc = toc_;
        tocChanged_ = false;
    }
    if (changed && modeChanged_)
        modeChanged_();
}

// ---- the disc ----

// An ejected image stays out until its file changes; a drive reports a new
// disc itself. A drive is not asked while it plays: its door stays shut then.
void ExtractionThread::pollDisc()
{
    if (source_.image) {
        nextPoll_ = Clock::now() + imagePollInterval;
        const ImageStamp now = stampOf(source_.name);
        if (ejected_) {
            if (now == ejectedStamp_)
                return;
            ejected_ = false;
        } else if (now == stamp_) {
            return;
        }
        stamp_ = now;
        reload();
        return;
    }
    nextPoll_ = Clock::now() + drivePollInterval;
    if (mode_ == Mode::Playing || mode_ == Mode::Paused)
        return;
    const int changed = cdio_ ? cdio_get_media_changed(cdio_) : 1;
    if (changed > 0 || (changed < 0 && toc_.empty()))
        reload();
}

// The same disc again (a drive that reports a change, an image file touched)
// keeps its position.
void ExtractionThread::reload()
{
    stopOutput();
    closeDisc();
    if (!source_.image || stamp_.present())
        cdio_ = openDisc(source_, links_);
    TableOfContents toc = cdio_ ? readTableOfContents(cdio_) : TableOfContents{};
    if (toc.empty() || toc != toc_)
        frame_ = toc.empty() ? 0 : toc.tracks.front().startFrame;
    heard_ = frame_;
    mode_ = toc.empty() ? Mode::Open : Mode::Stopped;
    tocChanged_ = tocChanged_ || toc != toc_;
    toc_ = std::move(toc);
}

void ExtractionThread::closeDisc()
{
    reader_.reset();
    if (cdio_)
        cdio_destroy(cdio_);
    cdio_ = nullptr;
    links_.reset();
}

void ExtractionThread::eject()
{
    stopOutput();
    reader_.reset();
    if (source_.image) {
        ejected_ = true;
        ejectedStamp_ = stampOf(source_.name);
        closeDisc();
    } else if (cdio_ && cdio_eject_media(&cdio_) != DRIVER_OP_SUCCESS) {
        closeDisc();
    }
    toc_ = {};
    tocChanged_ = true;
    frame_ = heard_ = 0;
    mode_ = Mode::Open;
    nextPoll_ = Clock::now() + (source_.image ? imagePollInterval : drivePollInterval);
}

// ---- playback ----

void ExtractionThread::playSlice()
{
    const long end = toc_.audioEndFrame();
    if (frame_ >= end) {
        finishDisc();
        return;
    }
    const int track = toc_.trackAt(frame_);
    if (track == 0) {
        frame_ = toc_.tracks.front().startFrame;
        return;
    }
    const CdTrack &current = toc_.tracks[static_cast<std::size_t>(track - 1)];
    if (!current.audio) {
        frame_ = current.endFrame();
        return;
    }
    const long count = std::clamp(std::min(current.endFrame(), end) - frame_, 1L, sectorsPerSlice);
    if (!writeSectors(count)) {
        stopOutput();
        mode_ = Mode::Stopped;
        return;
    }
    frame_ += count;
    heard_ = heardFrame();
}

// A sound device that cannot be opened is replaced by a silent sink, as the
// engine does, so the disc still plays its course.
bool ExtractionThread::writeSectors(long count)
{
    const sonark::PcmFormat format{44100, 2};
    std::string error;
    if (!output_) {
        output_ = sonark::createOutput("/dev/wave/0");
        if (!output_->open(format, error)) {
            output_ = sonark::createSilentOutput(false);
            output_->open(format, error);
        }
    }
    if (!reader_) {
        if (!source_.image)
            reader_ = createParanoiaReader(cdio_);
        if (!reader_)
            reader_ = createPlainReader(cdio_);
    }
    reader_->read(static_cast<int32_t>(frame_ - msfOffset), static_cast<int>(count), samples_.data());
    return output_->write(samples_.data(), static_cast<std::size_t>(count * framesPerSector), error);
}

// The end of the disc: once everything written was heard, the disc stops at
// its end position.
void ExtractionThread::finishDisc()
{
    if (output_ && output_->delayFrames() > 0) {
        heard_ = heardFrame();
        return;
    }
    stopOutput();
    mode_ = Mode::Stopped;
    frame_ = heard_ = toc_.audioEndFrame();
}

void ExtractionThread::stopOutput()
{
    if (!output_)
        return;
    output_->drop();
    output_->close();
    output_.reset();
}

long ExtractionThread::heardFrame()
{
    const int64_t delay = output_ ? output_->delayFrames() : 0;
    return std::max(0L, frame_ - static_cast<long>((delay + framesPerSector - 1) / framesPerSector));
}

}  // namespace cd
