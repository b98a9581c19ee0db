// Button hit-test, counter digits and the title's scrolling in the built-in
// layout: plain geometry, no window. The dome, the position dot and the
// knobs are seen drawn in the main window's tests.

#include "appearance/title_scroller.h"
#include "appearance/bitmap_counter.h"
#include "appearance/main_button.h"

#include <gtest/gtest.h>

// Every button's own place is seen by the main window's click test; here
// the edges, gaps and hidden buttons.
TEST(MainButtonHitTest, EdgesGapsAndHiddenButtons)
{
    const MainLayout layout;
    // Previous and skip back touch: the shared edge (125) belongs to skip back.
    const std::pair<QPoint, MainButton> hits[] = {{{114, 99}, MainButton::Play},      {{132, 113}, MainButton::Play},
                                                  {{134, 105}, MainButton::None},     {{136, 105}, MainButton::Pause},
                                                  {{124, 120}, MainButton::Previous}, {{125, 120}, MainButton::Rewind},
                                                  {{1000, 0}, MainButton::None},      {{1000, 1}, MainButton::None},
                                                  {{0, 0}, MainButton::None},         {{5, 130}, MainButton::None}};
    for (const auto &[point, button] : hits)
        EXPECT_EQ(mainButtonAt(layout, point), button) << point.x() << "," << point.y();
    EXPECT_TRUE(mainButtonRect(layout, MainButton::Menu).isEmpty());
}

TEST(BitmapCounter, ShowsMinutesAndSecondsUpTo99_59AndReadsTimeTexts)
{
    auto shown = [](int seconds) {
        QString text;
        for (const CounterDigit &digit : counterDigits(QSize(70, 20), seconds))
            text += QString::number(digit.source.left() / 14);
        return text;
    };
    EXPECT_EQ(shown(3725), "6205");
    EXPECT_EQ(shown(6000), "9959");
    EXPECT_EQ(shown(-65), "0105");
    EXPECT_EQ(secondsOfTimeText("-1:05"), 65);
    EXPECT_EQ(secondsOfTimeText("62:05"), 3725);
}

// A long title scrolls left until its end shows, comes back, then rests for
// 14 further steps; a title that fits stays at rest.
TEST(TitleScroller, ScrollsBackAndForthThenRests)
{
    TitleScroller scroller;
    const int panel = 130;
    EXPECT_EQ(scroller.step(3, panel - 3, panel, true, 3), 3) << "exactly P - 3 never scrolls";
    EXPECT_EQ(scroller.step(3, panel - 2, panel, true, 3), -2) << "P - 2 scrolls";
    EXPECT_EQ(scroller.step(3, 10, panel, true, 0), 0) << "a Winamp title rests at 0";

    TitleScroller pass;
    std::vector<int> places;
    int left = 3;
    for (int i = 0; i < 60; ++i)
        places.push_back(left = pass.step(left, 160, panel, true, 3));
    EXPECT_EQ(*std::min_element(places.begin(), places.end()), -37) << "until its end is visible";
    const auto back = std::find(places.begin() + 8, places.end(), 3);
    ASSERT_NE(back, places.end());
    const auto restEnd = std::find_if(back, places.end(), [](int p) { return p != 3; });
    EXPECT_EQ(restEnd - back, 16) << "back at the start, it rests";
}
