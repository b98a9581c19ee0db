// ludro-cd: the CD drive from the command line, over the player's own CD
// device and disc id.
//   ludro-cd [--device DEV] toc      one line per track: NN start length audio|data, then the lead-out
//   ludro-cd [--device DEV] discid   the disc database's query argument
// DEV is a drive or a disc image (.cue/.bin/.toc); without it LUDRO_CD_DEVICE,
// else the system's default drive. No disc, a data disc or a drive that
// cannot be opened: a message and status 1.

#include "cd/cd_device.h"
#include "cd/disc_id.h"

#include <QCommandLineParser>
#include <QCoreApplication>

#include <cstdio>
#include <functional>
#include <map>

namespace {

// A command gets the disc's table of contents and the command line (its own
// options and arguments included).
using Command = std::function<int(const cd::TableOfContents &, const QCommandLineParser &)>;

QString time(long frames)
{
    const uint32_t msf = cd::msfFromFrames(frames);
    return QString::asprintf("%02d:%02d.%02d", cd::msfMinutes(msf), cd::msfSeconds(msf), cd::msfFrames(msf));
}

int printToc(const cd::TableOfContents &toc, const QCommandLineParser &)
{
    for (const cd::CdTrack &track : toc.tracks)
        std::printf("%02d %s %s %s\n", track.number, qPrintable(time(track.startFrame)),
                    qPrintable(time(track.lengthFrames)), track.audio ? "audio" : "data");
    std::printf("leadout %s\n", qPrintable(time(toc.leadoutFrame)));
    return 0;
}

int printDiscId(const cd::TableOfContents &toc, const QCommandLineParser &)
{
    std::printf("%s\n", qPrintable(cd::computeDiscId(toc).queryArgument));
    return 0;
}

const std::map<QString, Command> &commands()
{
    static const std::map<QString, Command> table{{"toc", printToc}, {"discid", printDiscId}};
    return table;
}

int usage(const QString &error = {})
{
    if (!error.isEmpty())
        std::fprintf(stderr, "ludro-cd: %s\n", qPrintable(error));
    std::fprintf(stderr, "usage: ludro-cd [--device DEV] COMMAND\nCOMMAND is one of:");
    for (const auto &[name, command] : commands())
        std::fprintf(stderr, " %s", qPrintable(name));
    std::fprintf(stderr, "\n");
    return 2;
}

}  // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QCommandLineParser parser;
    const QCommandLineOption deviceOption("device", "The CD drive or disc image (.cue/.bin/.toc).", "DEV");
    parser.addOption(deviceOption);
    parser.addPositionalArgument("command", "What to do.");
    if (!parser.parse(QCoreApplication::arguments()))
        return usage(parser.errorText());
    const QStringList args = parser.positionalArguments();
    if (args.isEmpty() || !commands().contains(args[0]))
        return usage();

    const QString device = parser.value(deviceOption);
    cd::CdDevice drive(device);
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
    return commands().at(args[0])(toc, parser);
}
