#pragma once

// A skinned window drawn in skin pixels and shown at the chosen size (1x,
// 1.5x, 2x, 3x): its size, shape, painting, repaints and pointer events are
// converted here, so the window itself only ever deals in skin pixels.
// Whole sizes keep every skin pixel a crisp square; fractional ones are
// smoothed.

#include <QRegion>
#include <QSize>
#include <QWidget>

class QPainter;
class TextureManager;

class ScaledWindow : public QWidget {
public:
    ScaledWindow(const TextureManager &textures, QWidget *parent, Qt::WindowFlags flags);

    qreal scale() const { return scale_; }
    // The window's size in skin pixels.
    QSize skinSize() const { return skinSize_; }
    // A rectangle of skin pixels in window pixels, covering every window
    // pixel it touches.
    QRect toWindow(const QRect &skin) const;

    // Repaints, given in skin pixels.
    void update() { QWidget::update(); }
    void update(const QRect &skin) { QWidget::update(toWindow(skin)); }
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
    qreal scale_ = 1;
    QSize skinSize_;
    QRegion skinMask_;
};
