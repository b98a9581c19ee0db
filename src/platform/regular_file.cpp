#include "regular_file.h"

#include <cerrno>
#include <cstring>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {

int openRegularFile(const char *path, int flags, std::string &error)
{
    const int fd = ::open(path, flags | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        error = std::strerror(errno);
        return -1;
    }
    struct stat info {};
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        error = S_ISDIR(info.st_mode) ? std::strerror(EISDIR) : "Not a regular file";
        ::close(fd);
        return -1;
    }
    // Regular files never block; reads later should not see EAGAIN either.
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    return fd;
}

std::FILE *openRegularStream(const char *path, bool writable, std::string &error)
{
    const int fd = openRegularFile(path, writable ? O_RDWR : O_RDONLY, error);
    if (fd < 0)
        return nullptr;
    std::FILE *stream = ::fdopen(fd, writable ? "r+b" : "rb");
    if (!stream) {
        error = std::strerror(errno);
        ::close(fd);
    }
    return stream;
}

bool openRegularFile(QFile &file, QIODevice::OpenMode mode, QString *error)
{
    std::string failure;
    const bool writable = mode & QIODevice::WriteOnly;
    const int fd = openRegularFile(QFile::encodeName(file.fileName()).constData(), writable ? O_RDWR : O_RDONLY,
                                   failure);
    if (fd >= 0 && file.open(fd, mode, QFileDevice::AutoCloseHandle))
        return true;
    if (fd >= 0)
        ::close(fd);
    if (error)
        *error = fd >= 0 ? file.errorString() : QString::fromLocal8Bit(failure.c_str());
    return false;
}

}  // namespace platform
