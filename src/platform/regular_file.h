#pragma once

// Opens only regular files. A named pipe, a device or a socket named in a
// playlist, a hand-over or a settings path would block in open or read and
// freeze whoever asked; such names fail at once instead.

#include <QFile>

#include <cstdio>
#include <string>

namespace platform {

// A descriptor of the regular file at `path`, opened with `flags` (O_CLOEXEC
// added) without blocking; -1 with `error` set otherwise.
int openRegularFile(const char *path, int flags, std::string &error);

// The same as a buffered stdio stream ("rb" or "r+b"); nullptr on failure.
std::FILE *openRegularStream(const char *path, bool writable, std::string &error);

// Opens `file` (its name set) read-only or read-write the same way; false
// with the file's error string set otherwise.
bool openRegularFile(QFile &file, QIODevice::OpenMode mode, QString *error = nullptr);

}  // namespace platform
