// sonark-play: plays MPEG audio files, playlists and stream addresses with
// the Sonark engine, printing every notification as one line. With
// "--output wav:FILE" it converts a song to a WAV file.

#include "platform/window_messages.h"
#include "sonark/sonark.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QTimer>

#include <atomic>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace {

const char *const eventNames[] = {
    "Ready", "Ack", "Nack", "Pong", "Exited", "PlayerState", "PlayerMode", "PlayerEnvironmentInteger",
    "PlayerEnvironmentString", "InputState", "InputName", "InputCaps", "InputPosition", "InputPositionRange",
    "InputTimecode", "InputTimecodeGranularity", "InputDuration", "InputStreamInfo", "InputModule",
    "InputModuleInfo", "InputDeviceInfo", "InputFilterInfo", "OutputState", "OutputName", "OutputCaps",
    "OutputVolume", "OutputBalance", "OutputPcmLevel", "OutputMasterLevel", "OutputChannels", "OutputPorts",
    "Unused", "OutputModule", "OutputModuleInfo", "OutputDeviceInfo", "OutputFilterInfo", "CodecQuality",
    "CodecEqualizer", "NotificationMask", "DebugLevel", "Progress", "Debug", "Error"};

std::atomic<bool> interrupted{false};

struct Options {
    std::optional<std::string> output;
    std::optional<int> volume, balance, channels, pitch;
    std::optional<double> seek;
    std::vector<std::string> inputs;
};

[[noreturn]] void usage(const char *problem)
{
    if (problem)
        std::fprintf(stderr, "sonark-play: %s\n", problem);
    std::fprintf(stderr,
                 "usage: sonark-play [--output NAME] [--volume 0-100] [--balance 0-100] [--channels 0-3]\n"
                 "                   [--pitch 1-2000] [--seek SECONDS] FILE-OR-ADDRESS...\n"
                 "  NAME: /dev/wave/0 (default), /dev/dsound/0 (with pitch) or wav:FILE\n"
                 "  channels: 0 stereo, 1 mono left, 2 mono right, 3 mix\n"
                 "  A .m3u or .m3u8 playlist stands for the songs it names.\n");
    std::exit(2);
}

int number(const char *text, int low, int high, const char *what)
{
    char *end = nullptr;
    const long value = std::strtol(text, &end, 10);
    if (!*text || *end || value < low || value > high)
        usage((std::string(what) + " must be a number from " + std::to_string(low) + " to " + std::to_string(high)).c_str());
    return static_cast<int>(value);
}

bool isPlaylist(const std::string &name)
{
    const QString lower = QString::fromStdString(name).toLower();
    return lower.endsWith(".m3u") || lower.endsWith(".m3u8");
}

// Lines naming songs; relative names are taken from the playlist's folder.
void addPlaylist(const std::string &path, std::vector<std::string> &inputs)
{
    QFile file(QString::fromStdString(path));
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) {
        std::fprintf(stderr, "sonark-play: cannot read %s: %s\n", path.c_str(), qPrintable(file.errorString()));
        return;
    }
    const QString folder = QFileInfo(file).absolutePath() + "/";
    while (!file.atEnd()) {
        const QString line = QString::fromUtf8(file.readLine()).trimmed();
        if (line.isEmpty() || line.startsWith('#'))
            continue;
        const bool absolute = line.startsWith('/') || line.contains("://") || line.startsWith("www.", Qt::CaseInsensitive);
        inputs.push_back((absolute ? line : folder + line).toStdString());
    }
}

// Converting a song into itself would destroy it before it is read. The
// same device and inode mean the same file, whatever the names.
void refuseToOverwrite(const std::string &output, const std::string &input)
{
    std::error_code error;
    if (std::filesystem::equivalent(output, input, error)) {
        std::fprintf(stderr, "sonark-play: the output %s is the input %s itself\n", output.c_str(), input.c_str());
        std::exit(2);
    }
}

Options parse(const QStringList &args)
{
    Options o;
    for (int i = 1; i < args.size(); ++i) {
        const std::string arg = args[i].toStdString();
        auto value = [&]() -> std::string {
            if (++i >= args.size())
                usage((arg + " needs a value").c_str());
            return args[i].toStdString();
        };
        if (arg == "--output")
            o.output = value();
        else if (arg == "--volume")
            o.volume = number(value().c_str(), 0, 100, "--volume");
        else if (arg == "--balance")
            o.balance = number(value().c_str(), 0, 100, "--balance");
        else if (arg == "--channels")
            o.channels = number(value().c_str(), 0, 3, "--channels");
        else if (arg == "--pitch")
            o.pitch = number(value().c_str(), 1, 2000, "--pitch");
        else if (arg == "--seek")
            o.seek = number(value().c_str(), 0, 24 * 3600, "--seek");
        else if (arg == "--help" || arg == "-h")
            usage(nullptr);
        else if (arg.starts_with("--"))
            usage(("unknown option " + arg).c_str());
        else if (isPlaylist(arg))
            addPlaylist(arg, o.inputs);
        else
            o.inputs.push_back(arg);
    }
    if (o.inputs.empty())
        usage("no input given");
    if (o.output && o.output->starts_with("wav:")) {
        if (o.inputs.size() > 1)
            usage("a wav: output takes exactly one input");
        refuseToOverwrite(o.output->substr(4), o.inputs.front());
    }
    return o;
}

std::string describe(const SK_Message &m)
{
    auto text = [&](int i) { return std::string(m.text[i] ? m.text[i] : ""); };
    const auto &d = m.data;
    char line[512];
    switch (m.code) {
    case SK_NOTIFY_ACK:
        std::snprintf(line, sizeof line, "command=%d", d.ack.command);
        break;
    case SK_NOTIFY_NACK:
        std::snprintf(line, sizeof line, "command=%d code=%d %s", d.ack.command, d.ack.code, sonark_error_string(d.ack.code));
        break;
    case SK_NOTIFY_PLAYER_STATE:
        std::snprintf(line, sizeof line, "state=%d", d.bytes[0]);
        break;
    case SK_NOTIFY_PLAYER_ENVIRONMENT_INTEGER:
        std::snprintf(line, sizeof line, "%s=%d", text(0).c_str(), d.environment.value);
        break;
    case SK_NOTIFY_PLAYER_ENVIRONMENT_STRING:
        std::snprintf(line, sizeof line, "%s=%s", text(0).c_str(), text(1).c_str());
        break;
    case SK_NOTIFY_INPUT_NAME:
    case SK_NOTIFY_OUTPUT_NAME:
        std::snprintf(line, sizeof line, "%s", text(0).c_str());
        break;
    case SK_NOTIFY_INPUT_TIMECODE:
        std::snprintf(line, sizeof line, "%d:%02d:%02d.%02d", d.timecode.hours, d.timecode.minutes, d.timecode.seconds,
                      d.timecode.fractions);
        break;
    case SK_NOTIFY_INPUT_DURATION:
        std::snprintf(line, sizeof line, "seconds=%d", d.value);
        break;
    case SK_NOTIFY_INPUT_STREAM_INFO:
        std::snprintf(line, sizeof line, "level=%d layer=%d bitrate=%d frequency=%d mode=%d", d.stream_info.level,
                      d.stream_info.layer, d.stream_info.bitrate, d.stream_info.frequency, d.stream_info.mode);
        break;
    case SK_NOTIFY_OUTPUT_VOLUME:
        std::snprintf(line, sizeof line, "master=%d pcm=%d balance=%d", d.volume.master, d.volume.pcm, d.volume.balance);
        break;
    case SK_NOTIFY_INPUT_MODULE_INFO:
    case SK_NOTIFY_OUTPUT_MODULE_INFO:
        std::snprintf(line, sizeof line, "id=%d %s: %s", d.module_info.id, text(0).c_str(), text(1).c_str());
        break;
    case SK_NOTIFY_ERROR:
        std::snprintf(line, sizeof line, "source=%d code=%d %s", d.error.source, d.error.code, text(0).c_str());
        break;
    case SK_NOTIFY_PROGRESS:
        std::snprintf(line, sizeof line, "source=%d code=%d value=%d %s", d.progress.source, d.progress.code,
                      d.progress.value, text(0).c_str());
        break;
    default:
        std::snprintf(line, sizeof line, "value=%d", d.value);
        break;
    }
    return line;
}

class CommandLinePlayer {
public:
    explicit CommandLinePlayer(Options options)
        : options_(std::move(options)), window_([this](const platform::WindowMessage &m) { receive(m); })
    {
        const SK_WindowHandle handle = window_.handle();
        if (player_new(&player_, &handle) != SK_SUCCESS) {
            std::fprintf(stderr, "sonark-play: cannot start the player\n");
            std::exit(1);
        }
        if (options_.output)
            control_message_send_S(player_, SK_SET_OUTPUT_NAME, options_.output->c_str());
        if (options_.volume || options_.balance)
            control_message_send_III(player_, SK_SET_OUTPUT_VOLUME, options_.balance.value_or(255),
                                     options_.volume.value_or(255), 255);
        if (options_.channels)
            control_message_send_I(player_, SK_SET_OUTPUT_CHANNELS, *options_.channels);
        if (options_.pitch)
            control_message_send_SI(player_, SK_SET_PLAYER_ENVIRONMENT_INTEGER, "OUTPUT.DIRECTSOUND.PITCH", *options_.pitch);
        openNext();
    }

    ~CommandLinePlayer() { player_delete(player_); }

    void interrupt() { control_message_send_N(player_, SK_EXIT); }

private:
    void openNext()
    {
        playing_ = false;
        duration_ = 0;
        if (next_ >= options_.inputs.size()) {
            control_message_send_N(player_, SK_EXIT);
            return;
        }
        control_message_send_S(player_, SK_INPUT_OPEN, options_.inputs[next_++].c_str());
    }

    void receive(const platform::WindowMessage &wm)
    {
        SK_Message m;
        if (control_win32_params_to_message(player_, &m, wm.msg, wm.wParam, wm.lParam) != SK_SUCCESS)
            return;
        const char *name = m.code >= 64 && m.code <= 106 ? eventNames[m.code - 64] : "Unknown";
        std::printf("%d %s %s\n", m.code, name, describe(m).c_str());
        std::fflush(stdout);

        switch (m.code) {
        case SK_NOTIFY_INPUT_DURATION:
            duration_ = m.data.value;
            break;
        case SK_NOTIFY_ACK:
            if (m.data.ack.command == SK_INPUT_OPEN) {
                if (options_.seek && duration_ > 0)
                    control_message_send_II(player_, SK_INPUT_SEEK, static_cast<int32_t>(*options_.seek), duration_);
                control_message_send_N(player_, SK_PLAY);
            }
            break;
        case SK_NOTIFY_NACK:
            if (m.data.ack.command == SK_INPUT_OPEN)
                openNext();
            break;
        case SK_NOTIFY_PLAYER_STATE:
            if (m.data.bytes[0] == SK_STATE_PLAYING)
                playing_ = true;
            else if (m.data.bytes[0] == SK_STATE_EOF || (m.data.bytes[0] == SK_STATE_STOPPED && playing_))
                openNext();
            break;
        case SK_NOTIFY_ERROR:
            std::fprintf(stderr, "sonark-play: %s\n", m.text[0] ? m.text[0] : sonark_error_string(m.data.error.code));
            failed_ = true;
            break;
        case SK_NOTIFY_EXITED:
            QCoreApplication::exit(failed_ ? 1 : 0);
            break;
        default:
            break;
        }
    }

    Options options_;
    platform::MessageWindow window_;
    SK_Player player_ = 0;
    std::size_t next_ = 0;
    int32_t duration_ = 0;
    bool playing_ = false;
    bool failed_ = false;
};

}  // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    CommandLinePlayer player(parse(app.arguments()));

    std::signal(SIGINT, [](int) { interrupted = true; });
    std::signal(SIGTERM, [](int) { interrupted = true; });
    QTimer watch;
    QObject::connect(&watch, &QTimer::timeout, [&] {
        if (interrupted.exchange(false))
            player.interrupt();
    });
    watch.start(100);
    return app.exec();
}
