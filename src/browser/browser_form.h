#pragma once

// The music browser window: the page of the history's current slot drawn
// over the tiled background, buttons to move through the pages, and links
// that open further pages of the browser's folder or, for web addresses,
// the desktop's web browser. It also shows the help pages. It wears the
// texture's frame of the secondary windows and its browser picture's title
// and grip. Dragging the title moves the window; the grip resizes it.

#include "appearance/texture_manager.h"
#include "appearance/window_drag.h"
#include "browser/page_folder.h"
#include "browser/page_history.h"

#include <QImage>
#include <QUrl>
#include <QWidget>

#include <functional>
#include <memory>

class QScrollArea;
class QToolButton;

class TBrowserForm : public QWidget {
    Q_OBJECT

public:
    TBrowserForm(const TextureManager &textures, browser::PageFolder folder, QWidget *parent = nullptr);

    // Pushes the page into the history, shows the window and draws the page.
    void OpenHelpPage(const QString &name);
    void PreviousPage();
    void NextPage();
    // Draws the current page anew when the window is shown.
    void reload();
    // A click on that link's text.
    void followLink(const QString &target);

    const browser::PageHistory &history() const { return history_; }
    const browser::PageLayout &page() const { return layout_; }
    const QImage &pageImage() const { return image_; }
    QScrollArea *pageArea() const { return area_; }
    QToolButton *button(const QString &hint) const;

    // Hands a web address to the desktop; tests record it instead.
    std::function<void(const QUrl &)> OpenExternal;

    static constexpr int TitleHeight = 30;

signals:
    void updatesRequested();
    // Shown or closed by the user.
    void visibilityChanged(bool shown);

protected:
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:

    void open(const QString &name);
    QRect gripRect() const;
    void drawCurrentPage();
    void pageMouse(QMouseEvent *event, bool click);

    const TextureManager &textures_;
    browser::PageFolder folder_;
    browser::PageHistory history_;
    browser::PageLayout layout_;
    QImage image_;
    QScrollArea *area_;
    QWidget *view_;
    WindowDrag drag_;
};
