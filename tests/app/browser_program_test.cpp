// The music browser inside the whole program: the menu item and a Winamp
// skin's button show and hide it with the item's check mark (the remote
// command is the command table's test), and every help command opens its
// window's page.

#include "app/ludro_app.h"
#include "support/recording_dialogs.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

TEST(BrowserProgram, HelpCommandsOpenTheirPages)
{
    QTemporaryDir home;
    qputenv("LUDRO_HOME", (home.path() + '/').toUtf8());
    RecordingDialogs dialogs;
    LudroApp app({"ludro", "/noSave"}, dialogs);
    app.show();
    TBrowserForm &browser = app.browser().browser().form();
    QAction *item = app.menu().browserAction();
    item->trigger();
    EXPECT_TRUE(browser.isVisible() && item->isChecked());
    item->trigger();
    EXPECT_FALSE(browser.isVisible() || item->isChecked());
    // A Winamp skin's button at the lower right.
    const QDir alloy(QStringLiteral(LUDRO_PROGRAM_DIR "/textures/Alloy"));
    QDir(home.path()).mkpath("textures/Alloy");
    for (const QString &file : alloy.entryList(QDir::Files))
        QFile::copy(alloy.filePath(file), home.filePath("textures/Alloy/" + file));
    app.appearance().chooseTexture("Alloy");
    QTest::mouseClick(&app.mainForm(), Qt::LeftButton, {}, QPoint(256, 98));
    EXPECT_TRUE(browser.isVisible() && item->isChecked());
    browser.close();

    emit app.sound().equalizer().helpRequested();
    EXPECT_TRUE(browser.isVisible());
    EXPECT_EQ(browser.history().current(), "equalizer.html");
    app.playlistFeature().form().action("Playlist_Pop_Help")->trigger();
    EXPECT_EQ(browser.history().current(), "playlist.html");
    for (auto [window, page] : std::initializer_list<std::pair<QWidget *, QString>>{{&app.sound().pitch(), "pitch.html"},
                                                                                    {&app.mainForm(), "manual.html"}}) {
        window->show();
        window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window));
        QTest::keyClick(window, Qt::Key_F1);
        EXPECT_EQ(browser.history().current(), page);
    }
}
