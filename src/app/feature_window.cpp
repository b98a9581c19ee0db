#include "feature_window.h"

void WindowPlace::restore(const Settings &settings, QWidget &window, qreal scale) const
{
    if (!kept())
        return;
    if (!skinPixels)
        scale = 1;
    QSize size(width ? settings.*width : qRound(window.width() / scale),
               height ? settings.*height : qRound(window.height() / scale));
    if (corrected)
        size = corrected(size);
    size = (QSizeF(size) * scale).toSize();
    window.setGeometry(QRect(QPoint(settings.*left, settings.*top),
                             size.expandedTo(window.minimumSize()).boundedTo(window.maximumSize())));
}

void WindowPlace::store(Settings &settings, const QWidget &window, qreal scale) const
{
    if (!kept())
        return;
    if (!skinPixels)
        scale = 1;
    const QRect place = window.geometry();
    settings.*left = place.x();
    settings.*top = place.y();
    if (width)
        settings.*width = qRound(place.width() / scale);
    if (height)
        settings.*height = qRound(place.height() / scale);
}

FeatureWindow::FeatureWindow(Traits traits, Make make) : traits_(std::move(traits)), make_(std::move(make)) {}

FeatureWindow::~FeatureWindow() = default;

QWidget &FeatureWindow::widget()
{
    if (!widget_) {
        QWidget *made = make_();
        if (!widget_) {  // a maker may come back here while it makes
            widget_ = made;
            if (whenMade_)
                whenMade_(*this);
        }
    }
    return *widget_;
}

void FeatureWindow::adopt(std::function<void(FeatureWindow &)> whenMade)
{
    whenMade_ = std::move(whenMade);
    if (widget_)
        whenMade_(*this);
}
