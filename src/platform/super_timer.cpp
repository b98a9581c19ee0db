#include "super_timer.h"

namespace platform {

using Clock = std::chrono::steady_clock;

TSuperTimer::TSuperTimer(std::chrono::milliseconds interval, std::function<void()> onTimer, QObject *parent)
    : QObject(parent), interval_(interval), onTimer_(std::move(onTimer)), worker_([this] { run(); })
{
}

// The worker never blocks the GUI thread: it waits for its event on its own
// condition, which the destructor also wakes.
TSuperTimer::~TSuperTimer()
{
    {
        std::lock_guard lock(mutex_);
        stopping_ = true;
    }
    changed_.notify_all();
    worker_.join();
}

void TSuperTimer::setEnabled(bool enabled)
{
    {
        std::lock_guard lock(mutex_);
        enabled_ = enabled;
    }
    changed_.notify_all();
}

bool TSuperTimer::isEnabled() const
{
    std::lock_guard lock(mutex_);
    return enabled_;
}

void TSuperTimer::run()
{
    std::unique_lock lock(mutex_);
    auto due = Clock::now() + interval_;
    for (;;) {
        changed_.wait(lock, [this] { return enabled_ || stopping_; });
        if (stopping_)
            return;
        if (changed_.wait_until(lock, due, [this] { return stopping_ || !enabled_; })) {
            if (stopping_)
                return;
            due = Clock::now() + interval_;
            continue;
        }
        due = Clock::now() + interval_;
        eventDone_ = false;
        QMetaObject::invokeMethod(
            this,
            [this] {
                if (isEnabled())
                    onTimer_();
                std::lock_guard done(mutex_);
                eventDone_ = true;
                changed_.notify_all();
            },
            Qt::QueuedConnection);
        changed_.wait(lock, [this] { return eventDone_ || stopping_; });
    }
}

}  // namespace platform
