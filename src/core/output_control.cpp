#include "output_control.h"

#include <utility>

OutputControl::OutputControl(TSonarkPlayer &player, bool directSound, int playMode)
    : player_(player), directSound_(directSound), playMode_(playMode)
{
    sendDevice();
}

void OutputControl::sendDevice()
{
    player_.SetOutputName(directSound_ ? "/dev/dsound/0" : "/dev/wave/0");
}

void OutputControl::requestDevice(bool directSound)
{
    directSound_ = directSound;
    outputChanged_ = true;
}

void OutputControl::requestChannels(int playMode)
{
    playMode_ = playMode;
    channelsChanged_ = true;
}

void OutputControl::applyRequests()
{
    if (std::exchange(outputChanged_, false))
        sendDevice();
    if (std::exchange(channelsChanged_, false))
        player_.SetOutputChannels(static_cast<uint8_t>(playMode_));
}
