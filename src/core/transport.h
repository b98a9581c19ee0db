#pragma once

// What the main window's transport drives: the playlist's songs or the
// disc's tracks. The buttons, the menu, the commands of the table and the
// media-player bridge reach whichever plays through this one interface;
// the playback controller chooses it.

#include <QString>
#include <QStringList>

// What plays, as a media player tells it.
struct NowPlaying {
    QString location;  // a file's path, a stream's address or "cdda://N"
    int number = -1;   // its place in the list or on the disc, from 0
    QString title;
    QStringList artists;
    QString album;
    double lengthSeconds = 0;
};

class Transport {
public:
    virtual ~Transport() = default;

    virtual int state() const = 0;  // 0 stopped, 1 playing, 2 paused
    virtual bool canPlay() const = 0;
    virtual bool canGoNext() const = 0;
    virtual bool canGoPrevious() const = 0;
    virtual bool canSeek() const = 0;
    virtual double positionSeconds() const = 0;
    virtual double lengthSeconds() const = 0;
    // Nothing loaded: an empty location.
    virtual NowPlaying nowPlaying() const = 0;

    // The Play button: starts, or pauses what plays.
    virtual void play() = 0;
    // Pauses, or resumes what is paused.
    virtual void pause() = 0;
    virtual void stop() = 0;
    virtual void next() = 0;
    virtual void previous() = 0;
    // Ten seconds on or back.
    virtual void forward() = 0;
    virtual void back() = 0;
    // The keys' small step: five seconds in a song; a disc steps as its
    // buttons do.
    virtual void stepForward() = 0;
    virtual void stepBack() = 0;
    // The position knob let go at `offset` pixels of a `width` pixel track.
    virtual void seekToKnob(int offset, int width) = 0;
    // The load button: the open dialog, or the disc's door.
    virtual void load() = 0;
    // The entry or track numbered from 1, the first or the last, plays at
    // the next tick.
    virtual void playNumber(int number) = 0;
    virtual void first() = 0;
    virtual void last() = 0;
    // The main window closes.
    virtual void close() = 0;
};
