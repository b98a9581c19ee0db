#pragma once

// The process group of an external program and of whatever it starts, so
// that nothing of a job outlives it: not a wrapper script's real encoder,
// not when the job is cancelled, and not when this process is killed.
//
// The program leads a group of its own (childSetup(), run in the child
// before exec) and the kernel sends it SIGTERM when this process dies. A
// watchdog process joins the group and waits on a pipe only this process
// writes to: when the pipe closes without end() (this process died), it
// sends the group SIGTERM, then SIGKILL after the grace, itself included.
// While the watchdog lives, the group's id cannot pass to another group,
// so signalling it never reaches a stranger.

#include <chrono>

#include <sys/types.h>

namespace encoder {

class ProcessGroup {
public:
    ProcessGroup() = default;
    ~ProcessGroup();  // end()
    ProcessGroup(const ProcessGroup &) = delete;
    ProcessGroup &operator=(const ProcessGroup &) = delete;

    // In the child between fork and exec (async-signal-safe): a group of
    // its own, SIGTERM when `parent`, the process that started it, dies.
    static void childSetup(pid_t parent);

    // Watches the group `leader` (a child started with childSetup()) leads;
    // false when no watchdog could be started: the group is then left alone.
    bool watch(pid_t leader, std::chrono::milliseconds grace);
    // Sends `signal` to every member of a watched group.
    void signal(int signal) const;
    // Kills whatever is left of the group, the watchdog with it.
    void end();

private:
    pid_t group_ = 0;
    int pipe_ = -1;  // write end; the watchdog holds the read end
};

}  // namespace encoder
