#include "appearance/scaled_window.h"

#include "appearance/texture_manager.h"
#include "platform/window_shape_limit.h"

#include <QHelpEvent>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QTransform>

#include <cmath>
#include <memory>

namespace {

bool isWhole(qreal scale)
{
    return scale == std::floor(scale);
}

}  // namespace

ScaledWindow::ScaledWindow(const TextureManager &textures, QWidget *parent, Qt::WindowFlags flags)
    : QWidget(parent, flags), textures_(textures), scale_(textures.windowScale())
{
    connect(&textures_, &TextureManager::windowScaleChanged, this, &ScaledWindow::applyScale);
}

QRect ScaledWindow::toWindow(const QRect &skin) const
{
    if (scale_ == 1)
        return skin;
    return QRectF(skin.x() * scale_, skin.y() * scale_, skin.width() * scale_, skin.height() * scale_)
        .toAlignedRect()
        .adjusted(isWhole(scale_) ? 0 : -1, isWhole(scale_) ? 0 : -1, isWhole(scale_) ? 0 : 1, isWhole(scale_) ? 0 : 1);
}

void ScaledWindow::setSkinSize(QSize size)
{
    skinSize_ = size;
    setFixedSize(qRound(size.width() * scale_), qRound(size.height() * scale_));
}

void ScaledWindow::setSkinMask(const QRegion &shape)
{
    skinMask_ = shape;
    const QRegion scaled = scale_ == 1 ? shape : QTransform::fromScale(scale_, scale_).map(shape);
    // A shape the X server cannot take in one request would end the connection.
    if (scaled.isEmpty() || scaled.rectCount() > platform::maxWindowShapeRectangles())
        clearMask();
    else
        setMask(scaled);
}

void ScaledWindow::applyScale()
{
    scale_ = textures_.windowScale();
    if (skinSize_.isValid())
        setSkinSize(skinSize_);
    setSkinMask(skinMask_);
    update();
}

void ScaledWindow::paintEvent(QPaintEvent *event)
{
    QPainter painter(this);
    if (scale_ == 1) {
        paintSkin(painter, event->rect());
        return;
    }
    painter.scale(scale_, scale_);
    painter.setRenderHint(QPainter::SmoothPixmapTransform, !isWhole(scale_));
    const QRect exposed = event->rect();
    paintSkin(painter, QRectF(exposed.x() / scale_, exposed.y() / scale_, exposed.width() / scale_,
                              exposed.height() / scale_)
                           .toAlignedRect());
}

// The window's own handlers get a copy of a pointer event in skin pixels.
bool ScaledWindow::event(QEvent *event)
{
    if (scale_ == 1)
        return skinEvent(event);
    std::unique_ptr<QEvent> skin;
    switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseMove: {
        const auto *mouse = static_cast<QMouseEvent *>(event);
        skin = std::make_unique<QMouseEvent>(mouse->type(), mouse->position() / scale_, mouse->scenePosition() / scale_,
                                             mouse->globalPosition(), mouse->button(), mouse->buttons(),
                                             mouse->modifiers(), mouse->pointingDevice());
        break;
    }
    case QEvent::ToolTip: {
        const auto *help = static_cast<QHelpEvent *>(event);
        skin = std::make_unique<QHelpEvent>(QEvent::ToolTip, (QPointF(help->pos()) / scale_).toPoint(), help->globalPos());
        break;
    }
    default:
        return skinEvent(event);
    }
    const bool handled = skinEvent(skin.get());
    event->setAccepted(skin->isAccepted());
    return handled;
}
