#pragma once

// CD positions packed into 32 bits, byte 0 first:
// TMSF = track, minutes, seconds, frames (relative to the track's start);
// MSF  = minutes, seconds, frames (absolute disc address, 75 frames a second,
//        track 1 of a normal disc starts at 00:02.00 = frame 150).

#include <cstdint>

namespace cd {

constexpr int framesPerSecond = 75;

constexpr uint32_t packTmsf(int track, int minutes, int seconds, int frames)
{
    return (static_cast<uint32_t>(track) & 0xff) | (static_cast<uint32_t>(minutes) & 0xff) << 8 |
           (static_cast<uint32_t>(seconds) & 0xff) << 16 | (static_cast<uint32_t>(frames) & 0xff) << 24;
}
constexpr int tmsfTrack(uint32_t tmsf)
{
    return static_cast<int>(tmsf & 0xff);
}
constexpr int tmsfMinutes(uint32_t tmsf)
{
    return static_cast<int>(tmsf >> 8 & 0xff);
}
constexpr int tmsfSeconds(uint32_t tmsf)
{
    return static_cast<int>(tmsf >> 16 & 0xff);
}
constexpr int tmsfFrames(uint32_t tmsf)
{
    return static_cast<int>(tmsf >> 24 & 0xff);
}

constexpr uint32_t packMsf(int minutes, int seconds, int frames)
{
    return (static_cast<uint32_t>(minutes) & 0xff) | (static_cast<uint32_t>(seconds) & 0xff) << 8 |
           (static_cast<uint32_t>(frames) & 0xff) << 16;
}
constexpr int msfMinutes(uint32_t msf)
{
    return static_cast<int>(msf & 0xff);
}
constexpr int msfSeconds(uint32_t msf)
{
    return static_cast<int>(msf >> 8 & 0xff);
}
constexpr int msfFrames(uint32_t msf)
{
    return static_cast<int>(msf >> 16 & 0xff);
}

// absolute frames -> MSF (also turns a length in frames into a packed length)
constexpr uint32_t msfFromFrames(int64_t frames)
{
    if (frames < 0)
        frames = 0;
    const int64_t seconds = frames / framesPerSecond;
    return packMsf(static_cast<int>(seconds / 60), static_cast<int>(seconds % 60),
                   static_cast<int>(frames % framesPerSecond));
}
constexpr int64_t framesFromMsf(uint32_t msf)
{
    return (int64_t{msfMinutes(msf)} * 60 + msfSeconds(msf)) * framesPerSecond + msfFrames(msf);
}

}  // namespace cd
