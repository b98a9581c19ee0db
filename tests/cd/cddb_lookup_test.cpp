// The disc-database lookup against a loopback server: the disc-database
// window, the match window and ludro-cd's lookup, over the exact requests a
// CDDB server reads.

#include "cd/cddb_form.h"
#include "cd/disc_lookup.h"
#include "cd/match_form.h"
#include "support/files.h"
#include "support/http_test_server.h"
#include "support/recording_dialogs.h"
#include "support/test_authority.h"
#include "support/tls_test_proxy.h"

#include <QCheckBox>
#include <QElapsedTimer>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QSignalSpy>
#include <QTcpServer>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <map>

using ludro::test::HttpTestServer;
using namespace cd;

namespace {

const std::string record = "210 rock 0b012a02 CD database entry follows (until terminating `.')\r\n"
                           "# xmcd\r\n#\r\n# Revision: 3\r\n#\r\nDISCID=0b012a02\r\n"
                           "DTITLE=Artist / Title\r\nDYEAR=1999\r\n"
                           "TTITLE0=A first title split\r\nTTITLE0= over two lines\r\nTTITLE1=Caf\xE9\r\n.\r\n";

std::string body(const std::string &request)
{
    return request.substr(request.find("\r\n\r\n") + 4);
}

// A disc-database server: one answer to every query, a record for each
// "category+discid" read, "401" for the others.
void serveCddb(HttpTestServer &server, std::string queryAnswer, std::map<std::string, std::string> records = {})
{
    server.answerBy([queryAnswer, records](const std::string &request) {
        const std::string form = body(request);
        if (form.starts_with("cmd=cddb+query+"))
            return HttpTestServer::ok(queryAnswer, "text/plain");
        const auto key = form.substr(14, form.find('&') - 14);
        const auto found = records.find(key);
        return HttpTestServer::ok(found != records.end() ? found->second : "401 No such CD entry in database.\r\n",
                                  "text/plain");
    });
}

class DiscDatabase : public testing::Test {
protected:
    DiscDatabase()
    {
        form.setServer(server());
        form.setTracksFolder(folder);
    }

    QString server() const { return "127.0.0.1:" + QString::number(http.port()); }
    QString cached() const { return QString::fromUtf8(readFile(folder + disc.id)); }
    bool query() { return form.QueryDisc(disc, names, mainFrame); }

    HttpTestServer http;
    QTemporaryDir dir;
    QString folder = dir.filePath("tracks/");
    RecordingDialogs dialogs;
    TCDDBForm form{dialogs};
    DiscId disc{"0b012a02", "0b012a02+2+150+13500+300", 300, {150, 13500}};
    DiscNames names{"", "", {"CD-Track", "CD-Track"}, 0};
    QRect mainFrame{100, 200, 275, 116};
};

}  // namespace

TEST_F(DiscDatabase, AnExactMatchIsReadAppliedAndCachedOnTheDefaultServersPlace)
{
    serveCddb(http, "200 rock 0b012a02 Artist / Title\r\n", {{"rock+0b012a02", record}});
    qputenv("LUDRO_CDDB_SERVER", server().toUtf8());
    form.setServer("gnudb.gnudb.org");
    qunsetenv("LUDRO_CDDB_SERVER");
    form.setUserEmail("a&b+c d@x");

    EXPECT_TRUE(query());
    EXPECT_EQ(form.status(), "CDDB Successfull.");
    EXPECT_FALSE(form.isVisible());
    EXPECT_EQ(names.artist, "Artist");
    EXPECT_EQ(names.title, "Title");
    EXPECT_EQ(names.tracks, QStringList({"A first title split over two lines", "Caf\u00e9"}));
    EXPECT_EQ(names.revision, 3);
    EXPECT_EQ(form.record().size(), 12);
    EXPECT_EQ(cached(), "Title\nArtist\nA first title split over two lines\nCaf\u00e9\n");

    const auto requests = http.requests();
    ASSERT_EQ(requests.size(), 2);
    const std::string query = "cmd=cddb+query+0b012a02+2+150+13500+300+&hello=a%26b%2Bc%20d+x+Ludro+2.0&proto=4";
    EXPECT_EQ(requests[0], "POST /~cddb/cddb.cgi HTTP/1.0\r\nContent-Type: application/x-www-form-urlencoded\r\n"
                           "Host: 127.0.0.1\r\nContent-Length: " +
                               std::to_string(query.size()) + "\r\n\r\n" + query);
    EXPECT_EQ(body(requests[1]), "cmd=cddb+read+rock+0b012a02&hello=a%26b%2Bc%20d+x+Ludro+2.0&proto=4");
}

TEST_F(DiscDatabase, InexactMatchesArePickedWithoutTheWindowAndCancelKeepsTheNames)
{
    serveCddb(http,
              "211 Found inexact matches, list follows (until terminating `.')\r\n"
              "rock 0b012a02 Artist / Title\r\njazz 0b012a03 Other / Disc\r\n.\r\n",
              {{"jazz+0b012a03", record}});
    QStringList offered;
    bool windowShown = true;
    std::optional<int> answer = 1;
    form.setMatchChooser([&](const QStringList &matches) {
        offered = matches;
        windowShown = form.isVisible();
        return answer;
    });

    EXPECT_TRUE(query());
    EXPECT_EQ(offered, QStringList({"rock 0b012a02 Artist / Title", "jazz 0b012a03 Other / Disc"}));
    EXPECT_FALSE(windowShown);
    EXPECT_EQ(body(http.requests().at(1)).substr(0, 28), "cmd=cddb+read+jazz+0b012a03&");
    EXPECT_EQ(names.title, "Title");

    answer.reset();
    names = {"", "", {"CD-Track"}, 0};
    EXPECT_FALSE(query());
    EXPECT_EQ(http.requests().size(), 3) << "nothing read after Cancel";
    EXPECT_EQ(form.status(), "No CDDB Info.");
    EXPECT_EQ(cached(), "\n\nCD-Track\n");
}

TEST_F(DiscDatabase, NoMatchAndErrorAnswersSayNoInfoAndCacheTheCurrentNames)
{
    for (const char *answer : {"202 No match for disc ID 0b012a02.\r\n", "500 Command syntax error\r\n",
                               "200 rock_without_a_blank_in_25_chars\r\n", ""}) {
        serveCddb(http, answer);
        QFile::remove(folder + disc.id);
        EXPECT_FALSE(query()) << answer;
        EXPECT_EQ(form.status(), "No CDDB Info.") << answer;
        EXPECT_EQ(cached(), "\n\nCD-Track\nCD-Track\n") << answer;
    }
    EXPECT_EQ(http.requests().size(), 6) << "a line without a blank names nothing to read, nor does no line";

    // The window stays beside the main window's frame, centred on it.
    EXPECT_TRUE(form.isVisible());
    EXPECT_EQ(form.frameGeometry().left(), 100 + 275 + 10);
    EXPECT_NEAR(form.frameGeometry().center().y(), mainFrame.center().y(), 1);

    form.setTracksFolder(writeFile(dir.filePath("file")) + "/tracks/");
    EXPECT_FALSE(query());
    EXPECT_EQ(dialogs.errors, QStringList({"File Error: Could not write to Database."}));
}

TEST_F(DiscDatabase, RefusedOrFailedConnectionsChangeNoFile)
{
    QTcpServer closed;
    ASSERT_TRUE(closed.listen(QHostAddress::LocalHost));
    const QString refused = "127.0.0.1:" + QString::number(closed.serverPort());
    closed.close();
    form.setServer(refused);
    EXPECT_FALSE(query());
    EXPECT_EQ(form.status(), "Connection Failed");
    EXPECT_TRUE(form.isVisible());

    form.setServer(server());
    http.setDefault(HttpTestServer::reply(500, "Internal Server Error"));
    EXPECT_FALSE(query());
    EXPECT_EQ(form.status(), "Connection Failed");
    EXPECT_FALSE(QFile::exists(folder + disc.id));
}

// A server written with https:// is asked over TLS; one whose certificate
// is not valid is a failed connection and nothing is sent to it.
TEST_F(DiscDatabase, AServerWrittenWithHttpsIsAskedOverTls)
{
    const ludro::test::TestAuthority authority(dir.path().toStdString());
    qputenv("SSL_CERT_FILE", QByteArray::fromStdString(authority.certificateFile()));
    serveCddb(http, "200 rock 0b012a02 Artist / Title\r\n", {{"rock+0b012a02", record}});
    const auto server = [&](const ludro::test::TestAuthority::Issued &certificate) {
        return std::make_unique<ludro::test::TlsTestProxy>(
            http.port(), ludro::test::TlsTestProxy::Options{certificate.certificateFile, certificate.keyFile});
    };
    const auto good = server(authority.issue("good"));
    form.setServer(QString::fromStdString(good->url("/")));
    EXPECT_TRUE(query());
    EXPECT_EQ(names.title, "Title");
    EXPECT_EQ(http.requests().size(), 2);

    const auto expired = server(authority.issue("expired", {.validFromSeconds = -86400, .validToSeconds = -60}));
    form.setServer(QString::fromStdString(expired->url("")));
    EXPECT_FALSE(query());
    EXPECT_EQ(form.status(), "Connection Failed");
    EXPECT_EQ(http.requests().size(), 2);
    qunsetenv("SSL_CERT_FILE");
}

TEST_F(DiscDatabase, TimingCloseEndsAStalledAnswerAtOnce)
{
    http.setDefault(HttpTestServer::silent());
    QTimer close;
    QObject::connect(&close, &QTimer::timeout, [&] {
        if (!http.requests().empty())
            form.findChild<QPushButton *>("CDDB_Abort")->click();
    });
    close.start(10);
    QElapsedTimer clock;
    clock.start();
    EXPECT_FALSE(query());
    EXPECT_LT(clock.elapsed(), 5000);
    EXPECT_EQ(form.status(), "Connection Failed");
    EXPECT_FALSE(form.isVisible());
    EXPECT_FALSE(QFile::exists(folder + disc.id));
}

TEST(CddbForms, TheMatchWindowAndTheEnabledBox)
{
    TMatchForm match;
    match.setMatches({"rock 0b012a02 A / B", "jazz 0b012a03 C / D"});
    match.open();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&match));
    QListWidget *list = match.matchList();
    const QPoint second = list->visualItemRect(list->item(1)).center();
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, second);
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, second);
    EXPECT_FALSE(match.isVisible()) << "a double click is OK";
    EXPECT_EQ(match.chosen(), 1);
    match.open();
    match.reject();
    EXPECT_EQ(match.chosen(), std::nullopt);

    RecordingDialogs dialogs;
    TCDDBForm form(dialogs);
    QSignalSpy changed(&form, &TCDDBForm::cddbEnabledChanged);
    form.setCddbEnabled(false);
    EXPECT_TRUE(changed.isEmpty()) << "only the user's click is told";
    form.findChild<QCheckBox *>("DisCDDB")->click();
    ASSERT_EQ(changed.size(), 1);
    EXPECT_TRUE(changed[0][0].toBool());
    EXPECT_TRUE(form.cddbEnabled());
}

TEST(DiscLookup, LudroCdPrintsWritesAndTellsWhatWentWrong)
{
    HttpTestServer http;
    serveCddb(http,
              "210 Found exact matches, list follows (until terminating `.')\r\n"
              "rock 0b012a02 Artist / Title\r\nrock 0b012a03 Artist / Title\r\n.\r\n",
              {{"rock+0b012a03", record}});
    QTemporaryDir dir;
    const DiscId disc{"0b012a02", "0b012a02+2+150+13500+300", 300, {150, 13500}};
    LookupOptions options;
    options.server = "127.0.0.1:" + QString::number(http.port());
    options.tracksFolder = dir.filePath("tracks/");
    QString out, errors;
    auto lookup = [&] {
        out.clear();
        errors.clear();
        QTextStream outStream(&out), errorStream(&errors);
        return lookupDisc(disc, options, outStream, errorStream);
    };

    EXPECT_EQ(lookup(), LookupNoRecord) << "the first match has no record";
    EXPECT_TRUE(errors.contains("match 2: rock 0b012a03 Artist / Title\n")) << errors.toStdString();
    options.match = 2;
    EXPECT_EQ(lookup(), LookupFound);
    EXPECT_EQ(out, "Artist / Title\nA first title split over two lines\nCaf\u00e9\n");
    EXPECT_EQ(readFile(options.tracksFolder + disc.id),
              "Title\nArtist\nA first title split over two lines\nCaf\xC3\xA9\n");
    options.match = 3;
    EXPECT_EQ(lookup(), LookupNoRecord);

    // Nobody presses Close for ludro-cd: a stalled server times out, an endless answer is cut off.
    http.setDefault(HttpTestServer::silent());
    http.answerBy({});
    options.timeoutMs = 300;
    EXPECT_EQ(lookup(), LookupConnectionFailed);
    EXPECT_TRUE(errors.contains("Connection to 127.0.0.1")) << errors.toStdString();
    http.setDefault(HttpTestServer::Response().send("HTTP/1.0 200 OK\r\n\r\n").endless("x\r\n"));
    options.timeoutMs = 20000;
    EXPECT_EQ(lookup(), LookupConnectionFailed);
}
