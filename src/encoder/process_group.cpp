#include "encoder/process_group.h"

#include <cerrno>
#include <csignal>
#include <ctime>

#include <fcntl.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

namespace encoder {
namespace {

// A forked copy of this process: only async-signal-safe calls from here on.
[[noreturn]] void runWatchdog(pid_t group, int wake, std::chrono::milliseconds grace)
{
    struct sigaction ignore {};
    ignore.sa_handler = SIG_IGN;
    for (int signal : {SIGTERM, SIGINT, SIGHUP, SIGPIPE})
        sigaction(signal, &ignore, nullptr);
    if (setpgid(0, group) != 0)
        _exit(1);  // nothing is left of the group
    // Nothing of this process stays open in it but the pipe.
    if (wake > 0)
        close_range(0, static_cast<unsigned>(wake) - 1, 0);
    close_range(static_cast<unsigned>(wake) + 1, ~0U, 0);
    for (;;) {
        char byte = 0;
        const ssize_t got = read(wake, &byte, 1);
        if (got == 0 || (got < 0 && errno != EINTR))
            break;
    }
    kill(-group, SIGTERM);
    timespec rest{static_cast<time_t>(grace.count() / 1000), static_cast<long>(grace.count() % 1000 * 1000000)};
    while (nanosleep(&rest, &rest) != 0 && errno == EINTR) {
    }
    kill(-group, SIGKILL);
    _exit(0);
}

}  // namespace

ProcessGroup::~ProcessGroup()
{
    end();
}

void ProcessGroup::childSetup(pid_t parent)
{
    setpgid(0, 0);
    prctl(PR_SET_PDEATHSIG, SIGTERM);
    if (getppid() != parent)  // it died before the kernel was asked
        _exit(127);
}

bool ProcessGroup::watch(pid_t leader, std::chrono::milliseconds grace)
{
    end();
    // Parent and child both make the group, so it exists whoever runs first.
    setpgid(leader, leader);
    int wake[2];
    if (pipe2(wake, O_CLOEXEC) != 0)
        return false;
    // The watchdog is a grandchild: init reaps it, nobody here waits for it.
    // Its parent puts it into the group before ending, so it is a member
    // once that parent is gone.
    const pid_t middle = fork();
    if (middle == 0) {
        const pid_t watchdog = fork();
        if (watchdog == 0)
            runWatchdog(leader, wake[0], grace);
        _exit(watchdog > 0 && setpgid(watchdog, leader) == 0 ? 0 : 1);
    }
    close(wake[0]);
    int status = 0;
    while (middle > 0 && waitpid(middle, &status, 0) < 0 && errno == EINTR) {
    }
    if (middle < 0 || !WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        close(wake[1]);
        return false;
    }
    group_ = leader;
    pipe_ = wake[1];
    return true;
}

void ProcessGroup::signal(int signal) const
{
    if (group_ > 0)
        kill(-group_, signal);
}

void ProcessGroup::end()
{
    signal(SIGKILL);
    if (pipe_ >= 0)
        close(pipe_);
    group_ = 0;
    pipe_ = -1;
}

}  // namespace encoder
