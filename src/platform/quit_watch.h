#pragma once

// Sees the application's request to quit before Qt closes the windows for
// it, whichever way it came: Exit, the last window closed, or a signal.
// What the windows look like then is what the user left.

#include <QObject>

#include <functional>

namespace platform {

class QuitWatch : public QObject {
public:
    explicit QuitWatch(std::function<void()> beforeQuit);

    // The application was asked to quit; its windows may be closed now.
    bool quitting() const { return quitting_; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    std::function<void()> beforeQuit_;
    bool quitting_ = false;
};

}  // namespace platform
