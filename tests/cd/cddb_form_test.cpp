// The disc-database window against a loopback server that records each
// request's bytes: lookups (with the match window and ludro-cd's lookup),
// submissions and the list of servers. LUDRO_CDDB_SERVER standing in for the
// default server is seen by CD mode's lookup and the list of servers.

#include "cd/cddb_form.h"
#include "cd/disc_lookup.h"
#include "cd/match_form.h"
#include "cd/server_list_box.h"
#include "cd/submit_form.h"
#include "cd/track_names.h"
#include "support/files.h"
#include "support/http_test_server.h"
#include "support/recording_dialogs.h"
#include "support/trusted_authority.h"

#include <QComboBox>
#include <QElapsedTimer>
#include <QListWidget>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <map>
#include <mutex>

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

QString closedPort()
{
    return "127.0.0.1:" + QString::number(HttpTestServer().port());  // closed again
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
        form.setUserEmail("me@example.org");
    }

    QString server() const { return "127.0.0.1:" + QString::number(http.port()); }
    QString cached() const { return QString::fromUtf8(readFile(folder + disc.id)); }
    bool query() { return form.QueryDisc(disc, names, mainFrame); }
    void answer(const std::string &text) { http.setDefault(HttpTestServer::ok(text, "text/plain")); }
    void submit(const DiscNames &sent, const char *mode = "Test")
    {
        submitForm.setDisc(disc, sent, mainFrame);
        submitForm.show();
        submitForm.findChild<QComboBox *>("CategoryBox")->setCurrentText("Rock");
        submitForm.findChild<QComboBox *>("SubmitBox")->setCurrentText(mode);
        submitForm.findChild<QPushButton *>("SubmitButton")->click();
    }

    HttpTestServer http;
    QTemporaryDir dir;
    QString folder = dir.filePath("tracks/");
    RecordingDialogs dialogs;
    TCDDBForm form{dialogs};
    TSubmitForm submitForm{form, dialogs};
    DiscId disc{"0b012a02", "0b012a02+2+150+13500+300", 300, {150, 13500}};
    DiscNames names{"", "", {"CD-Track", "CD-Track"}, 0};
    QRect mainFrame{100, 200, 275, 116};
};

}  // namespace

TEST_F(DiscDatabase, AnExactMatchIsReadAppliedAndCached)
{
    serveCddb(http, "200 rock 0b012a02 Artist / Title\r\n", {{"rock+0b012a02", record}});
    form.setUserEmail("a&b+c d@x");

    EXPECT_TRUE(query());
    EXPECT_EQ(cached(), "Title\nArtist\nA first title split over two lines\nCaf\u00e9\n");
    const auto requests = http.requests();
    ASSERT_EQ(requests.size(), 2);
    EXPECT_TRUE(requests[0].starts_with("POST /~cddb/cddb.cgi HTTP/1.0\r\n"));
    EXPECT_EQ(body(requests[0]), "cmd=cddb+query+0b012a02+2+150+13500+300+&hello=a%26b%2Bc%20d+x+Ludro+2.0&proto=4");
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

    answer.reset();
    names = {"", "", {"CD-Track"}, 0};
    EXPECT_FALSE(query());
    EXPECT_EQ(http.requests().size(), 3) << "nothing read after Cancel";
    EXPECT_EQ(cached(), "\n\nCD-Track\n");
}

// No match or an error caches the current names; a failed connection writes nothing.
TEST_F(DiscDatabase, NoMatchErrorAnswersAndFailedConnectionsSayWhy)
{
    const struct {
        std::string answer;
        const char *status;
        bool cached;
    } cases[] = {
        {"202 No match for disc ID 0b012a02.\r\n", "No CDDB Info.", true},
        {"200 rock_without_a_blank_in_25_chars\r\n", "No CDDB Info.", true},
        {"", "No CDDB Info.", true},
        {"closed", "Connection Failed", false},
    };
    for (const auto &c : cases) {
        serveCddb(http, c.answer);
        if (c.answer == "closed")
            form.setServer(closedPort());
        QFile::remove(folder + disc.id);
        EXPECT_FALSE(query()) << c.answer;
        EXPECT_EQ(form.status(), c.status) << c.answer;
        EXPECT_EQ(cached(), c.cached ? "\n\nCD-Track\nCD-Track\n" : "") << c.answer;
        EXPECT_TRUE(form.isVisible());
    }
    EXPECT_EQ(http.requests().size(), 4) << "a line without a blank names nothing to read, nor does no line";

    form.setServer(server());
    form.setTracksFolder(writeFile(dir.filePath("file")) + "/tracks/");
    EXPECT_FALSE(query());
    EXPECT_EQ(dialogs.errors, QStringList({"File Error: Could not write to Database."}));
}

// A server written with https:// is asked over TLS; one the client refuses
// (each reason is the HTTP client's test) is a failed connection, never plain HTTP.
TEST_F(DiscDatabase, AServerWrittenWithHttpsIsAskedOverTls)
{
    const ludro::test::TrustedAuthority authority;
    serveCddb(http, "200 rock 0b012a02 Artist / Title\r\n", {{"rock+0b012a02", record}});
    const auto tls = authority.front(http.port(), authority.issue("good"));
    form.setServer(QString::fromStdString(tls->url("/")));
    EXPECT_TRUE(query());
    const auto expired = authority.front(http.port(), authority.refusedCertificates().at(1).certificate);
    form.setServer(QString::fromStdString(expired->url("/")));
    EXPECT_FALSE(query());
    EXPECT_EQ(form.status(), "Connection Failed");
    EXPECT_EQ(http.requests().size(), 2);
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
    EXPECT_FALSE(QFile::exists(folder + disc.id));
}

TEST_F(DiscDatabase, TheMatchWindowTakesADoubleClickAsOk)
{
    TMatchForm match;
    match.setMatches({"rock 0b012a02 A / B", "jazz 0b012a03 C / D"});
    match.open();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&match));
    QListWidget *list = match.matchList();
    const QPoint second = list->visualItemRect(list->item(1)).center();
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, second);
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, second);
    EXPECT_EQ(match.chosen(), 1) << "a double click is OK";
}

// Nobody presses Close for ludro-cd: a stalled server times out, an endless
// answer is cut off (the matches it lists are ludro-cd's test).
TEST_F(DiscDatabase, LudroCdsLookupEndsAStalledOrEndlessAnswer)
{
    QString text;
    QTextStream out(&text);
    http.setDefault(HttpTestServer::silent());
    EXPECT_EQ(lookupDisc(disc, {.server = server(), .timeoutMs = 300}, out, out), LookupConnectionFailed);
    http.setDefault(HttpTestServer::Response().send("HTTP/1.0 200 OK\r\n\r\n").endless("x\r\n"));
    EXPECT_EQ(lookupDisc(disc, {.server = server(), .timeoutMs = 20000}, out, out), LookupConnectionFailed);
}

TEST_F(DiscDatabase, ATwelveTrackDiscIsSentAsItsRecordWithTheFieldsInTheHeader)
{
    std::vector<long> offsets;
    for (long i = 0, at = 150; i < 12; at += 75 + i++)
        offsets.push_back(at);
    disc = {"36000c0c", "", 14, offsets};
    DiscNames motorhead{"No Sleep 'til Hammersmith", "Mot\u00f6rhead", {}, 0};
    motorhead.tracks = QStringList(9, "") << "Back\\slash\tand tab" << QString(130, QChar(0xF6)) << "Line\nbreak\r\x01";
    answer("200 OK, submission has been sent.\r\n");
    submit(motorhead, "Submit");

    ASSERT_EQ(http.requests().size(), 1);
    const std::string sent = http.requests()[0], record = body(sent);
    EXPECT_EQ(sent.substr(0, sent.size() - record.size()),
              "POST /~cddb/submit.cgi HTTP/1.0\r\nContent-Type: text/plain; charset=UTF-8\r\nHost: 127.0.0.1\r\n"
              "Content-Length: " + std::to_string(record.size()) +
                  "\r\nCategory: rock\r\nDiscid: 36000c0c\r\nUser-Email: me@example.org\r\nSubmit-Mode: submit\r\n"
                  "Charset: UTF-8\r\nX-Cddbd-Note: Sent by Ludro Pro 2.0\r\n\r\n");
    const std::string o123 = QString(123, QChar(0xF6)).toStdString(), o7 = QString(7, QChar(0xF6)).toStdString();
    for (const std::string &part :
         {std::string("# xmcd\n#\n# Names given to the gnudb.org disc database under its terms of use\n#\n"
                      "# Track frame offsets:\n#   150\n#   225\n"),
          std::string("#   1030\n#\n# Disc length: 14 seconds\n#\n# Revision: 1\n# Submitted via: Ludro Pro 2.0\n#\n"
                      "DISCID=36000c0c\nDTITLE=Mot\xC3\xB6rhead / No Sleep 'til Hammersmith\n"
                      "DYEAR=\nDGENRE=\nTTITLE0=\n"),
          "\nTTITLE8=\nTTITLE9=Back\\\\slash\\tand tab\nTTITLE10=" + o123 + "\nTTITLE10=" + o7 +
              "\nTTITLE11=Line\\nbreak  \nEXTD=\nEXTT0=\n",
          std::string("\nEXTT11=\nPLAYORDER=\n")})
        EXPECT_NE(record.find(part), std::string::npos) << part << " in\n" << record;
}

TEST_F(DiscDatabase, OnlyAnAnswerOf200ClosesTheWindowsAndRaisesTheRevision)
{
    DiscNames sent{"Title", "Artist ", {"One", "Two"}, 0};
    answer("501 Entry rejected: DTITLE is empty.\r\n");
    submit(sent);
    EXPECT_TRUE(submitForm.isVisible() && form.isVisible());
    EXPECT_EQ(form.status(), "501 Entry rejected: DTITLE is empty.");
    EXPECT_NE(http.requests().at(0).find("\r\nSubmit-Mode: test\r\n"), std::string::npos);
    EXPECT_NE(body(http.requests().at(0)).find("\nDTITLE=Artist / Title\n"), std::string::npos)
        << "the blank an artist keeps from a read record is not doubled";

    form.setServer(closedPort());
    submitForm.findChild<QPushButton *>("SubmitButton")->click();
    EXPECT_EQ(form.status(), "Connection Failed");
    EXPECT_TRUE(submitForm.isVisible() && form.isVisible());

    form.setServer(server());
    answer("200 OK\r\n");
    submitForm.findChild<QPushButton *>("SubmitButton")->click();
    EXPECT_FALSE(submitForm.isVisible() || form.isVisible());
    sent.revision = submitForm.revision();
    submit(sent);
    EXPECT_NE(http.requests().at(1).find("\n# Revision: 1\n"), std::string::npos) << "a refused record leaves it";
    EXPECT_NE(http.requests().at(2).find("\n# Revision: 2\n"), std::string::npos);

    // Names that do not fit the disc's tracks are not sent; no names, nothing at all.
    submit({"T", "A", {"1", "2", "3"}, 0});
    submit({"T", "A", {}, 0});
    EXPECT_EQ(dialogs.errors,
              QStringList({"Submit: The track list has 3 names for the 2 tracks of the disc; nothing was sent."}));
    EXPECT_EQ(http.requests().size(), 3);
}

// Fetched, kept in the names files, edited, sent and fetched again: every
// name and every field of the record comes back as it was.
TEST_F(DiscDatabase, NamesSurviveAFetchEditSubmitFetchRoundTrip)
{
    std::string served = "210 rock 0b012a02\r\n# xmcd\r\n#\r\n# Revision: 4\r\n#\r\nDISCID=0b012a02\r\n"
                         "DTITLE=AC/DC / Back in Black \\\\ Live\r\nDTITLE= (Remastered)\r\nDYEAR=1980\r\n"
                         "DGENRE=Hard Rock\r\nTTITLE0=Hells Bells\r\nTTITLE1=Shoot to\r\nTTITLE1= Thrill\r\n"
                         "EXTD=First line\\nSecond \\\\ line\r\nEXTT1=Written by\\tYoung\r\nPLAYORDER=\r\n.\r\n";
    std::mutex lock;
    http.answerBy([&](const std::string &request) {
        std::lock_guard guard(lock);
        if (request.starts_with("POST /~cddb/submit.cgi")) {
            served = "210 rock 0b012a02\r\n" + body(request) + ".\r\n";  // what the next read answers
            return HttpTestServer::ok("200 OK, submission has been sent.\r\n", "text/plain");
        }
        if (body(request).starts_with("cmd=cddb+query+"))
            return HttpTestServer::ok("200 rock 0b012a02 AC/DC / Back in Black\r\n", "text/plain");
        return HttpTestServer::ok(served, "text/plain");
    });

    ASSERT_TRUE(query());
    DiscNames kept;  // as the player finds them when the disc comes back
    ASSERT_TRUE(loadTrackNames(folder, disc, {}, 2, kept));
    kept.tracks[0] = "Hells Bells \\o/";
    submit(kept, "Submit");
    ASSERT_FALSE(submitForm.isVisible()) << form.status().toStdString();

    DiscNames again{"", "", {"CD-Track", "CD-Track"}, 0};
    ASSERT_TRUE(form.QueryDisc(disc, again, {}));
    EXPECT_EQ(QStringList({again.title, again.artist, again.year, again.genre, again.extd,
                           QString::number(again.revision)}) + again.tracks + again.extt,
              QStringList({"Back in Black \\ Live (Remastered)", "AC/DC", "1980", "Hard Rock",
                           "First line\nSecond \\ line", "5", "Hells Bells \\o/", "Shoot to Thrill", "",
                           "Written by\tYoung"}));
}

TEST_F(DiscDatabase, TheServerListFileIsReplacedOnlyByACompleteAnswer)
{
    const QString file = dir.filePath("cddb.ini");
    form.setServer(closedPort());  // the list comes from the default server, not this one
    TServerListBox box(form);
    box.setListFile(file);
    box.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&box));
    QSignalSpy chosen(&box, &TServerListBox::serverChosen);

    // Which lines are taken (hosts, control characters, at most 1000) is the fuzz target's.
    const std::string lines = "gnudb.gnudb.org http 80 /~cddb/cddb.cgi N000.00 W000.00 GnuDB\r\n"
                              "127.0.0.1:8880 cddbp 8880 - N000.00 W000.00 Loop\r\n";
    const std::string sites = "210 OK, site information follows (until terminating `.')\r\n" + lines;
    http.setDefault(HttpTestServer::ok(sites + ".\r\n", "text/plain"));
    qputenv("LUDRO_CDDB_SERVER", "127.0.0.1:" + QByteArray::number(http.port()));
    box.findChild<QPushButton *>("CDDB_Update")->click();
    EXPECT_EQ(body(http.requests().at(0)), "cmd=sites&hello=me+example.org+Ludro+2.0&proto=4");
    EXPECT_EQ(readFile(file), QByteArray::fromStdString(lines).replace('\r', ""));
    QListWidget *list = box.servers();
    const QPoint second = list->visualItemRect(list->item(1)).center();
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, second);
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, second);
    ASSERT_EQ(chosen.size(), 1);
    EXPECT_EQ(chosen[0][0].toString(), "127.0.0.1:8880");

    const std::pair<std::string, const char *> failures[] = {
        {"401 No site information available.\r\n", "401 No site information available."},
        {sites, "Connection Failed"},  // no terminator
        {"", "Connection Failed"},
    };
    writeFile(file, "mine.example http 80\n");
    for (const auto &[answer, status] : failures) {
        http.setDefault(HttpTestServer::ok(answer, "text/plain"));
        box.findChild<QPushButton *>("CDDB_Update")->click();
        EXPECT_EQ(form.status(), status);
        EXPECT_EQ(readFile(file), "mine.example http 80\n");
    }
    qunsetenv("LUDRO_CDDB_SERVER");
}
