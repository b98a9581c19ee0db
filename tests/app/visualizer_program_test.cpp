// The whole program wearing a Winamp skin: the visualizer moves with the
// song the engine plays and rests while the window is hidden or nothing
// plays; double size (Ctrl+D) keeps the equalizer docked; both are kept.

#include "app/ludro_app.h"
#include "support/engine_session.h"
#include "support/files.h"
#include "support/recording_dialogs.h"
#include "support/run_until.h"
#include "support/texture_fixture.h"

#include <QAction>
#include <QMenu>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

namespace {

bool scopeMoves(const Visualizer &v)
{
    for (int c = 0; c < Visualizer::ScopeWidth; ++c)
        if (v.scopeRow(c) != Visualizer::Height / 2)
            return true;
    return false;
}

}  // namespace

TEST(VisualizerProgram, MovesWithTheSongOnlyWhileShownAndPlayingAndDoubleSizeKeepsTheDocking)
{
    QTemporaryDir home;
    qputenv("LUDRO_HOME", (home.path() + '/').toUtf8());
    qputenv("XDG_RUNTIME_DIR", home.path().toUtf8());
    qputenv("LUDRO_CD_DEVICE", home.filePath("no-disc.cue").toUtf8());
    fixture_texture::writeCodedWinampSkin(home.path());
    writeFile(home.filePath("LudroPro.ini"), "[Ludro]\nTexture=Classic\nVisualizer=2\nLeftPos=100\nTopPos=100\n"
                                             "EQVis=1\nEqualizerX=100\nEqualizerY=216\nPLVis=0\n");
    const QString song = QString::fromStdString(fixture("l3-44k-joint-long.mp3"));
    RecordingDialogs dialogs;
    {
        LudroApp app({"ludro", song}, dialogs);
        app.show();
        TMainForm &form = app.mainForm();
        const Visualizer &v = form.visualizer();
        EXPECT_EQ(v.mode(), Visualizer::Mode::Scope);
        ASSERT_TRUE(runUntil([&] { return app.controller().playerState() == 1; }, 5000));
        EXPECT_TRUE(runUntil([&] { return scopeMoves(v); }, 5000)) << "the song reaches the scope";
        form.hide();
        EXPECT_TRUE(runUntil([&] { return !app.visualizer().running(); }, 2000));
        form.show();
        EXPECT_TRUE(runUntil([&] { return app.visualizer().running(); }, 2000));
        app.controller().StopCommand();
        EXPECT_TRUE(runUntil([&] { return !app.visualizer().running(); }, 2000));
        EXPECT_FALSE(scopeMoves(v)) << "at rest once stopped";
        QTest::mouseClick(&form, Qt::LeftButton, {}, QPoint(60, 50));
        EXPECT_EQ(v.mode(), Visualizer::Mode::Off);

        QWidget &equalizer = app.sound().equalizer();
        ASSERT_TRUE(equalizer.isVisible());
        ASSERT_EQ(equalizer.pos(), QPoint(100, 216));
        QTest::keyClick(&form, Qt::Key_D, Qt::ControlModifier);
        EXPECT_EQ(form.size(), QSize(550, 232));
        EXPECT_EQ(equalizer.pos(), QPoint(100, 100 + 232)) << "still right below the main window";
        EXPECT_EQ(equalizer.size(), QSize(872, 252));
        EXPECT_TRUE(app.menu().doubleSizeAction()->isChecked());
        app.appearance().chooseTexture(TextureManager::BuiltinName);
        EXPECT_EQ(equalizer.pos(), QPoint(100, 100 + form.height())) << "docked under the built-in look too";
        app.appearance().chooseTexture("Classic");
    }
    const platform::ProfileFile saved = platform::ProfileFile::load(home.filePath("LudroPro.ini"));
    EXPECT_EQ(saved.readString("Ludro", "Visualizer", ""), "0");
    EXPECT_EQ(saved.readString("Ludro", "WindowSize", ""), "200");
    EXPECT_EQ(saved.readString("Ludro", "EqualizerW", ""), "436") << "kept at 1x";

    LudroApp again({"ludro", "/noSave"}, dialogs);
    EXPECT_EQ(again.mainForm().size(), QSize(550, 232));
    EXPECT_EQ(again.mainForm().visualizer().mode(), Visualizer::Mode::Off);
}
