#pragma once

// The tags of a song file as the player shows and edits them: ID3v2 (2.2,
// 2.3, 2.4) or APEv2 through TagLib, the ID3v1 tag at the end as the
// fallback. Where both kinds exist the richer one wins field by field, so a
// title longer than ID3v1's 30 characters is shown whole.
//
// A hostile tag costs at most a capped read: an ID3v2 or APEv2 tag that
// claims more than MaxTagBytes is not read at all, and the file counts as
// carrying only what else it has.

#include "playlist/id3_tag.h"

#include <QString>

#include <optional>

namespace tag_file {

inline constexpr qint64 MaxTagBytes = 16 << 20;

struct Kinds {
    bool id3v1 = false;
    bool rich = false;  // an ID3v2 or APEv2 tag TagLib could read
};

// The merged tag; nothing when the file has none or cannot be read.
std::optional<Id3Tag> read(const QString &path, Kinds *kinds = nullptr);

// Writes the edited fields: ID3v1 always, and into the ID3v2 and APEv2 tags
// the file carries. A file with only ID3v1 is changed in place at its end;
// one with a richer tag is saved whole (a temporary file beside it renamed
// over it), so its audio is never rewritten in place. Returns the error's
// description, or empty.
QString save(const QString &path, const Id3Tag &tag);
// Removes every tag of the file; the same two ways.
QString clear(const QString &path);

}  // namespace tag_file
