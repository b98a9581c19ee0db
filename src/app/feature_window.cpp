#include "feature_window.h"

void WindowPlace::restore(const Settings &settings, QWidget &window) const
{
    if (!kept())
        return;
    QSize size(width ? settings.*width : window.width(), height ? settings.*height : window.height());
    if (corrected)
        size = corrected(size);
    window.setGeometry(QRect(QPoint(settings.*left, settings.*top),
                             size.expandedTo(window.minimumSize()).boundedTo(window.maximumSize())));
}

void WindowPlace::store(Settings &settings, const QWidget &window) const
{
    if (!kept())
        return;
    const QRect place = window.geometry();
    settings.*left = place.x();
    settings.*top = place.y();
    if (width)
        settings.*width = place.width();
    if (height)
        settings.*height = place.height();
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
