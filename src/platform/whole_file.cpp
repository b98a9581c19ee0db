#include "whole_file.h"

#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>

#include <cerrno>
#include <cstring>

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <unistd.h>

namespace platform {

namespace {

QString systemError(int error)
{
    return QString::fromLocal8Bit(std::strerror(error));
}

// A fresh name in the target's folder, so the rename never crosses file
// systems; made by us alone (O_EXCL), with the permissions the user's umask
// gives a new file.
int createTemporary(const QString &folder, QByteArray &name)
{
    for (int attempt = 0; attempt < 16; ++attempt) {
        name = QFile::encodeName(folder) + "/.ludro-"
            + QByteArray::number(QRandomGenerator::global()->generate64(), 36) + ".tmp";
        const int fd = ::open(name.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST)
            return fd;
    }
    errno = EEXIST;
    return -1;
}

bool writeAll(int fd, const QByteArray &contents)
{
    const char *data = contents.constData();
    qsizetype left = contents.size();
    while (left > 0) {
        const ssize_t written = ::write(fd, data, static_cast<std::size_t>(left));
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0) {
            if (written == 0)
                errno = EIO;
            return false;
        }
        data += written;
        left -= written;
    }
    return true;
}

}  // namespace

QString saveWholeFile(const QString &path, const QByteArray &contents)
{
    const QFileInfo link(path);
    const QFileInfo target(link.isSymLink() ? link.symLinkTarget() : link.absoluteFilePath());
    const QByteArray targetName = QFile::encodeName(target.absoluteFilePath());

    QByteArray temporary;
    const int fd = createTemporary(target.absolutePath(), temporary);
    if (fd < 0)
        return systemError(errno);
    struct stat old {};
    if (::stat(targetName.constData(), &old) == 0 && S_ISREG(old.st_mode))
        ::fchmod(fd, old.st_mode & 07777);
    // A file that cannot fit is refused before the disk is filled to the brim.
    struct statvfs disk {};
    if (::fstatvfs(fd, &disk) == 0 && static_cast<qint64>(disk.f_bavail * disk.f_frsize) < contents.size()) {
        ::close(fd);
        ::unlink(temporary.constData());
        return systemError(ENOSPC);
    }

    const bool written = writeAll(fd, contents) && ::fsync(fd) == 0;
    const int writeError = errno;
    const bool closed = ::close(fd) == 0;
    const int closeError = errno;
    if (!written || !closed) {
        ::unlink(temporary.constData());
        return systemError(!written ? writeError : closeError);
    }
    if (::rename(temporary.constData(), targetName.constData()) != 0) {
        const int renameError = errno;
        ::unlink(temporary.constData());
        return systemError(renameError);
    }
    // The new name itself reaches the disk with its folder.
    const int folder = ::open(QFile::encodeName(target.absolutePath()).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (folder >= 0) {
        ::fsync(folder);
        ::close(folder);
    }
    return {};
}

}  // namespace platform
