#pragma once

// Where a disc comes from: a CD drive, or a disc image file (.cue/.bin/.toc)
// that stands in for a drive. A missing image file is a drive with its door
// open; the file appearing is a disc being inserted.

#include "table_of_contents.h"

#include <QString>
#include <QTemporaryDir>

#include <cdio/cdio.h>

#include <cstdint>
#include <memory>

namespace cd {

struct DiscSource {
    QString name;
    bool image = false;
};

// `configured` empty: LUDRO_CD_DEVICE, else libcdio's default drive.
DiscSource resolveDiscSource(const QString &configured);

// What an image file looks like now (all zero while it is missing): a
// change means another disc.
struct ImageStamp {
    int64_t inode = 0, size = 0, modified = 0;
    bool present() const { return inode != 0; }
    bool operator==(const ImageStamp &) const = default;
};
ImageStamp stampOf(const QString &path);

// The drive or image opened for reading; null when it cannot be, also when
// a file of the image is no regular file (see image_files.h). libcdio
// reads a .cue's data from the .bin of the same base name, whatever its FILE
// line says; a .cue that names another file is opened through links named
// alike in `links`, which must outlive the handle.
CdIo_t *openDisc(const DiscSource &source, std::unique_ptr<QTemporaryDir> &links);

// Empty when no disc is in the drive.
TableOfContents readTableOfContents(CdIo_t *cdio);

}  // namespace cd
