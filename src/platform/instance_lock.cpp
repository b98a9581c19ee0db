#include "instance_lock.h"

#include <QDir>
#include <QFile>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {
namespace {

bool ownFolder(const QString &path)
{
    struct stat st {};
    return ::stat(QFile::encodeName(path).constData(), &st) == 0 && S_ISDIR(st.st_mode) && st.st_uid == ::getuid();
}

// In the shared temporary folder anyone may have put something under our
// name first, so what is there is checked without following a link.
QString privateFolder(QString *error)
{
    const QString folder = QDir::tempPath() + '/' + playerInstanceName + '-' + QString::number(::getuid());
    const QByteArray native = QFile::encodeName(folder);
    if (::mkdir(native.constData(), 0700) == 0)
        ::chmod(native.constData(), 0700);  // whatever the umask
    struct stat st {};
    QString problem;
    if (::lstat(native.constData(), &st) != 0)
        problem = QString::fromLocal8Bit(std::strerror(errno));
    else if (S_ISLNK(st.st_mode))
        problem = QStringLiteral("is a symbolic link");
    else if (!S_ISDIR(st.st_mode))
        problem = QStringLiteral("is not a folder");
    else if (st.st_uid != ::getuid())
        problem = QStringLiteral("belongs to another user");
    else if ((st.st_mode & 0777) != 0700)
        problem = QStringLiteral("can be reached by other users (mode %1, not 700)").arg(st.st_mode & 0777, 0, 8);
    if (problem.isEmpty())
        return folder + '/';
    if (error)
        *error = folder + ": " + problem;
    return {};
}

struct flock wholeFile()
{
    struct flock whole {};
    whole.l_type = F_WRLCK;
    whole.l_whence = SEEK_SET;
    return whole;
}

}  // namespace

QString runtimeFolder(QString *error)
{
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (!runtime.isEmpty() && ownFolder(runtime))
        return runtime.endsWith('/') ? runtime : runtime + '/';
    return privateFolder(error);
}

QString runtimePath(const QString &name, const QString &suffix, QString *error)
{
    const QString folder = runtimeFolder(error);
    return folder.isEmpty() ? QString() : folder + name + '-' + QString::number(::getuid()) + suffix;
}

InstanceLock::InstanceLock(const QString &name) : name_(name) {}

InstanceLock::~InstanceLock()
{
    if (fd_ >= 0)
        ::close(fd_);
}

// Open-file-description locks: released when the holder ends, and a test of
// the lock from the same process (isHeld) does not release it.
InstanceLock::Outcome InstanceLock::acquire()
{
    if (fd_ >= 0)
        return Acquired;
    const QString path = runtimePath(name_, QStringLiteral(".lock"), &error_);
    if (path.isEmpty())
        return NoSafePlace;
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
    if (fd < 0) {
        error_ = path + ": " + QString::fromLocal8Bit(std::strerror(errno));
        return NoSafePlace;
    }
    struct flock whole = wholeFile();
    if (::fcntl(fd, F_OFD_SETLK, &whole) != 0) {
        const int reason = errno;
        ::close(fd);
        if (reason == EAGAIN || reason == EACCES)
            return HeldByAnother;
        error_ = path + ": " + QString::fromLocal8Bit(std::strerror(reason));
        return NoSafePlace;
    }
    fd_ = fd;
    return Acquired;
}

bool InstanceLock::isHeld(const QString &name)
{
    const QString path = runtimePath(name, QStringLiteral(".lock"));
    const int fd = path.isEmpty() ? -1 : ::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW);
    if (fd < 0)
        return false;
    struct flock probe = wholeFile();
    const bool held = ::fcntl(fd, F_OFD_GETLK, &probe) == 0 && probe.l_type != F_UNLCK;
    ::close(fd);
    return held;
}

}  // namespace platform
