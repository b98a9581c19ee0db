#pragma once

// One decoder player: its own thread owns all playback state and takes
// control messages from a queue; outcomes go back through the notifier.

#include "audio_output.h"
#include "decoder.h"
#include "notifier.h"
#include "pcm_gain.h"
#include "pcm_tap.h"
#include "stream_retry.h"

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <deque>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

namespace sonark {

class StreamReader;

struct Command {
    int code = 0;
    int32_t a = 0, b = 0, c = 0;
    std::string s, t;
    std::optional<SK_EqualizerInfo> equalizer;
};

class Player {
public:
    Player(SK_Player id, SK_WindowHandle window);
    ~Player();
    Player(const Player &) = delete;
    Player &operator=(const Player &) = delete;

    void send(Command command);
    Notifier &notifier() { return notifier_; }
    uint32_t priority() const { return priority_; }
    void setPriority(uint32_t priority) { priority_ = priority; }
    PcmTap &pcmTap() { return tap_; }

private:
    void run();
    void wake();
    bool handle(const Command &command);  // false after Exit
    bool step();                          // false when starved for stream data

    void postOpened();
    void openInput(const std::string &name);
    void closeInput();
    bool startStream();
    void play();
    void pause();
    void stop();
    void seek(int32_t offset, int32_t range);
    void endOfInput();
    void inputFailed(const std::string &text, int code);
    void reopenAtPosition();
    void postStreamTitle();
    void streamBroke(const std::string &reason, bool forGood);
    bool reconnectWhenDue();
    void giveUpStream(const std::string &reason);
    void stationListArrived();
    void forgetStream();

    void writeSlice();
    void discardDecoded();
    bool ensureOutput(const PcmFormat &format);
    void selectOutput(int code, const std::string &name);
    void drainOutput();
    void closeOutput();

    void setEnvironmentInteger(const std::string &name, int32_t value);
    void setDecoderSetting(int command, int &setting, int32_t value, int32_t highest);
    void postEnvironment(int command, const std::string &name);
    void setVolume(int32_t balance, int32_t pcm, int32_t master);
    void setState(int state);
    double playedSeconds();
    void postTimecode();
    void postDuration();
    void postStreamInfo();
    void postVolume(int code);
    void postEqualizer();
    void postModuleInfo(int code, int id, const char *name, const char *description);

    Notifier notifier_;
    PcmTap tap_;
    std::atomic<uint32_t> priority_{0};

    std::mutex mutex_;
    std::condition_variable wakeup_;
    std::deque<Command> queue_;
    bool woken_ = false;

    // Owned by the player thread.
    std::unique_ptr<Decoder> decoder_;
    std::unique_ptr<StreamReader> stream_;
    std::string inputName_;
    bool isStream_ = false;
    bool streamAnnounced_ = false;  // a frame of the stream was decoded
    StreamRetry retry_;
    std::optional<std::chrono::steady_clock::time_point> retryAt_;
    double streamSecondsBefore_ = 0;  // played on the stream's earlier connections
    int state_ = SK_STATE_STOPPED;
    bool atEnd_ = false;
    bool inputFailed_ = false;
    double lastTimecode_ = -1.0;
    std::chrono::steady_clock::time_point lastTimecodeAt_{};

    std::string outputName_ = "/dev/wave/0";
    std::unique_ptr<AudioOutput> output_;
    PcmFormat outputFormat_;

    VolumeSettings volume_;
    PcmGain gain_;
    DecoderSettings settings_;
    int pitch_ = 1000;
    int httpTimeoutMs_ = 10000;
    std::map<int, int32_t> kept_;  // by notification code
    std::map<std::string, int32_t> integers_;
    std::map<std::string, std::string> strings_;
    // Decoded PCM; the bytes from written_ to decoded_ still go to the output.
    std::vector<unsigned char> buffer_;
    std::size_t decoded_ = 0;
    std::size_t written_ = 0;

    std::thread thread_;
};

}  // namespace sonark
