#pragma once

// What passes between a CdDevice and its extraction thread: commands one
// way, the drive's state the other, both under one mutex that is never held
// across a read or a write.

#include "cd_device.h"

#include <condition_variable>
#include <deque>
#include <mutex>

namespace cd {

struct DeviceCommand {
    enum class Kind { Play, Resume, Pause, Stop, Seek, Eject, Quit };
    Kind kind;
    long frame = 0;  // Play and Seek: absolute
};

struct DeviceState {
    CdDevice::Mode mode = CdDevice::Mode::NotReady;
    TableOfContents toc;
    long frame = 0;  // absolute: what is being heard, or where playback starts
};

struct DeviceChannel {
    std::mutex mutex;
    std::condition_variable wake;
    std::deque<DeviceCommand> commands;
    // The device answers queries from this and changes it at once for the
    // commands it sends, so it reads as the thread will make it; the thread
    // replaces it only when no command is pending.
    DeviceState state;
};

}  // namespace cd
