// The whole program wearing a Winamp skin: the visualizer moves with the
// song the engine plays and rests while the window is hidden or nothing
// plays; double size (Ctrl+D) keeps the equalizer docked; both are kept.

#include "support/program_session.h"
#include "support/texture_fixture.h"

#include <QAction>
#include <QTest>

namespace {

bool scopeMoves(const Visualizer &v)
{
    for (int c = 0; c < Visualizer::ScopeWidth; ++c)
        if (v.scopeRow(c) != Visualizer::Height / 2)
            return true;
    return false;
}

}  // namespace

class VisualizerProgram : public ProgramSession {};

TEST_F(VisualizerProgram, MovesWithTheSongOnlyWhileShownAndPlayingAndDoubleSizeKeepsTheDocking)
{
    fixture_texture::writeCodedWinampSkin(home.path());
    settings("Texture=Classic\nVisualizer=2\nLeftPos=100\nTopPos=100\nEQVis=1\nEqualizerX=100\nEqualizerY=216\n"
             "PLVis=0\n");
    start({QString::fromStdString(fixture("l3-44k-joint-long.mp3"))});
    TMainForm &form = app->mainForm();
    const Visualizer &v = form.visualizer();
    ASSERT_TRUE(reaches(1));
    EXPECT_TRUE(runUntil([&] { return scopeMoves(v); }, 5000)) << "the song reaches the scope";
    form.hide();
    EXPECT_TRUE(runUntil([&] { return !app->visualizer().running(); }, 2000));
    form.show();
    EXPECT_TRUE(runUntil([&] { return app->visualizer().running(); }, 2000));
    app->controller().StopCommand();
    EXPECT_TRUE(runUntil([&] { return !app->visualizer().running(); }, 2000));
    EXPECT_FALSE(scopeMoves(v)) << "at rest once stopped";
    QTest::mouseClick(&form, Qt::LeftButton, {}, QPoint(60, 50));
    EXPECT_EQ(v.mode(), Visualizer::Mode::Off);

    QWidget &equalizer = app->sound().equalizer();
    ASSERT_EQ(equalizer.pos(), QPoint(100, 216));
    QTest::keyClick(&form, Qt::Key_D, Qt::ControlModifier);
    EXPECT_EQ(form.size(), QSize(550, 232));
    EXPECT_EQ(equalizer.pos(), QPoint(100, 100 + 232)) << "still right below the main window";
    EXPECT_TRUE(app->menu().doubleSizeAction()->isChecked());

    start({"/noSave"}, false);
    EXPECT_EQ(app->mainForm().size(), QSize(550, 232));
    EXPECT_EQ(app->mainForm().visualizer().mode(), Visualizer::Mode::Off);
}
