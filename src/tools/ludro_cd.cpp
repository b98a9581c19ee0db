// ludro-cd: the CD drive from the command line, over the player's own CD
// device and disc id.
//   ludro-cd [--device DEV] toc      one line per track: NN start length audio|data, then the lead-out
//   ludro-cd [--device DEV] discid   the disc database's query argument
//   ludro-cd [--device DEV] [--server HOST[:PORT]] lookup [--match N]
//       the disc's names from the disc database, written to the disc's names
//       file as the player does and printed: "Artist / Title", then one
//       track name a line; of several matches the first, or the N-th.
//       Status 0 found, 1 no record, 2 connection failed.
// DEV is a drive or a disc image (.cue/.bin/.toc); without it LUDRO_CD_DEVICE,
// else the system's default drive. No disc, a data disc or a drive that
// cannot be opened: a message and status 1.

#include "cd/cd_device.h"
#include "cd/disc_id.h"
#include "cd/disc_lookup.h"
#include "cd/track_names.h"

#include <QCoreApplication>
#include <QTextStream>

#include <cstdio>
#include <functional>
#include <map>
#include <optional>
#include <utility>

namespace {

struct Options {
    QString device;
    QString server;
    int match = 1;
};

using Command = std::function<int(const cd::TableOfContents &, const Options &)>;

QString time(long frames)
{
    const uint32_t msf = cd::msfFromFrames(frames);
    return QString::asprintf("%02d:%02d.%02d", cd::msfMinutes(msf), cd::msfSeconds(msf), cd::msfFrames(msf));
}

int printToc(const cd::TableOfContents &toc, const Options &)
{
    for (const cd::CdTrack &track : toc.tracks)
        std::printf("%02d %s %s %s\n", track.number, qPrintable(time(track.startFrame)),
                    qPrintable(time(track.lengthFrames)), track.audio ? "audio" : "data");
    std::printf("leadout %s\n", qPrintable(time(toc.leadoutFrame)));
    return 0;
}

int printDiscId(const cd::TableOfContents &toc, const Options &)
{
    std::printf("%s\n", qPrintable(cd::computeDiscId(toc).queryArgument));
    return 0;
}

int lookUp(const cd::TableOfContents &toc, const Options &options)
{
    cd::LookupOptions lookup;
    lookup.server = options.server;
    lookup.match = options.match;
    lookup.tracksFolder = cd::tracksFolder();
    QTextStream out(stdout), errors(stderr);
    return cd::lookupDisc(cd::computeDiscId(toc), lookup, out, errors);
}

const std::map<QString, Command> &commands()
{
    static const std::map<QString, Command> table{{"toc", printToc}, {"discid", printDiscId}, {"lookup", lookUp}};
    return table;
}

int usage()
{
    std::fprintf(stderr, "usage: ludro-cd [--device DEV] [--server HOST[:PORT]] COMMAND [--match N]\n"
                         "COMMAND is one of:");
    for (const auto &[name, command] : commands())
        std::fprintf(stderr, " %s", qPrintable(name));
    std::fprintf(stderr, "\n");
    return 2;
}

// The options before the command, the command, and lookup's --match after
// it; nullopt for anything else.
std::optional<std::pair<Options, QString>> parse(QStringList args)
{
    Options options;
    while (args.size() >= 2 && (args[0] == "--device" || args[0] == "--server")) {
        (args[0] == "--device" ? options.device : options.server) = args[1];
        args = args.mid(2);
    }
    if (args.isEmpty() || !commands().contains(args[0]))
        return std::nullopt;
    const QString command = args.takeFirst();
    if (command == "lookup" && args.size() == 2 && args[0] == "--match") {
        bool number = false;
        options.match = args[1].toInt(&number);
        if (!number || options.match < 1)
            return std::nullopt;
        args.clear();
    }
    if (!args.isEmpty())
        return std::nullopt;
    return std::pair{options, command};
}

}  // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const auto parsed = parse(QCoreApplication::arguments().mid(1));
    if (!parsed)
        return usage();
    const auto &[options, command] = *parsed;

    cd::CdDevice drive(options.device);
    if (!drive.open()) {
        std::fprintf(stderr, "ludro-cd: cannot open the CD drive %s\n",
                     qPrintable(drive.deviceName().isEmpty() ? QStringLiteral("(none found)") : drive.deviceName()));
        return 1;
    }
    const cd::TableOfContents toc = drive.tableOfContents();
    if (toc.empty()) {
        std::fprintf(stderr, "ludro-cd: no disc in %s\n", qPrintable(drive.deviceName()));
        return 1;
    }
    if (!toc.hasAudio()) {
        std::fprintf(stderr, "ludro-cd: the disc in %s is a data disc, it has no audio tracks\n",
                     qPrintable(drive.deviceName()));
        return 1;
    }
    return commands().at(command)(toc, options);
}
