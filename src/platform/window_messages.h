#pragma once

// Posted window messages: a message target is a QObject known by an integer
// handle; any thread may post (msg, wParam, lParam) to a handle, and the
// target's procedure runs it on the target's (GUI) thread, in posting order.
// Handles are never reused, so a message to a destroyed target is dropped.

#include <QObject>

#include <cstdint>
#include <functional>

namespace platform {

using WindowHandle = std::uintptr_t;

struct WindowMessage {
    std::uint32_t msg = 0;
    std::uintptr_t wParam = 0;
    std::intptr_t lParam = 0;
};

class MessageWindow : public QObject {
public:
    using Procedure = std::function<void(const WindowMessage &)>;

    explicit MessageWindow(Procedure procedure, QObject *parent = nullptr);
    ~MessageWindow() override;

    WindowHandle handle() const { return handle_; }

protected:
    bool event(QEvent *event) override;

private:
    Procedure procedure_;
    WindowHandle handle_;
};

// Thread-safe. Returns false when no target has that handle.
bool postMessage(WindowHandle target, std::uint32_t msg, std::uintptr_t wParam, std::intptr_t lParam);

}  // namespace platform
