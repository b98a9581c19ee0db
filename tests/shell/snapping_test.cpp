// Snapping and docking of the player's windows, by table: the main window
// (275 x 116 at 100, 100) and a playlist window of 275 x 200.

#include "shell/snapping.h"
#include "shell/window_docking.h"

#include <QTest>

#include <gtest/gtest.h>

namespace {

using shell::WindowBox;

const QRect mainWindow(100, 100, 275, 116);

TEST(Snapping, TheDraggedWindowSnapsToVisibleOthersOnlyWithinTheTolerance)
{
    const struct {
        const char *what;
        QList<WindowBox> windows;  // [1] is the one dragged
        QPoint wanted, placed;
    } cases[] = {
        {"top to the main window's bottom, lefts aligned", {{mainWindow}, {}}, {105, 230}, {100, 216}},
        {"15 pixels away: follows the mouse", {{mainWindow}, {}}, {105, 231}, {105, 231}},
        {"bottom to top, rights aligned", {{mainWindow}, {}}, {110, -90}, {100, -100}},
        {"left to right, no edge across", {{mainWindow}, {}}, {383, 120}, {375, 120}},
        {"no overlap across: no snap", {{mainWindow}, {}}, {700, 220}, {700, 220}},
        {"a hidden window never attracts", {{mainWindow, false}, {}}, {105, 230}, {105, 230}},
        {"never to itself (a shade bar 14 high)", {{mainWindow}, {{100, 500, 275, 14}}}, {100, 510}, {100, 510}},
        {"a later window wins its axis",
         {{mainWindow}, {}, {{390, 225, 100, 100}}},
         {105, 230},
         {115, 225}},
    };
    for (const auto &c : cases) {
        const QSize size = c.windows[1].rect.isEmpty() ? QSize(275, 200) : c.windows[1].rect.size();
        EXPECT_EQ(shell::snappedPosition(QRect(c.wanted, size), c.windows, 1), c.placed) << c.what;
    }
}

TEST(Docking, WindowsTouchingTheMainWindowOrADockedOneMoveWithIt)
{
    const QRect under(100, 216, 275, 200), oneAway(100, 217, 275, 200);
    const struct {
        const char *what;
        QList<WindowBox> windows;
        QList<bool> docked;
    } cases[] = {
        {"exactly under", {{mainWindow}, {under}}, {false, true}},
        {"one pixel away", {{mainWindow}, {oneAway}}, {false, false}},
        {"touching a docked one", {{mainWindow}, {{500, 416, 50, 50}}, {under}, {{375, 300, 125, 200}}},
         {false, true, true, true}},
        {"hidden: neither it nor what touches only it", {{mainWindow}, {under, false}, {{100, 416, 10, 10}}},
         {false, false, false}},
    };
    for (const auto &c : cases)
        EXPECT_EQ(shell::dockedWindows(c.windows, 0), c.docked) << c.what;
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
