#include "appearance/scaled_window.h"

#include "appearance/texture_manager.h"
#include "platform/window_shape_limit.h"

#include <QHelpEvent>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QWheelEvent>

#include <memory>

ScaledWindow::ScaledWindow(const TextureManager &textures, QWidget *parent, Qt::WindowFlags flags)
    : QWidget(parent, flags), textures_(textures), scale_(textures.windowScale())
{
    connect(&textures_, &TextureManager::windowScaleChanged, this, &ScaledWindow::applyScale);
}

void ScaledWindow::setSkinSize(QSize size)
{
    skinSize_ = size;
    setFixedSize(scale_.toWindow(size));
}

void ScaledWindow::setSkinMask(const QRegion &shape)
{
    skinMask_ = shape;
    const QRegion scaled = scale_.toWindow(shape);
    // A shape the X server cannot take in one request would end the connection.
    if (scaled.isEmpty() || scaled.rectCount() > platform::maxWindowShapeRectangles())
        clearMask();
    else
        setMask(scaled);
}

void ScaledWindow::applyScale()
{
    scale_ = SkinScale(textures_.windowScale());
    if (skinSize_.isValid())
        setSkinSize(skinSize_);
    setSkinMask(skinMask_);
    update();
}

void ScaledWindow::paintEvent(QPaintEvent *event)
{
    QPainter painter(this);
    scale_.scalePainter(painter);
    paintSkin(painter, scale_.toSkin(event->rect()));
}

// The window's own handlers get a copy of a pointer event in skin pixels.
bool ScaledWindow::event(QEvent *event)
{
    if (scale_.factor() == 1)
        return skinEvent(event);
    std::unique_ptr<QEvent> skin;
    switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseMove: {
        const auto *mouse = static_cast<QMouseEvent *>(event);
        skin = std::make_unique<QMouseEvent>(
            mouse->type(), scale_.toSkin(mouse->position()), scale_.toSkin(mouse->scenePosition()),
            mouse->globalPosition(), mouse->button(), mouse->buttons(), mouse->modifiers(), mouse->pointingDevice());
        break;
    }
    case QEvent::Wheel: {
        const auto *wheel = static_cast<QWheelEvent *>(event);
        skin = std::make_unique<QWheelEvent>(scale_.toSkin(wheel->position()), wheel->globalPosition(),
                                             wheel->pixelDelta(), wheel->angleDelta(), wheel->buttons(),
                                             wheel->modifiers(), wheel->phase(), wheel->inverted(), wheel->source(),
                                             wheel->pointingDevice());
        break;
    }
    case QEvent::ToolTip: {
        const auto *help = static_cast<QHelpEvent *>(event);
        skin = std::make_unique<QHelpEvent>(QEvent::ToolTip, scale_.toSkin(help->pos()), help->globalPos());
        break;
    }
    default:
        return skinEvent(event);
    }
    const bool handled = skinEvent(skin.get());
    event->setAccepted(skin->isAccepted());
    return handled;
}
