#pragma once

// The output device and the channel mode: the preferences window asks for a
// change, Timer1 applies it to the engine without stopping the song.

#include "decoder/sonark_player.h"

class OutputControl {
public:
    // The device from `directSound` at once; the channel mode at the first tick.
    OutputControl(TSonarkPlayer &player, bool directSound, int playMode);

    bool directSound() const { return directSound_; }
    int playMode() const { return playMode_; }
    void requestDevice(bool directSound);
    // 0 stereo, 1 mono left, 2 mono right, 3 mix.
    void requestChannels(int playMode);
    // Timer1's share.
    void applyRequests();

private:
    void sendDevice();

    TSonarkPlayer &player_;
    bool directSound_;
    int playMode_;
    bool outputChanged_ = false;
    bool channelsChanged_ = true;
};
