// The five tray buttons over a recording backend, and the addresses the
// link labels open (a click on one is seen in the preferences' test).

#include "shell/shell_controller.h"
#include "shell/url_label.h"

#include <QDialog>
#include <QTest>

#include <gtest/gtest.h>

namespace {

class RecordingTray : public shell::TrayBackend {
public:
    explicit RecordingTray(QStringList &log, bool available = true) : log_(log), available_(available) {}
    bool available() const override { return available_; }
    void add(int id, const QIcon &icon, const QString &tip) override { record("add", id, icon, tip); }
    void modify(int id, const QIcon &icon, const QString &tip) override { record("modify", id, icon, tip); }
    void remove(int id) override { log_ << QStringLiteral("remove %1").arg(id); }

private:
    void record(const char *what, int id, const QIcon &icon, const QString &tip)
    {
        log_ << QStringLiteral("%1 %2 %3%4").arg(what).arg(id).arg(tip, icon.isNull() ? " no icon" : "");
    }
    QStringList &log_;
    bool available_;
};

TEST(TrayButtons, AddModifyAndRemoveInOrderWithTipsCutByCharacters)
{
    QStringList log;
    const QString longTip = QString(61, u'a') + QString::fromUtf8("\xF0\x9F\x8E\xB5") + "b";
    {
        shell::ShellController shell(std::make_unique<RecordingTray>(log));
        shell.setToolTips({"Previous", "Play", "Stop", "Open", longTip});
        EXPECT_TRUE(log.isEmpty()) << "nothing shows before the check box";
        shell.ShowTrayIcons(true);
        shell.ShowTrayIcons(true);
        shell.setToolTips({"Previous", "Play", "Stop!", "Open", longTip});
        shell.ShowTrayIcons(false);
    }
    const QString cut = longTip.chopped(1);
    EXPECT_EQ(log.join(u'\n'),
              QStringList({"add 1 Previous", "add 2 Play", "add 3 Stop", "add 4 Open", "add 5 " + cut,
                           "modify 1 Previous", "modify 2 Play", "modify 3 Stop!", "modify 4 Open", "modify 5 " + cut,
                           "remove 1", "remove 2", "remove 3", "remove 4", "remove 5"})
                  .join(u'\n'));

    log.clear();
    shell::ShellController noTray(std::make_unique<RecordingTray>(log, false));
    noTray.ShowTrayIcons(true);
    EXPECT_TRUE(log.isEmpty()) << "no tray, no buttons";
}

TEST(TrayButtons, ClicksRunTheirCommandsButNotWhileAModalWindowIsOpen)
{
    QStringList log, ran;
    auto tray = std::make_unique<RecordingTray>(log);
    RecordingTray &backend = *tray;
    shell::ShellController shell(std::move(tray));
    shell.setCommands({[&] { ran << "previous"; }, [&] { ran << "play"; }, [&] { ran << "stop"; },
                       [&] { ran << "open"; }, [&] { ran << "next"; }});
    shell.trayIcon(4).OnRightClick = [&](QPoint at) { ran << QStringLiteral("menu at %1").arg(at.x()); };
    shell.ShowTrayIcons(true);
    backend.clicked(2, shell::TrayBackend::Left, {});
    backend.clicked(5, shell::TrayBackend::Right, {7, 8});
    backend.clicked(5, shell::TrayBackend::Double, {});
    QDialog recording;
    recording.open();
    ASSERT_TRUE(QTest::qWaitFor([] { return QApplication::activeModalWidget(); }));
    backend.clicked(3, shell::TrayBackend::Left, {});
    recording.close();
    backend.clicked(1, shell::TrayBackend::Left, {});
    EXPECT_EQ(ran.join(", "), "play, menu at 7, previous");
}

TEST(LinkLabels, OpenOnlyWebAndMailAddressesWithOnePrefix)
{
    EXPECT_EQ(shell::linkAddress(shell::hmHTTP, "www.example.org"), QUrl("http://www.example.org"));
    EXPECT_EQ(shell::linkAddress(shell::hmMAIL, "me@example.org"), QUrl("mailto:me@example.org"));
    for (const char *hostile : {"javascript:alert(1)", "file:///etc/passwd"})
        EXPECT_TRUE(shell::linkAddress(shell::hmCUSTOM, hostile).isEmpty()) << hostile;
}

}  // namespace
