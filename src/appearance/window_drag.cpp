#include "appearance/window_drag.h"

#include <QWidget>

void WindowDrag::start(Kind kind, const QWidget &window, QPoint globalPress)
{
    kind_ = kind;
    pressGlobal_ = globalPress;
    atPress_ = window.geometry();
}

QSize WindowDrag::sizeAt(QPoint global) const
{
    const QPoint offset = global - pressGlobal_;
    return atPress_.size() + QSize(offset.x(), offset.y());
}

bool WindowDrag::follow(QWidget &window, QPoint global) const
{
    switch (kind_) {
    case Kind::Move:
        window.move(atPress_.topLeft() + (global - pressGlobal_));
        return true;
    case Kind::Resize:
        window.resize(sizeAt(global));
        return true;
    case Kind::None:
        break;
    }
    return false;
}
