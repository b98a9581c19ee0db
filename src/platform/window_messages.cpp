#include "window_messages.h"

#include <QCoreApplication>
#include <QEvent>

#include <mutex>
#include <unordered_map>

namespace platform {
namespace {

const QEvent::Type windowMessageEvent = static_cast<QEvent::Type>(QEvent::registerEventType());

class WindowMessageEvent : public QEvent {
public:
    explicit WindowMessageEvent(const WindowMessage &message) : QEvent(windowMessageEvent), message(message) {}
    WindowMessage message;
};

// The lock is held while posting, so a target cannot be destroyed between
// the look-up and the post; Qt discards events of a deleted receiver.
struct Registry {
    std::mutex mutex;
    std::unordered_map<WindowHandle, QObject *> targets;
    WindowHandle next = 1;
};

Registry &registry()
{
    static Registry instance;
    return instance;
}

}  // namespace

MessageWindow::MessageWindow(Procedure procedure, QObject *parent) : QObject(parent), procedure_(std::move(procedure))
{
    Registry &r = registry();
    std::lock_guard lock(r.mutex);
    handle_ = r.next++;
    r.targets.emplace(handle_, this);
}

MessageWindow::~MessageWindow()
{
    Registry &r = registry();
    std::lock_guard lock(r.mutex);
    r.targets.erase(handle_);
}

bool MessageWindow::event(QEvent *event)
{
    if (event->type() != windowMessageEvent)
        return QObject::event(event);
    if (procedure_)
        procedure_(static_cast<WindowMessageEvent *>(event)->message);
    return true;
}

bool postMessage(WindowHandle target, std::uint32_t msg, std::uintptr_t wParam, std::intptr_t lParam)
{
    Registry &r = registry();
    std::lock_guard lock(r.mutex);
    auto it = r.targets.find(target);
    if (it == r.targets.end())
        return false;
    QCoreApplication::postEvent(it->second, new WindowMessageEvent({msg, wParam, lParam}));
    return true;
}

}  // namespace platform
