#include "shell/shell_controller.h"

#include <QApplication>
#include <QPainter>
#include <QPixmap>

namespace shell {

namespace {

// The buttons' own pictures: bars and triangles as on a player's keys.
QIcon buttonIcon(int index)
{
    QPixmap pixmap(32, 32);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(30, 110, 200));
    const auto triangle = [&](int left, int right) {
        painter.drawPolygon(QPolygon({QPoint(left, 6), QPoint(right, 16), QPoint(left, 26)}));
    };
    switch (index) {
    case 0: painter.drawRect(6, 6, 4, 20); triangle(26, 10); break;
    case 1: triangle(8, 26); break;
    case 2: painter.drawRect(7, 7, 18, 18); break;
    case 3: painter.drawPolygon(QPolygon({QPoint(16, 5), QPoint(27, 17), QPoint(5, 17)}));
            painter.drawRect(5, 21, 22, 5); break;
    default: triangle(6, 22); painter.drawRect(22, 6, 4, 20); break;
    }
    return QIcon(pixmap);
}

}  // namespace

ShellController::ShellController(std::unique_ptr<TrayBackend> backend) : backend_(std::move(backend))
{
    for (int i = 0; i < 5; ++i) {
        icons_[i] = std::make_unique<TTrayIcon>(*backend_, i + 1);
        icons_[i]->setIcon(buttonIcon(i));
    }
    // A click while a modal window is open (a CD being recorded, a dialog)
    // would change what that window works on.
    backend_->clicked = [this](int id, TrayBackend::Click kind, QPoint pointer) {
        if (!QApplication::activeModalWidget() && id >= 1 && id <= 5)
            icons_[id - 1]->click(kind, pointer);
    };
}

void ShellController::ShowTrayIcons(bool show)
{
    for (auto &icon : icons_)
        icon->setActive(show);
}

void ShellController::setCommands(std::array<std::function<void()>, 5> commands)
{
    for (int i = 0; i < 5; ++i)
        icons_[i]->OnClick = std::move(commands[i]);
}

void ShellController::setToolTips(const QStringList &tips)
{
    for (int i = 0; i < 5 && i < tips.size(); ++i)
        icons_[i]->setToolTip(tips[i]);
}

}  // namespace shell
