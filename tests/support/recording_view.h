#pragma once

// Remembers what the playback controller showed last.

#include "core/playback_view.h"

#include <utility>
#include <vector>

class RecordingView : public PlaybackView {
public:
    void showTitle(const QString &text) override { title = text; }
    void showScrollingTitle(const QString &text) override { scrollingTitle = text; }
    void showTime(const QString &text) override { time = text; }
    void showDuration(const QString &text) override { duration = text; }
    void showChannelMode(const QString &text) override { channelMode = text; }
    void showStreamNumbers(int kbps, int hertz) override { streamNumbers = {kbps, hertz}; }
    void showPosition(double f) override { position = f; }
    void showPlayState(int state) override { states.push_back(state); }
    void showRepeat(bool on) override { repeat = on; }
    void showShuffle(bool on) override { shuffle = on; }
    void setApplicationTitle(const QString &text) override { applicationTitle = text; }
    void setStayOnTop(bool) override {}
    void focusPlaylistEntry(int) override {}
    void closeMainWindow() override {}

    QString title, scrollingTitle, time, duration, channelMode, applicationTitle;
    double position = 0;
    std::pair<int, int> streamNumbers;
    std::vector<int> states;
    bool repeat = false, shuffle = false;
};
