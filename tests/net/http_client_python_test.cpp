// The HTTP client against an outside peer: Python's http.server program.

#include "http_fetch.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRandomGenerator>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using ludro::test::fetch;

namespace {

// python3 -m http.server serving `folder` on a free loopback port.
class PythonHttpServer {
public:
    explicit PythonHttpServer(const QString &folder)
    {
        QTcpServer probe;
        probe.listen(QHostAddress::LocalHost);
        port_ = probe.serverPort();
        probe.close();
        process_.start("python3",
                       {"-m", "http.server", "--bind", "127.0.0.1", "--directory", folder, QString::number(port_)});
    }
    ~PythonHttpServer()
    {
        process_.kill();
        process_.waitForFinished(5000);
    }

    bool waitUntilListening()
    {
        const QDeadlineTimer deadline(10000);
        while (!deadline.hasExpired() && process_.state() != QProcess::NotRunning) {
            QTcpSocket probe;
            probe.connectToHost(QHostAddress::LocalHost, port_);
            if (probe.waitForConnected(200))
                return true;
            process_.waitForFinished(50);
        }
        return false;
    }

    QString url(const QString &path) const { return QString("http://127.0.0.1:%1%2").arg(port_).arg(path); }

private:
    quint16 port_ = 0;
    QProcess process_;
};

void writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size());
}

}  // namespace

TEST(HttpClientWithPython, FetchesAFileFollowsTheFolderRelocationAndReportsAMissingFile)
{
    QTemporaryDir folder;
    QByteArray song(150000, 0);
    QRandomGenerator(7).fillRange(reinterpret_cast<quint32 *>(song.data()), song.size() / 4);
    writeFile(folder.filePath("song.mp3"), song);
    ASSERT_TRUE(QDir(folder.path()).mkdir("sub"));
    writeFile(folder.filePath("sub/index.html"), "<p>hello</p>");
    PythonHttpServer server(folder.path());
    ASSERT_TRUE(server.waitUntilListening());
    net::THttpCli client;
    QStringList moves;
    client.OnLocationChange = [&](const QString &location) { moves << location; };

    client.URL = server.url("/song.mp3");
    EXPECT_EQ(fetch(client).body, song);
    EXPECT_EQ(client.ResponseContentType(), "audio/mpeg");
    EXPECT_EQ(client.ResponseLength(), song.size());

    client.URL = server.url("/sub");
    EXPECT_EQ(fetch(client).body, "<p>hello</p>");
    EXPECT_EQ(moves, QStringList{"/sub/"});
    EXPECT_EQ(client.LocalDocName(), "sub");

    client.URL = server.url("/missing.mp3");
    EXPECT_EQ(fetch(client).failure, "File not found #404");
}
