#pragma once

// Snapping and docking of the player's windows while the user drags them:
// watches the windows' presses and moves, so the windows themselves only
// move where the mouse asks. Under Qt's own Wayland platform windows cannot
// place themselves, so nothing is watched there.

#include <QList>
#include <QObject>
#include <QPointer>
#include <QWidget>

#include <functional>

namespace shell {

class WindowDocking : public QObject {
public:
    // `windows` in the order their snaps are tried; the first is the main
    // window, which carries the windows docked to it. A window made later
    // takes its place with setWindow.
    explicit WindowDocking(const QList<QWidget *> &windows);
    void setWindow(qsizetype index, QWidget *window);
    // While `resize` makes every window bigger or smaller by one factor
    // (another window size), the windows docked to the main window keep
    // their places beside it: their distances from its corner change by
    // the factor its width changed.
    void resizeKeepingDocked(const std::function<void()> &resize);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void moved(qsizetype index);

    bool active_;
    QList<QPointer<QWidget>> windows_;
    qsizetype dragged_ = -1;
    QList<bool> docked_;
    QList<QPoint> placesAtPress_;
    bool placing_ = false;
};

}  // namespace shell
