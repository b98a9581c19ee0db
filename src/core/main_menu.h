#pragma once

// The main window's pop-up menu. Items whose windows do not exist yet are
// shown disabled.

#include <QMenu>

#include <functional>

class PlaybackController;

class MainMenu : public QMenu {
public:
    struct Commands {
        std::function<void()> load, url, exit;
    };

    MainMenu(PlaybackController &controller, Commands commands, QWidget *parent = nullptr);

    // Puts the check marks in line with the controller before showing.
    void refreshChecks();

    QAction *repeatAction() const { return repeat_; }
    QAction *shuffleAction() const { return shuffle_; }

private:
    PlaybackController &controller_;
    QAction *repeat_ = nullptr;
    QAction *shuffle_ = nullptr;
    QAction *onTop_ = nullptr;
    QAction *elapsed_ = nullptr;
    QAction *remaining_ = nullptr;
};
