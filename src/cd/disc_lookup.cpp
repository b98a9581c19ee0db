#include "disc_lookup.h"

#include "cddb_client.h"
#include "disc_record.h"
#include "text_lines.h"
#include "track_names.h"

#include <QDir>

namespace cd {

LookupStatus lookupDisc(const DiscId &id, const LookupOptions &options, QTextStream &out, QTextStream &errors)
{
    CddbClient client;
    client.setServer(options.server);
    client.setUserEmail(options.userEmail);
    client.setTimeout(options.timeoutMs);
    const CddbLookup lookup = client.lookup(id.queryArgument, [&](const QStringList &matches) -> std::optional<int> {
        for (int i = 0; i < matches.size(); ++i)
            errors << "match " << i + 1 << ": " << matches[i] << '\n';
        if (options.match < 1 || options.match > matches.size()) {
            errors << "there is no match " << options.match << '\n';
            return std::nullopt;
        }
        return options.match - 1;
    });
    switch (lookup.outcome) {
    case CddbLookup::ConnectionFailed:
        errors << "Connection to " << client.server() << " failed\n";
        return LookupConnectionFailed;
    case CddbLookup::NoRecord:
        errors << "No CDDB Info. for disc " << id.id << '\n';
        return LookupNoRecord;
    case CddbLookup::Found:
        break;
    }
    const DiscNames names = parseDiscRecord(lookup.record);
    if (!saveTrackNames(options.tracksFolder, id.id, names))
        errors << "Could not write to Database. (" << QDir(options.tracksFolder).filePath(id.id) << ")\n";
    out << singleLine(names.artist.trimmed()) << " / " << singleLine(names.title) << '\n';
    for (const QString &track : names.tracks)
        out << singleLine(track) << '\n';
    return LookupFound;
}

}  // namespace cd
