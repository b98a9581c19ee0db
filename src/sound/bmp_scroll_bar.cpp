#include "sound/bmp_scroll_bar.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>

#include <algorithm>
#include <cmath>

TBMPScrollBar::TBMPScrollBar(QWidget *parent) : QWidget(parent)
{
    setFocusPolicy(Qt::WheelFocus);
}

void TBMPScrollBar::setBMPTrack(const QImage &track)
{
    track_ = track;
    setFixedSize(track.size());
    update();
}

void TBMPScrollBar::setBMPThumb(const QImage &thumb)
{
    thumb_ = thumb;
    update();
}

void TBMPScrollBar::setRange(int min, int max)
{
    min_ = min;
    max_ = std::max(min, max);
    position_ = std::clamp(position_, min_, max_);
    update();
}

void TBMPScrollBar::SetPosition(int position)
{
    if (position < min_ || position > max_ || position == position_)
        return;
    position_ = position;
    update();
    if (OnChange)
        OnChange(this);
}

void TBMPScrollBar::scrollTo(int position)
{
    const int before = position_;
    SetPosition(std::clamp(position, min_, max_));
    if (position_ != before && OnScroll)
        OnScroll(this);
}

int TBMPScrollBar::along(const QPoint &point) const
{
    return Kind == ScrollBarKind::Vertical ? point.y() : point.x();
}

int TBMPScrollBar::travel() const
{
    const int thumb = Kind == ScrollBarKind::Vertical ? thumb_.height() : thumb_.width();
    const int length = Kind == ScrollBarKind::Vertical ? height() : width();
    return std::max(0, length - thumb);
}

int TBMPScrollBar::thumbOffset() const
{
    return max_ == min_ ? 0 : static_cast<int>(std::lround(double(position_ - min_) * travel() / (max_ - min_)));
}

int TBMPScrollBar::positionAt(int offset) const
{
    if (travel() == 0)
        return min_;
    return min_ + static_cast<int>(std::lround(double(offset) * (max_ - min_) / travel()));
}

void TBMPScrollBar::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.drawImage(0, 0, track_);
    const int offset = thumbOffset();
    if (Kind == ScrollBarKind::Vertical)
        painter.drawImage((width() - thumb_.width()) / 2, offset, thumb_);
    else
        painter.drawImage(offset, (height() - thumb_.height()) / 2, thumb_);
}

void TBMPScrollBar::mousePressEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton)
        return;
    const int at = along(event->position().toPoint());
    const int thumb = Kind == ScrollBarKind::Vertical ? thumb_.height() : thumb_.width();
    const int offset = thumbOffset();
    if (at >= offset && at < offset + thumb) {
        dragging_ = true;
        grabOffset_ = at - offset;
    } else {
        scrollTo(position_ + (at < offset ? -LargeChange : LargeChange));
    }
}

void TBMPScrollBar::mouseMoveEvent(QMouseEvent *event)
{
    if (dragging_)
        scrollTo(positionAt(along(event->position().toPoint()) - grabOffset_));
}

void TBMPScrollBar::mouseReleaseEvent(QMouseEvent *)
{
    dragging_ = false;
}

void TBMPScrollBar::wheelEvent(QWheelEvent *event)
{
    const int steps = event->angleDelta().y() / 120;
    scrollTo(position_ - steps * SmallChange);
}

void TBMPScrollBar::keyPressEvent(QKeyEvent *event)
{
    switch (event->key()) {
    case Qt::Key_Up:
    case Qt::Key_Left:
        scrollTo(position_ - SmallChange);
        break;
    case Qt::Key_Down:
    case Qt::Key_Right:
        scrollTo(position_ + SmallChange);
        break;
    case Qt::Key_PageUp:
        scrollTo(position_ - LargeChange);
        break;
    case Qt::Key_PageDown:
        scrollTo(position_ + LargeChange);
        break;
    default:
        QWidget::keyPressEvent(event);
    }
}
