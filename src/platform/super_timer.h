#pragma once

// A timer that measures time on a worker thread and runs its event on the
// GUI thread, waiting for it before the next period starts.

#include <QObject>

#include <chrono>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <thread>

namespace platform {

class TSuperTimer : public QObject {
public:
    TSuperTimer(std::chrono::milliseconds interval, std::function<void()> onTimer, QObject *parent = nullptr);
    ~TSuperTimer() override;

    void setEnabled(bool enabled);
    bool isEnabled() const;

private:
    void run();

    const std::chrono::milliseconds interval_;
    std::function<void()> onTimer_;
    mutable std::mutex mutex_;
    std::condition_variable changed_;
    bool enabled_ = false;
    bool stopping_ = false;
    bool eventDone_ = true;
    std::thread worker_;
};

}  // namespace platform
