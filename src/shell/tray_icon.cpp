#include "shell/tray_icon.h"

#include "platform/plain_text.h"

#include <QCursor>
#include <QSystemTrayIcon>

#include <map>

namespace shell {

namespace {

class SystemTray : public TrayBackend {
public:
    bool available() const override { return QSystemTrayIcon::isSystemTrayAvailable(); }
    void add(int id, const QIcon &icon, const QString &tip) override
    {
        auto &tray = icons_[id];
        tray = std::make_unique<QSystemTrayIcon>(icon);
        tray->setToolTip(tip);
        QObject::connect(tray.get(), &QSystemTrayIcon::activated, [this, id](QSystemTrayIcon::ActivationReason why) {
            const Click kind = why == QSystemTrayIcon::DoubleClick ? Double
                               : why == QSystemTrayIcon::Context  ? Right
                                                                  : Left;
            if (clicked && (why != QSystemTrayIcon::MiddleClick))
                clicked(id, kind, QCursor::pos());
        });
        tray->show();
    }
    void modify(int id, const QIcon &icon, const QString &tip) override
    {
        if (const auto found = icons_.find(id); found != icons_.end()) {
            found->second->setIcon(icon);
            found->second->setToolTip(tip);
        }
    }
    void remove(int id) override { icons_.erase(id); }

private:
    std::map<int, std::unique_ptr<QSystemTrayIcon>> icons_;
};

}  // namespace

std::unique_ptr<TrayBackend> systemTray()
{
    return std::make_unique<SystemTray>();
}

void TTrayIcon::setActive(bool active)
{
    if (active == active_ || (active && !backend_.available()))
        return;
    active_ = active;
    if (active)
        backend_.add(id_, icon_, tip_);
    else
        backend_.remove(id_);
}

void TTrayIcon::setIcon(const QIcon &icon)
{
    icon_ = icon;
    if (active_)
        backend_.modify(id_, icon_, tip_);
}

void TTrayIcon::setToolTip(const QString &tip)
{
    qsizetype end = 0;
    for (int characters = 0; characters < 62 && end < tip.size(); ++characters)
        end += tip[end].isHighSurrogate() && end + 1 < tip.size() ? 2 : 1;
    tip_ = platform::plainToolTip(tip.left(end));
    if (active_)
        backend_.modify(id_, icon_, tip_);
}

void TTrayIcon::click(TrayBackend::Click kind, QPoint pointer)
{
    if (kind == TrayBackend::Left && OnClick)
        OnClick();
    else if (kind == TrayBackend::Double && OnDblClick)
        OnDblClick();
    else if (kind == TrayBackend::Right) {
        if (PopupMenu)
            PopupMenu->popup(pointer);
        if (OnRightClick)
            OnRightClick(pointer);
    }
}

}  // namespace shell
