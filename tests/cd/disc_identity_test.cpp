// Which disc names belong to: another disc put in without the door opening
// between, and a lookup the server answers only after the disc changed. The
// controller, the drive (a disc image), the disc-database window and a
// loopback server are real; a fast timer stands in for the main window's.

#include "cd/cd_controller.h"
#include "cd/cddb_form.h"
#include "support/disc_image.h"
#include "support/files.h"
#include "support/http_test_server.h"
#include "support/recording_dialogs.h"
#include "support/run_until.h"

#include <QTemporaryDir>
#include <QTimer>

#include <atomic>
#include <chrono>
#include <thread>

#include <gtest/gtest.h>

using ludro::test::HttpTestServer;

namespace {

class DiscIdentity : public testing::Test {
protected:
    void SetUp() override
    {
        cddb.setTracksFolder(tracks);
        QObject::connect(&controller, &cd::CdController::lookupRequested,
                         [this](const cd::DiscId &disc, cd::DiscNames names, const QRect &frame) {
                             if (cddb.QueryDisc(disc, names, frame))
                                 controller.namesFound(disc, names);
                         });
        QObject::connect(&ticks, &QTimer::timeout, &controller, &cd::CdController::poll);
        ticks.start(20);
    }

    void insert(const std::vector<ImageTrack> &disc) { writeDiscImage(home.filePath("drive"), disc); }
    bool startsWith(int tracks)
    {
        return runUntil([&] { return controller.trackCount() == tracks && controller.playerState() == 1; }, 5000);
    }

    QTemporaryDir home;
    QString tracks = home.filePath("tracks/");
    RecordingDialogs dialogs;
    cd::CdDevice device{home.filePath("drive/disc.cue")};
    cd::TCDDBForm cddb{dialogs};
    cd::CdController controller{device, dialogs, tracks};
    QTimer ticks;
};

}  // namespace

TEST_F(DiscIdentity, ADiscReplacedInPlaceStartsAsTheNewDisc)
{
    insert({{10 * 75, 440}, {10 * 75, 660}});
    controller.toggle();
    ASSERT_TRUE(startsWith(2));
    const QString first = controller.discId().id;

    insert({{5 * 75, 440}, {6 * 75, 660}, {7 * 75, 880}});  // the .cue renamed over the old one
    ASSERT_TRUE(startsWith(3)) << "the new table of contents is noticed";
    EXPECT_NE(controller.discId().id, first);
    EXPECT_EQ(controller.lines(), QStringList({"1. CD-Track", "2. CD-Track", "3. CD-Track"}));
}

TEST_F(DiscIdentity, ALookupAnsweredAfterTheDiscChangedNamesOnlyTheDiscItWasAskedFor)
{
    insert({{10 * 75, 440}, {10 * 75, 660}});
    controller.toggle();
    ASSERT_TRUE(startsWith(2));
    const cd::DiscId asked = controller.discId();

    std::atomic<bool> noDisc = false, otherDisc = false;
    QObject::connect(&controller, &cd::CdController::namesChanged, [&](const QStringList &lines) {
        (lines.isEmpty() ? noDisc : otherDisc) = lines.size() != 2;
    });
    const auto waitFor = [](const std::atomic<bool> &flag) {
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
        while (!flag && std::chrono::steady_clock::now() < deadline)
            std::this_thread::yield();
    };
    HttpTestServer http;
    http.answerBy([&](const std::string &request) {
        if (request.find("cmd=cddb+query+") != std::string::npos)
            return HttpTestServer::ok("200 rock " + asked.id.toStdString() + " Artist / First\r\n", "text/plain");
        // The server takes its time; meanwhile the user changes the disc.
        QDir(home.filePath("drive")).removeRecursively();
        waitFor(noDisc);
        insert({{5 * 75, 440}, {6 * 75, 660}, {7 * 75, 880}});
        waitFor(otherDisc);
        return HttpTestServer::ok("210 rock " + asked.id.toStdString() + "\r\n# xmcd\r\n#\r\nDISCID=" +
                                      asked.id.toStdString() + "\r\nDTITLE=Artist / First\r\nTTITLE0=One\r\n"
                                      "TTITLE1=Two\r\n.\r\n",
                                  "text/plain");
    });
    cddb.setServer("127.0.0.1:" + QString::number(http.port()));

    controller.readFromCddb({0, 0, 275, 116});
    ASSERT_TRUE(otherDisc);
    EXPECT_EQ(controller.lines(), QStringList({"1. CD-Track", "2. CD-Track", "3. CD-Track"}));
    EXPECT_EQ(readFile(tracks + asked.id), "First\nArtist\nOne\nTwo\n") << "the names of the disc asked for";
    EXPECT_FALSE(QFile::exists(tracks + controller.discId().id)) << "none for the disc in the drive now";
}
