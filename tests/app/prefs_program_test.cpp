// The preferences window in the whole program: every control writes its
// setting, the file is written when the window closes (not with /noSave),
// and what the main window's timer serves works while a song plays.

#include "support/program_session.h"
#include "support/texture_fixture.h"
#include "recording/as_form.h"
#include "shell/url_label.h"

#include <QApplication>
#include <QCheckBox>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <QTreeView>
#include <QUrl>

class Preferences : public ProgramSession {
protected:
    template <typename Widget>
    Widget *control(const char *key)
    {
        return app->preferences().form().findChild<Widget *>(QString::fromLatin1(key));
    }

    static QListWidget &textureList(TPrefsForm &prefs)
    {
        for (QListWidget *list : prefs.findChildren<QListWidget *>())
            if (!list->findItems(TextureManager::BuiltinName, Qt::MatchExactly).isEmpty())
                return *list;
        throw std::runtime_error("no texture list");
    }
};

// Each box flipped from its default; the disc-database box too. Closing the
// window writes the file at once, so a crash after it keeps the choices.
TEST_F(Preferences, EveryCheckBoxAndTheFontReachTheSettingsFile)
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
    // The font box, then the colour box from white; "Use Default" after it
    // is what the file keeps at exit.
    dialogs.nextFont = QFont("DejaVu Sans", 12, QFont::Bold);
    dialogs.nextColor = QColor(255, 0, 0);
    control<QPushButton>("Prefs_Page4_FontSelect")->click();
    EXPECT_EQ(dialogs.colourStarts, QList<QColor>{Qt::white});
    TPLForm &playlist = app->playlistFeature().form();
    ASSERT_TRUE(runUntil([&] { return playlist.titleView().font().family() == "DejaVu Sans"; }, 2000))
        << "the next tick applies the font";
    control<QPushButton>("Prefs_Page4_FontDef")->click();
    ASSERT_TRUE(runUntil([&] { return playlist.fontSize() == 8; }, 2000));
    end();
    const platform::ProfileFile file = saved();
    for (const auto &[key, setting] : boxes)
        EXPECT_EQ(file.readBool("Ludro", setting, !chosen[setting]), chosen[setting]) << setting;
    EXPECT_EQ(file.readString("Ludro", "FontName", "?") + file.readString("Ludro", "FontColor", "?"), "$00FFFFFF");
}

// A settings file that cannot be written is said once a run, in a box while
// the program runs (at its end it is said on the error output: the process
// tests).
TEST_F(Preferences, SettingsThatCannotBeSavedAreSaidOnce)
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

// DirectSound chosen while playing: the next tick switches the output, the
// song goes on and the pitch is back to normal; a texture likewise. Pitch
// control off DirectSound warns first, then opens; again closes.
TEST_F(Preferences, OutputAndTextureSwitchWhilePlaying)
{
    copyTexture("Ember");
    start({"/noSave", song("song.mp3")}, false);
    QStringList outputs;
    QObject::connect(&app->player(), &TSonarkPlayer::OnNotifyOutputName,
                     [&](TSonarkPlayer *, const QString &name) { outputs << name; });
    app->show();
    ASSERT_TRUE(reaches(1));
    app->sound().pitch().PitchBar().setValue(1300);
    control<QRadioButton>("Prefs_Page5_DSOutput")->click();
    control<QRadioButton>("Prefs_Page5_Mix")->click();
    EXPECT_EQ(app->sound().pitch().PitchBar().value(), 1000);
    ASSERT_TRUE(runUntil([&] { return outputs.contains("/dev/dsound/0"); }, 2000));
    EXPECT_TRUE(playsOn());

    app->preferences().form().openOn(TPrefsForm::Textures);
    for (QListWidgetItem *item : textureList(app->preferences().form()).findItems("Ember", Qt::MatchExactly))
        emit item->listWidget()->itemClicked(item);
    app->preferences().form().accept();
    ASSERT_TRUE(runUntil([&] { return app->textures().name() == "Ember"; }, 2000));
    EXPECT_TRUE(playsOn());

    control<QRadioButton>("Prefs_Page5_WaveOutput")->click();
    control<QPushButton>("Prefs_Page5_PitchControl")->click();
    control<QPushButton>("Prefs_Page5_PitchControl")->click();
    EXPECT_EQ(dialogs.informations.size(), 1);
    EXPECT_FALSE(app->sound().pitch().isVisible());
}

// A window beside the others, so Play and the playlist stay in reach: the
// menu opens it on the page shown last, and so does a Winamp skin's options
// strip; "Browse Textures..." on the textures. Arrow keys in the texture
// list choose as a click does, on the next tick. Recorder Setup's "Encoder
// Setup" opens the encoder page above that modal window, which would
// otherwise shut it out. The texture's mail address and home page are link
// labels: the address gets its prefix, and they read light on the browser's
// dark tiles.
TEST_F(Preferences, AWindowBesideTheOthersOnThePageShownLast)
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
    QTest::keyClick(&textureList(prefs), Qt::Key_Down);
    ASSERT_TRUE(runUntil([&] { return app->textures().name() == "Alloy"; }, 2000));
    prefs.pages().setCurrentIndex(TPrefsForm::Output);
    prefs.accept();

    QTest::mouseClick(&app->mainForm(), Qt::LeftButton, {}, QPoint(13, 40));  // the options strip
    EXPECT_EQ(prefs.pages().currentIndex(), TPrefsForm::Output);
    QTest::keyClick(&textureList(prefs), Qt::Key_Up);
    EXPECT_TRUE(runUntil([&] { return app->textures().name() == TextureManager::BuiltinName; }, 2000));
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
