// The `ludro-cd` companion run as users run it, on disc images.

#include "cd/disc_id.h"
#include "support/disc_image.h"
#include "support/files.h"
#include "support/http_test_server.h"

#include <QProcess>
#include <QTcpServer>
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

TEST(CdTool, LooksTheDiscUpAndWritesItsNamesFileAsThePlayerDoes)
{
    QTemporaryDir dir;
    const QString cue = writeDiscImage(dir.path(), {{4567, 440}, {151, 660}});
    const QString query = ludroCd({"--device", cue, "discid"}).out.trimmed();
    ludro::test::HttpTestServer http;
    http.answerBy([](const std::string &request) {
        return ludro::test::HttpTestServer::ok(
            request.find("cmd=cddb+query+") != std::string::npos
                ? "211 Found inexact matches, list follows (until terminating `.')\r\n"
                  "rock 0b0aaaaa Other / Disc\r\njazz 0b0bbbbb Artist / Title\r\n.\r\n"
                : "210 jazz 0b0bbbbb\r\n# xmcd\r\nDISCID=0b0bbbbb\r\nDTITLE=Artist / Title\r\n"
                  "TTITLE0=One\r\nTTITLE1=Two\r\n.\r\n",
            "text/plain");
    });
    const QString server = "127.0.0.1:" + QString::number(http.port());
    qputenv("LUDRO_HOME", dir.path().toUtf8());
    const ToolRun found = ludroCd({"--server", server, "--device", cue, "lookup", "--match", "2"});
    qunsetenv("LUDRO_HOME");

    EXPECT_EQ(found.status, 0) << found.err.toStdString();
    EXPECT_EQ(found.out, "Artist / Title\nOne\nTwo\n");
    const auto requests = http.requests();
    ASSERT_EQ(requests.size(), 2);
    EXPECT_NE(requests[0].find("cmd=cddb+query+" + query.toStdString() + "+&hello=user+localhost+"), std::string::npos);
    EXPECT_NE(requests[1].find("cmd=cddb+read+jazz+0b0bbbbb&"), std::string::npos);
    EXPECT_EQ(readFile(dir.filePath("tracks/" + query.section('+', 0, 0))), "Title\nArtist \nOne\nTwo\n");

    QTcpServer closed;
    ASSERT_TRUE(closed.listen(QHostAddress::LocalHost));
    const QString refused = "127.0.0.1:" + QString::number(closed.serverPort());
    closed.close();
    EXPECT_EQ(ludroCd({"--device", cue, "--server", refused, "lookup"}).status, 2);
    EXPECT_EQ(ludroCd({"--device", cue, "lookup", "--match", "0"}).status, 2) << "usage";
}
