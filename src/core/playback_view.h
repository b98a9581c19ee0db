#pragma once

// What the playback controller shows: the main window implements this, tests
// record it.

#include <QString>

class PlaybackView {
public:
    virtual ~PlaybackView() = default;

    virtual void showTitle(const QString &text) = 0;           // the title text
    virtual void showScrollingTitle(const QString &text) = 0;  // the scrolling title line
    virtual void showTime(const QString &text) = 0;            // "m:ss" elapsed, or "-m:ss" remaining
    virtual void showDuration(const QString &text) = 0;        // "(m:ss)"
    virtual void showChannelMode(const QString &text) = 0;     // "Mono" or "Stereo"
    virtual void showStreamNumbers(int kbps, int hertz) = 0;   // the stream's bit rate and sample rate
    virtual void showPosition(double fraction) = 0;            // 0 at the start ... 1 at the end
    virtual void showPlayState(int state) = 0;                 // 0 stopped, 1 playing, 2 paused
    virtual void showRepeat(bool on) = 0;
    virtual void showShuffle(bool on) = 0;
    virtual void setApplicationTitle(const QString &text) = 0;
    virtual void setStayOnTop(bool on) = 0;
    virtual void focusPlaylistEntry(int index) = 0;  // focus mark and scroll, in the playlist window
    virtual void closeMainWindow() = 0;
};

// Shows nothing: what is told while another has the displays.
class HiddenView : public PlaybackView {
public:
    void showTitle(const QString &) override {}
    void showScrollingTitle(const QString &) override {}
    void showTime(const QString &) override {}
    void showDuration(const QString &) override {}
    void showChannelMode(const QString &) override {}
    void showStreamNumbers(int, int) override {}
    void showPosition(double) override {}
    void showPlayState(int) override {}
    void showRepeat(bool) override {}
    void showShuffle(bool) override {}
    void setApplicationTitle(const QString &) override {}
    void setStayOnTop(bool) override {}
    void focusPlaylistEntry(int) override {}
    void closeMainWindow() override {}
};
