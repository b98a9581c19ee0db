#pragma once

// What a desktop media-player service needs of the player: its state as
// plain values and the commands it accepts. The program implements it over
// its controllers; the service in this folder only speaks the bus.

#include <QString>
#include <QStringList>

namespace shell {

struct MediaTrack {
    // The file's path or the stream's address; empty when nothing is loaded.
    QString location;
    // The entry's place in the list or the disc, so the same file twice
    // counts as two tracks.
    int number = -1;
    QString title;
    QStringList artists;
    QString album;
    qint64 lengthUs = 0;

    bool operator==(const MediaTrack &) const = default;
};

struct MediaState {
    enum class Status { Stopped, Playing, Paused };
    Status status = Status::Stopped;
    bool repeat = false;
    bool shuffle = false;
    double volume = 0;  // 0 ... 1
    bool canPlay = false;
    bool canGoNext = false;
    bool canGoPrevious = false;
    bool canSeek = false;
    MediaTrack track;
};

class MediaPlayer {
public:
    virtual ~MediaPlayer() = default;

    virtual MediaState state() const = 0;
    virtual qint64 positionUs() const = 0;

    virtual void play() = 0;
    virtual void pause() = 0;
    virtual void playPause() = 0;
    virtual void stop() = 0;
    virtual void next() = 0;
    virtual void previous() = 0;
    // Within 0 ... the track's length.
    virtual void seekTo(qint64 us) = 0;
    // Within 0 ... 1.
    virtual void setVolume(double volume) = 0;
    virtual void setRepeat(bool on) = 0;
    virtual void setShuffle(bool on) = 0;
    // A local file's path or a stream's address.
    virtual void open(const QString &location) = 0;
    virtual void raise() = 0;
    virtual void quit() = 0;
};

}  // namespace shell
