#pragma once

// "Directories...": every MPEG audio file below a folder, in the order the
// directory listings give them, each folder's files interleaved with its
// subfolders. Symbolic links to folders and hidden names are not entered,
// so a link loop cannot trap the walk; it goes at most MaxDepth levels down.

#include <QString>

#include <functional>

namespace folder_walk {

constexpr int MaxDepth = 20;

struct FoundFile {
    QString folder;  // with trailing "/"
    QString name;
    qint64 sizeKb;
};

// Calls `found` for each file whose name's third- and second-last
// characters are "m" and "p" (".mp3", ".mpg", ".mpa", ...).
void walk(const QString &folder, const std::function<void(const FoundFile &)> &found);

}  // namespace folder_walk
