#pragma once

// The CDDB disc id of a table of contents, the query argument the disc
// database takes, and the name old versions gave a disc's cache file.
//
// The id is computed from the true lead-out the drive reports (the end of the
// last track), so it equals the id other CDDB clients compute for the disc.
// The old arithmetic "start of the last track + its length + 1" came from a
// device that reported the last track one frame short; with true lengths it
// would be one frame long, so it is not used.

#include "table_of_contents.h"

#include <QString>

#include <vector>

namespace cd {

struct DiscId {
    QString id;             // eight lower-case hexadecimal digits, empty without tracks
    QString queryArgument;  // id + "+" track count + "+" each offset + "+" disc seconds
    int discSeconds = 0;
    std::vector<long> offsets;  // absolute start frame of each track
};

DiscId computeDiscId(const TableOfContents &toc);

// The decimal packed-MSF lengths of tracks 1 to 3 written one after another,
// as the old device reported them: the disc's last track one frame short.
// Fewer tracks give fewer numbers.
QString legacyCacheName(const TableOfContents &toc);

}  // namespace cd
