#pragma once

// A pop-up menu drawn from a skin's picture, as classic players show the
// playlist's button menus: items stacked upward from the button, the item
// under the pointer lit, a bar at their left. Choosing an item closes the
// menu and runs its command. It is shown `scale` times as large as the
// picture, as the window it belongs to.

#include "appearance/skin_scale.h"
#include "appearance/winamp_playlist.h"

#include <QImage>
#include <QWidget>

#include <functional>
#include <vector>

class PictureMenu : public QWidget {
    Q_OBJECT

public:
    // One command per item of `pictures`, top to bottom.
    PictureMenu(const QImage &picture, winamp_playlist::MenuPictures pictures,
                std::vector<std::function<void()>> commands, QWidget *parent, SkinScale scale = SkinScale());

    // Shown with its lowest item over `button`, given in global places.
    void popUp(const QRect &button);
    // The item at a place of the menu, or -1.
    int itemAt(QPoint place) const;
    // In the menu's own pixels.
    QRect itemRect(int item) const;

protected:
    void paintEvent(QPaintEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    QImage picture_;
    winamp_playlist::MenuPictures pictures_;
    std::vector<std::function<void()>> commands_;
    SkinScale scale_;
    int lit_ = -1;
};
