// The external encoder: argument vectors, encoders that fail or linger,
// and the rules for the files a job writes.

#include "encoder/encode_job.h"
#include "encoder/encoder_detection.h"
#include "encoder/job_files.h"
#include "support/files.h"
#include "support/lingering_encoder.h"
#include "support/recording_dialogs.h"
#include "support/run_until.h"
#include "support/wav_file.h"

#include <QTemporaryDir>

#include <csignal>

#include <gtest/gtest.h>

using namespace encoder;

namespace {

QString fixtureWav(const QTemporaryDir &dir, const QString &name)
{
    const QString path = dir.filePath(name);
    decodeWithMpg123(LUDRO_FIXTURE_DIR "/l3-44k-stereo-cbr.mp3", path.toStdString());
    return path;
}

QString writeScript(const QTemporaryDir &dir, const QString &name, const QByteArray &body)
{
    const QString path = writeFile(dir.filePath(name), "#!/bin/sh\n" + body + "\n");
    QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    return path;
}

struct Outcome {
    bool done = false, ok = false;
    QString message;
    int ticks = 0;  // GUI timer ticks while the encoder ran
};

Outcome runJob(EncodeJob &job, const std::function<void()> &whileRunning = {})
{
    Outcome outcome;
    QObject::connect(&job, &EncodeJob::finished, [&](bool ok, const QString &message) {
        outcome = {true, ok, message, outcome.ticks};
    });
    QTimer painter;
    QObject::connect(&painter, &QTimer::timeout, [&] { ++outcome.ticks; });
    painter.start(10);
    job.start();
    if (whileRunning)
        whileRunning();
    runUntil([&] { return outcome.done; }, 15000);
    return outcome;
}

}  // namespace

TEST(EncoderPrograms, EveryKindKeepsPathsWholeAndOnlyExecutablesAreFound)
{
    const QString in = "/m/it's \"my\" song.wav", out = "/d/-out put.mp3";
    const EncodeOptions all{128000, true, true};
    EXPECT_EQ(encoderArguments("/x/MP3EncDemo.exe", switchesOf(EncoderKind::Mp3Enc), in, out, all),
        QStringList({"-if", in, "-of", out, "-br", "128000", "-dm", "-qual", "9", "-v"}));
    EXPECT_EQ(encoderArguments("/usr/bin/lame", switchesOf(EncoderKind::Lame), in, out, all),
        QStringList({in, out, "-b", "128", "-m", "m", "-h"}));
    // A relative name starting with "-" becomes an absolute path, never a switch.
    EXPECT_EQ(encoderArguments("lame", switchesOf(EncoderKind::Lame), "-in.wav", out, all).at(0),
              QDir::current().filePath("-in.wav"));

    // Only executable encoders are found, and lame on the PATH.
    QTemporaryDir dir;
    writeScript(dir, "mp3encdemo.exe", "exit 0");
    writeFile(dir.filePath("BladeEnc.exe"), "not executable");
    EXPECT_EQ(detectEncoders(dir.path() + "/"), QStringList({dir.filePath("mp3encdemo.exe"), resolveProgram("lame")}));
}

TEST(JobFiles, NamesStayOneComponentAndResultsNeverReplaceFiles)
{
    const QString note = QString::fromUcs4(U"\U0001F3B5");
    const struct {
        QString name, extension, expected;
    } names[] = {
        {"../../x", "", "_.._x"},  // no hidden file
        {".hidden", ".wav", "hidden.wav"},
        {QString("a") + QChar(0) + "b", "", "a_b"},
        {"..", "", ""},
        // The name is cut, never the extension: at most 255 bytes in all.
        {QString(200, QChar(0x00e9)), ".mp3", QString(125, QChar(0x00e9)) + ".mp3"},
        {note.repeated(70), ".wav", note.repeated(62) + ".wav"},
    };
    for (const auto &n : names)
        EXPECT_EQ(oneComponentName(n.name, n.extension), n.expected) << n.name.toStdString();

    QTemporaryDir dir;
    const QString existing = writeFile(dir.filePath("song.mp3"), "old");
    writeFile(dir.filePath("song (2).mp3"), "older");
    RecordingDialogs dialogs;
    // No name given (cancel, or no one to ask): both files are kept, the
    // new one under the first free numbered name.
    const Placement kept = placeResult(writeFile(dir.filePath("new1"), "new"), existing, dialogs, Messages());
    EXPECT_EQ(kept.path, dir.filePath("song (3).mp3"));
    // A typed name stays inside the folder; a taken one is asked again from itself.
    dialogs.nextText = "../other.mp3";
    const Placement typed = placeResult(writeFile(dir.filePath("new2"), "new"), existing, dialogs, Messages());
    EXPECT_EQ(typed.path, dir.filePath("_other.mp3"));
    struct Answers : RecordingDialogs {
        QStringList answers;
        QString askText(const QString &c, const QString &p, const QString &initial) override
        {
            RecordingDialogs::askText(c, p, initial);
            return answers.isEmpty() ? QString() : answers.takeFirst();
        }
    } twice;
    twice.answers = {"song (2).mp3"};
    const Placement again = placeResult(writeFile(dir.filePath("new3"), "new"), existing, twice, Messages());
    EXPECT_EQ(twice.askedTexts.value(1), "Error: The File already exists or not a valid Filename. [song (2).mp3]");
    EXPECT_EQ(again.path, dir.filePath("song (4).mp3")) << "numbered after the name first wanted";
    EXPECT_EQ(readFile(existing) + readFile(dir.filePath("song (2).mp3")), "oldolder");
}

TEST(EncodeJob, FailingEncodersSayWhyLeaveNothingNeverBlockTheGuiAndNothingTheyStartedOutlivesTheJob)
{
    QTemporaryDir dir;
    const QString source = fixtureWav(dir, "in.wav");
    const QString out = dir.filePath("out");
    QDir().mkpath(out);
    const struct {
        const char *name, *body, *reason;
    } encoders[] = {
        {"partial", "echo half > \"$2\"; exit 1", "status 1"},
        {"killed", "echo half > \"$2\"; kill -9 $$", "ended abnormally"},
        {"stdin", "cat > \"$2\"", "no output"},
        {"chatty", "head -c 8000000 /dev/zero >&2; head -c 8000000 /dev/zero; echo x > \"$2\"; exit 3", "status 3"},
        {"missing", "", "no executable"},
    };
    for (const auto &e : encoders) {
        const QString program = *e.body ? writeScript(dir, e.name, e.body) : dir.filePath(e.name);
        EncodeJob job({program, switchesOf(EncoderKind::Lame), source, out, {}});
        const Outcome outcome = runJob(job);
        EXPECT_FALSE(outcome.ok) << e.name;
        EXPECT_TRUE(outcome.message.contains(e.reason)) << e.name << ": " << outcome.message.toStdString();
        EXPECT_TRUE(QDir(out).isEmpty(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot)) << e.name;
    }

    // Cancel ends even an encoder that ignores SIGTERM, while the GUI keeps running.
    EncodeJob job({writeScript(dir, "stubborn", "trap '' TERM; echo x > \"$2\"; exec sleep 30"),
        switchesOf(EncoderKind::Lame), source, out, {}});
    const Outcome outcome = runJob(job, [&] { QTimer::singleShot(200, &job, &EncodeJob::cancel); });
    EXPECT_TRUE(outcome.done && outcome.message.contains("cancelled"));
    EXPECT_GT(outcome.ticks, 100);
    EXPECT_TRUE(QDir(out).isEmpty(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot));

    // Wrapper scripts start the real encoder as a process of their own: nothing it started outlives the job.
    const QString waiting = dir.filePath("waiting");
    EncodeJob cancelled(
        {writeLingeringEncoder(dir.filePath("wrapper"), waiting), switchesOf(EncoderKind::Lame), source, out, {}});
    pid_t sleeper = 0;
    runJob(cancelled, [&] {
        sleeper = sleeperOf(waiting);
        cancelled.cancel();
    });
    EXPECT_TRUE(goesAway(sleeper)) << "cancelled";
    ::kill(sleeper, SIGKILL);

    const QString left = dir.filePath("left");
    const QByteArray leaver = "sleep 300 & echo $! > '" + left.toUtf8() + "'; echo x > \"$2\"";
    EncodeJob finished({writeScript(dir, "leaver", leaver), switchesOf(EncoderKind::Lame), source, out, {}});
    EXPECT_TRUE(runJob(finished).ok);
    sleeper = sleeperOf(left);
    EXPECT_TRUE(goesAway(sleeper)) << "left behind by an encoder that succeeded";
    ::kill(sleeper, SIGKILL);
}
