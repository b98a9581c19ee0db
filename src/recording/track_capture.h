#pragma once

// Records one track from a real input line while the CD device plays it,
// in real time: from the track's start until the device reaches the first
// sector of the next track or stops, and never longer than the track's
// length + 5 s.

#include "cd/table_of_contents.h"
#include "recording/wave_recorder.h"

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>

namespace cd {
class CdDevice;
}

namespace recording {

class TrackCapture : public QObject {
    Q_OBJECT

public:
    TrackCapture(cd::CdDevice &device, const cd::CdTrack &track, QObject *parent = nullptr);
    // Stops the device and the recording; closes a device it opened.
    ~TrackCapture() override;

    // False with `error` set when the device or the input cannot be used.
    bool start(const QString &wavPath, QString &error);
    long sectorsPlayed() const { return played_; }

signals:
    void progressed();
    // The file is complete when `ok`.
    void done(bool ok, const QString &error);

private:
    void tick();
    long playedFrame() const;

    cd::CdDevice &device_;
    cd::CdTrack track_;
    WaveRecorder recorder_;
    QTimer timer_;
    QElapsedTimer clock_;
    long played_ = 0;
    bool openedHere_ = false, seenPlaying_ = false;
};

}  // namespace recording
