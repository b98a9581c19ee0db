#pragma once

// The player component: owns one engine player, turns each method call into
// one control message and each notification into a typed event. Events run
// on the GUI thread in the order the engine posted them.

#include "platform/dialogs.h"
#include "platform/window_messages.h"
#include "sonark/sonark.h"

#include <QObject>
#include <QString>

#include <cstdint>
#include <functional>
#include <memory>

class TSonarkPlayer : public QObject {
    Q_OBJECT

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
    // The stereo frames heard now, for a visualizer; how many were copied.
    int ReadPcm(int16_t *stereo, int frames) const;

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

signals:
    // The engine's notifications, on the GUI thread in the order they were
    // posted; any number of listeners may connect.
    void OnNotifyMessage(TSonarkPlayer *sender, SK_Message &message);
    void OnNotifyReady(TSonarkPlayer *sender);
    void OnNotifyAck(TSonarkPlayer *sender, uint8_t command);
    void OnNotifyNack(TSonarkPlayer *sender, uint8_t command, int16_t code);
    void OnNotifyPong(TSonarkPlayer *sender, int32_t tag);
    void OnNotifyExited(TSonarkPlayer *sender);
    void OnNotifyPlayerState(TSonarkPlayer *sender, int state);
    void OnNotifyPlayerMode(TSonarkPlayer *sender, int32_t mode);
    void OnNotifyPlayerEnvironmentInteger(TSonarkPlayer *sender, const QString &name, int32_t value);
    void OnNotifyPlayerEnvironmentString(TSonarkPlayer *sender, const QString &name, const QString &value);
    void OnNotifyInputState(TSonarkPlayer *sender, uint8_t state);
    void OnNotifyInputName(TSonarkPlayer *sender, const QString &name);
    void OnNotifyInputCaps(TSonarkPlayer *sender, int32_t caps);
    void OnNotifyInputPosition(TSonarkPlayer *sender, int32_t offset, int32_t range);
    void OnNotifyInputPositionRange(TSonarkPlayer *sender, int32_t range);
    void OnNotifyInputTimecode(TSonarkPlayer *sender, uint8_t hours, uint8_t minutes, uint8_t seconds,
        uint8_t fractions);
    void OnNotifyInputTimecodeGranularity(TSonarkPlayer *sender, int32_t granularity);
    void OnNotifyInputDuration(TSonarkPlayer *sender, int32_t seconds);
    void OnNotifyInputStreamInfo(TSonarkPlayer *sender, uint8_t level, uint8_t layer, uint16_t bitrate,
        uint16_t frequency, uint8_t mode);
    void OnNotifyInputModule(TSonarkPlayer *sender, int16_t id);
    void OnNotifyInputModuleInfo(TSonarkPlayer *sender, uint8_t id, uint8_t devices, const QString &name,
        const QString &description);
    void OnNotifyInputDeviceInfo(TSonarkPlayer *sender, uint8_t module, uint8_t index, uint8_t flags,
        const QString &name, const QString &description);
    void OnNotifyInputFilterInfo(TSonarkPlayer *sender, uint8_t id, const QString &name);
    void OnNotifyOutputState(TSonarkPlayer *sender, uint8_t state);
    void OnNotifyOutputName(TSonarkPlayer *sender, const QString &name);
    void OnNotifyOutputCaps(TSonarkPlayer *sender, int32_t caps);
    void OnNotifyOutputVolume(TSonarkPlayer *sender, uint8_t master, uint8_t pcm, uint8_t balance);
    void OnNotifyOutputBalance(TSonarkPlayer *sender, uint8_t balance);
    void OnNotifyOutputPcmLevel(TSonarkPlayer *sender, uint8_t pcm);
    void OnNotifyOutputMasterLevel(TSonarkPlayer *sender, uint8_t master);
    void OnNotifyOutputChannels(TSonarkPlayer *sender, uint8_t channels);
    void OnNotifyOutputPorts(TSonarkPlayer *sender, uint32_t ports);
    void OnNotifyOutputModule(TSonarkPlayer *sender, int16_t id);
    void OnNotifyOutputModuleInfo(TSonarkPlayer *sender, uint8_t id, uint8_t devices, const QString &name,
        const QString &description);
    void OnNotifyOutputDeviceInfo(TSonarkPlayer *sender, uint8_t module, uint8_t index, uint8_t flags,
        const QString &name, const QString &description);
    void OnNotifyOutputFilterInfo(TSonarkPlayer *sender, uint8_t id, const QString &name);
    void OnNotifyCodecQuality(TSonarkPlayer *sender, uint8_t quality);
    void OnNotifyCodecEqualizer(TSonarkPlayer *sender, SK_EqualizerInfo &equalizer);
    void OnNotifyNotificationMask(TSonarkPlayer *sender, int32_t mask);
    void OnNotifyDebugLevel(TSonarkPlayer *sender, uint8_t level);
    void OnNotifyProgress(TSonarkPlayer *sender, uint8_t source, uint8_t code, int16_t value, const QString &message);
    void OnNotifyDebug(TSonarkPlayer *sender, uint8_t source, uint8_t level, const QString &message);
    void OnNotifyError(TSonarkPlayer *sender, uint8_t source, int16_t code, const QString &message);

public:
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
