// A song's ID3v2, APEv2 and ID3v1 tags through TagLib: read with capped
// sizes, then written and removed again as the tag editor does.

#include "fuzz_input.h"
#include "playlist/tag_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QString path = fuzz::inputFile(data, size, QStringLiteral("song.mp3"));
    const std::optional<Id3Tag> tag = tag_file::read(path);
    const Id3Tag edited = tag.value_or(Id3Tag{"Title", "Artist", "", "2026", "", 17});
    if (tag_file::save(path, edited).isEmpty()) {
        const std::optional<Id3Tag> saved = tag_file::read(path);
        fuzz::require(saved.has_value());
    }
    tag_file::clear(path);
    return 0;
}
