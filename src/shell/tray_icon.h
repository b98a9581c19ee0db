#pragma once

// TTrayIcon: one icon in the desktop's notification area, over a backend
// that is QSystemTrayIcon in the program and a recorder in tests.

#include <QIcon>
#include <QMenu>
#include <QPoint>
#include <QString>

#include <functional>
#include <memory>

namespace shell {

class TrayBackend {
public:
    enum Click { Left, Double, Right };
    virtual ~TrayBackend() = default;
    // Where no notification area exists, an icon stays inactive.
    virtual bool available() const = 0;
    virtual void add(int id, const QIcon &icon, const QString &tip) = 0;
    virtual void modify(int id, const QIcon &icon, const QString &tip) = 0;
    virtual void remove(int id) = 0;
    // Called with the icon's id, the kind of click and the pointer.
    std::function<void(int, Click, QPoint)> clicked;
};

// One QSystemTrayIcon per id.
std::unique_ptr<TrayBackend> systemTray();

class TTrayIcon {
public:
    TTrayIcon(TrayBackend &backend, int id) : backend_(backend), id_(id) {}
    ~TTrayIcon() { setActive(false); }
    TTrayIcon(const TTrayIcon &) = delete;
    TTrayIcon &operator=(const TTrayIcon &) = delete;

    bool active() const { return active_; }
    void setActive(bool active);
    void setIcon(const QIcon &icon);
    // Only the first 62 characters are kept; a character is never split.
    // Kept as Qt shows it: a tip that looks like HTML shows as written.
    void setToolTip(const QString &tip);
    QString toolTip() const { return tip_; }

    std::function<void()> OnClick, OnDblClick;
    std::function<void(QPoint)> OnRightClick;
    QMenu *PopupMenu = nullptr;

    // The backend's click on this icon.
    void click(TrayBackend::Click kind, QPoint pointer);

private:
    TrayBackend &backend_;
    const int id_;
    bool active_ = false;
    QIcon icon_;
    QString tip_;
};

}  // namespace shell
