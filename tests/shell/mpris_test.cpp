// The player as an MPRIS2 media player on a session bus of the test's own
// (the test runs under dbus-run-session), with playerctl and dbus-send as
// the clients desktop users have: what they see, every command, values no
// player should take, CD mode, and a player that finds no bus or a name
// already taken.

#include "playlist/id3_tag.h"
#include "shell/mpris_service.h"
#include "support/disc_image.h"
#include "support/http_test_server.h"
#include "support/player_process.h"
#include "support/program_session.h"
#include "support/trusted_authority.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QProcess>
#include <QSignalSpy>

#include <gtest/gtest.h>

using ludro::test::HttpTestServer;

namespace {

const QString busName = QLatin1String(shell::MprisService::busName);
const QString objectPath = QStringLiteral("/org/mpris/MediaPlayer2");

// Serves the bus while the client runs; its output, trimmed.
QString run(const QString &program, const QStringList &arguments)
{
    QProcess client;
    client.start(program, arguments);
    if (!runUntil([&] { return client.state() == QProcess::NotRunning; }, 10000)) {
        client.kill();
        client.waitForFinished();
        ADD_FAILURE() << program.toStdString() << " " << arguments.join(' ').toStdString() << " does not finish";
    }
    return QString::fromUtf8(client.readAllStandardOutput()).trimmed();
}

QString playerctl(const QStringList &arguments)
{
    return run(QStringLiteral("playerctl"), QStringList{"-p", "ludro"} + arguments);
}

// A member of the player called with dbus-send's typed arguments ("double:nan").
void dbusSend(const QString &member, const QStringList &arguments = {})
{
    run("dbus-send", QStringList{"--session", "--print-reply", "--dest=" + busName, objectPath, member} + arguments);
}

void call(const QString &method, const QStringList &arguments = {})
{
    dbusSend("org.mpris.MediaPlayer2.Player." + method, arguments);
}

void setProperty(const QString &name, const QString &value)
{
    dbusSend("org.freedesktop.DBus.Properties.Set",
             {"string:org.mpris.MediaPlayer2.Player", "string:" + name, "variant:" + value});
}

}  // namespace

// What the bus announces: the names of the changed properties, and seeks.
class BusWatch : public QObject {
    Q_OBJECT

public:
    BusWatch()
    {
        bus.connect(busName, objectPath, "org.freedesktop.DBus.Properties", "PropertiesChanged", this,
                    SLOT(changed(QString, QVariantMap, QStringList)));
        bus.connect(busName, objectPath, "org.mpris.MediaPlayer2.Player", "Seeked", this, SLOT(seeked(qlonglong)));
    }
    ~BusWatch() override { QDBusConnection::disconnectFromBus(QStringLiteral("watch")); }

    QDBusConnection bus = QDBusConnection::connectToBus(QDBusConnection::SessionBus, QStringLiteral("watch"));
    QStringList names;
    std::vector<qlonglong> seeks;

public slots:
    void changed(const QString &, const QVariantMap &properties, const QStringList &) { names += properties.keys(); }
    void seeked(qlonglong position) { seeks.push_back(position); }
};

class Mpris : public ProgramSession {
protected:
    Mpris()
    {
        writeFile(home.filePath("long.mp3"),
                  readFile(QString::fromStdString(fixture("l3-44k-joint-long.mp3"))) +
                      id3::buildRecord({"Long Song", "The Band", "The Album", "2001", "", 0}));
        song("short one.mp3");
        song("third.mp3", "l3-22k-stereo-cbr.mp3");
        writeFile(home.filePath("list.m3u"), "long.mp3\nshort one.mp3\n");
    }
};

TEST_F(Mpris, PlayerctlSeesAndDrivesThePlayer)
{
    BusWatch watch;
    LudroApp &app = start({"/noSave", home.filePath("list.m3u")});
    ASSERT_TRUE(reaches(1));
    EXPECT_EQ(playerctl({"metadata", "--format", "{{xesam:title}}|{{xesam:artist}}|{{xesam:album}}|{{xesam:url}}"}),
              "Long Song|The Band|The Album|" + QUrl::fromLocalFile(home.filePath("long.mp3")).toString());
    ASSERT_TRUE(runUntil([&] { return playerctl({"metadata", "mpris:length"}) == "30000000"; }, 3000));
    ASSERT_EQ(id3::TagWriter().save(home.filePath("long.mp3"), {"Renamed", "The Band", "The Album", "", "", 0}), "");
    app.controller().TagChanged(home.filePath("long.mp3"));
    EXPECT_EQ(playerctl({"metadata", "xesam:title"}), "Renamed") << "an edited tag";

    playerctl({"pause"});
    ASSERT_TRUE(reaches(2));
    playerctl({"pause"});
    EXPECT_EQ(playerctl({"status"}), "Paused") << "pause does not resume";
    playerctl({"play"});
    ASSERT_TRUE(reaches(1));
    // The engine reports states in order: a pause from "play" would show before the stop.
    QSignalSpy states(&app.controller(), &PlaybackController::stateChanged);
    playerctl({"play"});
    playerctl({"stop"});
    ASSERT_TRUE(reaches(0));
    EXPECT_EQ(states.first().first().toInt(), 0) << "play does not pause";
    playerctl({"play-pause"});
    ASSERT_TRUE(reaches(1));

    watch.seeks.clear();
    playerctl({"position", "20"});
    EXPECT_TRUE(runUntil([&] { return app.controller().positionSeconds() >= 20; }, 3000));
    EXPECT_TRUE(runUntil([&] { return watch.seeks.size() == 1; }, 2000));

    watch.names.clear();
    playerctl({"volume", "0.3"});
    EXPECT_EQ(app.volume().volume(), 30);
    EXPECT_TRUE(runUntil([&] { return !watch.names.isEmpty(); }, 2000));
    EXPECT_EQ(watch.names, QStringList{"Volume"}) << "only what changed is announced";

    playerctl({"loop", "None"});  // repeat is on by default
    EXPECT_FALSE(app.controller().repeat());
    playerctl({"shuffle", "On"});
    EXPECT_TRUE(app.controller().shuffle());
    playerctl({"shuffle", "Off"});

    playerctl({"next"});
    ASSERT_TRUE(runUntil([&] { return app.playlist().currentIndex() == 1; }, 3000));
    EXPECT_EQ(playerctl({"metadata", "xesam:title"}), "short one") << "untagged: the file's name";
    playerctl({"previous"});
    ASSERT_TRUE(runUntil([&] { return app.playlist().currentIndex() == 0; }, 3000));

    // The disc's track in CD mode, the next one's length once it plays.
    qputenv("LUDRO_CD_DEVICE", writeDiscImage(home.filePath("drive"), {{20 * 75, 440}, {25 * 75, 660}}).toUtf8());
    app.receiveMessage({273, 40092, 0});
    ASSERT_TRUE(runUntil([&] { return playerctl({"metadata", "xesam:title"}) == "CD-Track"; }, 5000));
    playerctl({"next"});
    EXPECT_TRUE(runUntil([&] { return playerctl({"metadata", "mpris:length"}) == "25000000"; }, 5000));

    app.mainForm().hide();
    dbusSend("org.mpris.MediaPlayer2.Raise");
    EXPECT_TRUE(app.mainForm().isVisible());
    dbusSend("org.mpris.MediaPlayer2.Quit");
    EXPECT_FALSE(app.mainForm().isVisible());
}

// Hostile values leave the player whole; then an https station opened over
// the bus plays, and its title is the track's.
TEST_F(Mpris, HostileValuesLeaveThePlayerWholeAndAnHttpsStationOpens)
{
    const ludro::test::TrustedAuthority authority;
    HttpTestServer server;
    const std::string audio = readFile(QString::fromStdString(fixture("l3-44k-joint-long.mp3"))).toStdString();
    server.setDefault(HttpTestServer::Response().send(
        HttpTestServer::icyHead(4096) + HttpTestServer::icyInterleave(audio, 4096, {"StreamTitle='Night Radio';"})));
    const auto tls = authority.front(server.port(), authority.issue("radio"));
    LudroApp &app = start({"/noSave", home.filePath("list.m3u")});
    ASSERT_TRUE(reaches(1));
    app.volume().setVolume(50);
    for (const char *volume : {"double:nan", "double:-nan", "string:loud"})
        setProperty("Volume", QLatin1String(volume));
    EXPECT_EQ(app.volume().volume(), 50);
    setProperty("Volume", "double:-5");
    EXPECT_EQ(app.volume().volume(), 0);
    setProperty("Volume", "double:1e308");
    EXPECT_EQ(app.volume().volume(), 100);
    for (const char *loop : {"string:Track", "string:", "string:playlist", "boolean:true"})
        setProperty("LoopStatus", QLatin1String(loop));
    EXPECT_TRUE(app.controller().repeat());
    setProperty("Rate", "double:nan");
    setProperty("Rate", "double:0");

    // playerctl quotes the path; dbus-send takes it bare.
    const auto trackId = [] { return playerctl({"metadata", "mpris:trackid"}).remove(u'\''); };
    const QString first = trackId();
    call("Next");
    ASSERT_TRUE(runUntil([&] { return app.playlist().currentIndex() == 1; }, 3000));
    call("Previous");
    ASSERT_TRUE(runUntil([&] { return app.playlist().currentIndex() == 0; }, 3000));
    ASSERT_TRUE(runUntil([&] { return app.controller().durationSeconds() == 30; }, 3000));
    const QString again = trackId();
    EXPECT_NE(again, first) << "the same entry opened again is a new track";
    BusWatch watch;
    for (const QStringList &arguments :
         std::vector<QStringList>{{"objpath:" + first, "int64:20000000"},
                                  {"objpath:/org/mpris/MediaPlayer2/TrackList/NoTrack", "int64:20000000"},
                                  {"objpath:" + again, "int64:-1"},
                                  {"objpath:" + again, "int64:-9223372036854775808"}})
        call("SetPosition", arguments);
    call("SetPosition", {"objpath:" + again, "int64:5000000"});
    ASSERT_TRUE(runUntil([&] { return !watch.seeks.empty(); }, 3000));
    EXPECT_EQ(watch.seeks, std::vector<qlonglong>{5000000}) << "stale tracks and positions outside the track are ignored";
    call("Seek", {"int64:-9223372036854775808"});
    call("Seek", {"int64:9223372036854775807"});
    ASSERT_TRUE(runUntil([&] { return app.playlist().currentIndex() == 1; }, 3000)) << "past the end: the next song";
    for (const char *uri :
         {"", "file:///no/such/file.mp3", "ftp://example.invalid/a.mp3", "garbage", "%%%:/", "http://", "file://"})
        call("OpenUri", {"string:" + QLatin1String(uri)});
    // Text files that are no playlists, as a system's secrets are.
    for (const char *name : {"shadow", "notes.txt", "list.m3u.bak"}) {
        const QString file = writeFile(home.filePath(name), "root:x:0:\nbin:*:1:\nsys:*:2:\n");
        call("OpenUri", {"string:" + QUrl::fromLocalFile(file).toString()});
    }
    EXPECT_EQ(app.playlist().entryCount(), 2) << "no address opened";
    EXPECT_TRUE(dialogs.errors.isEmpty());
    writeFile(home.filePath("ALL.M3U"), "long.mp3\nshort one.mp3\nthird.mp3\n");
    call("OpenUri", {"string:" + QUrl::fromLocalFile(home.filePath("ALL.M3U")).toString()});
    EXPECT_TRUE(runUntil([&] { return app.playlist().entryCount() == 3; }, 3000)) << "a playlist in capitals";

    const QString station = QString::fromStdString(tls->url("/live", "localhost"));
    call("OpenUri", {"string:" + station});
    EXPECT_TRUE(runUntil([&] { return playerctl({"metadata", "xesam:title"}) == "Night Radio"; }, 10000));
    EXPECT_EQ(playerctl({"metadata", "xesam:url"}), station);
}

TEST_F(Mpris, ANameTakenOrNoBusLeavesThePlayerSilent)
{
    {
        QDBusConnection other = QDBusConnection::connectToBus(QDBusConnection::SessionBus, QStringLiteral("other"));
        ASSERT_TRUE(other.registerService(busName));
        start({"/noSave", home.filePath("list.m3u")});
        EXPECT_TRUE(reaches(1));
        EXPECT_EQ(QDBusConnection::sessionBus().interface()->serviceOwner(busName).value(), other.baseService());
        other.unregisterService(busName);
        end();
    }
    QDBusConnection::disconnectFromBus(QStringLiteral("other"));

    for (const char *address : {"unix:path=/nonexistent/bus", ""}) {
        QProcessEnvironment environment = playerEnvironment(home);
        environment.insert("DBUS_SESSION_BUS_ADDRESS", address);
        environment.remove("DISPLAY");
        QProcess player;
        player.setProcessEnvironment(environment);
        player.start(programDir + "/ludro", {"/noSave", home.filePath("list.m3u")});
        ASSERT_TRUE(player.waitForStarted());
        EXPECT_TRUE(playerListening(environment)) << address;
        player.terminate();
        EXPECT_TRUE(player.waitForFinished(10000));
        EXPECT_FALSE(QString::fromUtf8(player.readAllStandardError()).contains("bus", Qt::CaseInsensitive)) << address;
    }
}

#include "mpris_test.moc"
