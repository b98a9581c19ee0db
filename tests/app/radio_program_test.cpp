// Internet radio in the whole program against a real Icecast server with TLS
// on a second port, fed by a source of the test's at real-time rate: an
// https station named on the command line plays with each title in the main
// window, says "Reconnecting..." while the server restarts and plays on; a
// .pls link becomes its station in the playlist; a station whose certificate
// is not valid says so where the title would be.

#include "support/http_test_server.h"
#include "support/icecast_server.h"
#include "support/program_session.h"
#include "support/test_authority.h"
#include "support/tls_test_proxy.h"

#include <memory>

using ludro::test::HttpTestServer;
using ludro::test::IcecastServer;
using ludro::test::TestAuthority;
using ludro::test::TlsTestProxy;

namespace {

class RadioProgram : public ProgramSession {
protected:
    void SetUp() override
    {
        qputenv("SSL_CERT_FILE", QByteArray::fromStdString(authority.certificateFile()));
        icecast = std::make_unique<IcecastServer>(server.path(), authority.issue("icecast").combinedFile);
        ASSERT_TRUE(icecast->start()) << icecast->log().toStdString();
        // 30 s of 96 kbit/s MPEG audio, over and over.
        icecast->feed("/live", readFile(QString::fromStdString(fixture("l3-44k-joint-long.mp3"))).toStdString(), 12000);
        ASSERT_TRUE(runUntil([&] { return icecast->isLive("/live"); }, 10000));
        ASSERT_TRUE(icecast->setTitle("/live", "First Song"));
    }
    void TearDown() override
    {
        end();
        qunsetenv("SSL_CERT_FILE");
    }

    bool shows(const QString &title, int limit = 15000)
    {
        return runUntil([&] { return app->mainForm().titleText() == title; }, limit);
    }

    QTemporaryDir server;
    TestAuthority authority{home.path().toStdString()};
    std::unique_ptr<IcecastServer> icecast;
};

}  // namespace

TEST_F(RadioProgram, AnHttpsStationPlaysWithItsTitlesSurvivesARestartAndAnExpiredOneSaysSo)
{
    LudroApp &app = start({"/noSave", QString::fromStdString(icecast->tlsUrl("/live"))});
    ASSERT_TRUE(shows("First Song")) << app.mainForm().titleText().toStdString();
    ASSERT_TRUE(icecast->setTitle("/live", "Second <b>Song</b>"));
    EXPECT_TRUE(shows("Second <b>Song</b>"));

    icecast->stop();
    EXPECT_TRUE(shows("Reconnecting...", 10000));
    EXPECT_TRUE(app.mainForm().scrollingTitle().startsWith("Reconnecting... ")) << "with the reason";
    ASSERT_TRUE(icecast->start()) << icecast->log().toStdString();
    ASSERT_TRUE(runUntil([&] { return icecast->isLive("/live"); }, 10000));
    ASSERT_TRUE(icecast->setTitle("/live", "After the Restart"));
    EXPECT_TRUE(shows("After the Restart", 30000));
    EXPECT_EQ(app.controller().playerState(), 1) << "the stream never ended";

    // A station whose certificate is not valid: the reason, where the title
    // would be, and no time of the station before.
    const TestAuthority::Issued expired =
        authority.issue("expired", {.validFromSeconds = -2 * 86400, .validToSeconds = -86400});
    const TlsTestProxy tls(icecast->port(), {expired.certificateFile, expired.keyFile});
    ASSERT_TRUE(runUntil([&] { return app.mainForm().timeText() != "0:00"; }, 10000));
    dialogs.nextAddress = QString::fromStdString(tls.url("/live"));
    app.remote().execute(findRemoteCommand(QLatin1String("url"))->number, 0);
    EXPECT_TRUE(shows("TLS: the certificate of 127.0.0.1 has expired"));
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
    settings("SortList=0\n");  // the stations in the list's order
    writeFile(home.filePath("stations.m3u"),
              QByteArray::fromStdString(lists.url("/radio.pls") + "\n" + icecast->url("/live.m3u") + "\n"));
    LudroApp &app = start({"/noSave", home.filePath("stations.m3u")});
    ASSERT_TRUE(shows("First Song"));
    EXPECT_EQ(app.controller().currentFile(), QString::fromStdString(icecast->tlsUrl("/live")));

    app.controller().NextSong();
    ASSERT_TRUE(runUntil(
        [&] { return app.controller().currentFile() == QString::fromStdString(icecast->url("/live")); }, 10000));
    EXPECT_TRUE(shows("First Song"));
}
