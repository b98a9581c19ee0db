// The main window on a real X server (Xvfb, started here): the pointer,
// moved by xdotool, lights a button from selected.bmp frame by frame until
// the last one stays; the mask cuts the window, so the root window's colour
// set by xsetroot shows where the mask is white. The real player driven by
// keys and the wheel.

#include "app/main_form.h"
#include "platform/profile_file.h"
#include "support/files.h"
#include "support/player_process.h"
#include "support/run_until.h"
#include "support/texture_fixture.h"

#include <QApplication>
#include <QProcess>
#include <QScreen>
#include <QTemporaryDir>

#include <gtest/gtest.h>


namespace {

using namespace fixture_texture;

bool run(const QString &program, const QStringList &arguments)
{
    QProcess process;
    process.start(program, arguments);
    return process.waitForFinished(10000) && process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0;
}

QImage screenAt(const QRect &area)
{
    return QGuiApplication::primaryScreen()
        ->grabWindow(0, area.x(), area.y(), area.width(), area.height())
        .toImage()
        .convertToFormat(QImage::Format_RGB32);
}

// The real player on the X server, with its home in `home`.
QProcessEnvironment startOnX11(QProcess &player, const QTemporaryDir &home, const QStringList &arguments = {})
{
    QProcessEnvironment environment = playerEnvironment(home);
    environment.insert("QT_QPA_PLATFORM", "xcb");
    player.setProcessEnvironment(environment);
    player.start(programDir + "/ludro", arguments);
    return environment;
}

// A window of the player whose title matches `pattern` (a regular
// expression) shows within `limitMs`.
bool titleShows(const QString &pattern, int limitMs = 8000)
{
    return runUntil([&] { return run("xdotool", {"search", "--name", pattern}); }, limitMs);
}

bool focus(const QString &pattern)
{
    return titleShows(pattern) && run("xdotool", {"search", "--name", pattern, "windowfocus", "--sync"});
}

bool keys(const QStringList &names)
{
    return run("xdotool", QStringList{"key", "--delay", "50"} + names);
}

}  // namespace

TEST(MainWindowOnX11, HoverLightsTheButtonFrameByFrameAndTheMaskCutsTheWindow)
{
    QTemporaryDir home;
    writeCodedTexture(home.path(), 3);
    TextureManager textures({home.path() + "/textures/"});
    ASSERT_TRUE(textures.apply("Coded"));
    ASSERT_TRUE(run("xsetroot", {"-solid", "#ff00ff"}));

    TMainForm form(textures);
    form.move(100, 80);
    form.show();
    const QRect window(form.mapToGlobal(QPoint(0, 0)), MainSize);
    const QPoint corner = CutCorner.center(), body(CutCorner.right() + 5, 5);
    ASSERT_TRUE(runUntil(
        [&] {
            const QImage shown = screenAt(window);
            return shown.pixel(corner) == qRgb(255, 0, 255) && shown.pixel(body) == coded(body.x(), body.y(), Main);
        },
        5000))
        << "the white of the mask is cut away";

    const QPoint play = window.topLeft() + Play.center();
    ASSERT_TRUE(run("xdotool", {"mousemove", QString::number(play.x()), QString::number(play.y())}));
    ASSERT_TRUE(runUntil([&] { return form.hoverFrame() == 2 && !form.hoverAnimating(); }, 3000));
    const int lastFrame = 2 * MainSize.height();
    EXPECT_TRUE(runUntil(
        [&] { return screenAt(window).pixel(Play.topLeft()) == coded(Play.left(), Play.top() + lastFrame, Selected); },
        2000))
        << "the last frame stays";
}

// The real player, started with three songs, played by the keys of classic
// players (the title, with the time shown in it, says what plays), the jump
// box, the wheel, and a second start that hands two more songs over. (A
// drag of the main window with its docked windows is the wiring check's.)
TEST(MainWindowOnX11, TheKeysTheJumpBoxAndTheWheelDriveTheRealPlayer)
{
    QTemporaryDir home;
    QStringList songs;
    for (const char *name : {"alpha", "bravo", "charlie", "delta", "echo"}) {
        songs << home.filePath(QString::fromLatin1(name) + ".mp3");
        ASSERT_TRUE(QFile::copy(LUDRO_FIXTURE_DIR "/l3-44k-joint-long.mp3", songs.last()));
    }
    writeFile(home.filePath("LudroPro.ini"), "[Ludro]\nShowTime=1\nVolume=50\nLeftPos=100\nTopPos=50\n"
                                             "PLVis=1\nPlayListX=100\nPlayListY=200\n");
    QProcess player;
    const QProcessEnvironment environment = startOnX11(player, home, songs.mid(0, 3));
    ASSERT_TRUE(titleShows(" - Alpha$")) << "the first of the files named plays";
    ASSERT_TRUE(focus(" - Alpha$"));
    ASSERT_TRUE(keys({"b"}) && titleShows(" - Bravo$"));
    ASSERT_TRUE(keys({"b"}) && titleShows(" - Charlie$")) << "all three were added, in order";
    ASSERT_TRUE(keys({"z"}) && titleShows("^0:0[2-9] - Bravo$"));
    ASSERT_TRUE(keys({"v"}) && titleShows("^0:00 - Bravo$")) << "stopped at the start";
    ASSERT_TRUE(keys({"x"}) && titleShows("^0:0[1-3] - Bravo$")) << "plays again";
    ASSERT_TRUE(keys({"Right", "Right"}) && titleShows("^0:1[0-9] - Bravo$")) << "two steps of five seconds";
    ASSERT_TRUE(keys({"Left"}) && titleShows("^0:0[5-9] - Bravo$"));
    ASSERT_TRUE(keys({"Up", "Up", "Down"}));
    ASSERT_TRUE(run("xdotool", {"mousemove", "140", "90", "click", "4"})) << "the wheel over the main window";
    ASSERT_TRUE(keys({"j"}) && focus("^Jump to Song$"));
    ASSERT_TRUE(run("xdotool", {"type", "--delay", "50", "CHAR"}) && keys({"Return"}));
    ASSERT_TRUE(titleShows(" - Charlie$")) << "the box's choice plays";

    ASSERT_TRUE(focus("^Playlist$") && keys({"ctrl+a", "Delete"}));
    QProcess second;
    second.setProcessEnvironment(environment);
    second.start(programDir + "/ludro", songs.mid(3));
    ASSERT_TRUE(second.waitForFinished(10000) && second.exitCode() == 0) << "the second start hands over and ends";
    ASSERT_TRUE(titleShows(" - Delta$")) << "the first of the files handed over plays";
    player.terminate();
    ASSERT_TRUE(player.waitForFinished(15000));

    const auto saved = platform::ProfileFile::load(home.filePath("LudroPro.ini"));
    EXPECT_EQ(saved.readInteger("Ludro", "Volume", -1), 60) << "up, up, down and a notch of the wheel from 50";
    const QString list = QString::fromUtf8(readFile(home.filePath("Ludro.m3u")));
    EXPECT_FALSE(list.contains("alpha")) << "Ctrl+A and Delete emptied the list";
    EXPECT_GT(list.indexOf("echo.mp3"), list.indexOf("delta.mp3")) << "both handed over, in order";
}

// The real player started on a texture with a 2048 x 2048 checkerboard mask
// over a window as large, more rectangles than the X server takes in one
// request: it shows a rectangular window and keeps its X connection.
TEST(MainWindowOnX11, AMaskTooDetailedForTheServerLeavesARectangle)
{
    QTemporaryDir home;
    const QString large = writeCodedTexture(home.path());
    writeFile(large + "TEXTURE.INI",
              QByteArray(Ini).replace("Main_Width=200", "Main_Width=2048").replace("Main_Height=$64", "Main_Height=2048"));
    QImage checkers(2048, 2048, QImage::Format_RGB32);
    for (int y = 0; y < 2048; ++y)
        for (int x = 0; x < 2048; ++x)
            checkers.setPixel(x, y, (x + y) % 2 ? qRgb(255, 255, 255) : qRgb(0, 0, 0));
    writeBitmap(large + "MainMask.BMP", checkers);
    writeFile(home.filePath("LudroPro.ini"), "[Ludro]\nTexture=Coded\nMode=1\nLeftPos=100\nTopPos=50\n");
    ASSERT_TRUE(run("xsetroot", {"-solid", "#ff00ff"}));
    QProcess player;
    const QProcessEnvironment environment = startOnX11(player, home);
    ASSERT_TRUE(playerListening(environment));
    EXPECT_TRUE(runUntil([&] { return screenAt({100, 50, 4, 4}).pixel(2, 1) == coded(2, 1, Main); }, 5000));
    EXPECT_EQ(runLudroctl(environment, {"40199"}), 0) << "still running once shown";
    player.terminate();
    ASSERT_TRUE(player.waitForFinished(15000));
}

// Qt's X11 platform asks the session bus for desktop settings; libdbus keeps
// what it allocates for that until the process ends.
extern "C" const char *__lsan_default_suppressions()
{
    return "leak:libdbus-1.so\n";
}

// The X server lives as long as the tests.
int main(int argc, char **argv)
{
    QProcess xvfb;
    xvfb.start("Xvfb", {"-displayfd", "1", "-screen", "0", "640x480x24", "-nolisten", "tcp"});
    if (!xvfb.waitForReadyRead(10000)) {
        std::fprintf(stderr, "cannot start Xvfb\n");
        return 1;
    }
    qputenv("DISPLAY", ':' + xvfb.readLine().trimmed());
    qputenv("QT_QPA_PLATFORM", "xcb");
    int status = 0;
    {
        QApplication app(argc, argv);
        testing::InitGoogleTest(&argc, argv);
        status = RUN_ALL_TESTS();
    }
    xvfb.terminate();
    xvfb.waitForFinished(5000);
    return status;
}
