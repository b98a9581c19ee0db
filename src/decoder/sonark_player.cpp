#include "sonark_player.h"

#include <QMetaMethod>

#include <algorithm>
#include <cstring>

namespace {

QString text(const SK_Message &m, int field)
{
    return m.text[field] ? QString::fromUtf8(m.text[field]) : QString();
}

uint8_t byteAt(const SK_Message &m, int offset)
{
    return m.data.bytes[offset - 4];
}

int16_t int16At(const SK_Message &m, int offset)
{
    int16_t v;
    std::memcpy(&v, &m.data.bytes[offset - 4], sizeof v);
    return v;
}

int32_t int32At(const SK_Message &m, int offset)
{
    int32_t v;
    std::memcpy(&v, &m.data.bytes[offset - 4], sizeof v);
    return v;
}

}  // namespace

QString apiMismatchText(uint32_t version)
{
    const uint32_t major = (version >> 16) & 0xFF, minor = (version >> 8) & 0xFF;
    if (major == SK_API_VERSION_MAJOR && minor == SK_API_VERSION_MINOR)
        return {};
    return QStringLiteral("Sonark DLL API Mismatch\rExpected %1,%2\rGot %3,%4")
        .arg(SK_API_VERSION_MAJOR)
        .arg(SK_API_VERSION_MINOR)
        .arg(major)
        .arg(minor);
}

TSonarkPlayer::TSonarkPlayer(QObject *owner, platform::Dialogs &dialogs, ApiVersion apiVersion) : QObject(owner)
{
    const QString mismatch = apiMismatchText(apiVersion(2));
    if (!mismatch.isEmpty())
        dialogs.error(mismatch);
    window_ = std::make_unique<platform::MessageWindow>([this](const platform::WindowMessage &m) { dispatch(m); });
    const SK_WindowHandle handle = window_->handle();
    if (player_new(&player_, &handle) != SK_SUCCESS)
        dialogs.error(QStringLiteral("Cannot Start Sonark Player"));
}

TSonarkPlayer::~TSonarkPlayer()
{
    player_delete(player_);
}

QString TSonarkPlayer::ErrorString(int32_t code) const
{
    return QString::fromUtf8(sonark_error_string(code));
}

uint32_t TSonarkPlayer::Priority() const
{
    return player_get_priority(player_);
}

int TSonarkPlayer::ReadPcm(int16_t *stereo, int frames) const
{
    return std::max(0, player_read_pcm(player_, stereo, frames));
}

void TSonarkPlayer::SetPriority(uint32_t priority)
{
    player_set_priority(player_, priority);
}

void TSonarkPlayer::dispatch(const platform::WindowMessage &message)
{
    SK_Message m;
    if (control_win32_params_to_message(player_, &m, message.msg, message.wParam, message.lParam) != SK_SUCCESS)
        return;
    emit OnNotifyMessage(this, m);
    dispatchEvent(m);
}

// Each event unpacks its fields (and converts its texts) only when someone
// listens to it.
void TSonarkPlayer::dispatchEvent(SK_Message &m)
{
    auto call = [this](auto signal, auto &&...args) {
        if (isSignalConnected(QMetaMethod::fromSignal(signal)))
            emit(this->*signal)(this, args()...);
    };
    auto b = [&m](int offset) { return [&m, offset] { return byteAt(m, offset); }; };
    auto s16 = [&m](int offset) { return [&m, offset] { return int16At(m, offset); }; };
    auto s32 = [&m](int offset) { return [&m, offset] { return int32At(m, offset); }; };
    auto str = [&m](int field) { return [&m, field] { return text(m, field); }; };

    switch (m.code) {
    case SK_NOTIFY_READY: call(&TSonarkPlayer::OnNotifyReady); break;
    case SK_NOTIFY_ACK: call(&TSonarkPlayer::OnNotifyAck, b(4)); break;
    case SK_NOTIFY_NACK: call(&TSonarkPlayer::OnNotifyNack, b(4), s16(6)); break;
    case SK_NOTIFY_PONG: call(&TSonarkPlayer::OnNotifyPong, s32(4)); break;
    case SK_NOTIFY_EXITED: call(&TSonarkPlayer::OnNotifyExited); break;
    case SK_NOTIFY_PLAYER_STATE: call(&TSonarkPlayer::OnNotifyPlayerState, [&] { return static_cast<int>(byteAt(m, 4)); }); break;
    case SK_NOTIFY_PLAYER_MODE: call(&TSonarkPlayer::OnNotifyPlayerMode, s32(4)); break;
    case SK_NOTIFY_PLAYER_ENVIRONMENT_INTEGER: call(&TSonarkPlayer::OnNotifyPlayerEnvironmentInteger, str(0), s32(8)); break;
    case SK_NOTIFY_PLAYER_ENVIRONMENT_STRING: call(&TSonarkPlayer::OnNotifyPlayerEnvironmentString, str(0), str(1)); break;
    case SK_NOTIFY_INPUT_STATE: call(&TSonarkPlayer::OnNotifyInputState, b(4)); break;
    case SK_NOTIFY_INPUT_NAME: call(&TSonarkPlayer::OnNotifyInputName, str(0)); break;
    case SK_NOTIFY_INPUT_CAPS: call(&TSonarkPlayer::OnNotifyInputCaps, s32(4)); break;
    case SK_NOTIFY_INPUT_POSITION: call(&TSonarkPlayer::OnNotifyInputPosition, s32(4), s32(8)); break;
    case SK_NOTIFY_INPUT_POSITION_RANGE: call(&TSonarkPlayer::OnNotifyInputPositionRange, s32(4)); break;
    case SK_NOTIFY_INPUT_TIMECODE: call(&TSonarkPlayer::OnNotifyInputTimecode, b(4), b(5), b(6), b(7)); break;
    case SK_NOTIFY_INPUT_TIMECODE_GRANULARITY: call(&TSonarkPlayer::OnNotifyInputTimecodeGranularity, s32(4)); break;
    case SK_NOTIFY_INPUT_DURATION: call(&TSonarkPlayer::OnNotifyInputDuration, s32(4)); break;
    case SK_NOTIFY_INPUT_STREAM_INFO:
        call(&TSonarkPlayer::OnNotifyInputStreamInfo, b(4), b(5), [&] { return static_cast<uint16_t>(int16At(m, 6)); },
             [&] { return static_cast<uint16_t>(int16At(m, 8)); }, b(10));
        break;
    case SK_NOTIFY_INPUT_MODULE: call(&TSonarkPlayer::OnNotifyInputModule, s16(4)); break;
    case SK_NOTIFY_INPUT_MODULE_INFO: call(&TSonarkPlayer::OnNotifyInputModuleInfo, b(4), b(5), str(0), str(1)); break;
    case SK_NOTIFY_INPUT_DEVICE_INFO: call(&TSonarkPlayer::OnNotifyInputDeviceInfo, b(4), b(5), b(6), str(0), str(1)); break;
    case SK_NOTIFY_INPUT_FILTER_INFO: call(&TSonarkPlayer::OnNotifyInputFilterInfo, b(8), str(0)); break;
    case SK_NOTIFY_OUTPUT_STATE: call(&TSonarkPlayer::OnNotifyOutputState, b(4)); break;
    case SK_NOTIFY_OUTPUT_NAME: call(&TSonarkPlayer::OnNotifyOutputName, str(0)); break;
    case SK_NOTIFY_OUTPUT_CAPS: call(&TSonarkPlayer::OnNotifyOutputCaps, s32(4)); break;
    case SK_NOTIFY_OUTPUT_VOLUME: call(&TSonarkPlayer::OnNotifyOutputVolume, b(4), b(5), b(6)); break;
    case SK_NOTIFY_OUTPUT_BALANCE: call(&TSonarkPlayer::OnNotifyOutputBalance, b(6)); break;
    case SK_NOTIFY_OUTPUT_PCM_LEVEL: call(&TSonarkPlayer::OnNotifyOutputPcmLevel, b(5)); break;
    case SK_NOTIFY_OUTPUT_MASTER_LEVEL: call(&TSonarkPlayer::OnNotifyOutputMasterLevel, b(4)); break;
    case SK_NOTIFY_OUTPUT_CHANNELS: call(&TSonarkPlayer::OnNotifyOutputChannels, b(4)); break;
    case SK_NOTIFY_OUTPUT_PORTS: call(&TSonarkPlayer::OnNotifyOutputPorts, [&] { return static_cast<uint32_t>(byteAt(m, 4)); }); break;
    case SK_NOTIFY_OUTPUT_MODULE: call(&TSonarkPlayer::OnNotifyOutputModule, s16(4)); break;
    case SK_NOTIFY_OUTPUT_MODULE_INFO: call(&TSonarkPlayer::OnNotifyOutputModuleInfo, b(4), b(5), str(0), str(1)); break;
    case SK_NOTIFY_OUTPUT_DEVICE_INFO: call(&TSonarkPlayer::OnNotifyOutputDeviceInfo, b(4), b(5), b(6), str(0), str(1)); break;
    case SK_NOTIFY_OUTPUT_FILTER_INFO: call(&TSonarkPlayer::OnNotifyOutputFilterInfo, b(8), str(0)); break;
    case SK_NOTIFY_CODEC_QUALITY: call(&TSonarkPlayer::OnNotifyCodecQuality, b(4)); break;
    case SK_NOTIFY_CODEC_EQUALIZER:
        if (m.equalizer) {
            SK_EqualizerInfo equalizer = *m.equalizer;
            emit OnNotifyCodecEqualizer(this, equalizer);
        }
        break;
    case SK_NOTIFY_NOTIFICATION_MASK: call(&TSonarkPlayer::OnNotifyNotificationMask, s32(4)); break;
    case SK_NOTIFY_DEBUG_LEVEL: call(&TSonarkPlayer::OnNotifyDebugLevel, b(4)); break;
    case SK_NOTIFY_PROGRESS: call(&TSonarkPlayer::OnNotifyProgress, b(4), b(5), s16(6), str(0)); break;
    case SK_NOTIFY_DEBUG: call(&TSonarkPlayer::OnNotifyDebug, b(4), b(5), str(0)); break;
    case SK_NOTIFY_ERROR: call(&TSonarkPlayer::OnNotifyError, b(4), s16(6), str(0)); break;
    default: break;
    }
}

int TSonarkPlayer::Exit()
{
    return control_message_send_N(player_, SK_EXIT);
}

int TSonarkPlayer::Ping(int32_t tag)
{
    return control_message_send_I(player_, SK_PING, tag);
}

int TSonarkPlayer::Play()
{
    return control_message_send_N(player_, SK_PLAY);
}

int TSonarkPlayer::Pause()
{
    return control_message_send_N(player_, SK_PAUSE);
}

int TSonarkPlayer::Stop()
{
    return control_message_send_N(player_, SK_STOP);
}

int TSonarkPlayer::InputSeek(int32_t offset, int32_t range)
{
    return control_message_send_II(player_, SK_INPUT_SEEK, offset, range);
}

int TSonarkPlayer::InputOpen(const QString &name)
{
    return control_message_send_S(player_, SK_INPUT_OPEN, name.toUtf8().constData());
}

int TSonarkPlayer::InputClose()
{
    return control_message_send_N(player_, SK_INPUT_CLOSE);
}

int TSonarkPlayer::InputSendMessage(uint16_t type, const void *data, int32_t size)
{
    return control_message_send_IPI(player_, SK_INPUT_SEND_MESSAGE, type, data, size);
}

int TSonarkPlayer::InputAddFilter(const QString &name, int32_t where)
{
    return control_message_send_SI(player_, SK_INPUT_ADD_FILTER, name.toUtf8().constData(), where);
}

int TSonarkPlayer::InputRemoveFilter(const QString &name, int32_t where)
{
    return control_message_send_SI(player_, SK_INPUT_REMOVE_FILTER, name.toUtf8().constData(), where);
}

int TSonarkPlayer::InputFilterList()
{
    return control_message_send_N(player_, SK_INPUT_FILTER_LIST);
}

int TSonarkPlayer::InputModuleRegister(const QString &name)
{
    return control_message_send_S(player_, SK_INPUT_MODULE_REGISTER, name.toUtf8().constData());
}

int TSonarkPlayer::InputModuleQuery(int32_t id)
{
    return control_message_send_I(player_, SK_INPUT_MODULE_QUERY, id);
}

int TSonarkPlayer::InputModulesList()
{
    return control_message_send_N(player_, SK_INPUT_MODULES_LIST);
}

int TSonarkPlayer::OutputOpen(const QString &name)
{
    return control_message_send_S(player_, SK_OUTPUT_OPEN, name.toUtf8().constData());
}

int TSonarkPlayer::OutputClose()
{
    return control_message_send_N(player_, SK_OUTPUT_CLOSE);
}

int TSonarkPlayer::OutputSendMessage(uint16_t type, const void *data, int32_t size)
{
    return control_message_send_IPI(player_, SK_OUTPUT_SEND_MESSAGE, type, data, size);
}

int TSonarkPlayer::OutputMute()
{
    return control_message_send_N(player_, SK_OUTPUT_MUTE);
}

int TSonarkPlayer::OutputUnmute()
{
    return control_message_send_N(player_, SK_OUTPUT_UNMUTE);
}

int TSonarkPlayer::OutputReset()
{
    return control_message_send_N(player_, SK_OUTPUT_RESET);
}

int TSonarkPlayer::OutputDrain()
{
    return control_message_send_N(player_, SK_OUTPUT_DRAIN);
}

int TSonarkPlayer::OutputAddFilter(const QString &name, int32_t where)
{
    return control_message_send_SI(player_, SK_OUTPUT_ADD_FILTER, name.toUtf8().constData(), where);
}

int TSonarkPlayer::OutputRemoveFilter(const QString &name, int32_t where)
{
    return control_message_send_SI(player_, SK_OUTPUT_REMOVE_FILTER, name.toUtf8().constData(), where);
}

int TSonarkPlayer::OutputFilterList()
{
    return control_message_send_N(player_, SK_OUTPUT_FILTER_LIST);
}

int TSonarkPlayer::OutputModuleRegister(const QString &name)
{
    return control_message_send_S(player_, SK_OUTPUT_MODULE_REGISTER, name.toUtf8().constData());
}

int TSonarkPlayer::OutputModuleQuery(int32_t id)
{
    return control_message_send_I(player_, SK_OUTPUT_MODULE_QUERY, id);
}

int TSonarkPlayer::OutputModulesList()
{
    return control_message_send_N(player_, SK_OUTPUT_MODULES_LIST);
}

int TSonarkPlayer::SetPlayerMode(int32_t mode)
{
    return control_message_send_I(player_, SK_SET_PLAYER_MODE, mode);
}

int TSonarkPlayer::GetPlayerMode()
{
    return control_message_send_N(player_, SK_GET_PLAYER_MODE);
}

int TSonarkPlayer::SetPlayerEnvironmentInteger(const QString &name, int32_t value)
{
    return control_message_send_SI(player_, SK_SET_PLAYER_ENVIRONMENT_INTEGER, name.toUtf8().constData(), value);
}

int TSonarkPlayer::GetPlayerEnvironmentInteger(const QString &name)
{
    return control_message_send_S(player_, SK_GET_PLAYER_ENVIRONMENT_INTEGER, name.toUtf8().constData());
}

int TSonarkPlayer::SetPlayerEnvironmentString(const QString &name, const QString &value)
{
    return control_message_send_SS(player_, SK_SET_PLAYER_ENVIRONMENT_STRING, name.toUtf8().constData(), value.toUtf8().constData());
}

int TSonarkPlayer::GetPlayerEnvironmentString(const QString &name)
{
    return control_message_send_S(player_, SK_GET_PLAYER_ENVIRONMENT_STRING, name.toUtf8().constData());
}

int TSonarkPlayer::UnsetPlayerEnvironment(const QString &name)
{
    return control_message_send_S(player_, SK_UNSET_PLAYER_ENVIRONMENT, name.toUtf8().constData());
}

int TSonarkPlayer::SetInputName(const QString &name)
{
    return control_message_send_S(player_, SK_SET_INPUT_NAME, name.toUtf8().constData());
}

int TSonarkPlayer::GetInputName()
{
    return control_message_send_N(player_, SK_GET_INPUT_NAME);
}

int TSonarkPlayer::SetInputModule(int32_t id)
{
    return control_message_send_I(player_, SK_SET_INPUT_MODULE, id);
}

int TSonarkPlayer::GetInputModule()
{
    return control_message_send_N(player_, SK_GET_INPUT_MODULE);
}

int TSonarkPlayer::SetInputPositionRange(int32_t range)
{
    return control_message_send_I(player_, SK_SET_INPUT_POSITION_RANGE, range);
}

int TSonarkPlayer::GetInputPositionRange()
{
    return control_message_send_N(player_, SK_GET_INPUT_POSITION_RANGE);
}

int TSonarkPlayer::SetInputTimecodeGranularity(int32_t granularity)
{
    return control_message_send_I(player_, SK_SET_INPUT_TIMECODE_GRANULARITY, granularity);
}

int TSonarkPlayer::GetInputTimecodeGranularity()
{
    return control_message_send_N(player_, SK_GET_INPUT_TIMECODE_GRANULARITY);
}

int TSonarkPlayer::SetOutputName(const QString &name)
{
    return control_message_send_S(player_, SK_SET_OUTPUT_NAME, name.toUtf8().constData());
}

int TSonarkPlayer::GetOutputName()
{
    return control_message_send_N(player_, SK_GET_OUTPUT_NAME);
}

int TSonarkPlayer::SetOutputModule(int32_t id)
{
    return control_message_send_I(player_, SK_SET_OUTPUT_MODULE, id);
}

int TSonarkPlayer::GetOutputModule()
{
    return control_message_send_N(player_, SK_GET_OUTPUT_MODULE);
}

int TSonarkPlayer::SetOutputVolume(uint8_t balance, uint8_t pcmLevel, uint8_t masterLevel)
{
    return control_message_send_III(player_, SK_SET_OUTPUT_VOLUME, balance, pcmLevel, masterLevel);
}

int TSonarkPlayer::GetOutputVolume()
{
    return control_message_send_N(player_, SK_GET_OUTPUT_VOLUME);
}

int TSonarkPlayer::SetOutputChannels(uint8_t channels)
{
    return control_message_send_I(player_, SK_SET_OUTPUT_CHANNELS, channels);
}

int TSonarkPlayer::GetOutputChannels()
{
    return control_message_send_N(player_, SK_GET_OUTPUT_CHANNELS);
}

int TSonarkPlayer::SetOutputPorts(int32_t ports)
{
    return control_message_send_I(player_, SK_SET_OUTPUT_PORTS, ports);
}

int TSonarkPlayer::GetOutputPorts()
{
    return control_message_send_N(player_, SK_GET_OUTPUT_PORTS);
}

int TSonarkPlayer::SetCodecQuality(uint8_t quality)
{
    return control_message_send_I(player_, SK_SET_CODEC_QUALITY, quality);
}

int TSonarkPlayer::GetCodecQuality()
{
    return control_message_send_N(player_, SK_GET_CODEC_QUALITY);
}

int TSonarkPlayer::SetCodecEqualizer(const SK_EqualizerInfo *equalizer)
{
    return control_message_send_P(player_, SK_SET_CODEC_EQUALIZER, equalizer);
}

int TSonarkPlayer::GetCodecEqualizer()
{
    return control_message_send_N(player_, SK_GET_CODEC_EQUALIZER);
}

int TSonarkPlayer::SetNotificationMask(int32_t mask)
{
    return control_message_send_I(player_, SK_SET_NOTIFICATION_MASK, mask);
}

int TSonarkPlayer::GetNotificationMask()
{
    return control_message_send_N(player_, SK_GET_NOTIFICATION_MASK);
}

int TSonarkPlayer::SetDebugLevel(int32_t level)
{
    return control_message_send_I(player_, SK_SET_DEBUG_LEVEL, level);
}

int TSonarkPlayer::GetDebugLevel()
{
    return control_message_send_N(player_, SK_GET_DEBUG_LEVEL);
}
