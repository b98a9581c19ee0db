#pragma once

// The thread that owns a drive: it loads and unloads discs, watches for a
// disc being inserted or removed, reads audio sectors and plays them through
// the engine's output in slices of about 50 ms, so a command waits no longer
// than one slice.

#include "device_channel.h"
#include "disc_source.h"
#include "sector_reader.h"
#include "sonark/audio_output.h"

#include <chrono>
#include <functional>
#include <memory>
#include <thread>
#include <vector>

namespace cd {

class ExtractionThread {
public:
    // Loads the disc on the calling thread, publishes it and starts. Null
    // when a drive cannot be opened; an image that is missing is a drive
    // with its door open.
    static std::unique_ptr<ExtractionThread> start(const DiscSource &source, DeviceChannel &channel,
                                                   std::function<void()> modeChanged);
    ExtractionThread(const DiscSource &source, DeviceChannel &channel, std::function<void()> modeChanged);
    ~ExtractionThread();  // stops playback, closes the drive
    ExtractionThread(const ExtractionThread &) = delete;
    ExtractionThread &operator=(const ExtractionThread &) = delete;

private:
    using Clock = std::chrono::steady_clock;
    using Mode = CdDevice::Mode;

    void run();
    Clock::time_point deadline() const;
    void handle(const DeviceCommand &command);
    void moveTo(long frame, Mode mode);
    void publish();

    void pollDisc();
    void reload();
    void closeDisc();
    void eject();

    void playSlice();
    bool writeSectors(long count);
    void finishDisc();
    void stopOutput();
    long heardFrame();

    DiscSource source_;
    DeviceChannel &channel_;
    std::function<void()> modeChanged_;

    CdIo_t *cdio_ = nullptr;
    std::unique_ptr<QTemporaryDir> links_;  // of an image opened through links
    std::unique_ptr<SectorReader> reader_;
    std::unique_ptr<sonark::AudioOutput> output_;
    std::vector<int16_t> samples_;
    TableOfContents toc_;
    bool tocChanged_ = true;
    ImageStamp stamp_;         // of the image as loaded
    ImageStamp ejectedStamp_;  // of the image when it was ejected
    bool ejected_ = false;
    Mode mode_ = Mode::Open;
    long frame_ = 0;  // next sector to play, absolute
    long heard_ = 0;
    Clock::time_point nextPoll_{};

    std::thread thread_;
};

}  // namespace cd
