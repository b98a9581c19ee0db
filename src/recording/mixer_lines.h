#pragma once

// The recorder's input lines: first the virtual line "CD Digital Audio",
// the CD device's own audio read straight from the disc, then the capture
// elements of the ALSA simple mixer of the capture device
// (LUDRO_ALSA_CAPTURE, default "default"). Without a sound card only the
// virtual line is there.

#include <QObject>
#include <QString>
#include <QStringList>

#include <memory>
#include <vector>

class QSocketNotifier;

namespace recording {

QString cdDigitalAudio();
QString captureDevice();
QStringList inputLines();

// The recording volume of an input line, 0 … 100. False, with the mixer's
// error text, when the line has no volume (the virtual line) or the mixer
// cannot be reached.
bool captureVolume(const QString &line, int &percent, QString &error);
bool setCaptureVolume(const QString &line, int percent, QString &error);

// Tells when a control of the capture device's mixer changed, by this
// program or another (a desktop mixer, a volume key), from ALSA's mixer
// events. Without a mixer it never tells.
class MixerWatch : public QObject {
    Q_OBJECT

public:
    explicit MixerWatch(QObject *parent = nullptr);
    ~MixerWatch() override;

signals:
    void changed();

private:
    void handleEvents();

    struct Mixer;
    std::unique_ptr<Mixer> mixer_;
    std::vector<std::unique_ptr<QSocketNotifier>> notifiers_;
};

}  // namespace recording
