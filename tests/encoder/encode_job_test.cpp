// The external encoder: argument vectors, the real lame, encoders that fail,
// and the rules for the files a job writes.

#include "encoder/encode_job.h"
#include "encoder/encoder_detection.h"
#include "encoder/job_files.h"
#include "support/files.h"
#include "support/lingering_encoder.h"
#include "support/recording_dialogs.h"
#include "support/run_until.h"
#include "support/wav_file.h"

#include <QDir>
#include <QTemporaryDir>

#include <csignal>

#include <gtest/gtest.h>
#include <mpg123.h>
#include <sys/stat.h>

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

TEST(EncoderArguments, EveryKindKeepsPathsWholeAndSwitchesSplit)
{
    const QString in = "/m/it's \"my\" song.wav", out = "/d/-out put.mp3";
    const EncodeOptions all{128000, true, true};
    EXPECT_EQ(encoderArguments("/x/BladeEnc.exe", switchesOf(EncoderKind::BladeEnc), in, out, all),
        QStringList({in, out, "-br", "128000", "-dm", "-hq"}));
    EXPECT_EQ(encoderArguments("/x/l3enc", switchesOf(EncoderKind::L3Enc), in, out, {64000, false, false}),
        QStringList({in, out, "-br", "64000"}));
    EXPECT_EQ(encoderArguments("/x/MP3EncDemo.exe", switchesOf(EncoderKind::Mp3Enc), in, out, all),
        QStringList({"-if", in, "-of", out, "-br", "128000", "-dm", "-qual", "9", "-v"}));
    EXPECT_EQ(encoderArguments("/usr/bin/lame", switchesOf(EncoderKind::Lame), in, out, all),
        QStringList({in, out, "-b", "128", "-m", "m", "-h"}));
    // A relative name starting with "-" becomes an absolute path, never a switch.
    EXPECT_TRUE(encoderArguments("lame", switchesOf(EncoderKind::Lame), "-in.wav", out, all)
                    .at(0)
                    .startsWith(QDir::currentPath()));
    EXPECT_EQ(kindOfProgram("/a/MP3ENCDEMO.EXE"), EncoderKind::Mp3Enc);
    EXPECT_EQ(kindOfProgram("/a/toolame"), std::nullopt);
}

TEST(EncoderDetection, FindsExecutableEncodersOnlyAndLameOnThePath)
{
    QTemporaryDir dir;
    writeScript(dir, "mp3encdemo.exe", "exit 0");
    writeFile(dir.filePath("BladeEnc.exe"), "not executable");
    const QStringList found = detectEncoders(dir.path() + "/");
    ASSERT_EQ(found.size(), 2);
    EXPECT_EQ(found[0], dir.filePath("mp3encdemo.exe"));
    EXPECT_EQ(found[1], resolveProgram("lame"));
    EXPECT_TRUE(resolveProgram(dir.filePath("BladeEnc.exe")).isEmpty());
    EXPECT_TRUE(resolveProgram("no-such-encoder").isEmpty());
}

TEST(JobFiles, NamesStayOneComponentAndResultsNeverReplaceFiles)
{
    EXPECT_EQ(oneComponentName("../../x"), "_.._x") << "no hidden file";
    EXPECT_EQ(oneComponentName(".hidden", ".wav"), "hidden.wav");
    EXPECT_EQ(oneComponentName("AC/DC"), "AC_DC");
    EXPECT_EQ(oneComponentName(QString("a") + QChar(0) + "b"), "a_b");
    for (const char *bad : {"", ".", "..", "..."})
        EXPECT_TRUE(oneComponentName(bad).isEmpty()) << bad;
    EXPECT_EQ(oneComponentName(QString(200, QChar(0x00e9))).toUtf8().size(), 254);
    // The name is cut, never the extension: at most 255 bytes in all.
    EXPECT_EQ(oneComponentName(QString(200, QChar(0x00e9)), ".mp3"), QString(125, QChar(0x00e9)) + ".mp3");
    const QString note = QString::fromUcs4(U"\U0001F3B5");
    EXPECT_EQ(oneComponentName(note.repeated(70), ".wav"), note.repeated(62) + ".wav");

    QTemporaryDir dir;
    const QString existing = writeFile(dir.filePath("song.mp3"), "old");
    writeFile(dir.filePath("song (2).mp3"), "older");
    RecordingDialogs dialogs;
    // No name given (cancel, or no one to ask): both files are kept, the
    // new one under the first free numbered name.
    const Placement kept = placeResult(writeFile(dir.filePath("new1"), "new"), existing, dialogs, Messages());
    EXPECT_EQ(kept.path, dir.filePath("song (3).mp3"));
    EXPECT_TRUE(kept.freeName);
    EXPECT_EQ(kept.note(existing), "song.mp3 existed: kept as song (3).mp3");
    EXPECT_EQ(readFile(existing), "old");
    EXPECT_EQ(readFile(dir.filePath("song (2).mp3")), "older");
    EXPECT_EQ(readFile(kept.path), "new");
    EXPECT_EQ(dialogs.askedTexts, QStringList("Error: The File already exists or not a valid Filename. [song.mp3]"));
    // A typed name stays inside the folder; a taken one is asked again from itself.
    dialogs.askedTexts.clear();
    dialogs.nextText = "../other.mp3";
    const Placement typed = placeResult(writeFile(dir.filePath("new2"), "new"), existing, dialogs, Messages());
    EXPECT_EQ(typed.path, dir.filePath("_other.mp3"));
    EXPECT_FALSE(typed.freeName);
    EXPECT_EQ(readFile(dir.filePath("_other.mp3")), "new");
    EXPECT_EQ(readFile(existing), "old");
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
}

TEST(EncodeJob, RealLameEncodesMonoAtTheBitRateWithoutTouchingTheSource)
{
    QTemporaryDir dir;
    const QString source = fixtureWav(dir, "-my \"song\".wav");
    const QByteArray before = readFile(source);
    struct stat statBefore {};
    stat(QFile::encodeName(source), &statBefore);

    EncodeJob job({"lame", switchesOf(EncoderKind::Lame), source, dir.filePath("out"), {128000, true, true}});
    QDir().mkpath(dir.filePath("out"));
    const Outcome outcome = runJob(job);
    ASSERT_TRUE(outcome.ok) << outcome.message.toStdString();
    EXPECT_EQ(job.percent(), 100);
    const QString mp3 = dir.filePath("out/song.mp3");
    RecordingDialogs dialogs;
    ASSERT_TRUE(job.place(mp3, dialogs, Messages()));

    struct stat statAfter {};
    stat(QFile::encodeName(source), &statAfter);
    EXPECT_EQ(readFile(source), before);
    EXPECT_EQ(statAfter.st_ino, statBefore.st_ino);

    mpg123_handle *handle = mpg123_new(nullptr, nullptr);
    ASSERT_EQ(mpg123_open(handle, QFile::encodeName(mp3)), MPG123_OK);
    long rate = 0;
    int channels = 0, encoding = 0;
    mpg123_getformat(handle, &rate, &channels, &encoding);
    mpg123_frameinfo info{};
    mpg123_info(handle, &info);
    mpg123_scan(handle);
    const off_t frames = mpg123_length(handle);
    mpg123_close(handle);
    mpg123_delete(handle);
    EXPECT_EQ(info.bitrate, 128);
    EXPECT_EQ(info.mode, MPG123_M_MONO);
    const auto wav = readWav(source.toStdString());
    ASSERT_TRUE(wav);
    EXPECT_NEAR(static_cast<double>(frames), static_cast<double>(wav->frames()), 1152 * 2);

    EXPECT_EQ(entries(dir.filePath("out")), QStringList("song.mp3"));
}

TEST(EncodeJob, FailingEncodersSayWhyLeaveNothingAndNeverBlockTheGui)
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
        EXPECT_TRUE(outcome.done && !outcome.ok) << e.name;
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
}

// Wrapper scripts start the real encoder as a process of their own.
TEST(EncodeJob, NothingTheEncoderStartedOutlivesTheJob)
{
    QTemporaryDir dir;
    const QString source = fixtureWav(dir, "in.wav");
    const QString out = dir.filePath("out");
    QDir().mkpath(out);

    const QString waiting = dir.filePath("waiting");
    EncodeJob cancelled(
        {writeLingeringEncoder(dir.filePath("wrapper"), waiting), switchesOf(EncoderKind::Lame), source, out, {}});
    pid_t sleeper = 0;
    const Outcome outcome = runJob(cancelled, [&] {
        sleeper = sleeperOf(waiting);
        cancelled.cancel();
    });
    EXPECT_TRUE(outcome.done && outcome.message.contains("cancelled"));
    EXPECT_TRUE(goesAway(sleeper)) << "cancelled";
    ::kill(sleeper, SIGKILL);

    const QString left = dir.filePath("left");
    EncodeJob finished({writeScript(dir, "leaver", "sleep 300 & echo $! > '" + left.toUtf8() + "'; echo x > \"$2\""),
                        switchesOf(EncoderKind::Lame),
                        source,
                        out,
                        {}});
    EXPECT_TRUE(runJob(finished).ok);
    sleeper = sleeperOf(left);
    EXPECT_TRUE(goesAway(sleeper)) << "left behind by an encoder that succeeded";
    ::kill(sleeper, SIGKILL);
}
