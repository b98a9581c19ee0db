// Internet radio in the whole program against a real Icecast server with TLS
// on a second port, fed by a source of the test's at real-time rate: an
// https station named on the command line plays with each title in the main
// window, says "Reconnecting..." while the server restarts and plays on; a
// .pls link becomes its station in the playlist; a station whose certificate
// is not valid says so where the title would be.

#include "app/ludro_app.h"
#include "support/engine_session.h"
#include "support/files.h"
#include "support/http_test_server.h"
#include "support/icecast_server.h"
#include "support/recording_dialogs.h"
#include "support/run_until.h"
#include "support/test_authority.h"
#include "support/tls_test_proxy.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>

using ludro::test::HttpTestServer;
using ludro::test::IcecastServer;
using ludro::test::TestAuthority;
using ludro::test::TlsTestProxy;

namespace {

class RadioProgram : public testing::Test {
protected:
    void SetUp() override
    {
        qputenv("LUDRO_HOME", (home.path() + '/').toUtf8());
        qputenv("SSL_CERT_FILE", QByteArray::fromStdString(authority.certificateFile()));
        icecast = std::make_unique<IcecastServer>(server.path(), authority.issue("icecast").combinedFile);
        ASSERT_TRUE(icecast->start()) << icecast->log().toStdString();
        // 30 s of 96 kbit/s MPEG audio, over and over.
        icecast->feed("/live", readFile(QString::fromStdString(fixture("l3-44k-joint-long.mp3"))).toStdString(), 12000);
        ASSERT_TRUE(runUntil([&] { return icecast->isLive("/live"); }, 10000));
        ASSERT_TRUE(icecast->setTitle("/live", "First Song"));
    }
    void TearDown() override { qunsetenv("SSL_CERT_FILE"); }

    static bool shows(LudroApp &app, const QString &title, int limit = 15000)
    {
        return runUntil([&] { return app.mainForm().titleText() == title; }, limit);
    }

    QTemporaryDir home, server;
    TestAuthority authority{home.path().toStdString()};
    std::unique_ptr<IcecastServer> icecast;
    RecordingDialogs dialogs;
};

}  // namespace

TEST_F(RadioProgram, AnHttpsStationPlaysWithItsTitlesSurvivesARestartAndAnExpiredOneSaysSo)
{
    LudroApp app({"ludro", "/noSave", QString::fromStdString(icecast->tlsUrl("/live"))}, dialogs);
    app.show();
    ASSERT_TRUE(shows(app, "First Song")) << app.mainForm().titleText().toStdString();
    EXPECT_EQ(app.mainForm().scrollingTitle(), "First Song");
    EXPECT_EQ(app.controller().playerState(), 1);
    ASSERT_TRUE(icecast->setTitle("/live", "Second <b>Song</b>"));
    EXPECT_TRUE(shows(app, "Second <b>Song</b>"));

    icecast->stop();
    EXPECT_TRUE(shows(app, "Reconnecting...", 10000));
    EXPECT_TRUE(app.mainForm().scrollingTitle().startsWith("Reconnecting... ")) << "with the reason";
    ASSERT_TRUE(icecast->start()) << icecast->log().toStdString();
    ASSERT_TRUE(runUntil([&] { return icecast->isLive("/live"); }, 10000));
    ASSERT_TRUE(icecast->setTitle("/live", "After the Restart"));
    EXPECT_TRUE(shows(app, "After the Restart", 30000));
    EXPECT_EQ(app.controller().playerState(), 1) << "the stream never ended";
    EXPECT_EQ(app.playlist().entryCount(), 1);
    EXPECT_TRUE(dialogs.errors.isEmpty());

    // A station whose certificate is not valid: the reason, where the title
    // would be, and no time of the station before.
    const TestAuthority::Issued expired =
        authority.issue("expired", {.validFromSeconds = -2 * 86400, .validToSeconds = -86400});
    const TlsTestProxy tls(icecast->port(), {expired.certificateFile, expired.keyFile});
    ASSERT_TRUE(runUntil([&] { return app.mainForm().timeText() != "0:00"; }, 10000));
    dialogs.nextAddress = QString::fromStdString(tls.url("/live"));
    app.remote().execute(findRemoteCommand(QLatin1String("url"))->number, 0);
    EXPECT_TRUE(shows(app, "TLS: the certificate of 127.0.0.1 has expired"));
    EXPECT_EQ(app.mainForm().scrollingTitle(), "TLS: the certificate of 127.0.0.1 has expired");
    EXPECT_EQ(app.mainForm().timeText(), "0:00");
    EXPECT_NE(app.controller().playerState(), 1);
}

// Icecast's own .m3u of the mount, and a .pls naming it over https.
TEST_F(RadioProgram, StationListLinksBecomeTheirStation)
{
    HttpTestServer lists;
    lists.on("/radio.pls", HttpTestServer::ok("[playlist]\r\nNumberOfEntries=1\r\nFile1=" + icecast->tlsUrl("/live") +
                                                  "\r\nTitle1=Loopback Radio\r\n",
                                              "audio/x-scpls"));
    writeFile(home.filePath("LudroPro.ini"), "[Ludro]\nSortList=0\n");  // the stations in the list's order
    writeFile(home.filePath("stations.m3u"),
              QByteArray::fromStdString(lists.url("/radio.pls") + "\n" + icecast->url("/live.m3u") + "\n"));
    LudroApp app({"ludro", "/noSave", home.filePath("stations.m3u")}, dialogs);
    app.show();
    ASSERT_TRUE(shows(app, "First Song"));
    EXPECT_EQ(app.playlist().entryPath(0), QString::fromStdString(icecast->tlsUrl("/live")));
    EXPECT_EQ(app.controller().currentFile(), QString::fromStdString(icecast->tlsUrl("/live")));

    app.controller().NextSong();
    ASSERT_TRUE(runUntil(
        [&] { return app.controller().currentFile() == QString::fromStdString(icecast->url("/live")); }, 10000));
    EXPECT_TRUE(shows(app, "First Song"));
    EXPECT_EQ(app.playlist().entryCount(), 2);
}
