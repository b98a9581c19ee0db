#pragma once

// The disc's tracks as the transport the main window drives in CD mode.

#include "cd/cd_controller.h"
#include "core/transport.h"

class DiscTransport : public Transport {
public:
    explicit DiscTransport(cd::CdController &disc) : disc_(disc) {}

    int state() const override { return disc_.playerState(); }
    bool canPlay() const override { return disc_.trackCount() > 0; }
    bool canGoNext() const override { return canPlay(); }
    bool canGoPrevious() const override { return canPlay(); }
    bool canSeek() const override { return state() != 0 && disc_.trackLengthSeconds() > 0; }
    double positionSeconds() const override { return disc_.trackSecondsPlayed(); }
    double lengthSeconds() const override { return disc_.trackLengthSeconds(); }
    NowPlaying nowPlaying() const override;

    void play() override { disc_.playPause(); }
    void pause() override { disc_.playPause(); }
    void stop() override { disc_.stop(); }
    void next() override { disc_.next(); }
    void previous() override { disc_.previous(); }
    void forward() override { disc_.forward10(); }
    void back() override { disc_.back10(); }
    void stepForward() override { disc_.forward10(); }
    void stepBack() override { disc_.back10(); }
    void seekToKnob(int offset, int width) override { disc_.seekToBar(offset, width); }
    void load() override { disc_.eject(); }
    void playNumber(int number) override { disc_.setPendingTrack(number - 1); }
    void first() override { disc_.setPendingTrack(0); }
    void last() override { disc_.setPendingTrack(disc_.trackCount() - 1); }
    void close() override { disc_.close(); }

private:
    cd::CdController &disc_;
};
