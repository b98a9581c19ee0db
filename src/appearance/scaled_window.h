#pragma once

// A skinned window drawn in skin pixels and shown at the chosen size (1x,
// 1.5x, 2x, 3x): its size, shape, painting, repaints and pointer events are
// converted here, so the window itself only ever deals in skin pixels.

#include "appearance/skin_scale.h"

#include <QRegion>
#include <QSize>
#include <QWidget>

class QPainter;
class TextureManager;

class ScaledWindow : public QWidget {
public:
    ScaledWindow(const TextureManager &textures, QWidget *parent, Qt::WindowFlags flags);

    // The window's size in skin pixels.
    QSize skinSize() const { return skinSize_; }

    // Repaints, given in skin pixels.
    void update() { QWidget::update(); }
    void update(const QRect &skin) { QWidget::update(scale_.repaintArea(skin)); }
    void update(int x, int y, int w, int h) { update(QRect(x, y, w, h)); }

protected:
    void setSkinSize(QSize size);
    // The shape in skin pixels; an empty one leaves a rectangle.
    void setSkinMask(const QRegion &shape);
    // Painting in skin pixels; what needs it lies within `exposed`.
    virtual void paintSkin(QPainter &painter, const QRect &exposed) = 0;
    // Events with their positions in skin pixels.
    virtual bool skinEvent(QEvent *event) { return QWidget::event(event); }

    void paintEvent(QPaintEvent *event) final;
    bool event(QEvent *event) final;

private:
    void applyScale();

    const TextureManager &textures_;
    SkinScale scale_;
    QSize skinSize_;
    QRegion skinMask_;
};
