// A disc-database answer as the lookup reads it: each line as a query
// answer naming a record, all lines as a record, and the names it gives
// through the disc's names file and back.

#include "cd/cddb_match.h"
#include "cd/disc_record.h"
#include "cd/text_lines.h"
#include "cd/track_names.h"
#include "fuzz_input.h"
#include "platform/text_decoding.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QString text =
        platform::decodeText(QByteArray(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size)));
    const QStringList lines = cd::textLines(text);
    for (const QString &line : lines)
        for (const std::optional<cd::CddbMatch> &match : {cd::singleMatch(line), cd::listedMatch(line)})
            fuzz::require(!match ||
                          (match->category.size() < 25 && !match->category.contains(' ') && match->discId.size() <= 8));
    const cd::DiscNames names = cd::parseDiscRecord(lines);
    if (names.tracks.isEmpty())
        return 0;

    // Whatever the server sent, the file gives back the same names, each on its own line.
    static QTemporaryDir folder;
    const cd::DiscId id{QStringLiteral("0b012a02")};
    fuzz::require(cd::saveTrackNames(folder.path(), id.id, names));
    cd::DiscNames read;
    fuzz::require(cd::loadTrackNames(folder.path(), id, {}, 0, read));
    fuzz::require(read.title == cd::singleLine(names.title) && read.artist == cd::singleLine(names.artist));
    fuzz::require(read.tracks.size() == names.tracks.size());
    for (qsizetype i = 0; i < names.tracks.size(); ++i)
        fuzz::require(read.tracks[i] == cd::singleLine(names.tracks[i]));
    return 0;
}
