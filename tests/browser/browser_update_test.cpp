// Updates of the browser's pages against a loopback server: a newer list
// replaces pages and list together; anything less than a complete update
// (a missing file, a hostile name, a cancel, a relocation loop) leaves the
// folder exactly as it was.

#include "browser/browser_controller.h"
#include "browser/page_update.h"
#include "support/files.h"
#include "support/http_test_server.h"
#include "support/recording_dialogs.h"

#include <QDirIterator>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>

#include <gtest/gtest.h>

using ludro::test::HttpTestServer;

namespace {

using Files = std::map<QString, QByteArray>;

class BrowserUpdate : public testing::Test {
protected:
    void SetUp() override
    {
        writeFile(folder() + "list.txt", "1\n1\nHome.html\n");
        writeFile(folder() + "Home.html", "old home\n");
    }

    QString folder() const { return root.filePath("Browser") + '/'; }
    // Every file below the test's folder, with its contents.
    Files files() const
    {
        Files all;
        for (QDirIterator it(root.path(), QDir::Files | QDir::Hidden, QDirIterator::Subdirectories); it.hasNext();) {
            const QString path = it.next();
            all[path.mid(root.path().size() + 1)] = readFile(path);
        }
        return all;
    }
    void serve(const std::string &path, const std::string &body)
    {
        server.on("/pages/" + path, HttpTestServer::ok(body, "text/plain"));
    }
    void update(const QStringList &folders = {})
    {
        BrowserController browser(textures, dialogs, folders.isEmpty() ? QStringList{folder()} : folders,
                                  QString::fromStdString(server.url("/pages/")));
        browser.DownloadUpdates();
        EXPECT_FALSE(browser.updateForm().isVisible());
    }

    QTemporaryDir root;
    HttpTestServer server;
    TextureManager textures;
    RecordingDialogs dialogs;
};

}  // namespace

TEST_F(BrowserUpdate, ANewerVersionReplacesPagesAndListTogether)
{
    serve("list.txt", "2\r\n2\r\nHome.html\r\nlogo.bmp\r\n");
    serve("Home.html", "new home\n");
    serve("logo.bmp", "BM picture");
    update();
    EXPECT_EQ(files(), (Files{{"Browser/list.txt", "2\r\n2\r\nHome.html\r\nlogo.bmp\r\n"},
                              {"Browser/Home.html", "new home\n"},
                              {"Browser/logo.bmp", "BM picture"}}));
    EXPECT_EQ(dialogs.informations, QStringList{"All Files Successfully Downloaded."});

    update();  // the same version again
    EXPECT_EQ(dialogs.informations.last(), "No Files had to be Updated.");
    EXPECT_EQ(server.requests().size(), 4u) << "only the list was fetched the second time";
}

TEST_F(BrowserUpdate, AnythingButACompleteUpdateKeepsTheFolderAsItWas)
{
    const Files before = files();
    const auto expectUnchanged = [&](const char *what) {
        update();
        EXPECT_EQ(files(), before) << what;
        ASSERT_FALSE(dialogs.errors.isEmpty()) << what;
        EXPECT_EQ(dialogs.errors.takeLast(), "Update: Error: Files Could not be Updated.") << what;
    };
    serve("list.txt", "2\n2\nHome.html\nmissing.html\n");
    serve("Home.html", "new home\n");
    expectUnchanged("one file missing");
    for (const char *name : {"../x", "/tmp/x", "a/b", "list.txt", ".hidden"}) {
        serve("list.txt", std::string("2\n1\n") + name + "\n");
        expectUnchanged(name);
    }
    serve("list.txt", "2\n3\nHome.html\n");
    expectUnchanged("a count that is not the names'");
    serve("list.txt", "3\n1\nHome.html\n");
    server.on("/pages/Home.html",
              HttpTestServer::Response().send("HTTP/1.0 200 OK\r\n\r\n").endless(std::string(65536, 'x')));
    expectUnchanged("a file larger than any page");
    server.on("/pages/list.txt", HttpTestServer::redirect(302, server.url("/pages/list.txt")));
    expectUnchanged("a relocation loop");

    BrowserController withoutServer(textures, dialogs, {folder()}, QString());
    withoutServer.DownloadUpdates();
    EXPECT_EQ(dialogs.errors.size(), 1) << "without an update server";
}

TEST_F(BrowserUpdate, CancelOrTheCloseBoxDuringAStalledTransferLeavesNoPartialFile)
{
    serve("list.txt", "2\n1\nHome.html\n");
    server.on("/pages/Home.html", HttpTestServer::Response().send("HTTP/1.0 200 OK\r\n\r\npartial").stall());
    const Files before = files();
    BrowserController browser(textures, dialogs, {folder()}, QString::fromStdString(server.url("/pages/")));
    TUpdateForm &progress = browser.updateForm();
    const std::function<void()> cancels[] = {[&] { progress.cancelButton()->click(); }, [&] { progress.close(); }};
    for (const std::function<void()> &cancel : cancels) {
        const std::size_t requests = server.requests().size();
        QTimer watch;
        QObject::connect(&watch, &QTimer::timeout, [&] {
            if (server.requests().size() == requests + 2 && progress.HttpClient.BodyBytesReceived() > 0)
                cancel();
        });
        watch.start(10);
        browser.DownloadUpdates();
        EXPECT_TRUE(progress.cancelled());
        EXPECT_TRUE(progress.isModal() && !progress.isVisible());
        EXPECT_EQ(files(), before);
    }
    EXPECT_TRUE(dialogs.errors.isEmpty() && dialogs.informations.isEmpty());
}

// An installed player's pages are read-only: a newer version lands in the
// user's folder, made then; the installed version counts as the local one.
TEST_F(BrowserUpdate, TheUsersFolderTakesTheUpdateOfTheInstalledPages)
{
    const QStringList folders{root.filePath("mine/Browser") + '/', folder()};
    serve("list.txt", "1\n1\nHome.html\n");
    update(folders);
    EXPECT_EQ(files().size(), 2u) << "the installed version is not older";
    serve("list.txt", "2\n1\nHome.html\n");
    serve("Home.html", "new home\n");
    update(folders);
    EXPECT_EQ(files(), (Files{{"Browser/list.txt", "1\n1\nHome.html\n"},
                              {"Browser/Home.html", "old home\n"},
                              {"mine/Browser/list.txt", "2\n1\nHome.html\n"},
                              {"mine/Browser/Home.html", "new home\n"}}));
}
