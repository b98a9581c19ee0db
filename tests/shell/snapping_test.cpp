// Snapping and docking of the player's windows around the main window
// (275 x 116 at 100, 100).

#include "shell/snapping.h"
#include "shell/window_docking.h"

#include <QTest>

#include <gtest/gtest.h>

namespace {

using shell::WindowBox;

const QRect mainWindow(100, 100, 275, 116);

// The drag below sees a snap and the tolerance; these are the windows that never attract.
TEST(Snapping, HiddenWindowsAndTheDraggedOneItselfNeverAttract)
{
    const QRect wanted(105, 230, 275, 200), shaded(100, 510, 275, 14);
    EXPECT_EQ(shell::snappedPosition(wanted, {{mainWindow, false}, {}}, 1), wanted.topLeft());
    EXPECT_EQ(shell::snappedPosition(shaded, {{mainWindow}, {{100, 500, 275, 14}}}, 1), shaded.topLeft());
}

TEST(Docking, WindowsTouchingTheMainWindowOrADockedOneMoveWithIt)
{
    const QRect under(100, 216, 275, 200);
    EXPECT_EQ(shell::dockedWindows({{mainWindow}, {{500, 416, 50, 50}}, {under}, {{375, 300, 125, 200}}}, 0),
              (QList<bool>{false, true, true, true}));
    EXPECT_EQ(shell::dockedWindows({{mainWindow}, {under, false}, {{100, 416, 10, 10}}}, 0),
              (QList<bool>{false, false, false}))
        << "hidden: neither it nor what touches only it";
}

// A window moves itself where the mouse asks, as the forms do; carrying the
// docked windows is seen with the real player on X11.
TEST(Docking, ADraggedWindowSnapsUntilTheMousePullsItAway)
{
    QWidget main, away;
    for (const auto &[window, place] : {std::pair{&main, mainWindow}, std::pair{&away, QRect(500, 100, 100, 100)}}) {
        window->setWindowFlags(Qt::FramelessWindowHint);
        window->setGeometry(place);
        window->show();
    }
    shell::WindowDocking docking({&main, &away});
    QTest::mousePress(&away, Qt::LeftButton);
    away.move(380, 90);
    EXPECT_EQ(away.pos(), QPoint(375, 100)) << "snapped to the main window's right, tops aligned";
    away.move(395, 105);
    QTest::mouseRelease(&away, Qt::LeftButton);
    EXPECT_EQ(away.pos(), QPoint(395, 105)) << "the mouse asks for 20 pixels away";
}

}  // namespace
