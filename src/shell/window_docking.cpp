#include "shell/window_docking.h"

#include "shell/snapping.h"

#include <QGuiApplication>
#include <QMouseEvent>

#include <algorithm>

namespace shell {

namespace {

QList<WindowBox> boxes(const QList<QPointer<QWidget>> &windows)
{
    QList<WindowBox> boxes;
    for (const QWidget *window : windows)
        boxes.append({window ? window->frameGeometry() : QRect(), window && window->isVisible()});
    return boxes;
}

}  // namespace

WindowDocking::WindowDocking(const QList<QWidget *> &windows)
    : active_(QGuiApplication::platformName() != u"wayland")
{
    for (qsizetype i = 0; i < windows.size(); ++i)
        setWindow(i, windows[i]);
}

void WindowDocking::setWindow(qsizetype index, QWidget *window)
{
    if (!active_ || index < 0 || !window)
        return;
    if (index >= windows_.size())
        windows_.resize(index + 1);
    windows_[index] = window;
    window->installEventFilter(this);
}

bool WindowDocking::eventFilter(QObject *watched, QEvent *event)
{
    const qsizetype index = windows_.indexOf(qobject_cast<QWidget *>(watched));
    switch (event->type()) {
    case QEvent::MouseButtonPress:
        if (static_cast<QMouseEvent *>(event)->button() == Qt::LeftButton) {
            dragged_ = index;
            const QList<WindowBox> now = boxes(windows_);
            docked_ = index == 0 ? dockedWindows(now, 0) : QList<bool>(now.size(), false);
            placesAtPress_.clear();
            for (const WindowBox &box : now)
                placesAtPress_.append(box.rect.topLeft());
        }
        break;
    case QEvent::MouseButtonRelease:
        dragged_ = -1;
        break;
    case QEvent::Move:
        if (index == dragged_ && !placing_)
            moved(index);
        break;
    default:
        break;
    }
    return false;
}

void WindowDocking::resizeKeepingDocked(const std::function<void()> &resize)
{
    QWidget *main = windows_.isEmpty() ? nullptr : windows_[0].data();
    if (!main) {
        resize();
        return;
    }
    const QList<WindowBox> before = boxes(windows_);
    const QList<bool> docked = dockedWindows(before, 0);
    resize();
    const QRect was = before[0].rect, now = main->frameGeometry();
    const qreal factor = now.width() / qreal(std::max(1, was.width()));
    placing_ = true;
    for (qsizetype i = 1; i < windows_.size(); ++i)
        if (docked[i] && windows_[i]) {
            const QPoint offset = before[i].rect.topLeft() - was.topLeft();
            QPointF place = QPointF(offset) * factor;
            // A window below keeps to the bottom edge of a main window that
            // is now taller or shorter than the size alone makes it.
            if (offset.y() >= was.height())
                place.ry() += now.height() - was.height() * factor;
            windows_[i]->move(now.topLeft() + place.toPoint());
        }
    placing_ = false;
}

// The window moved where the mouse asked: docked windows follow the main
// window, or else the window snaps.
void WindowDocking::moved(qsizetype index)
{
    placing_ = true;
    QWidget *window = windows_[index];
    if (docked_.contains(true)) {
        const QPoint offset = window->pos() - placesAtPress_[0];
        for (qsizetype i = 0; i < windows_.size(); ++i)
            if (docked_[i] && windows_[i])
                windows_[i]->move(placesAtPress_[i] + offset);
    } else {
        const QPoint place = snappedPosition(window->frameGeometry(), boxes(windows_), index);
        if (place != window->pos())
            window->move(place);
    }
    placing_ = false;
}

}  // namespace shell
