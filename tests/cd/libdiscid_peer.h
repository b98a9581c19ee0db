#pragma once

// The freedb id libdiscid, the peer of other disc-database clients, gives a
// table of contents.

#include "cd/table_of_contents.h"

#include <discid/discid.h>

#include <string>

inline std::string libdiscidFreedbId(const cd::TableOfContents &toc)
{
    int offsets[100] = {};
    offsets[0] = static_cast<int>(toc.leadoutFrame);
    for (std::size_t i = 0; i < toc.tracks.size() && i < 99; ++i)
        offsets[i + 1] = static_cast<int>(toc.tracks[i].startFrame);
    DiscId *disc = discid_new();
    std::string id;
    if (discid_put(disc, 1, static_cast<int>(toc.tracks.size()), offsets))
        id = discid_get_freedb_id(disc);
    discid_free(disc);
    return id;
}
