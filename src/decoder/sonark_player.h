#pragma once

// The player component: owns one engine player, turns each method call into
// one control message and each notification into a typed event. Events run
// on the GUI thread in the order the engine posted them.

#include "platform/dialogs.h"
#include "platform/window_messages.h"
#include "sonark.h"

#include <QObject>
#include <QString>

#include <cstdint>
#include <functional>
#include <memory>

class TSonarkPlayer : public QObject {
public:
    using ApiVersion = std::function<uint32_t(int32_t)>;

    // Shows "Sonark DLL API Mismatch" for an engine of another version and
    // "Cannot Start Sonark Player" when no player can be made; it is created
    // all the same.
    TSonarkPlayer(QObject *owner, platform::Dialogs &dialogs, ApiVersion apiVersion = sonark_get_api_version);
    ~TSonarkPlayer() override;

    QString ErrorString(int32_t code) const;
    uint32_t Priority() const;
    void SetPriority(uint32_t priority);

    int Exit();
    int Ping(int32_t tag);
    int Play();
    int Pause();
    int Stop();
    int InputSeek(int32_t offset, int32_t range);
    int InputOpen(const QString &name);
    int InputClose();
    int InputSendMessage(uint16_t type, const void *data, int32_t size);
    int InputAddFilter(const QString &name, int32_t where);
    int InputRemoveFilter(const QString &name, int32_t where);
    int InputFilterList();
    int InputModuleRegister(const QString &name);
    int InputModuleQuery(int32_t id);
    int InputModulesList();
    int OutputOpen(const QString &name);
    int OutputClose();
    int OutputSendMessage(uint16_t type, const void *data, int32_t size);
    int OutputMute();
    int OutputUnmute();
    int OutputReset();
    int OutputDrain();
    int OutputAddFilter(const QString &name, int32_t where);
    int OutputRemoveFilter(const QString &name, int32_t where);
    int OutputFilterList();
    int OutputModuleRegister(const QString &name);
    int OutputModuleQuery(int32_t id);
    int OutputModulesList();
    int SetPlayerMode(int32_t mode);
    int GetPlayerMode();
    int SetPlayerEnvironmentInteger(const QString &name, int32_t value);
    int GetPlayerEnvironmentInteger(const QString &name);
    int SetPlayerEnvironmentString(const QString &name, const QString &value);
    int GetPlayerEnvironmentString(const QString &name);
    int UnsetPlayerEnvironment(const QString &name);
    int SetInputName(const QString &name);
    int GetInputName();
    int SetInputModule(int32_t id);
    int GetInputModule();
    int SetInputPositionRange(int32_t range);
    int GetInputPositionRange();
    int SetInputTimecodeGranularity(int32_t granularity);
    int GetInputTimecodeGranularity();
    int SetOutputName(const QString &name);
    int GetOutputName();
    int SetOutputModule(int32_t id);
    int GetOutputModule();
    int SetOutputVolume(uint8_t balance, uint8_t pcmLevel, uint8_t masterLevel);
    int GetOutputVolume();
    int SetOutputChannels(uint8_t channels);
    int GetOutputChannels();
    int SetOutputPorts(int32_t ports);
    int GetOutputPorts();
    int SetCodecQuality(uint8_t quality);
    int GetCodecQuality();
    int SetCodecEqualizer(const SK_EqualizerInfo *equalizer);
    int GetCodecEqualizer();
    int SetNotificationMask(int32_t mask);
    int GetNotificationMask();
    int SetDebugLevel(int32_t level);
    int GetDebugLevel();

    template <typename... Args>
    using Event = std::function<void(TSonarkPlayer *sender, Args...)>;

    Event<SK_Message &> OnNotifyMessage;
    Event<> OnNotifyReady;
    Event<uint8_t /*command*/> OnNotifyAck;
    Event<uint8_t /*command*/, int16_t /*code*/> OnNotifyNack;
    Event<int32_t /*tag*/> OnNotifyPong;
    Event<> OnNotifyExited;
    Event<int /*state*/> OnNotifyPlayerState;
    Event<int32_t /*mode*/> OnNotifyPlayerMode;
    Event<const QString & /*name*/, int32_t /*value*/> OnNotifyPlayerEnvironmentInteger;
    Event<const QString & /*name*/, const QString & /*value*/> OnNotifyPlayerEnvironmentString;
    Event<uint8_t /*state*/> OnNotifyInputState;
    Event<const QString & /*name*/> OnNotifyInputName;
    Event<int32_t /*caps*/> OnNotifyInputCaps;
    Event<int32_t /*offset*/, int32_t /*range*/> OnNotifyInputPosition;
    Event<int32_t /*range*/> OnNotifyInputPositionRange;
    Event<uint8_t /*hours*/, uint8_t /*minutes*/, uint8_t /*seconds*/, uint8_t /*fractions*/> OnNotifyInputTimecode;
    Event<int32_t /*granularity*/> OnNotifyInputTimecodeGranularity;
    Event<int32_t /*seconds*/> OnNotifyInputDuration;
    Event<uint8_t /*level*/, uint8_t /*layer*/, uint16_t /*bitrate*/, uint16_t /*frequency*/, uint8_t /*mode*/>
        OnNotifyInputStreamInfo;
    Event<int16_t /*id*/> OnNotifyInputModule;
    Event<uint8_t /*id*/, uint8_t /*devices*/, const QString & /*name*/, const QString & /*description*/>
        OnNotifyInputModuleInfo;
    Event<uint8_t /*module*/, uint8_t /*index*/, uint8_t /*flags*/, const QString & /*name*/,
          const QString & /*description*/>
        OnNotifyInputDeviceInfo;
    Event<uint8_t /*id*/, const QString & /*name*/> OnNotifyInputFilterInfo;
    Event<uint8_t /*state*/> OnNotifyOutputState;
    Event<const QString & /*name*/> OnNotifyOutputName;
    Event<int32_t /*caps*/> OnNotifyOutputCaps;
    Event<uint8_t /*master*/, uint8_t /*pcm*/, uint8_t /*balance*/> OnNotifyOutputVolume;
    Event<uint8_t /*balance*/> OnNotifyOutputBalance;
    Event<uint8_t /*pcm*/> OnNotifyOutputPcmLevel;
    Event<uint8_t /*master*/> OnNotifyOutputMasterLevel;
    Event<uint8_t /*channels*/> OnNotifyOutputChannels;
    Event<uint32_t /*ports*/> OnNotifyOutputPorts;
    Event<int16_t /*id*/> OnNotifyOutputModule;
    Event<uint8_t /*id*/, uint8_t /*devices*/, const QString & /*name*/, const QString & /*description*/>
        OnNotifyOutputModuleInfo;
    Event<uint8_t /*module*/, uint8_t /*index*/, uint8_t /*flags*/, const QString & /*name*/,
          const QString & /*description*/>
        OnNotifyOutputDeviceInfo;
    Event<uint8_t /*id*/, const QString & /*name*/> OnNotifyOutputFilterInfo;
    Event<uint8_t /*quality*/> OnNotifyCodecQuality;
    Event<SK_EqualizerInfo &> OnNotifyCodecEqualizer;
    Event<int32_t /*mask*/> OnNotifyNotificationMask;
    Event<uint8_t /*level*/> OnNotifyDebugLevel;
    Event<uint8_t /*source*/, uint8_t /*code*/, int16_t /*value*/, const QString & /*message*/> OnNotifyProgress;
    Event<uint8_t /*source*/, uint8_t /*level*/, const QString & /*message*/> OnNotifyDebug;
    Event<uint8_t /*source*/, int16_t /*code*/, const QString & /*message*/> OnNotifyError;

    // The handle of the hidden window that receives the notifications.
    platform::WindowHandle notificationWindow() const { return window_->handle(); }

private:
    void dispatch(const platform::WindowMessage &message);
    void dispatchEvent(SK_Message &m);

    SK_Player player_ = 0;
    std::unique_ptr<platform::MessageWindow> window_;
};

// The three-line text of the version mismatch box, or empty when the engine
// reports version 3.2.
QString apiMismatchText(uint32_t version);
