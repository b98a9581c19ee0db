// ludro-cd: the CD drive from the command line, over the player's own CD
// device and disc id.
//   ludro-cd [--device DEV] toc      one line per track: NN start length audio|data, then the lead-out
//   ludro-cd [--device DEV] discid   the disc database's query argument
//   ludro-cd [--device DEV] [--server HOST[:PORT]] lookup [--match N]
//       the disc's names from the disc database, written to the disc's names
//       file as the player does and printed: "Artist / Title", then one
//       track name a line; of several matches the first, or the N-th.
//       Status 0 found, 1 no record, 2 connection failed.
//   ludro-cd [--device DEV] rip [--dest DIR] [--mp3 [--bitrate KBPS] [--hq] [--mono]] [TRACK...]
//       the tracks (all audio tracks without TRACK) as WAV or MP3 files in DIR
//       (the current folder without it), named as the recorder names them; an
//       existing file is left alone and the track kept as "Name (2).wav".
//       Progress on stderr. Status 0 when every track was written, 1
//       otherwise (Ctrl+C included).
// DEV is a drive or a disc image (.cue/.bin/.toc); without it LUDRO_CD_DEVICE,
// else the system's default drive. No disc, a data disc, a drive that
// cannot be opened or an image file that is no regular file: a message and
// status 1.

#include "cd/cd_device.h"
#include "cd/disc_id.h"
#include "cd/disc_lookup.h"
#include "cd/image_files.h"
#include "cd/text_lines.h"
#include "cd/track_names.h"
#include "platform/dialogs.h"
#include "platform/termination_signals.h"
#include "recording/cd_rip.h"
#include "recording/rec_tracks.h"

#include <QColor>
#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>
#include <QFont>
#include <QTextStream>

#include <algorithm>
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

const QCommandLineOption serverOption("server", "The disc-database server.", "HOST[:PORT]");
const QCommandLineOption matchOption("match", "Of several matches, the N-th (from 1).", "N", "1");

int lookUp(const cd::TableOfContents &toc, const QCommandLineParser &parser)
{
    bool number = false;
    cd::LookupOptions lookup;
    lookup.server = parser.value(serverOption);
    lookup.match = parser.value(matchOption).toInt(&number);
    if (!number || lookup.match < 1) {
        std::fprintf(stderr, "ludro-cd: --match takes a number from 1\n");
        return 2;
    }
    lookup.tracksFolder = cd::tracksFolder();
    QTextStream out(stdout), errors(stderr);
    return cd::lookupDisc(cd::computeDiscId(toc), lookup, out, errors);
}

const QCommandLineOption deviceOption("device", "The CD drive or disc image (.cue/.bin/.toc).", "DEV");
const QCommandLineOption destOption("dest", "The folder the tracks go into.", "DIR", ".");
const QCommandLineOption mp3Option("mp3", "Encode the tracks to MP3 with lame.");
const QCommandLineOption bitRateOption("bitrate", "The MP3 bit rate in kbit/s.", "KBPS", "128");
const QCommandLineOption highQualityOption("hq", "The encoder's highest quality.");
const QCommandLineOption monoOption("mono", "Downmix to mono.");

// The run's boxes on the terminal: nobody is asked, so an existing file
// stays as it is and the track goes beside it.
class ConsoleDialogs : public platform::Dialogs {
public:
    QString line;  // of the track being ripped

    void error(const QString &text) override { say(text); }
    void errorWithCaption(const QString &, const QString &text) override { say(text); }
    void information(const QString &text) override { say(text); }
    QString openFileName(const QString &, const QString &, const QString &) override { return {}; }
    QStringList openFileNames(const QString &, const QString &, const QString &) override { return {}; }
    QString saveFileName(const QString &, const QString &, const QString &) override { return {}; }
    QString folderName(const QString &, const QString &) override { return {}; }
    QString askAddress() override { return {}; }
    std::optional<QFont> chooseFont(const QFont &) override { return std::nullopt; }
    std::optional<QColor> chooseColor(const QColor &) override { return std::nullopt; }
    QString askText(const QString &, const QString &, const QString &) override { return {}; }
    int chooseSong(const QStringList &) override { return -1; }

private:
    void say(const QString &text) const
    {
        std::fprintf(stderr, "ludro-cd: %s: %s\n", qPrintable(line), qPrintable(QString(text).replace('\n', ' ')));
    }
};

int rip(const cd::TableOfContents &toc, const QCommandLineParser &parser)
{
    const QStringList all = recording::discTrackLines(toc, cd::tracksFolder());
    QStringList lines;
    for (const QString &arg : parser.positionalArguments().mid(1)) {
        bool number = false;
        const int track = arg.toInt(&number);
        const auto line = std::ranges::find_if(all, [&](const QString &l) { return recording::lineTrack(l) == track; });
        if (!number || line == all.end()) {
            std::fprintf(stderr, "ludro-cd: no audio track %s on the disc\n", qPrintable(arg));
            return 2;
        }
        lines << *line;
    }
    if (parser.positionalArguments().size() == 1)
        lines = all;

    recording::RipSettings settings;
    settings.source = cd::resolveDiscSource(parser.value(deviceOption));
    settings.toc = toc;
    settings.destination = parser.value(destOption);
    if (!QDir().mkpath(settings.destination)) {
        std::fprintf(stderr, "ludro-cd: cannot make the folder %s\n", qPrintable(settings.destination));
        return 1;
    }
    settings.compress = parser.isSet(mp3Option);
    if (settings.compress) {
        bool number = false;
        settings.options.bitRate = parser.value(bitRateOption).toInt(&number) * 1000;
        if (!number || !std::ranges::count(encoder::bitRates(), settings.options.bitRate)) {
            std::fprintf(stderr, "ludro-cd: --bitrate takes one of");
            for (int rate : encoder::bitRates())
                std::fprintf(stderr, " %d", rate / 1000);
            std::fprintf(stderr, "\n");
            return 2;
        }
        settings.encoder = QStringLiteral("lame");
        settings.switches = encoder::switchesOf(encoder::EncoderKind::Lame);
        settings.options.highQuality = parser.isSet(highQualityOption);
        settings.options.downmix = parser.isSet(monoOption);
    }

    ConsoleDialogs dialogs;
    recording::CdRip run(dialogs);
    QString shown;
    QObject::connect(&run, &recording::CdRip::progress, [&](const recording::RipProgress &p) {
        dialogs.line = lines.value(p.line);
        const QString step = QStringLiteral("%1: %2 %3%")
                                 .arg(dialogs.line, p.action.section(" - ", 0, 0))
                                 .arg((p.encoding ? p.encoder : p.song) / 25 * 25);
        if (step != shown)
            std::fprintf(stderr, "ludro-cd: %s\n", qPrintable(shown = step));
    });
    QObject::connect(&run, &recording::CdRip::finished, QCoreApplication::instance(), &QCoreApplication::quit,
                     Qt::QueuedConnection);
    // Ctrl+C ends the loop instead of the process, so the run removes its
    // private folder and ends the encoder as it goes.
    platform::quitOnTerminationSignals();
    run.start(lines, settings);
    QCoreApplication::exec();
    for (const QString &note : run.notes())
        std::fprintf(stderr, "ludro-cd: %s\n", qPrintable(cd::singleLine(note)));
    return run.written() == lines.size() ? 0 : 1;
}

const std::map<QString, Command> &commands()
{
    static const std::map<QString, Command> table{
        {"toc", printToc}, {"discid", printDiscId}, {"lookup", lookUp}, {"rip", rip}};
    return table;
}

int usage(const QString &error = {})
{
    if (!error.isEmpty())
        std::fprintf(stderr, "ludro-cd: %s\n", qPrintable(error));
    std::fprintf(stderr, "usage: ludro-cd [--device DEV] [--server HOST[:PORT]] COMMAND [--match N]\n"
                         "       ludro-cd [--device DEV] rip [--dest DIR] [--mp3 [--bitrate KBPS] [--hq] [--mono]] "
                         "[TRACK...]\n"
                         "COMMAND is one of:");
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
    parser.addOptions({deviceOption, serverOption, matchOption, destOption, mp3Option, bitRateOption,
                       highQualityOption, monoOption});
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
        const cd::DiscSource source = cd::resolveDiscSource(device);
        const QString problem = source.image ? cd::imageProblem(source.name) : QString();
        if (!problem.isEmpty())
            std::fprintf(stderr, "ludro-cd: cannot read the disc image: %s\n", qPrintable(problem));
        else
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
