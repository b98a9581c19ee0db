#pragma once

// A cdrdao .toc as libcdio's reader sees it, so that the player can refuse
// what that reader would crash on or leak over before it sees the file: a
// track without a block size (a division by zero), a 100th track or an ISRC
// before the first track (written outside its table), a file it cannot
// find or that holds less than its line asks for, a track of several files
// (libcdio then keeps the files it opened, about 128 KB each).

#include <QByteArray>
#include <QString>

#include <vector>

namespace cd {

struct TocSheet {
    // The files its FILE, AUDIOFILE and DATAFILE lines name, byte for byte;
    // libcdio opens them from the current folder.
    std::vector<QByteArray> files;
    QString problem;  // the first one; empty when there is none
};

// Nothing when `path` is no regular file.
TocSheet readTocSheet(const QString &path);

}  // namespace cd
