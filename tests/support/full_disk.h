#pragma once

// While it lives, files of this process cannot grow past a few bytes: every
// write beyond fails as on a full disk (EFBIG instead of ENOSPC).

#include <csignal>

#include <sys/resource.h>

class FullDisk {
public:
    explicit FullDisk(rlim_t bytes = 16)
    {
        getrlimit(RLIMIT_FSIZE, &saved_);
        oldHandler_ = std::signal(SIGXFSZ, SIG_IGN);
        rlimit limit = saved_;
        limit.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FullDisk()
    {
        setrlimit(RLIMIT_FSIZE, &saved_);
        std::signal(SIGXFSZ, oldHandler_);
    }
    FullDisk(const FullDisk &) = delete;
    FullDisk &operator=(const FullDisk &) = delete;

private:
    rlimit saved_{};
    void (*oldHandler_)(int) = nullptr;
};
