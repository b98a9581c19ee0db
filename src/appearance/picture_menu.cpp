#include "appearance/picture_menu.h"

#include "appearance/texture_bitmap.h"

#include <QMouseEvent>
#include <QPainter>

PictureMenu::PictureMenu(const QImage &picture, winamp_playlist::MenuPictures pictures,
                         std::vector<std::function<void()>> commands, QWidget *parent, SkinScale scale)
    : QWidget(parent, Qt::Popup | Qt::FramelessWindowHint), picture_(picture), pictures_(std::move(pictures)),
      commands_(std::move(commands)), scale_(scale)
{
    setAttribute(Qt::WA_DeleteOnClose);
    setMouseTracking(true);
    const int items = static_cast<int>(pictures_.items.size());
    const QSize item = items > 0 ? pictures_.items.front().size() : QSize();
    setFixedSize(scale_.toWindow(QSize(pictures_.bar.width() + item.width(), items * item.height())));
}

void PictureMenu::popUp(const QRect &button)
{
    move(button.left() - qRound(pictures_.bar.width() * scale_.factor()), button.bottom() + 1 - height());
    show();
}

QRect PictureMenu::itemRect(int item) const
{
    const QSize size = pictures_.items.at(static_cast<std::size_t>(item)).size();
    return scale_.toWindow(QRect(QPoint(pictures_.bar.width(), item * size.height()), size));
}

int PictureMenu::itemAt(QPoint place) const
{
    for (int i = 0; i < static_cast<int>(pictures_.items.size()); ++i)
        if (itemRect(i).contains(place))
            return i;
    return -1;
}

void PictureMenu::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    scale_.scalePainter(painter);
    drawPiece(painter, {0, 0}, picture_, pictures_.bar);
    for (int i = 0; i < static_cast<int>(pictures_.items.size()); ++i) {
        const auto item = static_cast<std::size_t>(i);
        const QSize size = pictures_.items[item].size();
        drawPiece(painter, QPoint(pictures_.bar.width(), i * size.height()), picture_,
                  i == lit_ ? pictures_.litItems[item] : pictures_.items[item]);
    }
}

void PictureMenu::mouseMoveEvent(QMouseEvent *event)
{
    const int under = itemAt(event->position().toPoint());
    if (under != lit_) {
        lit_ = under;
        update();
    }
}

// The command runs after the menu is gone, so a dialog it opens is not
// covered by it.
void PictureMenu::mouseReleaseEvent(QMouseEvent *event)
{
    const int item = itemAt(event->position().toPoint());
    const std::function<void()> command =
        item >= 0 && item < static_cast<int>(commands_.size()) ? commands_[static_cast<std::size_t>(item)] : nullptr;
    close();
    if (command)
        command();
}
