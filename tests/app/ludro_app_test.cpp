// The whole program in one process, as a user starts it (playing through the
// ALSA "null" device): the menu, the window's buttons and commands from other
// programs reach the controller; what the user leaves comes back at start.
// The playlist button and files dropped on the main window, the music
// browser and help pages, the encoder's first start, the tag editor, the
// equalizer and the pitch window, the visualizer, a folder's tags, real
// dialogs raised from inside modal windows, and the preferences window.

#include "app/app_dialogs.h"
#include "core/hand_over.h"
#include "core/remote_commands.h"
#include "encoder/encoder_page.h"
#include "ludro/gen_plugin.h"
#include "net/url_form.h"
#include "platform/command_channel.h"
#include "platform/instance_lock.h"
#include "recording/as_form.h"
#include "shell/url_label.h"
#include "support/answer_box.h"
#include "support/drop_files.h"
#include "support/program_session.h"
#include "support/texture_fixture.h"
#include "support/wav_file.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QDateTime>
#include <QFileDialog>
#include <QInputDialog>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <QTreeView>
#include <QUrl>

#include <climits>
#include <functional>
#include <ranges>

namespace {

// A menu item by its text's key.
QAction *item(LudroApp &app, const char *key)
{
    return app.mainForm().findChild<QMenu *>()->findChild<QAction *>(QString::fromLatin1(key));
}

bool scopeMoves(const Visualizer &v)
{
    return std::ranges::any_of(std::views::iota(0, +Visualizer::ScopeWidth),
                               [&](int c) { return v.scopeRow(c) != Visualizer::Height / 2; });
}

bool filled(LudroApp &app)
{
    const QAbstractItemModel &rows = *app.playlistFeature().form().titleView().model();
    for (int row = 0; row < 3; ++row)
        if (rows.index(row, PlaylistEntry::Time).data() != "0:04" ||
            rows.index(row, PlaylistEntry::Title).data() != QStringLiteral("Band %1 - Song %1").arg(row))
            return false;
    return rows.rowCount() == 3;
}

class Program : public ProgramSession {
protected:
    Program()
    {
        song("first.mp2", "l2-32k-mono.mp2");
        song("second.mp3");
        writeFile(home.filePath("list.m3u"), "first.mp2\nsecond.mp3\n");
    }

    template <typename Widget>
    Widget *control(const char *key)
    {
        return app->preferences().form().findChild<Widget *>(QString::fromLatin1(key));
    }
    // The preferences' list that holds `item`: the textures' or the plug-ins'.
    static QListWidget &listHolding(TPrefsForm &prefs, const QString &item)
    {
        for (QListWidget *list : prefs.findChildren<QListWidget *>())
            if (!list->findItems(item, Qt::MatchExactly).isEmpty())
                return *list;
        throw std::runtime_error("no list holds " + item.toStdString());
    }
};

}  // namespace

// The start-up lights go out, a clicked button flashes, the knob, the menu
// and the buttons reach the controller; the recent files keep every choice,
// newest first.
TEST_F(Program, MenuButtonsKnobsLightsAndRecentFilesReachTheController)
{
    start({"/noSave", home.filePath("second.mp3")});
    TMainForm &form = app->mainForm();
    EXPECT_TRUE(runUntil([&] { return form.isLit(MainButton::Equalizer); }, 2000)) << "the start-up lights";
    ASSERT_TRUE(runUntil([&] { return app->timersRunning(); }, 3000));
    EXPECT_FALSE(form.isLit(MainButton::Equalizer));
    ASSERT_TRUE(reaches(1));
    const QPoint knob(15 + 15 * 80 / 100 + 3, 68 + 3);  // the volume knob at 80
    QTest::mousePress(&form, Qt::LeftButton, {}, knob);
    QTest::mouseMove(&form, knob - QPoint(6, 0));
    QTest::mouseRelease(&form, Qt::LeftButton, {}, knob - QPoint(6, 0));
    EXPECT_EQ(app->volume().volume(), 40);

    item(*app, "Playback_Repeat")->trigger();
    EXPECT_FALSE(app->controller().repeat());
    QTest::mouseClick(&form, Qt::LeftButton, {}, QPoint(158 + 5, 99 + 5));  // stop
    EXPECT_TRUE(runUntil([&] { return form.isLit(MainButton::Stop); }, 1000)) << "a clicked button flashes";
    EXPECT_TRUE(runUntil([&] { return !form.isLit(MainButton::Stop); }, 1000));
    ASSERT_TRUE(reaches(0));

    QAction *recent = item(*app, "Pop_Recent");
    EXPECT_FALSE(recent->isVisible()) << "no entries with an empty settings file";
    for (const char *name : {"first.mp2", "first.mp2", "second.mp3"}) {
        dialogs.nextOpenFile = home.filePath(name);
        app->controller().OpenDialog();
    }
    EXPECT_EQ(app->settings().recent[0], home.filePath("second.mp3")) << "newest first";
    ASSERT_EQ(recent->menu()->actions().size(), 3) << "every choice kept";
    QFile::remove(home.filePath("first.mp2"));
    recent->menu()->actions()[1]->trigger();
    EXPECT_EQ(app->controller().currentFile(), home.filePath("second.mp3")) << "a deleted file does nothing";

    writeFile(home.filePath("My Song.mp3"));
    EXPECT_EQ(LudroApp::fileArguments({"ludro", "/cd", home.filePath("My"), "Song.mp3", "--noSave"}),
              QStringList{home.filePath("My Song.mp3")})
        << "a name with blanks that was not quoted";
}

// A plug-in in the "plugins" folder is started with the player, drives it
// through its parent window, is configured from the preferences and is told
// to quit at the end.
TEST_F(Program, PluginsStartDriveThePlayerAndQuit)
{
    QDir(home.path()).mkpath("plugins");
    ASSERT_TRUE(QFile::copy(LUDRO_SAMPLE_PLUGIN, home.filePath("plugins/sample.so")));
    writeFile(home.filePath("plugins/broken.so"), "not a library");
    const QString log = home.filePath("quit.log");
    qputenv("LUDRO_SAMPLE_PLUGIN_LOG", log.toUtf8());
    start({"/noSave"}, false);
    const bool repeat = app->controller().repeat();
    app->show();
    EXPECT_EQ(app->plugins().descriptions(), QStringList{"Ludro sample plug-in"});
    EXPECT_TRUE(runUntil([&] { return app->controller().repeat() != repeat; }, 3000)) << "the plug-in's command";
    TPrefsForm &prefs = app->preferences().form();
    prefs.openOn();
    auto *configure = control<QPushButton>("Prefs_Page5_ConfGeneral");
    configure->click();
    EXPECT_FALSE(QFile::exists(log)) << "no plug-in chosen";
    listHolding(prefs, "Ludro sample plug-in").setCurrentRow(0);
    configure->click();
    end();
    EXPECT_EQ(readFile(log), "config quit");
}

// The texture and the Cool Bar chosen before come back at start; switching
// modes leaves playback alone; both are kept for the next start. A texture
// folder that is gone leaves the built-in texture, its dome and the setting.
TEST_F(Program, TheTextureAndTheCoolBarComeBackAndTogglingLeavesPlaybackAlone)
{
    using namespace fixture_texture;
    writeCodedTexture(home.path());
    settings("Texture=Coded\nMode=0\n");
    start({home.filePath("second.mp3")});
    TMainForm &form = app->mainForm();
    EXPECT_EQ(form.size(), CoolBarSize);
    ASSERT_TRUE(reaches(1));
    emit form.modeClicked();
    EXPECT_EQ(form.size(), MainSize);
    item(*app, "Options_Coolbar")->trigger();
    EXPECT_EQ(form.size(), CoolBarSize);
    EXPECT_TRUE(playsOn());
    item(*app, "Options_Coolbar")->trigger();
    app->appearance().chooseTexture("../textures/Coded");
    EXPECT_EQ(dialogs.errors.size(), 1);
    EXPECT_EQ(app->textures().name(), "Coded");
    end();
    EXPECT_EQ(saved().readString("Ludro", "Mode", ""), "1");

    QDir(home.filePath("textures/Coded")).removeRecursively();
    start({"/noSave"}, false);
    EXPECT_EQ(app->textures().name(), TextureManager::BuiltinName);
    EXPECT_FALSE(app->mainForm().mask().contains(QPoint(5, 10))) << "the built-in dome";
    EXPECT_EQ(app->settings().texture, "Coded");
}

// Exit and closing the main window end the program with other windows open,
// and those windows come back at the next start; hidden ones stay hidden.
TEST_F(Program, RealExitPathsKeepTheWindowsAsTheUserLeftThem)
{
    for (bool byMenu : {true, false})
        for (bool shown : {true, false}) {
            start({});
            QRect recorderPlace;
            app->sound().equalizer().show();
            app->playlistFeature().form().setVisible(shown);
            app->recorder().recorder().move(123, 45);
            app->recorder().recorder().setVisible(shown);
            QTimer::singleShot(0, [&] {
                recorderPlace = app->recorder().recorder().geometry();
                if (byMenu)
                    app->controller().ExitCommand();
                else
                    app->mainForm().close();
            });
            QTimer stuck;
            QObject::connect(&stuck, &QTimer::timeout, [] { QApplication::quit(); });
            stuck.start(10000);
            QApplication::exec();
            EXPECT_TRUE(stuck.isActive()) << "the program ended by itself";
            start({}, false);
            EXPECT_TRUE(app->settings().eqVis);
            EXPECT_EQ(app->settings().plVis, shown);
            EXPECT_EQ(app->settings().recVis, shown);
            EXPECT_EQ(app->recorder().recorder().geometry(), recorderPlace);
        }
}

// Commands that name no entry are dropped with an empty list; the list's
// options and its font size come back at start.
TEST_F(Program, CommandsOnAnEmptyListAndTheListOptions)
{
    settings("SortList=0\nMusicGroup=1\nFontSize=11\nClearList=1\n");
    const QString started = QDir::currentPath();
    QDir::setCurrent(home.path());
    start({"second.mp3"});
    ASSERT_TRUE(reaches(1));
    EXPECT_FALSE(app->playlist().keepSorted);
    EXPECT_TRUE(app->playlist().musicGroup);
    EXPECT_EQ(app->playlistFeature().form().fontSize(), 11);
    EXPECT_EQ(app->playlist().entryPath(0), home.filePath("second.mp3")) << "a relative name is stored whole";
    app->playlist().clearEntries();
    for (std::uintptr_t command : {40154, 40158}) {
        send(command);
        app->Timer2Timer();
    }
    handOver(home.filePath("missing.m3u"));
    app->Timer1Timer();
    app->Timer1Timer();
    EXPECT_EQ(app->playlist().entryCount(), 0);
    end();
    QDir::setCurrent(started);
    start({}, false);
    EXPECT_FALSE(QFile::exists(home.filePath("Ludro.m3u"))) << "an empty list leaves no default playlist";
}

TEST(AddressWindow, EscapeAndClosingMeanCancel)
{
    TURLForm form;
    for (bool escape : {true, false}) {
        QTimer::singleShot(0, [&] {
            form.edit()->setText("http://typed.example/");
            escape ? QTest::keyClick(form.edit(), Qt::Key_Escape) : (void)form.close();
        });
        EXPECT_EQ(form.askAddress(), "") << escape;
    }
}

// The playlist button; songs and lists dropped on the main window join the
// list, which is kept at exit even when the list is emptied later; with
// ClearList a dropped list replaces it. A Winamp skin's playlist: its small
// transport buttons run the command table's commands.
TEST_F(Program, DroppedFilesJoinTheListWhichSurvivesARestart)
{
    fixture_texture::writeCodedSkinPlaylist(fixture_texture::writeCodedWinampSkin(home.path()));
    start({});
    TPLForm &form = app->playlistFeature().form();
    emit app->mainForm().playlistClicked();
    EXPECT_FALSE(form.isVisible()) << "the playlist button";
    emit app->mainForm().playlistClicked();
    app->appearance().chooseTexture("Classic");
    dropFiles(app->mainForm(), {home.filePath("first.mp2"), home.filePath("second.mp3")});
    EXPECT_EQ(app->playlist().pendingIndex, 1) << "the last dropped song starts";
    ASSERT_TRUE(reaches(1));
    QTest::mouseClick(&form, Qt::LeftButton, {}, winamp_playlist::transportRect(2, form.size()).center());
    EXPECT_TRUE(reaches(2)) << "paused by the skin's button";
    dropFiles(app->mainForm(), {home.filePath("list.m3u")});
    EXPECT_EQ(app->playlist().entryCount(), 4) << "a playlist joins the list";
    dropFiles(app->mainForm(), {home.path()});
    EXPECT_EQ(dialogs.errors.size(), 1) << "a folder cannot be read as a playlist";
    app->playlist().pendingIndex = NoPosition;

    start({});
    ASSERT_EQ(app->playlist().entryCount(), 4);
    EXPECT_EQ(app->playlist().entryPath(1), home.filePath("first.mp2")) << "the list is kept sorted by default";
    app->playlistFeature().form().action("Playlist_Del_All")->trigger();
    end();
    settings("ClearList=1\nStartPlay=0\n");
    start();
    EXPECT_EQ(app->playlist().entryCount(), 4) << "an empty list leaves the old default playlist";
    dropFiles(app->mainForm(), {home.filePath("list.m3u")});
    ASSERT_EQ(app->playlist().entryCount(), 2);
    EXPECT_EQ(app->playlist().pendingIndex, NoPosition) << "StartPlay is off";
}

// The browser: the menu item and a Winamp skin's button show and hide it
// with the item's check mark; every help command opens its window's page.
// The equalizer's record and the pitch's last move of a tick reach the
// engine.
TEST_F(Program, TheBrowserHelpPagesAndTheEqualizerAndPitchOnTheTick)
{
    start({"/noSave"}, false);
    std::vector<SK_EqualizerInfo> sent;
    QObject::connect(&app->player(), &TSonarkPlayer::OnNotifyCodecEqualizer,
                     [&](TSonarkPlayer *, SK_EqualizerInfo &record) { sent.push_back(record); });
    std::vector<int> pitches;
    QObject::connect(&app->player(), &TSonarkPlayer::OnNotifyPlayerEnvironmentInteger,
                     [&](TSonarkPlayer *, const QString &name, int32_t value) {
                         if (name == "OUTPUT.DIRECTSOUND.PITCH")
                             pitches.push_back(value);
                     });
    app->show();
    TBrowserForm &browser = app->browser().browser().form();
    QAction *menuItem = app->menu().browserAction();
    menuItem->trigger();
    EXPECT_TRUE(browser.isVisible() && menuItem->isChecked());
    menuItem->trigger();
    copyTexture("Alloy");
    app->appearance().chooseTexture("Alloy");
    QTest::mouseClick(&app->mainForm(), Qt::LeftButton, {}, QPoint(256, 98));  // the skin's button
    EXPECT_TRUE(browser.isVisible() && menuItem->isChecked());
    browser.close();
    app->mainForm().activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&app->mainForm()));
    QTest::keyClick(&app->mainForm(), Qt::Key_F1);
    EXPECT_EQ(browser.history().current(), "manual.html") << "F1";

    ASSERT_TRUE(runUntil([&] { return app->timersRunning(); }, 3000));
    TEQForm &eq = app->sound().equalizer();
    eq.setUseEqualizer(true);
    eq.trackbar(0).SetPosition(127);
    app->Timer1Timer();
    EXPECT_TRUE(runUntil([&] { return !sent.empty() && sent.back().left[0] == -63; }, 5000));
    pitches.clear();
    for (int value : {1200, 1300, 1400})
        app->sound().pitch().PitchBar().setValue(value);
    app->Timer2Timer();
    // Reset is sent on the next tick, even when the slider already sits at normal speed.
    for (int clicks = 0; clicks < 2; ++clicks) {
        app->sound().pitch().findChild<QPushButton *>()->click();
        app->Timer2Timer();
    }
    ASSERT_TRUE(runUntil([&] { return pitches.size() >= 3; }, 2000));
    EXPECT_EQ(pitches, (std::vector<int>{1400, 1000, 1000})) << "one move sent for the tick";
}

// The first start without an encoder looks for one, the wizard chooses
// among several. Only Register touches the desktop's file types.
TEST_F(Program, AFirstStartTakesTheOnlyEncoderAndOnlyRegisterTouchesTheDesktopsFileTypes)
{
    const QByteArray path = qgetenv("PATH");
    qputenv("PATH", home.filePath("empty").toUtf8());  // no lame
    for (const char *name : {"MP3EncDemo.exe", "bladeenc.exe"}) {
        writeFile(home.filePath(name), "#!/bin/sh\n");
        QFile::setPermissions(home.filePath(name), QFile::ReadOwner | QFile::ExeOwner);
    }
    const QString data = home.filePath("xdg-data"), config = home.filePath("xdg-config");
    qputenv("XDG_DATA_HOME", data.toUtf8());
    qputenv("XDG_CONFIG_HOME", config.toUtf8());
    QDir().mkpath(home.filePath("icons"));
    for (const char *name : {"note.ico", "playlist.ico"})
        QFile::copy(QStringLiteral(LUDRO_PROGRAM_DIR "/icons/") + name, home.filePath("icons/") + name);
    start();
    ASSERT_TRUE(runUntil([&] { return app->encoder().wizard().isVisible(); }, 10000));
    app->encoder().wizard().OKButton->click();
    EXPECT_EQ(app->settings().encPath, home.filePath("bladeenc.exe"));

    QFile::remove(home.filePath("bladeenc.exe"));
    start();
    ASSERT_TRUE(runUntil([&] { return !app->settings().encPath.isEmpty(); }, 10000));
    EXPECT_EQ(app->settings().encPath, home.filePath("MP3EncDemo.exe"));
    EXPECT_FALSE(app->encoder().wizard().isVisible());
    qputenv("PATH", path);
    EXPECT_FALSE(QFile::exists(data) || QFile::exists(config));
    app->settings().icon2 = 1;
    control<QPushButton>("Prefs_Page1_Reg")->click();
    end();
    qunsetenv("XDG_DATA_HOME");
    qunsetenv("XDG_CONFIG_HOME");
    EXPECT_EQ(dialogs.informations.size(), 1);
    for (const char *kind : {"file", "playlist"})
        EXPECT_TRUE(readFile(data + "/applications/ludropro-mpeg-" + kind + ".desktop").contains("Icon=" + data.toUtf8()));
}

// The whole program wearing a Winamp skin: the visualizer moves with the
// song the engine plays and rests while the window is hidden or nothing
// plays; double size (Ctrl+D) keeps the equalizer docked; both are kept.
TEST_F(Program, MovesWithTheSongOnlyWhileShownAndPlayingAndDoubleSizeKeepsTheDocking)
{
    fixture_texture::writeCodedWinampSkin(home.path());
    settings("Texture=Classic\nVisualizer=2\nLeftPos=100\nTopPos=100\nEQVis=1\nEqualizerX=100\nEqualizerY=216\n"
             "PLVis=0\n");
    start({QString::fromStdString(fixture("l3-44k-joint-long.mp3"))});
    TMainForm &form = app->mainForm();
    const Visualizer &v = form.visualizer();
    ASSERT_TRUE(reaches(1));
    EXPECT_TRUE(runUntil([&] { return scopeMoves(v); }, 5000)) << "the song reaches the scope";
    form.hide();
    EXPECT_TRUE(runUntil([&] { return !app->visualizer().running(); }, 2000));
    form.show();
    EXPECT_TRUE(runUntil([&] { return app->visualizer().running(); }, 2000));
    app->controller().StopCommand();
    EXPECT_TRUE(runUntil([&] { return !app->visualizer().running() && !scopeMoves(v); }, 2000)) << "at rest once stopped";
    QTest::mouseClick(&form, Qt::LeftButton, {}, QPoint(60, 50));
    EXPECT_EQ(v.mode(), Visualizer::Mode::Off);

    QWidget &equalizer = app->sound().equalizer();
    QTest::keyClick(&form, Qt::Key_D, Qt::ControlModifier);
    EXPECT_EQ(equalizer.pos(), QPoint(100, 100 + 232)) << "still right below the main window, twice as high";
    EXPECT_TRUE(app->menu().doubleSizeAction()->isChecked());
    app->appearance().chooseTexture(TextureManager::BuiltinName);
    EXPECT_EQ(equalizer.pos(), QPoint(100, 100 + form.height())) << "docked under the built-in look too";
    app->appearance().chooseTexture("Classic");

    start({"/noSave"}, false);
    EXPECT_EQ(app->mainForm().size(), QSize(550, 232));
    EXPECT_EQ(app->sound().equalizer().width(), 872) << "its width kept at 1x";
    EXPECT_EQ(app->mainForm().visualizer().mode(), Visualizer::Mode::Off);
}

// A folder of songs that carry only ID3v2 tags: "Directories..." fills
// titles, artists and times without playing, and the next start shows them
// at once from the cache.
TEST_F(Program, AFolderOfId3v2SongsShowsItsTagsAndTheNextStartHasThemAtOnce)
{
    QStringList songs;
    for (int i = 0; i < 3; ++i) {
        songs << song(QStringLiteral("music/%1.mp3").arg(i),
                      i == 1 ? "l3-44k-stereo-vbr-noxing.mp3" : "l3-44k-stereo-vbr.mp3");
        ASSERT_EQ(QProcess::execute("id3v2", {"-2", "-t", QStringLiteral("Song %1").arg(i), "-a",
                                              QStringLiteral("Band %1").arg(i), songs.back()}),
                  0);
    }
    start({});
    dialogs.nextFolder = home.filePath("music");
    app->playlistFeature().form().action("Playlist_Add_Dir")->trigger();
    EXPECT_TRUE(runUntil([&] { return filled(*app); }, 5000));
    EXPECT_FALSE(app->controller().songLoaded()) << "nothing had to play";
    end();
    // Files whose size and time stay are not read again: blanked, they still
    // show what the cache knows.
    for (const QString &name : songs) {
        QFile file(name);
        const QDateTime modified = QFileInfo(name).lastModified();
        ASSERT_TRUE(file.open(QIODevice::ReadWrite));
        file.write(QByteArray(file.size(), '\0'));
        file.setFileTime(modified, QFileDevice::FileModificationTime);
    }
    start({});
    EXPECT_TRUE(runUntil([&] { return filled(*app); }, 500)) << "the cache answers for unchanged files";
}

// The program's real dialogs open when a modal window raises them: the
// recorder setup's Browse, the wizard's Add to List..., the preferences'
// Explore and the question about a name that is taken, under the converter's
// progress window. Each is answered as a user does, by finding it among the
// top-level widgets. Commands from outside wait for no modal window.
TEST_F(Program, RealDialogsOpenFromInsideModalWindowsAndCommandsFromOutsideWait)
{
    writeFile(home.filePath("encoder/lame"), "#!/bin/sh\nexec lame \"$@\"\n");
    QFile::setPermissions(home.filePath("encoder/lame"), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    QDir(home.path()).mkpath("music");
    // A file dialog's answer: `path` typed into its name field and accepted.
    const auto choose = [](const QString &path) {
        answerWhenShown<QFileDialog>([path](QFileDialog &box) {
            box.findChild<QLineEdit *>(QStringLiteral("fileNameEdit"))->setText(path);
            QMetaObject::invokeMethod(&box, "accept");
        });
    };
    AppDialogs real;
    LudroApp app({"ludro", "/noSave"}, real);  // the program's own boxes, not the fixture's
    app.show();

    TASForm &setup = app.recorder().setup();
    answerWhenShown<TASForm>([&](TASForm &window) {
        answerWhenShown<QFileDialog>([&](QFileDialog &box) {
            box.setDirectory(home.filePath("music"));
            QMetaObject::invokeMethod(&box, "accept");
        });
        window.ButtonBrowse->click();
        window.reject();
    });
    setup.exec();
    EXPECT_EQ(QDir(setup.Destination->text()).canonicalPath(), QDir(home.filePath("music")).canonicalPath());

    // A command from outside while a modal window is open does nothing.
    TEncForm &wizard = app.encoder().wizard();
    const int volume = app.volume().volume();
    answerWhenShown<TEncForm>([&](TEncForm &window) {
        app.remote().execute("volume", volume / 2);
        app.shell().tray().trayIcon(4).click(shell::TrayBackend::Left, {});
        choose(home.filePath("encoder/lame"));
        window.AddButton->click();
        window.reject();
    });
    wizard.exec();
    EXPECT_FALSE(wizard.EncoderList->findItems(home.filePath("encoder/lame"), Qt::MatchExactly).isEmpty());
    EXPECT_EQ(app.volume().volume(), volume);
    app.remote().execute("volume", volume / 2);
    EXPECT_EQ(app.volume().volume(), volume / 2) << "and does once it is closed";

    TPrefsForm &prefs = app.preferences().form();
    answerWhenShown<TPrefsForm>([&](TPrefsForm &window) {
        window.pages().setCurrentIndex(TPrefsForm::Encoder);
        choose(home.filePath("encoder/lame"));
        window.encoderPage().ExploreButton->click();
        window.reject();
    });
    prefs.exec();
    EXPECT_EQ(app.settings().encPath, home.filePath("encoder/lame"));

    // The converter's result would take a name that is taken: the question
    // opens over the modal progress window, starts from the name, and its
    // answer is where the result goes (the file that had the name stays: the
    // converter's tests).
    ASSERT_TRUE(decodeWithMpg123(fixture("l3-44k-stereo-cbr.mp3"), home.filePath("music/song.wav").toStdString()));
    writeFile(home.filePath("music/song.mp3"), "the user's own file");
    app.encoder().choose(home.filePath("encoder/lame"));
    TConvForm &converter = app.encoder().converter();
    converter.show();
    converter.addFiles({home.filePath("music/song.wav")});
    converter.DestDir->setText(home.filePath("music"));
    QString asked;
    answerWhenShown<QInputDialog>([&](QInputDialog &box) {
        asked = box.textValue();
        box.setTextValue(QStringLiteral("song again.mp3"));
        box.accept();
    });
    converter.StartClick();
    ASSERT_TRUE(runUntil([&] { return QFileInfo::exists(home.filePath("music/song again.mp3")); }, 20000));
    EXPECT_TRUE(asked.contains("song")) << "the question starts from the name: " << asked.toStdString();
}

// The preferences window: every control writes its setting, the file is
// written when the window closes (not with /noSave), and what the main
// window's timer serves works while a song plays.
// Each box flipped from its default; the disc-database box too. Closing the
// window writes the file at once, so a crash after it keeps the choices.
TEST_F(Program, EveryCheckBoxAndTheFontReachTheSettingsFile)
{
    const std::pair<const char *, const char *> boxes[] = {
        {"Prefs_Page4_StartPlay", "StartPlay"}, {"Prefs_Page4_AutoScroll", "AutoScroll"},
        {"Prefs_Page4_Volume", "UseVolume"},    {"Prefs_Page4_Clear", "ClearList"},
        {"Prefs_Page4_ShowTime", "ShowTime"},   {"Prefs_Page4_Multi", "MultiInst"},
        {"Prefs_Page4_ShowTray", "TrayIcons"},  {"Prefs_Page6_UseCDDB", "CDDBEnabled"}};
    std::map<QString, bool> chosen;
    for (const char *noSave : {"/noSave", ""}) {
        start({noSave});
        for (const auto &[key, setting] : boxes) {
            control<QCheckBox>(key)->click();
            chosen[setting] = control<QCheckBox>(key)->isChecked();
        }
        app->preferences().form().accept();
        EXPECT_EQ(QFile::exists(home.filePath("LudroPro.ini")), *noSave == 0) << "closing the window writes the file";
        EXPECT_EQ(app->mainForm().levelSlidersLocked(), chosen["UseVolume"]) << "at once";
    }
    dialogs.nextFont = QFont("DejaVu Sans", 12, QFont::Bold);
    control<QPushButton>("Prefs_Page4_FontSelect")->click();
    ASSERT_TRUE(runUntil([&] { return app->playlistFeature().form().titleView().font().family() == "DejaVu Sans"; }, 2000))
        << "the next tick applies the font";
    end();
    const platform::ProfileFile file = saved();
    for (const auto &[key, setting] : boxes)
        EXPECT_EQ(file.readBool("Ludro", setting, !chosen[setting]), chosen[setting]) << setting;
}

// A settings file that cannot be written is said once a run, in a box while
// the program runs (at its end it is said on the error output: the process
// tests).
TEST_F(Program, SettingsThatCannotBeSavedAreSaidOnce)
{
    QDir(home.path()).mkdir("LudroPro.ini");
    testing::internal::CaptureStderr();
    start({});
    app->preferences().form().accept();
    app->preferences().form().accept();
    end();
    ASSERT_EQ(dialogs.errors.size(), 1);
    EXPECT_TRUE(dialogs.errors[0].startsWith("The settings cannot be saved to " + home.filePath("LudroPro.ini")));
    EXPECT_EQ(testing::internal::GetCapturedStderr().find("cannot be saved"), std::string::npos) << "once a run";
}

// A starting song shows its tag. DirectSound chosen while playing: the next
// tick switches the output, the song goes on and the pitch is back to
// normal; a new texture likewise (chosen in the list: the next test). The
// tag button edits the song, and the saved tag shows at once.
TEST_F(Program, OutputAndTextureSwitchWhilePlayingAndTheTagButtonEditsTheSong)
{
    copyTexture("Ember");
    const QString tagged = song("tagged.mp3");
    id3::TagWriter().save(tagged, Id3Tag{"Waltz", "Quartet", "", "1999", "", 32});
    start({"/noSave", tagged}, false);
    QStringList outputs;
    QObject::connect(&app->player(), &TSonarkPlayer::OnNotifyOutputName,
                     [&](TSonarkPlayer *, const QString &name) { outputs << name; });
    app->show();
    ASSERT_TRUE(reaches(1));
    EXPECT_EQ(app->mainForm().titleText(), "Quartet - Waltz");
    app->sound().pitch().PitchBar().setValue(1300);
    control<QRadioButton>("Prefs_Page5_DSOutput")->click();
    control<QRadioButton>("Prefs_Page5_Mix")->click();
    EXPECT_EQ(app->sound().pitch().PitchBar().value(), 1000);
    ASSERT_TRUE(runUntil([&] { return outputs.contains("/dev/dsound/0"); }, 2000));
    EXPECT_TRUE(playsOn());

    app->appearance().chooseTexture("Ember");
    EXPECT_TRUE(playsOn());

    QTimer::singleShot(0, [&] {
        app->tags().editor().titleEdit().setText("Nocturne");
        app->tags().editor().SaveClick();
    });
    emit app->mainForm().infoClicked();
    EXPECT_EQ(app->mainForm().titleText(), "Quartet - Nocturne");
}

// A window beside the others, so Play and the playlist stay in reach: the
// menu opens it on the page shown last, and so does a Winamp skin's options
// strip; "Browse Textures..." on the textures. Arrow keys in the texture
// list choose as a click does, on the next tick. Recorder Setup's "Encoder
// Setup" opens the encoder page above that modal window, which would
// otherwise shut it out. The texture's mail address and home page are link
// labels: the address gets its prefix, and they read light on the browser's
// dark tiles.
TEST_F(Program, AWindowBesideTheOthersOnThePageShownLast)
{
    copyTexture("Alloy");
    QDir(home.path()).mkpath("Browser");
    QFile::copy(QStringLiteral(LUDRO_PROGRAM_DIR "/Browser/BackGround.bmp"), home.filePath("Browser/BackGround.bmp"));
    const QString folder = fixture_texture::writeCodedTexture(home.path());
    writeFile(folder + "TEXTURE.INI", "[Texture]\nName=Coded\nemail=someone@example.org\nhomePage=example.org/ludro\n");
    start();
    TPrefsForm &prefs = app->preferences().form();
    TASForm *setup = &app->recorder().setup();
    setup->setWindowModality(Qt::ApplicationModal);  // as the recorder window shows it
    setup->show();
    setup->ButtonEnc->click();
    EXPECT_EQ(QApplication::activeModalWidget(), &prefs);
    prefs.accept();
    setup->close();

    // An opening that waits, as it once did, is closed and counted instead of hanging.
    int modalOpenings = 0;
    QTimer modalGuard;
    QObject::connect(&modalGuard, &QTimer::timeout, [&] {
        if (QApplication::activeModalWidget() == &prefs && ++modalOpenings)
            prefs.reject();
    });
    modalGuard.start(20);
    app->mainForm().move(0, 0);
    app->menu().preferencesAction()->trigger();
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    EXPECT_FALSE(prefs.frameGeometry().intersects(app->mainForm().frameGeometry())) << "the main window stays in reach";
    prefs.pages().setCurrentIndex(TPrefsForm::Output);
    prefs.accept();

    app->menu().browseTexturesAction()->trigger();
    EXPECT_EQ(prefs.pages().currentIndex(), TPrefsForm::Textures);
    QTest::keyClick(&listHolding(prefs, TextureManager::BuiltinName), Qt::Key_Down);
    ASSERT_TRUE(runUntil([&] { return app->textures().name() == "Alloy"; }, 2000));
    prefs.pages().setCurrentIndex(TPrefsForm::Output);
    prefs.accept();

    QTest::mouseClick(&app->mainForm(), Qt::LeftButton, {}, QPoint(13, 40));  // the options strip
    EXPECT_EQ(prefs.pages().currentIndex(), TPrefsForm::Output);
    prefs.accept();

    app->appearance().chooseTexture("Coded");
    app->menu().browseTexturesAction()->trigger();
    QList<QUrl> opened;
    for (const char *name : {"TextureMail", "TextureHomePage"}) {
        auto *link = dynamic_cast<shell::TURLLabel *>(prefs.findChild<QLabel *>(name));
        link->open = [&](const QUrl &url) { opened << url; };
        QTest::mouseClick(link, Qt::LeftButton);
        EXPECT_GT(link->palette().color(QPalette::WindowText).lightness(), 160) << name;
    }
    EXPECT_EQ(opened, QList<QUrl>({QUrl("mailto:someone@example.org"), QUrl("http://example.org/ludro")}));
    prefs.accept();
    EXPECT_EQ(modalOpenings, 0);
}

// Every command of the table, sent by ludroctl to the real program, has its
// effect; the message hook and plug-ins reach the same table. (The session
// bus's share is in the MPRIS tests, through playerctl; a plug-in's command,
// through the window plug-ins post to, in the plug-in test.)
namespace {

// "title#number, ..."
std::string titles(const PlaylistModel &playlist)
{
    QStringList list;
    for (const PlaylistEntry &entry : playlist.entries())
        list << entry[PlaylistEntry::Title] + '#' + entry[PlaylistEntry::Number];
    return list.join(", ").toStdString();
}

class Commands : public ProgramSession {
protected:
    void SetUp() override
    {
        for (const char *name : {"one.mp3", "two.mp3", "three.mp3", "charlie.mp3", "alpha.mp3", "bravo.mp3",
                                 "aardvark.mp3", "able.mp3", "delta.mp3"})
            song(name, "l3-44k-joint-long.mp3");
        writeFile(home.filePath("numbers.m3u"), "one.mp3\ntwo.mp3\nthree.mp3\n");
        writeFile(home.filePath("list.m3u"), "charlie.mp3\nalpha.mp3\nbravo.mp3\n");
        ASSERT_EQ(lock.acquire(), platform::InstanceLock::Acquired);
        ASSERT_TRUE(channel.listen());  // the program holds the lock and takes ludroctl's messages
        channel.deliverTo([this](const platform::WindowMessage &m) { app->receiveMessage(m); });
    }

    // ludroctl's message, taken by the next tick of Timer2.
    void ludroctl(const QStringList &arguments)
    {
        QProcess ctl;
        ctl.start(LUDRO_PROGRAM_DIR "/ludroctl", arguments);
        ASSERT_TRUE(runUntil([&ctl] { return ctl.state() == QProcess::NotRunning; }, 10000));
        ASSERT_EQ(ctl.exitCode(), 0) << arguments.join(' ').toStdString();
    }

    // The ticks that take a pending request and queued commands, until the
    // program opens that file.
    bool opens(const QString &file)
    {
        return runUntil([&] { return tick(), app->controller().currentFile() == file; }, 5000);
    }

    // The current position still names the song that is open.
    bool currentIsOpen() { return app->playlist().entryPath(app->playlist().currentIndex()) == app->controller().currentFile(); }

    platform::InstanceLock lock{platform::playerInstanceName};
    platform::CommandChannel channel{platform::commandChannelName()};
};

}  // namespace

// The message hook reaches the table, one command a tick, and arguments out
// of range reach nothing; then ludroctl sends every command.
TEST_F(Commands, EachCommandOfTheTableHasItsEffectThroughTheHookAndLudroctl)
{
    start({"/noSave", home.filePath("numbers.m3u")});
    PlaybackController &c = app->controller();
    ASSERT_TRUE(reaches(1));
    app->receiveMessage(*remoteCommandMessage("volume", 30));
    app->Timer2Timer();
    EXPECT_EQ(app->volume().volume(), 30) << "the message hook";
    const bool repeat = c.repeat(), shuffle = c.shuffle();
    app->receiveMessage(*remoteCommandMessage("shuffle", 0));
    app->receiveMessage(*remoteCommandMessage("repeat", 0));
    app->Timer2Timer();
    EXPECT_EQ(c.shuffle(), shuffle) << "commands take one slot: the later replaced the earlier";
    EXPECT_NE(c.repeat(), repeat);
    for (const auto &[name, argument] : std::vector<std::pair<QString, int>>{
             {"volume", 101}, {"volume", -1}, {"play-entry", 0}, {"play-entry", INT_MIN}}) {
        app->receiveMessage(*remoteCommandMessage(name, argument));
        app->Timer2Timer();
        EXPECT_TRUE(app->volume().volume() == 30 && app->playlist().currentIndex() == 0) << name.toStdString() << argument;
    }
    const auto shown = [](QWidget &window) { return [&window, was = window.isVisible()] { return window.isVisible() != was; }; };
    const auto changed = [](auto read) { return [read, was = read()] { return read() != was; }; };
    const auto entry = [this](int index) { return [this, index] { return app->playlist().currentIndex() == index; }; };
    const auto state = [&c](int s) { return [&c, s] { return c.playerState() == s; }; };
    const auto moved = [&c](double by) {
        return [&c, by, was = c.positionSeconds()] { return by > 0 ? c.positionSeconds() >= was + by : c.positionSeconds() <= was + by; };
    };
    const auto opened = [this] { return [this, n = dialogs.filters.size()] { return dialogs.filters.size() == n + 1; }; };
    // In the order they are sent; each starts from where the one before left.
    const std::vector<std::pair<const char *, std::function<std::function<bool()>()>>> commands = {
        {"preferences", [&] { return [&] { return app->preferences().form().isVisible(); }; }},
        {"open", opened},
        {"load", opened},
        {"url", [&] { return [&, n = dialogs.addressesAsked] { return dialogs.addressesAsked == n + 1; }; }},
        {"equalizer", [&] { return shown(app->sound().equalizer()); }},
        {"playlist", [&] { return shown(app->playlistFeature().form()); }},
        {"browser", [&] { return shown(app->browser().browser().form()); }},
        {"next", [&] { return entry(1); }},
        {"previous", [&] { return entry(0); }},
        {"jump-to-song", [&] {
             dialogs.nextSong = 1;
             return [&] { return dialogs.songBoxes.size() == 1 && app->playlist().currentIndex() == 1; };
         }},
        {"play-entry", [&] { return entry(2); }},
        {"first", [&] { return entry(0); }},
        {"last", [&] { return entry(2); }},
        {"forward", [&] { return moved(5); }},
        {"jump-forward", [&] { return moved(5); }},
        {"back", [&] { return moved(-5); }},
        {"jump-back", [&] { return moved(-5); }},
        {"step-forward", [&] { return moved(3); }},
        {"step-back", [&] { return moved(-3); }},
        {"pause", [&] { return state(2); }},
        {"play", [&] { return state(1); }},
        {"stop", [&] { return state(0); }},
        {"volume", [&] { return [&] { return app->volume().volume() == 40; }; }},
        {"volume-up", [&] { return [&] { return app->volume().volume() == 45; }; }},
        {"volume-down", [&] { return [&] { return app->volume().volume() == 40; }; }},
        {"repeat", [&] { return changed([&c] { return c.repeat(); }); }},
        {"shuffle", [&] { return changed([&c] { return c.shuffle(); }); }},
        {"time", [&] { return changed([&c] { return c.timeElapsed(); }); }},
        {"double-size", [&] { return [&] { return app->mainForm().size() == QSize(490, 280); }; }},
        {"mode", [&] { return changed([&] { return app->mainForm().normalMode(); }); }},
        {"select-all", [&] { return [&] { return app->playlistFeature().form().selectedFlags() == std::vector<char>(3, 1); }; }},
        {"delete-selected", [&] { return [&] { return app->playlist().entryCount() == 0; }; }},
        {"cd-mode", [&] { return changed([&c] { return c.cdMode(); }); }},
    };
    ASSERT_EQ(commands.size(), remoteCommands().size()) << "every command of the table, once";
    for (const auto &[name, expect] : commands) {
        const std::string_view n = name;
        if (n.ends_with("forward") || n.ends_with("back")) {
            // Ten seconds back from the song's first ten is no step back.
            const double from = n == "step-back" ? 6 : n.ends_with("back") ? 11 : 0;
            ASSERT_TRUE(runUntil([&] { return c.playerState() == 1 && c.durationSeconds() > 0 && c.positionSeconds() > from; }, 3000));
        }
        const std::function<bool()> seen = expect();
        ludroctl({QString::fromLatin1(name), n == "volume" ? "40" : n == "play-entry" ? "3" : "0"});
        ASSERT_TRUE(runUntil([&] { return tick(), seen(); }, 5000))
            << name << " at " << c.positionSeconds() << " s, state " << c.playerState() << ", entry " << app->playlist().currentIndex();
    }
}

// "Sort Alphabetically": whichever way songs reach the list (start-up, the
// main window, a hand-over from ludroctl or a plug-in, remote commands, the
// address window) it is sorted at once, and the song that was to play plays.
TEST_F(Commands, EveryWayOfAddingKeepsTheListSortedAndTheSongThatWasToPlay)
{
    const std::string sorted = "alpha.mp3#1, bravo.mp3#2, charlie.mp3#3";
    start({"/noSave", home.filePath("list.m3u")});
    EXPECT_EQ(titles(app->playlist()), sorted) << "the start-up file";
    EXPECT_TRUE(opens(home.filePath("charlie.mp3"))) << "the file's first song plays from its sorted place";

    // A default list written in file order, left at its first song.
    QFile::copy(home.filePath("list.m3u"), home.filePath("Ludro.m3u"));
    settings("SongPlaying=0\n");
    start({"/noSave"});
    EXPECT_EQ(titles(app->playlist()), sorted) << "the default list";
    EXPECT_EQ(app->controller().currentFile(), home.filePath("charlie.mp3")) << "the start-up position names its song";
    EXPECT_TRUE(currentIsOpen());

    ludroctl({"--handover", home.filePath("aardvark.mp3")});
    ASSERT_TRUE(runUntil([&] { return app->playlist().entryCount() == 4; }, 5000));
    EXPECT_TRUE(currentIsOpen()) << "the song playing now keeps its mark when the list sorts";
    EXPECT_TRUE(opens(home.filePath("aardvark.mp3"))) << "a hand-over plays the entry just added";
    EXPECT_EQ(app->playlist().currentIndex(), 0);

    for (const platform::WindowMessage &m : handOverMessages(home.filePath("able.mp3")))
        ASSERT_EQ(ludro_post_message(app->pluginWindow(), m.msg, m.wParam, m.lParam), 1);
    EXPECT_TRUE(opens(home.filePath("able.mp3"))) << "a plug-in's hand-over";
    EXPECT_EQ(titles(app->playlist()), "aardvark.mp3#1, able.mp3#2, alpha.mp3#3, bravo.mp3#4, charlie.mp3#5");

    writeFile(home.filePath("more.m3u"), "delta.mp3\nbravo.mp3\n");
    dialogs.nextOpenFile = home.filePath("more.m3u");
    emit app->mainForm().loadClicked();
    EXPECT_EQ(titles(app->playlist()), "bravo.mp3#1, delta.mp3#2") << "opened from the main window";
    EXPECT_EQ(app->controller().currentFile(), home.filePath("bravo.mp3")) << "a new list starts at its top";

    dialogs.nextOpenFile = home.filePath("list.m3u");
    ludroctl({"open", "0"});
    EXPECT_TRUE(opens(home.filePath("alpha.mp3"))) << "the remote open command";
    EXPECT_EQ(titles(app->playlist()), sorted);

    dialogs.nextAddress = QStringLiteral("http://127.0.0.1:9/radio");
    ludroctl({"url", "0"});
    EXPECT_TRUE(opens(dialogs.nextAddress)) << "the address window, asked for by a remote command";
}
