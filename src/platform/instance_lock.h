#pragma once

// One running player per user: a lock file in the user's runtime folder that
// the kernel releases when the process ends, so a crashed player never
// blocks the next start.

#include <QString>

namespace platform {

class InstanceLock {
public:
    explicit InstanceLock(const QString &name);
    ~InstanceLock();
    InstanceLock(const InstanceLock &) = delete;
    InstanceLock &operator=(const InstanceLock &) = delete;

    // False when another process holds it.
    bool acquire();

private:
    QString path_;
    int fd_ = -1;
};

// $XDG_RUNTIME_DIR, else the temporary folder, with a trailing "/".
QString runtimeFolder();

}  // namespace platform
