#pragma once

// The CD audio device: one drive (a real drive or a .cue/.bin/.toc image),
// with the operations a player needs: table of contents, TMSF/MSF positions,
// play/pause/stop/seek/eject. Audio is read digitally on a thread of its own
// and played through the engine's output; every query answers from state
// that thread keeps, so nothing here blocks the GUI thread.
//
// A disc image stands in for a drive: while its file is missing the door is
// open (mode Open); when the file appears the disc is inserted. An image
// whose tracks are all data is a data disc: play() leaves it Stopped.
// Ejecting an image opens the door until the image file changes (written
// again, replaced, removed and made anew) or the device is closed and opened
// again.
//
// Track lengths are true lengths (the last one ends at the lead-out), so
// start + length of the last track is the lead-out itself.
//
// Positions outside the disc (a track that does not exist, an address past
// the lead-out) are refused: seek() then changes nothing. Playback ends at
// the end of the last audio track, skipping data tracks; there the mode
// becomes Stopped at that end position, and play() starts over from the
// first track.

#include "cd_time.h"
#include "table_of_contents.h"

#include <QObject>
#include <QString>
#include <cstdint>
#include <memory>

namespace cd {

struct DeviceChannel;
class ExtractionThread;

class CdDevice : public QObject {
    Q_OBJECT
public:
    enum class Mode { NotReady, Stopped, Playing, Paused, Open };
    Q_ENUM(Mode)
    enum class TimeFormat { Tmsf, Msf };

    // `device` empty: LUDRO_CD_DEVICE, else libcdio's default drive.
    explicit CdDevice(QString device = {}, QObject *parent = nullptr);
    ~CdDevice() override;

    QString deviceName() const;  // as resolved by open()
    bool open();                 // false when the drive cannot be used at all (busy, no such device)
    void close();
    bool isOpen() const;

    // Positions are packed as the time format says (see cd_time.h).
    void setTimeFormat(TimeFormat format);
    TimeFormat timeFormat() const;
    void play();                       // from the current position or a start set by seek()
    void playFrom(uint32_t position);  // seek, then play
    void pause();
    void stop();
    void seekToStart();
    void seek(uint32_t position);
    void eject();

    Mode mode() const;
    int trackCount() const;
    uint32_t position() const;
    uint32_t trackPosition(int track) const;  // start of track (1-based)
    uint32_t trackLength(int track) const;    // MSF-packed length (minutes, seconds, frames)
    TableOfContents tableOfContents() const;  // empty when no disc

signals:
    // Emitted on the device's own thread (the one that created it).
    void modeChanged(cd::CdDevice::Mode mode);

private:
    void seekFrame(long frame);
    long frameOf(uint32_t position) const;  // -1 outside the disc; under the channel's lock
    void notifyMode();

    QString device_;
    QString resolved_;
    TimeFormat format_ = TimeFormat::Tmsf;
    Mode lastNotified_ = Mode::NotReady;
    std::unique_ptr<DeviceChannel> channel_;
    std::unique_ptr<ExtractionThread> thread_;
};

}  // namespace cd
