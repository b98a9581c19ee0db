#include "appearance/skin_scale.h"

#include <QPainter>
#include <QTransform>
#include <QtMath>

QRect SkinScale::toWindow(const QRect &skin) const
{
    return QRectF(QPointF(skin.topLeft()) * factor_, QSizeF(skin.size()) * factor_).toAlignedRect();
}

QRegion SkinScale::toWindow(const QRegion &skin) const
{
    return factor_ == 1 ? skin : QTransform::fromScale(factor_, factor_).map(skin);
}

QRect SkinScale::repaintArea(const QRect &skin) const
{
    const int reach = isWhole() ? 0 : 1;
    return toWindow(skin).adjusted(-reach, -reach, reach, reach);
}

QRect SkinScale::toSkin(const QRect &window) const
{
    return QRectF(QPointF(window.topLeft()) / factor_, QSizeF(window.size()) / factor_).toAlignedRect();
}

QPoint SkinScale::toSkin(QPointF window) const
{
    return {qFloor(window.x() / factor_), qFloor(window.y() / factor_)};
}

QImage SkinScale::atScale(const QImage &picture) const
{
    if (factor_ == 1 || picture.isNull())
        return picture;
    return picture.scaled(toWindow(picture.size()), Qt::IgnoreAspectRatio,
                          isWhole() ? Qt::FastTransformation : Qt::SmoothTransformation);
}

void SkinScale::scalePainter(QPainter &painter) const
{
    painter.scale(factor_, factor_);
    painter.setRenderHint(QPainter::SmoothPixmapTransform, !isWhole());
}
