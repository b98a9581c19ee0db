#pragma once

// The chosen window size (1x, 1.5x, 2x, 3x) of a skinned window: its places
// are skin pixels, shown `factor` times as large in window pixels. Whole
// sizes keep every skin pixel a crisp square; fractional ones are smoothed.

#include <QImage>
#include <QRect>
#include <QRegion>
#include <QString>

class QPainter;

class SkinScale {
public:
    explicit SkinScale(qreal factor = 1) : factor_(factor) {}

    qreal factor() const { return factor_; }

    QSize toWindow(QSize skin) const { return (QSizeF(skin) * factor_).toSize(); }
    // Every window pixel the skin rectangle touches.
    QRect toWindow(const QRect &skin) const;
    QRegion toWindow(const QRegion &skin) const;
    // What to repaint after the skin rectangle changed: smoothing carries a
    // change one window pixel further.
    QRect repaintArea(const QRect &skin) const;

    QSize toSkin(QSize window) const { return (QSizeF(window) / factor_).toSize(); }
    // Every skin pixel the window rectangle touches.
    QRect toSkin(const QRect &window) const;
    // The skin pixel under a place in the window.
    QPoint toSkin(QPointF window) const;

    // A skin picture at the window size.
    QImage atScale(const QImage &picture) const;
    // Skin pixels as a style sheet's length, at least one window pixel.
    QString px(int skinPixels) const { return QString::number(qMax(1, qRound(skinPixels * factor_))); }
    // The painter draws in skin pixels from here on.
    void scalePainter(QPainter &painter) const;

private:
    bool isWhole() const { return factor_ == qRound(factor_); }

    qreal factor_;
};
