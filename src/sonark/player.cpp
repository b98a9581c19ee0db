#include "player.h"

#include "stream_reader.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstring>
#include <strings.h>

#include <pthread.h>

namespace sonark {
namespace {

constexpr std::size_t decodeChunkBytes = 32768;
constexpr std::size_t streamChunkBytes = 16384;
// Time codes follow the music, but no more often than the clock allows, so
// a fast WAV conversion does not flood the receiver.
constexpr double timecodeInterval = 0.1;
constexpr auto timecodeMinimumGap = std::chrono::milliseconds(100);
constexpr auto starvedWait = std::chrono::milliseconds(100);
// The longest a single output write may play: commands wait no longer than
// this, even at the lowest pitch where one decoded chunk plays for ~47 s.
constexpr double sliceSeconds = 0.2;

const char *const pitchName = "OUTPUT.DIRECTSOUND.PITCH";
const char *const windowName = "OUTPUT.DIRECTSOUND.WINDOW";
const char *const httpTimeoutName = "INPUT.HTTP.TIMEOUT";
const char *const outputModuleName = "dsound_output_module_register@directsound.dll";

bool startsWithNoCase(const std::string &text, const char *prefix)
{
    return strncasecmp(text.c_str(), prefix, std::strlen(prefix)) == 0;
}

bool isStreamAddress(const std::string &name)
{
    return startsWithNoCase(name, "http://") || startsWithNoCase(name, "https://") || startsWithNoCase(name, "www.");
}

}  // namespace

Player::Player(SK_Player id, SK_WindowHandle window) : notifier_(id, window), buffer_(decodeChunkBytes)
{
    gain_.set(volume_);
    thread_ = std::thread([this] { run(); });
}

Player::~Player()
{
    send({SK_EXIT});
    thread_.join();
}

void Player::send(Command command)
{
    {
        std::lock_guard lock(mutex_);
        queue_.push_back(std::move(command));
    }
    wakeup_.notify_one();
}

void Player::wake()
{
    {
        std::lock_guard lock(mutex_);
        woken_ = true;
    }
    wakeup_.notify_one();
}

void Player::run()
{
    // Named so that a look at the threads (top -H, a debugger) tells it apart.
    pthread_setname_np(pthread_self(), "sonark");
    notifier_.post(Notification(SK_NOTIFY_READY));
    bool starved = false;
    for (;;) {
        std::deque<Command> batch;
        {
            std::unique_lock lock(mutex_);
            auto ready = [this] { return !queue_.empty() || woken_; };
            if (state_ != SK_STATE_PLAYING)
                wakeup_.wait(lock, ready);
            else if (starved)
                wakeup_.wait_for(lock, starvedWait, ready);
            woken_ = false;
            batch.swap(queue_);
        }
        for (const Command &command : batch)
            if (!handle(command))
                return;
        starved = state_ == SK_STATE_PLAYING && !step();
    }
}

// Settings the engine only keeps and reports back.
struct KeptSetting {
    int set, get, notification;
};
constexpr KeptSetting keptSettings[] = {
    {SK_SET_PLAYER_MODE, SK_GET_PLAYER_MODE, SK_NOTIFY_PLAYER_MODE},
    {SK_SET_INPUT_POSITION_RANGE, SK_GET_INPUT_POSITION_RANGE, SK_NOTIFY_INPUT_POSITION_RANGE},
    {SK_SET_INPUT_TIMECODE_GRANULARITY, SK_GET_INPUT_TIMECODE_GRANULARITY, SK_NOTIFY_INPUT_TIMECODE_GRANULARITY},
    {SK_SET_OUTPUT_PORTS, SK_GET_OUTPUT_PORTS, SK_NOTIFY_OUTPUT_PORTS},
    {SK_SET_NOTIFICATION_MASK, SK_GET_NOTIFICATION_MASK, SK_NOTIFY_NOTIFICATION_MASK},
    {SK_SET_DEBUG_LEVEL, SK_GET_DEBUG_LEVEL, SK_NOTIFY_DEBUG_LEVEL},
};

bool Player::handle(const Command &c)
{
    for (const KeptSetting &k : keptSettings)
        if (c.code == k.set || c.code == k.get) {
            if (c.code == k.set)
                kept_[k.notification] = c.a;
            notifier_.value(k.notification, kept_[k.notification]);
            return true;
        }

    switch (c.code) {
    case SK_EXIT:
        closeInput();
        closeOutput();
        notifier_.post(Notification(SK_NOTIFY_EXITED));
        return false;
    case SK_PING:
        notifier_.value(SK_NOTIFY_PONG, c.a);
        break;
    case SK_PLAY:
        play();
        break;
    case SK_PAUSE:
        pause();
        break;
    case SK_STOP:
        stop();
        break;
    case SK_INPUT_SEEK:
        seek(c.a, c.b);
        break;
    case SK_INPUT_OPEN:
        openInput(c.s);
        break;
    case SK_INPUT_CLOSE:
        closeInput();
        notifier_.ack(c.code);
        break;
    case SK_SET_INPUT_NAME:
    case SK_GET_INPUT_NAME:
        if (c.code == SK_SET_INPUT_NAME)
            inputName_ = c.s;
        notifier_.post(std::move(Notification(SK_NOTIFY_INPUT_NAME).text(inputName_)));
        break;
    case SK_OUTPUT_OPEN:
    case SK_SET_OUTPUT_NAME:
        selectOutput(c.code, c.s);
        break;
    case SK_GET_OUTPUT_NAME:
        notifier_.post(std::move(Notification(SK_NOTIFY_OUTPUT_NAME).text(outputName_)));
        break;
    case SK_OUTPUT_CLOSE:
    case SK_OUTPUT_RESET:
    case SK_OUTPUT_DRAIN:
        if (c.code == SK_OUTPUT_CLOSE)
            closeOutput();
        else if (output_)
            c.code == SK_OUTPUT_RESET ? output_->drop() : drainOutput();
        notifier_.ack(c.code);
        break;
    case SK_OUTPUT_MUTE:
    case SK_OUTPUT_UNMUTE:
        volume_.muted = c.code == SK_OUTPUT_MUTE;
        gain_.set(volume_);
        notifier_.ack(c.code);
        break;
    case SK_OUTPUT_MODULE_REGISTER:
        if (c.s == outputModuleName)
            notifier_.ack(c.code);
        else
            notifier_.nack(c.code, SK_ERROR_UNSUPPORTED);
        break;
    case SK_INPUT_MODULES_LIST:
        postModuleInfo(SK_NOTIFY_INPUT_MODULE_INFO, 0, "MPEG", "MPEG audio layers I, II and III");
        break;
    case SK_OUTPUT_MODULES_LIST:
        postModuleInfo(SK_NOTIFY_OUTPUT_MODULE_INFO, 0, "Wave", "Sound device (/dev/wave/0)");
        postModuleInfo(SK_NOTIFY_OUTPUT_MODULE_INFO, 1, "DirectSound", "Sound device with pitch (/dev/dsound/0)");
        postModuleInfo(SK_NOTIFY_OUTPUT_MODULE_INFO, 2, "WAV file", "WAV file writer (wav:PATH)");
        break;
    case SK_SET_PLAYER_ENVIRONMENT_INTEGER:
        setEnvironmentInteger(c.s, c.a);
        break;
    case SK_SET_PLAYER_ENVIRONMENT_STRING:
        strings_[c.s] = c.t;
        [[fallthrough]];
    case SK_GET_PLAYER_ENVIRONMENT_INTEGER:
    case SK_GET_PLAYER_ENVIRONMENT_STRING:
        postEnvironment(c.code, c.s);
        break;
    case SK_UNSET_PLAYER_ENVIRONMENT:
        integers_.erase(c.s);
        strings_.erase(c.s);
        notifier_.ack(c.code);
        break;
    case SK_SET_OUTPUT_VOLUME:
        setVolume(c.a, c.b, c.c);
        break;
    case SK_GET_OUTPUT_VOLUME:
        postVolume(SK_NOTIFY_OUTPUT_VOLUME);
        break;
    case SK_SET_OUTPUT_CHANNELS:
        setDecoderSetting(c.code, settings_.channels, c.a, 3);
        [[fallthrough]];
    case SK_GET_OUTPUT_CHANNELS:
        notifier_.value(SK_NOTIFY_OUTPUT_CHANNELS, settings_.channels);
        break;
    case SK_SET_CODEC_QUALITY:
        setDecoderSetting(c.code, settings_.quality, c.a, 2);
        [[fallthrough]];
    case SK_GET_CODEC_QUALITY:
        notifier_.value(SK_NOTIFY_CODEC_QUALITY, settings_.quality);
        break;
    case SK_SET_CODEC_EQUALIZER:
        settings_.equalizer = c.equalizer;
        if (decoder_)
            decoder_->setEqualizer(settings_.equalizer);
        [[fallthrough]];
    case SK_GET_CODEC_EQUALIZER:
        postEqualizer();
        break;
    default:
        notifier_.nack(c.code, SK_ERROR_UNSUPPORTED);
        break;
    }
    return true;
}

void Player::setEnvironmentInteger(const std::string &name, int32_t value)
{
    if (name == pitchName) {
        if (value < 1 || value > 2000) {
            notifier_.nack(SK_SET_PLAYER_ENVIRONMENT_INTEGER, SK_ERROR_INVALID_ARGUMENT);
            return;
        }
        pitch_ = value;
        if (output_)
            output_->setPitch(pitch_);
    } else if (name == httpTimeoutName) {
        if (value < 1) {
            notifier_.nack(SK_SET_PLAYER_ENVIRONMENT_INTEGER, SK_ERROR_INVALID_ARGUMENT);
            return;
        }
        httpTimeoutMs_ = value;
    }
    integers_[name] = value;
    postEnvironment(SK_GET_PLAYER_ENVIRONMENT_INTEGER, name);
}

void Player::postEnvironment(int command, const std::string &name)
{
    const bool integer = command == SK_GET_PLAYER_ENVIRONMENT_INTEGER;
    if (integer ? !integers_.contains(name) : !strings_.contains(name)) {
        notifier_.nack(command, SK_ERROR_INVALID_ARGUMENT);
        return;
    }
    Notification n(integer ? SK_NOTIFY_PLAYER_ENVIRONMENT_INTEGER : SK_NOTIFY_PLAYER_ENVIRONMENT_STRING);
    n.text(name);
    if (integer)
        n.message.data.environment.value = integers_[name];
    else
        n.text(strings_[name]);
    notifier_.post(std::move(n));
}

// Channel mode and quality are decoder settings: a file is opened again and
// goes on where it was; a stream takes them at its next start.
void Player::setDecoderSetting(int command, int &setting, int32_t value, int32_t highest)
{
    if (value < 0 || value > highest) {
        notifier_.nack(command, SK_ERROR_INVALID_ARGUMENT);
        return;
    }
    if (setting != value) {
        setting = value;
        reopenAtPosition();
    }
}

// Echoes the whole volume record, then each level that changed.
void Player::setVolume(int32_t balance, int32_t pcm, int32_t master)
{
    constexpr int32_t unchanged = 255;
    std::vector<int> changed;
    auto apply = [&](int &field, int32_t value, int notification) {
        if (value == unchanged)
            return;
        const int level = std::clamp(value, 0, 100);
        if (level != field)
            changed.push_back(notification);
        field = level;
    };
    apply(volume_.balance, balance, SK_NOTIFY_OUTPUT_BALANCE);
    apply(volume_.pcm, pcm, SK_NOTIFY_OUTPUT_PCM_LEVEL);
    apply(volume_.master, master, SK_NOTIFY_OUTPUT_MASTER_LEVEL);
    gain_.set(volume_);
    postVolume(SK_NOTIFY_OUTPUT_VOLUME);
    for (int notification : changed)
        postVolume(notification);
}

// ---- input ----

void Player::openInput(const std::string &name)
{
    closeInput();
    lastTimecode_ = -1.0;
    if (name.empty()) {
        notifier_.error(SK_SOURCE_INPUT, SK_ERROR_INPUT_OPEN, "No input name given");
        notifier_.nack(SK_INPUT_OPEN, SK_ERROR_INVALID_ARGUMENT);
        return;
    }
    inputName_ = name;
    if (isStreamAddress(name)) {
        isStream_ = true;
        notifier_.ack(SK_INPUT_OPEN);
        postOpened();
        return;
    }
    auto decoder = std::make_unique<Decoder>();
    std::string error;
    if (!decoder->openFile(name, settings_, error)) {
        inputName_.clear();
        inputFailed_ = true;
        notifier_.error(SK_SOURCE_INPUT, SK_ERROR_INPUT_OPEN, "Cannot open " + name + ": " + error);
        notifier_.nack(SK_INPUT_OPEN, SK_ERROR_INPUT_OPEN);
        return;
    }
    decoder_ = std::move(decoder);
    notifier_.ack(SK_INPUT_OPEN);
    postOpened();
}

// The answer to an open comes first: everything after it is about the new
// input, so a receiver can tell it from what the old one sent.
void Player::postOpened()
{
    notifier_.post(std::move(Notification(SK_NOTIFY_INPUT_NAME).text(inputName_)));
    postDuration();
    if (decoder_)
        postStreamInfo();
    postTimecode();
}

bool Player::startStream()
{
    StreamReader::Options options;
    options.timeoutMs = httpTimeoutMs_;
    const std::string address = startsWithNoCase(inputName_, "www.") ? "http://" + inputName_ : inputName_;
    auto decoder = std::make_unique<Decoder>();
    std::string error;
    if (!decoder->openFeed(settings_, error)) {
        notifier_.error(SK_SOURCE_CODEC, SK_ERROR_FAILURE, error);
        return false;
    }
    decoder_ = std::move(decoder);
    stream_ = std::make_unique<StreamReader>(address, options, [this] { wake(); });
    streamAnnounced_ = false;
    return true;
}

void Player::closeInput()
{
    if (output_)
        output_->drop();
    forgetStream();
    decoder_.reset();
    discardDecoded();
    inputName_.clear();
    isStream_ = false;
    atEnd_ = false;
    inputFailed_ = false;
    setState(SK_STATE_STOPPED);
}

void Player::reopenAtPosition()
{
    if (!decoder_ || isStream_)
        return;
    const double position = playedSeconds();
    auto decoder = std::make_unique<Decoder>();
    std::string error;
    if (!decoder->openFile(inputName_, settings_, error)) {
        inputFailed("Cannot open " + inputName_ + " again: " + error, SK_ERROR_INPUT_OPEN);
        return;
    }
    decoder->seek(static_cast<int64_t>(position * decoder->format().rate));
    decoder_ = std::move(decoder);
    discardDecoded();
    if (output_ && state_ != SK_STATE_STOPPED)
        output_->drop();
}

void Player::inputFailed(const std::string &text, int code)
{
    notifier_.error(SK_SOURCE_INPUT, code, text);
    inputFailed_ = true;
    const bool wasPlaying = state_ != SK_STATE_STOPPED;
    forgetStream();
    decoder_.reset();
    discardDecoded();
    if (wasPlaying) {
        if (output_)
            output_->drop();
        state_ = SK_STATE_STOPPED;
        notifier_.playerState(SK_STATE_EOF);
    }
}

// ---- transport ----

// Play on an input that could not be opened or decoded answers "end of
// input", so a playlist moves on past it; with no input it stays stopped.
void Player::play()
{
    if (inputName_.empty() || (!isStream_ && !decoder_)) {
        notifier_.nack(SK_PLAY, SK_ERROR_NO_INPUT);
        notifier_.playerState(inputFailed_ ? SK_STATE_EOF : SK_STATE_STOPPED);
        return;
    }
    if (state_ == SK_STATE_PAUSED) {
        if (output_)
            output_->pause(false);
        setState(SK_STATE_PLAYING);
        notifier_.ack(SK_PLAY);
        return;
    }
    if (state_ == SK_STATE_PLAYING) {
        notifier_.ack(SK_PLAY);
        return;
    }
    if (isStream_) {
        if (!stream_ && !startStream()) {
            notifier_.nack(SK_PLAY, SK_ERROR_FAILURE);
            return;
        }
    } else if (atEnd_) {
        decoder_->seek(0);
    }
    atEnd_ = false;
    setState(SK_STATE_PLAYING);
    notifier_.ack(SK_PLAY);
}

void Player::pause()
{
    if (state_ == SK_STATE_PLAYING) {
        if (output_)
            output_->pause(true);
        setState(SK_STATE_PAUSED);
    }
    notifier_.ack(SK_PAUSE);
}

void Player::stop()
{
    if (state_ != SK_STATE_STOPPED) {
        if (output_)
            output_->drop();
        // A stopped stream lets go of its connection; Play connects again.
        if (isStream_) {
            forgetStream();
            decoder_.reset();
            discardDecoded();
        }
        setState(SK_STATE_STOPPED);
        postTimecode();
    }
    notifier_.ack(SK_STOP);
}

void Player::seek(int32_t offset, int32_t range)
{
    if (!decoder_ || isStream_) {
        notifier_.nack(SK_INPUT_SEEK, decoder_ ? SK_ERROR_NOT_SEEKABLE : SK_ERROR_NO_INPUT);
        return;
    }
    const int64_t length = std::max<int64_t>(0, decoder_->lengthSamples());
    int64_t target = 0;
    if (range > 0)
        target = length * std::clamp<int64_t>(offset, 0, range) / range;
    if (!decoder_->seek(target)) {
        notifier_.nack(SK_INPUT_SEEK, SK_ERROR_INPUT_READ);
        return;
    }
    discardDecoded();
    atEnd_ = false;
    if (output_ && state_ != SK_STATE_STOPPED) {
        output_->drop();
        if (state_ == SK_STATE_PAUSED)
            output_->pause(true);
    }
    postTimecode();
    notifier_.ack(SK_INPUT_SEEK);
}

void Player::endOfInput()
{
    drainOutput();
    if (outputName_.starts_with("wav:"))
        closeOutput();
    postTimecode();
    state_ = SK_STATE_STOPPED;
    atEnd_ = true;
    if (isStream_) {
        forgetStream();
        decoder_.reset();
    }
    notifier_.playerState(SK_STATE_EOF);
}

// ---- streams ----

void Player::forgetStream()
{
    stream_.reset();
    retry_ = {};
    retryAt_.reset();
    streamSecondsBefore_ = 0;
}

void Player::postStreamTitle()
{
    if (std::string title; stream_->takeStreamTitle(title))
        notifier_.progress(SK_SOURCE_INPUT, SK_PROGRESS_STREAM_TITLE, 0, std::move(title));
}

// A radio stream that played, or one being tried again, connects again
// unless trying cannot help; the first connection's failure ends the input.
void Player::streamBroke(const std::string &reason, bool forGood)
{
    if (!retry_.active() && !(streamAnnounced_ && stream_->isLive())) {
        inputFailed(reason, SK_ERROR_NETWORK);
        return;
    }
    const auto at = forGood ? std::nullopt : retry_.next(std::chrono::steady_clock::now());
    if (!at) {
        giveUpStream(reason);
        return;
    }
    streamSecondsBefore_ = playedSeconds();
    stream_.reset();
    decoder_.reset();
    discardDecoded();
    retryAt_ = at;
    notifier_.progress(SK_SOURCE_INPUT, SK_PROGRESS_RECONNECTING, static_cast<int>(retry_.delay().count()), reason);
}

// False while the next try is not due or its answer has not come.
bool Player::reconnectWhenDue()
{
    if (std::chrono::steady_clock::now() < *retryAt_)
        return false;
    retryAt_.reset();
    if (!startStream())
        giveUpStream("Cannot start the stream again");
    return false;
}

// What came before plays out; the end follows the error.
void Player::giveUpStream(const std::string &reason)
{
    notifier_.error(SK_SOURCE_INPUT, SK_ERROR_NETWORK, reason);
    endOfInput();
}

void Player::stationListArrived()
{
    notifier_.progress(SK_SOURCE_INPUT, SK_PROGRESS_STATION_LIST, 0, stream_->stationList());
    forgetStream();
    decoder_.reset();
    discardDecoded();
    setState(SK_STATE_STOPPED);
}

// Plays a slice of the decoded audio, or decodes the next chunk. Returns
// false when a stream has no data yet.
bool Player::step()
{
    if (written_ < decoded_) {
        writeSlice();
        return true;
    }
    if (retryAt_)
        return reconnectWhenDue();
    std::size_t bytes = 0;
    Decoder::Result result = decoder_->read(buffer_.data(), buffer_.size(), bytes);
    // Stream bytes are taken only when the decoder has used up what it has:
    // a server faster than the music then waits, and memory stays flat.
    if (isStream_) {
        unsigned char incoming[streamChunkBytes];
        std::size_t got = 0;
        while (result == Decoder::Result::NeedMore && (got = stream_->read(incoming, sizeof incoming)) > 0) {
            decoder_->feed(incoming, got);
            result = decoder_->read(buffer_.data(), buffer_.size(), bytes);
        }
        postStreamTitle();
    }
    // A stream that ends or breaks before its first frame carried no audio.
    const bool noAudio = isStream_ && !streamAnnounced_;
    switch (result) {
    case Decoder::Result::Data:
        if (noAudio) {
            streamAnnounced_ = true;
            retry_.recovered();
            postStreamInfo();
        }
        decoded_ = bytes;
        written_ = 0;
        writeSlice();
        return true;
    case Decoder::Result::NewFormat:
        return true;
    case Decoder::Result::NeedMore:
        if (!isStream_) {
            endOfInput();
            return true;
        }
        switch (stream_->status()) {
        case StreamReader::Status::Failed:
            streamBroke(stream_->error(), stream_->failedForGood());
            return true;
        case StreamReader::Status::StationList:
            stationListArrived();
            return true;
        case StreamReader::Status::Ended:
            // A radio server has no end of its own.
            if (retry_.active() || (streamAnnounced_ && stream_->isLive())) {
                streamBroke("The station closed the connection", false);
                return true;
            }
            break;
        default:
            return false;
        }
        break;
    case Decoder::Result::Done:
        break;
    case Decoder::Result::Error:
        if (noAudio)
            break;
        notifier_.error(SK_SOURCE_CODEC, SK_ERROR_INPUT_FORMAT,
                        "Cannot decode " + inputName_ + ": " + decoder_->lastError());
        break;
    }
    if (noAudio)
        inputFailed("Cannot open " + inputName_ + ": " + noAudioFound, SK_ERROR_INPUT_OPEN);
    else
        endOfInput();
    return true;
}

// ---- output ----

void Player::writeSlice()
{
    const PcmFormat format = decoder_->format();
    const std::size_t frameBytes = 2 * static_cast<std::size_t>(std::max(format.channels, 0));
    const std::size_t left = frameBytes ? (decoded_ - written_) / frameBytes : 0;
    if (left == 0 || !ensureOutput(format)) {
        discardDecoded();
        return;
    }
    const double framesPerSlice = format.rate * output_->speed() * sliceSeconds;
    const std::size_t frames = std::clamp<std::size_t>(static_cast<std::size_t>(framesPerSlice), 1, left);
    auto *samples = reinterpret_cast<int16_t *>(buffer_.data() + written_);
    written_ += frames * frameBytes;
    // What is shown is what is decoded, before the volume.
    tap_.publish(samples, frames, format.channels, format.rate * output_->speed(), output_->delayFrames());
    gain_.apply(samples, frames, format.channels);
    std::string error;
    if (!output_->write(samples, frames, error)) {
        notifier_.error(SK_SOURCE_OUTPUT, SK_ERROR_OUTPUT, error);
        output_.reset();
        discardDecoded();
        state_ = SK_STATE_STOPPED;
        notifier_.playerState(SK_STATE_STOPPED);
        return;
    }
    if (std::fabs(playedSeconds() - lastTimecode_) >= timecodeInterval &&
        std::chrono::steady_clock::now() - lastTimecodeAt_ >= timecodeMinimumGap)
        postTimecode();
}

void Player::discardDecoded()
{
    decoded_ = 0;
    written_ = 0;
}

// A sound device that cannot be opened is reported once and replaced by a
// silent sink, so playback still runs its course.
bool Player::ensureOutput(const PcmFormat &format)
{
    if (output_ && output_->isOpen() && outputFormat_ == format)
        return true;
    if (!output_) {
        output_ = createOutput(outputName_);
        output_->setPitch(pitch_);
    }
    std::string error;
    if (!output_->open(format, error)) {
        notifier_.error(SK_SOURCE_OUTPUT, SK_ERROR_OUTPUT, error);
        if (outputName_.starts_with("wav:")) {
            output_.reset();
            state_ = SK_STATE_STOPPED;
            notifier_.playerState(SK_STATE_STOPPED);
            return false;
        }
        output_ = createSilentOutput(outputName_ == "/dev/dsound/0");
        output_->setPitch(pitch_);
        output_->open(format, error);
    }
    outputFormat_ = format;
    return true;
}

// Switching outputs while a song plays lets the old output play out what it
// holds; the song goes on from there on the new one.
void Player::selectOutput(int code, const std::string &name)
{
    if (!isValidOutputName(name)) {
        notifier_.error(SK_SOURCE_OUTPUT, SK_ERROR_INVALID_ARGUMENT, "Unknown output \"" + name + "\"");
        notifier_.nack(code, SK_ERROR_INVALID_ARGUMENT);
        return;
    }
    if (name != outputName_) {
        drainOutput();
        closeOutput();
        outputName_ = name;
    }
    notifier_.post(std::move(Notification(SK_NOTIFY_OUTPUT_NAME).text(outputName_)));
    notifier_.ack(code);
}

// A WAV file that could not be finished is reported like a failed write.
void Player::drainOutput()
{
    std::string error;
    if (output_ && !output_->drain(error))
        notifier_.error(SK_SOURCE_OUTPUT, SK_ERROR_OUTPUT, error);
}

void Player::closeOutput()
{
    if (output_)
        output_->close();
    output_.reset();
    outputFormat_ = {};
}

// ---- notifications ----

void Player::setState(int state)
{
    if (state == state_)
        return;
    state_ = state;
    if (state != SK_STATE_PLAYING)
        tap_.clear();
    notifier_.playerState(state);
}

double Player::playedSeconds()
{
    const PcmFormat format = decoder_ ? decoder_->format() : PcmFormat{};
    if (format.rate <= 0 || format.channels <= 0)
        return streamSecondsBefore_;
    const std::size_t unwritten = (decoded_ - written_) / (2 * static_cast<std::size_t>(format.channels));
    int64_t played = decoder_->positionSamples() - static_cast<int64_t>(unwritten);
    if (output_ && state_ != SK_STATE_STOPPED)
        played -= output_->delayFrames();
    return streamSecondsBefore_ + static_cast<double>(std::max<int64_t>(0, played)) / format.rate;
}

void Player::postTimecode()
{
    lastTimecode_ = playedSeconds();
    lastTimecodeAt_ = std::chrono::steady_clock::now();
    notifier_.timecode(lastTimecode_);
}

void Player::postDuration()
{
    Notification n(SK_NOTIFY_INPUT_DURATION);
    if (decoder_ && decoder_->format().rate > 0 && decoder_->lengthSamples() > 0)
        n.message.data.value =
            static_cast<int32_t>(std::lround(static_cast<double>(decoder_->lengthSamples()) / decoder_->format().rate));
    notifier_.post(std::move(n));
}

void Player::postStreamInfo()
{
    const StreamInfo info = decoder_->streamInfo();
    Notification n(SK_NOTIFY_INPUT_STREAM_INFO);
    auto &s = n.message.data.stream_info;
    s.level = static_cast<uint8_t>(info.level);
    s.layer = static_cast<uint8_t>(info.layer);
    s.bitrate = static_cast<uint16_t>(info.bitrate);
    s.frequency = static_cast<uint16_t>(info.frequency);
    s.mode = static_cast<uint8_t>(info.mode);
    notifier_.post(std::move(n));
}

void Player::postVolume(int code)
{
    Notification n(code);
    n.message.data.volume.master = static_cast<uint8_t>(volume_.master);
    n.message.data.volume.pcm = static_cast<uint8_t>(volume_.pcm);
    n.message.data.volume.balance = static_cast<uint8_t>(volume_.balance);
    notifier_.post(std::move(n));
}

void Player::postEqualizer()
{
    Notification n(SK_NOTIFY_CODEC_EQUALIZER);
    n.hasEqualizer = true;
    if (settings_.equalizer)
        n.equalizer = *settings_.equalizer;
    notifier_.post(std::move(n));
}

void Player::postModuleInfo(int code, int id, const char *name, const char *description)
{
    Notification n(code);
    n.message.data.module_info.id = static_cast<uint8_t>(id);
    n.message.data.module_info.nb_devices = 1;
    n.text(name).text(description);
    notifier_.post(std::move(n));
}

}  // namespace sonark
