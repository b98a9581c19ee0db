#include "quit_watch.h"

#include <QCoreApplication>
#include <QEvent>

namespace platform {

QuitWatch::QuitWatch(std::function<void()> beforeQuit) : beforeQuit_(std::move(beforeQuit))
{
    if (QCoreApplication *application = QCoreApplication::instance())
        application->installEventFilter(this);
}

bool QuitWatch::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::Quit && watched == QCoreApplication::instance() && !quitting_) {
        beforeQuit_();
        quitting_ = true;
    }
    return false;
}

}  // namespace platform
