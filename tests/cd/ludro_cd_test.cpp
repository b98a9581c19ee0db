// The `ludro-cd` companion run as users run it, on disc images.

#include "cd/disc_id.h"
#include "support/disc_image.h"

#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

struct ToolRun {
    int status = -1;
    QString out, err;
};

ToolRun ludroCd(const QStringList &args, const QString &envDevice = {})
{
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove("LUDRO_CD_DEVICE");
    if (!envDevice.isEmpty())
        env.insert("LUDRO_CD_DEVICE", envDevice);
    p.setProcessEnvironment(env);
    p.start(LUDRO_PROGRAM_DIR "/ludro-cd", args);
    if (!p.waitForFinished(20000) || p.exitStatus() != QProcess::NormalExit)
        return {};
    return {p.exitCode(), QString::fromUtf8(p.readAllStandardOutput()), QString::fromUtf8(p.readAllStandardError())};
}

}  // namespace

TEST(CdTool, PrintsTheTableOfContentsAndTheDiscIdOrSaysWhyNot)
{
    QTemporaryDir dir;
    const QString cue = writeDiscImage(dir.path(), {{4567, 440}, {151, 660, false, 31}, {80, 0, true}});

    const ToolRun toc = ludroCd({"--device", cue, "toc"});
    EXPECT_EQ(toc.status, 0) << toc.err.toStdString();
    EXPECT_EQ(toc.out, "01 00:02.00 01:01.23 audio\n"
                       "02 01:03.23 00:02.01 audio\n"
                       "03 01:05.24 00:01.05 data\n"
                       "leadout 01:06.29\n");

    const ToolRun id = ludroCd({"discid"}, cue);
    EXPECT_EQ(id.status, 0);
    EXPECT_EQ(id.out, "16004003+3+150+4748+4899+66\n");

    const QString data = writeDiscImage(dir.path(), {{100, 0, true}}, "data");
    for (const auto &[device, why] : {std::pair{dir.filePath("none.cue"), "no disc"}, std::pair{data, "data disc"},
                                      std::pair{QString("/dev/no-such-cd-drive"), "cannot open"}}) {
        const ToolRun failed = ludroCd({"--device", device, "toc"});
        EXPECT_EQ(failed.status, 1) << device.toStdString();
        EXPECT_TRUE(failed.err.contains(why)) << failed.err.toStdString();
        EXPECT_TRUE(failed.out.isEmpty());
    }
    EXPECT_EQ(ludroCd({"--device", cue, "rip"}).status, 2);
}
