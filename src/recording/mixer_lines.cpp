#include "recording/mixer_lines.h"

#include "sonark/audio_output.h"

#include <alsa/asoundlib.h>

#include <QSocketNotifier>

#include <cmath>
#include <memory>
#include <poll.h>

namespace recording {
namespace {

using MixerHandle = std::unique_ptr<snd_mixer_t, int (*)(snd_mixer_t *)>;

// The simple mixer of the capture device; null without one.
MixerHandle openMixer()
{
    sonark::silenceAlsaMessages();
    snd_mixer_t *handle = nullptr;
    if (snd_mixer_open(&handle, 0) != 0)
        return {nullptr, snd_mixer_close};
    MixerHandle mixer(handle, snd_mixer_close);
    if (snd_mixer_attach(handle, captureDevice().toLocal8Bit().constData()) != 0 ||
        snd_mixer_selem_register(handle, nullptr, nullptr) != 0 || snd_mixer_load(handle) != 0)
        return {nullptr, snd_mixer_close};
    return mixer;
}

bool isInput(snd_mixer_elem_t *e)
{
    return snd_mixer_selem_is_active(e) && (snd_mixer_selem_has_capture_volume(e) || snd_mixer_selem_has_capture_switch(e));
}

snd_mixer_elem_t *volumeOf(snd_mixer_t *mixer, const QString &line)
{
    for (snd_mixer_elem_t *e = mixer ? snd_mixer_first_elem(mixer) : nullptr; e; e = snd_mixer_elem_next(e))
        if (isInput(e) && snd_mixer_selem_has_capture_volume(e) &&
            QString::fromLocal8Bit(snd_mixer_selem_get_name(e)) == line)
            return e;
    return nullptr;
}

}  // namespace

QString cdDigitalAudio()
{
    return QStringLiteral("CD Digital Audio");
}

QString captureDevice()
{
    const QString device = qEnvironmentVariable("LUDRO_ALSA_CAPTURE");
    return device.isEmpty() ? QStringLiteral("default") : device;
}

QStringList inputLines()
{
    QStringList lines{cdDigitalAudio()};
    const MixerHandle mixer = openMixer();
    for (snd_mixer_elem_t *e = mixer ? snd_mixer_first_elem(mixer.get()) : nullptr; e; e = snd_mixer_elem_next(e))
        if (isInput(e))
            lines << QString::fromLocal8Bit(snd_mixer_selem_get_name(e));
    return lines;
}

bool captureVolume(const QString &line, int &percent, QString &error)
{
    const MixerHandle mixer = openMixer();
    snd_mixer_elem_t *e = volumeOf(mixer.get(), line);
    long low = 0, high = 0, value = 0;
    if (!e || snd_mixer_selem_get_capture_volume_range(e, &low, &high) != 0 || high <= low ||
        snd_mixer_selem_get_capture_volume(e, SND_MIXER_SCHN_FRONT_LEFT, &value) != 0) {
        error = QStringLiteral("Volume GetControlError in Mixer");
        return false;
    }
    percent = static_cast<int>(std::lround(double(value - low) * 100 / double(high - low)));
    return true;
}

bool setCaptureVolume(const QString &line, int percent, QString &error)
{
    const MixerHandle mixer = openMixer();
    snd_mixer_elem_t *e = volumeOf(mixer.get(), line);
    long low = 0, high = 0;
    if (!e || snd_mixer_selem_get_capture_volume_range(e, &low, &high) != 0 ||
        snd_mixer_selem_set_capture_volume_all(e, low + std::lround(double(high - low) * percent / 100)) != 0) {
        error = QStringLiteral("Volume SetControlError in Mixer");
        return false;
    }
    return true;
}

struct MixerWatch::Mixer {
    MixerHandle handle = openMixer();
};

MixerWatch::MixerWatch(QObject *parent) : QObject(parent), mixer_(std::make_unique<Mixer>())
{
    snd_mixer_t *handle = mixer_->handle.get();
    const int count = handle ? snd_mixer_poll_descriptors_count(handle) : 0;
    if (count <= 0)
        return;
    std::vector<pollfd> fds(static_cast<std::size_t>(count));
    if (snd_mixer_poll_descriptors(handle, fds.data(), static_cast<unsigned>(count)) <= 0)
        return;
    for (const pollfd &fd : fds) {
        const auto type = fd.events & POLLOUT ? QSocketNotifier::Write : QSocketNotifier::Read;
        auto notifier = std::make_unique<QSocketNotifier>(fd.fd, type);
        connect(notifier.get(), &QSocketNotifier::activated, this, &MixerWatch::handleEvents);
        notifiers_.push_back(std::move(notifier));
    }
}

MixerWatch::~MixerWatch() = default;

void MixerWatch::handleEvents()
{
    if (snd_mixer_handle_events(mixer_->handle.get()) > 0)
        emit changed();
}

}  // namespace recording
