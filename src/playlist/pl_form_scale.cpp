// The playlist window at the chosen window size: its places are skin
// pixels, shown `scale_` times as large. Whole sizes keep every skin pixel a
// crisp square; fractional ones are smoothed.

#include "pl_form.h"

#include <QMouseEvent>
#include <QtMath>

#include <algorithm>

void TPLForm::applyScale()
{
    const QSize skin = skinSize();
    storeColumnWidths();  // at the size they were made for
    scale_ = textures_.windowScale();
    applyStyle();
    resize(toWindow(skin));
    update();
}

QSize TPLForm::skinSize() const
{
    return {qRound(width() / scale_), qRound(height() / scale_)};
}

QSize TPLForm::toWindow(QSize skin) const
{
    return (QSizeF(skin) * scale_).toSize();
}

// Every window pixel the skin rectangle touches.
QRect TPLForm::toWindow(const QRect &skin) const
{
    return QRectF(QPointF(skin.topLeft()) * scale_, QSizeF(skin.size()) * scale_).toAlignedRect();
}

QPoint TPLForm::skinPlace(const QMouseEvent *event) const
{
    const QPointF place = event->position() / scale_;
    return {qFloor(place.x()), qFloor(place.y())};
}

QImage TPLForm::atScale(const QImage &picture) const
{
    if (scale_ == 1 || picture.isNull())
        return picture;
    const bool whole = scale_ == qRound(scale_);
    return picture.scaled(toWindow(picture.size()), Qt::IgnoreAspectRatio,
                          whole ? Qt::FastTransformation : Qt::SmoothTransformation);
}

QString TPLForm::px(int skinPixels) const
{
    return QString::number(std::max(1, qRound(skinPixels * scale_)));
}

// The widths are kept in skin pixels, so they follow the window size.
void TPLForm::applyColumnWidths()
{
    for (int c = 0; c < PlaylistEntry::ColumnCount; ++c)
        titleView_.setColumnWidth(c, qRound(columnWidths[static_cast<std::size_t>(c)] * scale_));
}

void TPLForm::storeColumnWidths()
{
    if (!widthsApplied_)
        return;  // the list never showed them
    for (int c = 0; c < PlaylistEntry::ColumnCount; ++c)
        columnWidths[static_cast<std::size_t>(c)] = qRound(titleView_.columnWidth(c) / scale_);
}
