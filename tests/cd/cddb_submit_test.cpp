// Sending a disc's names to the disc database and fetching its list of
// servers, against a loopback server that records each request's bytes.

#include "cd/cddb_form.h"
#include "cd/disc_source.h"
#include "cd/server_list_box.h"
#include "cd/submit_form.h"
#include "support/disc_image.h"
#include "support/files.h"
#include "support/http_test_server.h"
#include "support/recording_dialogs.h"

#include <QComboBox>
#include <QListWidget>
#include <QPushButton>
#include <QSignalSpy>
#include <QTcpServer>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

using ludro::test::HttpTestServer;
using namespace cd;

namespace {

std::string body(const std::string &request)
{
    return request.substr(request.find("\r\n\r\n") + 4);
}

QString closedPort()
{
    QTcpServer closed;
    closed.listen(QHostAddress::LocalHost);
    return "127.0.0.1:" + QString::number(closed.serverPort());
}

class Submission : public testing::Test {
protected:
    Submission()
    {
        cddb.setServer(server());
        cddb.setUserEmail("me@example.org");
    }

    QString server() const { return "127.0.0.1:" + QString::number(http.port()); }
    void answer(const std::string &text) { http.setDefault(HttpTestServer::ok(text, "text/plain")); }
    void submit(const DiscNames &names, const char *mode = "Test")
    {
        form.setDisc(disc, names, {100, 200, 275, 116});
        form.show();
        form.findChild<QComboBox *>("CategoryBox")->setCurrentText("Rock");
        form.findChild<QComboBox *>("SubmitBox")->setCurrentText(mode);
        form.findChild<QPushButton *>("SubmitButton")->click();
    }
    std::string sentRevision(std::size_t request) const
    {
        const std::string sent = http.requests().at(request);
        const auto at = sent.find("# Revision: ") + 12;
        return sent.substr(at, sent.find('\n', at) - at);
    }

    HttpTestServer http;
    RecordingDialogs dialogs;
    TCDDBForm cddb{dialogs};
    TSubmitForm form{cddb, dialogs};
    DiscId disc{"0b012a02", "0b012a02+2+150+13500+300", 300, {150, 13500}};
    DiscNames names{"Title", "Artist ", {"One", "Two"}, 0};
};

}  // namespace

TEST_F(Submission, ATwelveTrackDiscIsSentAsItsRecordWithTheFieldsInTheHeader)
{
    QTemporaryDir dir;
    std::vector<ImageTrack> tracks;
    for (int i = 0; i < 12; ++i)
        tracks.push_back({75 + i, 440 + 20 * i});
    std::unique_ptr<QTemporaryDir> links;
    CdIo_t *image = openDisc(resolveDiscSource(writeDiscImage(dir.path(), tracks)), links);
    ASSERT_NE(image, nullptr);
    disc = computeDiscId(readTableOfContents(image));
    cdio_destroy(image);
    DiscNames motorhead{"No Sleep 'til Hammersmith", "Mot\u00f6rhead", {}, 0};
    for (int i = 0; i < 9; ++i)
        motorhead.tracks << "Track " + QString::number(i + 1);
    motorhead.tracks << "Back\\slash\tand tab" << QString(130, QChar(0xF6)) << "Line\nbreak\r\x01";
    answer("200 OK, submission has been sent.\r\n");

    submit(motorhead, "Submit");
    EXPECT_FALSE(form.isVisible());
    EXPECT_FALSE(cddb.isVisible());
    EXPECT_EQ(form.revision(), 1);

    std::string record = "# xmcd\n#\n# Names given to the gnudb.org disc database under its terms of use\n#\n"
                         "# Track frame offsets:\n";
    for (const char *offset : {"150", "225", "301", "378", "456", "535", "615", "696", "778", "861", "945", "1030"})
        record += std::string("#   ") + offset + "\n";
    record += "#\n# Disc length: 14 seconds\n#\n# Revision: 1\n# Submitted via: Ludro Pro 2.0\n#\n"
              "DISCID=36000c0c\nDTITLE=Mot\xC3\xB6rhead / No Sleep 'til Hammersmith\nDYEAR=\nDGENRE=\n";
    for (int i = 0; i < 9; ++i)
        record += "TTITLE" + std::to_string(i) + "=Track " + std::to_string(i + 1) + "\n";
    std::string o123, o7;
    for (int i = 0; i < 123; ++i)
        o123 += "\xC3\xB6";
    for (int i = 0; i < 7; ++i)
        o7 += "\xC3\xB6";
    record +=
        "TTITLE9=Back\\\\slash\\tand tab\nTTITLE10=" + o123 + "\nTTITLE10=" + o7 + "\nTTITLE11=Line\\nbreak  \nEXTD=\n";
    for (int i = 0; i < 12; ++i)
        record += "EXTT" + std::to_string(i) + "=\n";
    record += "PLAYORDER=\n";
    ASSERT_EQ(http.requests().size(), 1);
    EXPECT_EQ(http.requests()[0], "POST /~cddb/submit.cgi HTTP/1.0\r\nContent-Type: text/plain; charset=UTF-8\r\n"
                                  "Host: 127.0.0.1\r\nContent-Length: " +
                                      std::to_string(record.size()) +
                                      "\r\nCategory: rock\r\nDiscid: 36000c0c\r\nUser-Email: me@example.org\r\n"
                                      "Submit-Mode: submit\r\nCharset: UTF-8\r\n"
                                      "X-Cddbd-Note: Sent by Ludro Pro 2.0\r\n\r\n" +
                                      record);
    EXPECT_EQ(cddb.record().join('\n').toStdString() + '\n', record);
}

TEST_F(Submission, OnlyAnAnswerOf200ClosesTheWindowsAndRaisesTheRevision)
{
    answer("501 Entry rejected: DTITLE is empty.\r\n");
    submit(names);
    EXPECT_TRUE(form.isVisible());
    EXPECT_TRUE(cddb.isVisible());
    EXPECT_EQ(cddb.status(), "501 Entry rejected: DTITLE is empty.");
    EXPECT_EQ(form.revision(), 0);
    EXPECT_NE(http.requests().at(0).find("\r\nSubmit-Mode: test\r\n"), std::string::npos);
    EXPECT_NE(body(http.requests().at(0)).find("\nDTITLE=Artist / Title\n"), std::string::npos)
        << "the blank an artist keeps from a read record is not doubled";

    cddb.setServer(closedPort());
    form.findChild<QPushButton *>("SubmitButton")->click();
    EXPECT_EQ(cddb.status(), "Connection Failed");
    EXPECT_TRUE(form.isVisible() && cddb.isVisible());

    cddb.setServer(server());
    answer("200 OK\r\n");
    form.findChild<QPushButton *>("SubmitButton")->click();
    EXPECT_FALSE(form.isVisible() || cddb.isVisible());
    EXPECT_EQ(form.revision(), 1);
    EXPECT_EQ(sentRevision(0) + sentRevision(1), "11") << "a refused record leaves the revision";

    names.revision = form.revision();
    submit(names);
    EXPECT_EQ(form.revision(), 2);
    EXPECT_EQ(sentRevision(2), "2");

    // Names that do not fit the disc's tracks are not sent; no names, nothing at all.
    submit({"T", "A", {"1", "2", "3"}, 0});
    submit({"T", "A", {}, 0});
    EXPECT_EQ(dialogs.errors,
              QStringList({"Submit: The track list has 3 names for the 2 tracks of the disc; nothing was sent."}));
    EXPECT_EQ(http.requests().size(), 3);
}

TEST(ServerList, OnlyACompleteAnswerReplacesTheFile)
{
    HttpTestServer http;
    QTemporaryDir dir;
    const QString file = dir.filePath("cddb.ini");
    RecordingDialogs dialogs;
    TCDDBForm cddb(dialogs);
    cddb.setServer(closedPort());  // the list comes from the default server, not this one
    TServerListBox box(cddb);
    box.setListFile(file);
    box.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&box));
    EXPECT_EQ(box.servers()->count(), 0) << "no file, no servers";
    QSignalSpy chosen(&box, &TServerListBox::serverChosen);

    std::string sites = "210 OK, site information follows (until terminating `.')\r\n"
                        "gnudb.gnudb.org http 80 /~cddb/cddb.cgi N000.00 W000.00 GnuDB\r\n"
                        "127.0.0.1:8880 cddbp 8880 - N000.00 W000.00 Loop\tback\x1b[0m\r\n"
                        "bad/host http 80 /\r\n-dash.example http 80 /\r\nhost:99999 http\r\n";
    for (int i = 0; i < 1001; ++i) {
        sites += 'h';
        sites += std::to_string(i);
        sites += ".example http 80 /~cddb/cddb.cgi\r\n";
    }
    http.setDefault(HttpTestServer::ok(sites + ".\r\n", "text/plain"));
    qputenv("LUDRO_CDDB_SERVER", "127.0.0.1:" + QByteArray::number(http.port()));
    box.findChild<QPushButton *>("CDDB_Update")->click();
    EXPECT_FALSE(cddb.isVisible());
    EXPECT_EQ(http.requests().at(0).substr(0, 31), "POST /~cddb/cddb.cgi HTTP/1.0\r\n");
    EXPECT_EQ(body(http.requests().at(0)), "cmd=sites&hello=user+localhost+Ludro+2.0&proto=4");
    QByteArray expected = "gnudb.gnudb.org http 80 /~cddb/cddb.cgi N000.00 W000.00 GnuDB\n"
                          "127.0.0.1:8880 cddbp 8880 - N000.00 W000.00 Loop back [0m\n";
    for (int i = 0; i < 998; ++i)
        expected += "h" + QByteArray::number(i) + ".example http 80 /~cddb/cddb.cgi\n";
    EXPECT_EQ(readFile(file), expected);
    ASSERT_EQ(box.servers()->count(), 1000);
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
        EXPECT_EQ(cddb.status(), status);
        EXPECT_TRUE(cddb.isVisible());
        EXPECT_EQ(readFile(file), "mine.example http 80\n");
    }
    qputenv("LUDRO_CDDB_SERVER", closedPort().toUtf8());
    box.findChild<QPushButton *>("CDDB_Update")->click();
    qunsetenv("LUDRO_CDDB_SERVER");
    EXPECT_EQ(cddb.status(), "Connection Failed");
    EXPECT_EQ(readFile(file), "mine.example http 80\n");
    EXPECT_EQ(box.servers()->count(), 1000) << "the list shown stays until it is shown again";
    box.hide();
    box.show();
    EXPECT_EQ(box.servers()->count(), 1);
}
