#pragma once

// Moving a frameless window by dragging it and resizing it by its grip:
// where the pointer went since the press, applied to the window's rectangle
// at the press.

#include <QPoint>
#include <QRect>
#include <QSize>

class QWidget;

class WindowDrag {
public:
    enum class Kind { None, Move, Resize };

    // A press at `globalPress` on `window` starts `kind`.
    void start(Kind kind, const QWidget &window, QPoint globalPress);
    void end() { kind_ = Kind::None; }
    Kind kind() const { return kind_; }

    // The size the window takes with the pointer at `global`.
    QSize sizeAt(QPoint global) const;
    // Moves or resizes `window` after the pointer at `global`; false when
    // no drag runs.
    bool follow(QWidget &window, QPoint global) const;

private:
    Kind kind_ = Kind::None;
    QPoint pressGlobal_;
    QRect atPress_;
};
