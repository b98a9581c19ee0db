#pragma once

// The recorder's input lines: first the virtual line "CD Digital Audio",
// the CD device's own audio read straight from the disc, then the capture
// elements of the ALSA simple mixer of the capture device
// (LUDRO_ALSA_CAPTURE, default "default"). Without a sound card only the
// virtual line is there.

#include <QString>
#include <QStringList>

namespace recording {

QString cdDigitalAudio();
QString captureDevice();
QStringList inputLines();

// The recording volume of an input line, 0 … 100. False, with the mixer's
// error text, when the line has no volume (the virtual line) or the mixer
// cannot be reached.
bool captureVolume(const QString &line, int &percent, QString &error);
bool setCaptureVolume(const QString &line, int percent, QString &error);

}  // namespace recording
