#pragma once

// One running player per user: a lock file in a folder only the user can
// reach, which the kernel releases when the process ends, so a crashed player
// never blocks the next start and no other user can take the lock first.

#include <QString>

namespace platform {

// The name of the player's lock and command socket.
inline const QString playerInstanceName = QStringLiteral("ludro-pro");

class InstanceLock {
public:
    enum Outcome { Acquired, HeldByAnother, NoSafePlace };

    explicit InstanceLock(const QString &name);
    ~InstanceLock();
    InstanceLock(const InstanceLock &) = delete;
    InstanceLock &operator=(const InstanceLock &) = delete;

    // NoSafePlace, with the reason in error(), when no private folder can be
    // had or the lock file cannot be opened: the caller must not run as if
    // it held the lock.
    Outcome acquire();
    QString error() const { return error_; }

    // Whether any process holds the lock `name`, without taking it.
    static bool isHeld(const QString &name);

private:
    QString name_;
    QString error_;
    int fd_ = -1;
};

// The folder of the lock and the command socket, with a trailing "/":
// $XDG_RUNTIME_DIR when it is a folder of the user's, else the private
// folder "ludro-pro-<uid>" in the temporary folder, made with mode 0700.
// Empty, with the reason in *error, when that folder is a symbolic link, not
// a folder, someone else's, or open to others.
QString runtimeFolder(QString *error = nullptr);

// runtimeFolder() + name + "-<uid>" + suffix; empty when there is no safe folder.
QString runtimePath(const QString &name, const QString &suffix, QString *error = nullptr);

}  // namespace platform
