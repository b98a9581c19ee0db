#include "instance_lock.h"

#include <QDir>

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace platform {

QString runtimeFolder()
{
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    const QString folder = !runtime.isEmpty() && QDir(runtime).exists() ? runtime : QDir::tempPath();
    return folder.endsWith('/') ? folder : folder + '/';
}

InstanceLock::InstanceLock(const QString &name)
    : path_(runtimeFolder() + name + '-' + QString::number(getuid()) + ".lock")
{
}

InstanceLock::~InstanceLock()
{
    if (fd_ >= 0)
        ::close(fd_);
}

bool InstanceLock::acquire()
{
    if (fd_ >= 0)
        return true;
    const int fd = ::open(QFile::encodeName(path_).constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (fd < 0)
        return true;  // nowhere to keep a lock: do not stand in the user's way
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        ::close(fd);
        return false;
    }
    fd_ = fd;
    return true;
}

}  // namespace platform
