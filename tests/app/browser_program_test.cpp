// The music browser inside the whole program: the menu item and the remote
// command show and hide it with the item's check mark, and every help
// command opens its window's page.

#include "app/ludro_app.h"
#include "support/recording_dialogs.h"

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
    TBrowserForm &browser = app.browser().form();
    QAction *item = app.mainMenu().browserAction();
    item->trigger();
    EXPECT_TRUE(browser.isVisible() && item->isChecked());
    app.remote().execute(40041, 0);
    EXPECT_FALSE(browser.isVisible() || item->isChecked());

    app.equalizerForm().OnHelp();
    EXPECT_TRUE(browser.isVisible());
    EXPECT_EQ(browser.history().current(), "equalizer.html");
    app.playlistForm().action("Playlist_Pop_Help")->trigger();
    EXPECT_EQ(browser.history().current(), "playlist.html");
    for (auto [window, page] : std::initializer_list<std::pair<QWidget *, QString>>{{&app.pitchForm(), "pitch.html"},
                                                                                    {&app.mainForm(), "manual.html"}}) {
        window->show();
        window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window));
        QTest::keyClick(window, Qt::Key_F1);
        EXPECT_EQ(browser.history().current(), page);
    }
}
