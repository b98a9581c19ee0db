#include "appearance/picture_button.h"

#include "platform/plain_text.h"

#include <QHelpEvent>
#include <QPainter>
#include <QToolTip>

PictureButton::PictureButton(QWidget *parent) : QAbstractButton(parent)
{
    setCursor(Qt::PointingHandCursor);
    setFocusPolicy(Qt::NoFocus);
}

void PictureButton::setFace(const QImage &face)
{
    face_ = face;
    resize(face.size());
    update();
}

void PictureButton::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    if (!isDown()) {
        painter.drawImage(0, 0, face_);
        return;
    }
    painter.drawImage(1, 1, face_);
    painter.fillRect(rect(), QColor(0, 0, 0, 60));
}

bool PictureButton::event(QEvent *event)
{
    if (event->type() != QEvent::ToolTip || text().isEmpty())
        return QAbstractButton::event(event);
    const auto *help = static_cast<QHelpEvent *>(event);
    QToolTip::showText(help->globalPos(), platform::plainToolTip(text()), this);
    return true;
}
