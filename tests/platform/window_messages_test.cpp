// Posted window messages: delivery on the target's thread, in order, and
// nothing for a target that is gone.

#include "platform/window_messages.h"

#include <QCoreApplication>
#include <QThread>

#include <gtest/gtest.h>

#include <thread>

using platform::MessageWindow;
using platform::WindowMessage;

TEST(WindowMessages, ArriveInOrderOnTheTargetThreadAndNeverAtATargetThatIsGone)
{
    std::vector<std::uintptr_t> seen;
    bool allOnGuiThread = true;
    MessageWindow target([&](const WindowMessage &m) {
        seen.push_back(m.wParam);
        allOnGuiThread = allOnGuiThread && QThread::currentThread() == QCoreApplication::instance()->thread();
    });
    std::thread poster([h = target.handle()] {
        for (std::uintptr_t i = 0; i < 1000; ++i)
            platform::postMessage(h, 1, i, 0);
    });
    poster.join();
    for (int i = 0; i < 100 && seen.size() < 1000; ++i)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    ASSERT_EQ(seen.size(), 1000u);
    for (std::uintptr_t i = 0; i < 1000; ++i)
        ASSERT_EQ(seen[i], i);
    EXPECT_TRUE(allOnGuiThread);

    // A target that is gone gets nothing, and its handle is not reused.
    int delivered = 0;
    const auto count = [&](const WindowMessage &) { ++delivered; };
    platform::WindowHandle old;
    {
        MessageWindow target(count);
        old = target.handle();
        platform::postMessage(old, 1, 0, 0);  // pending when the window goes
    }
    MessageWindow next(count);
    EXPECT_FALSE(platform::postMessage(old, 1, 0, 0)) << "the handle is not reused";
    QCoreApplication::processEvents();
    EXPECT_EQ(delivered, 0);
}
