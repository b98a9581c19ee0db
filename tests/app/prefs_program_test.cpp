// The preferences window in the whole program: every control writes its
// setting, the file is written when the window closes (not with /noSave),
// and what the main window's timer serves works while a song plays.

#include "app/ludro_app.h"
#include "platform/profile_file.h"
#include "support/engine_session.h"
#include "support/files.h"
#include "support/recording_dialogs.h"
#include "support/run_until.h"

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QTreeView>

#include <gtest/gtest.h>

class Preferences : public testing::Test {
protected:
    void SetUp() override
    {
        qputenv("LUDRO_HOME", (home.path() + '/').toUtf8());
        qputenv("XDG_RUNTIME_DIR", home.path().toUtf8());
        QFile::copy(QString::fromStdString(fixture("l3-44k-stereo-cbr.mp3")), home.filePath("song.mp3"));
    }

    template <typename Widget>
    static Widget *control(LudroApp &app, const char *key)
    {
        return app.preferences().findChild<Widget *>(QString::fromLatin1(key));
    }

    platform::ProfileFile settingsFile() const { return platform::ProfileFile::load(home.filePath("LudroPro.ini")); }

    QTemporaryDir home;
    RecordingDialogs dialogs;
};

// Each box flipped from its default; the disc-database box too. Closing the
// window writes the file at once, so a crash after it keeps the choices.
TEST_F(Preferences, EveryCheckBoxReachesTheSettingsFile)
{
    const std::pair<const char *, const char *> boxes[] = {
        {"Prefs_Page4_StartPlay", "StartPlay"}, {"Prefs_Page4_AutoScroll", "AutoScroll"},
        {"Prefs_Page4_Volume", "UseVolume"},    {"Prefs_Page4_Clear", "ClearList"},
        {"Prefs_Page4_ShowTime", "ShowTime"},   {"Prefs_Page4_Multi", "MultiInst"},
        {"Prefs_Page4_ShowTray", "TrayIcons"},  {"Prefs_Page6_UseCDDB", "CDDBEnabled"}};
    std::map<QString, bool> chosen;
    for (const char *noSave : {"/noSave", ""}) {
        LudroApp app({"ludro", noSave}, dialogs);
        app.show();
        for (const auto &[key, setting] : boxes) {
            QCheckBox *box = control<QCheckBox>(app, key);
            ASSERT_NE(box, nullptr) << key;
            box->click();
            chosen[setting] = box->isChecked();
        }
        app.preferences().accept();
        EXPECT_EQ(QFile::exists(home.filePath("LudroPro.ini")), *noSave == 0) << "closing the window writes the file";
        EXPECT_EQ(app.mainForm().levelSlidersLocked(), chosen["UseVolume"]) << "at once";
    }
    for (const auto &[key, setting] : boxes)
        EXPECT_EQ(settingsFile().readBool("Ludro", setting, !chosen[setting]), chosen[setting]) << setting;
}

// A settings file that cannot be written is said once a run: in a box while
// the program runs, on the error output once it quits, where a box would
// hold up a logout or a service manager until someone clicked it.
TEST_F(Preferences, SettingsThatCannotBeSavedAreSaidOnceAndNeverHoldUpTheEnd)
{
    QDir(home.path()).mkdir("LudroPro.ini");
    const QString said = "The settings cannot be saved to " + home.filePath("LudroPro.ini") + " (Is a directory)";
    testing::internal::CaptureStderr();
    {
        LudroApp app({"ludro"}, dialogs);
        app.show();
        app.preferences().accept();
        app.preferences().accept();
    }
    ASSERT_EQ(dialogs.errors.size(), 1);
    EXPECT_TRUE(dialogs.errors[0].startsWith(said)) << dialogs.errors[0].toStdString();
    EXPECT_EQ(testing::internal::GetCapturedStderr().find("cannot be saved"), std::string::npos) << "once a run";

    dialogs.errors.clear();
    testing::internal::CaptureStderr();
    {
        LudroApp app({"ludro"}, dialogs);
        app.show();
        QTimer::singleShot(0, [&] {
            QTimer::singleShot(0, [] { QApplication::quit(); });
            app.preferences().openOn({});
        });
        QApplication::exec();
    }
    EXPECT_TRUE(dialogs.errors.isEmpty());
    const QString printed = QString::fromStdString(testing::internal::GetCapturedStderr());
    EXPECT_EQ(printed.count(said), 1) << printed.toStdString();
}

// The font box, then the colour box from white; "Use Default" after it is
// what the file keeps at exit.
TEST_F(Preferences, PlaylistFontChosenThenDefault)
{
    {
        LudroApp app({"ludro"}, dialogs);
        app.show();
        dialogs.nextFont = QFont("DejaVu Sans", 12, QFont::Bold);
        dialogs.nextColor = QColor(255, 0, 0);
        control<QPushButton>(app, "Prefs_Page4_FontSelect")->click();
        EXPECT_EQ(dialogs.colourStarts, QList<QColor>{Qt::white});
        EXPECT_EQ(app.settings().fontColor, "$000000FF");
        EXPECT_TRUE(app.settings().fontStyle);
        ASSERT_TRUE(runUntil([&] { return app.playlistForm().titleView().font().family() == "DejaVu Sans"; }, 2000))
            << "the next tick applies the font";
        EXPECT_EQ(app.playlistForm().fontSize(), 12);

        control<QPushButton>(app, "Prefs_Page4_FontDef")->click();
        ASSERT_TRUE(runUntil([&] { return app.playlistForm().fontSize() == 8; }, 2000));
    }
    const platform::ProfileFile file = settingsFile();
    EXPECT_EQ(file.readString("Ludro", "FontName", "?"), "");
    EXPECT_EQ(file.readInteger("Ludro", "FontSize", 0), 8);
    EXPECT_FALSE(file.readBool("Ludro", "FontStyle", true));
    EXPECT_EQ(file.readString("Ludro", "FontColor", "?"), "$00FFFFFF");
}

// DirectSound chosen while playing: the next tick switches the output, the
// song goes on and the pitch is back to normal; the channels and a texture
// likewise.
TEST_F(Preferences, OutputAndTextureSwitchWhilePlaying)
{
    const QDir ember(QStringLiteral(LUDRO_PROGRAM_DIR "/textures/Ember"));
    QDir(home.path()).mkpath("textures/Ember");
    for (const QString &file : ember.entryList(QDir::Files))
        QFile::copy(ember.filePath(file), home.filePath("textures/Ember/" + file));
    LudroApp app({"ludro", "/noSave", home.filePath("song.mp3")}, dialogs);
    QStringList outputs;
    QObject::connect(&app.player(), &TSonarkPlayer::OnNotifyOutputName,
                     [&](TSonarkPlayer *, const QString &name) { outputs << name; });
    app.show();
    ASSERT_TRUE(runUntil([&] { return app.controller().playerState() == 1; }, 5000));
    app.pitchForm().PitchBar().setValue(1300);
    outputs.clear();
    control<QRadioButton>(app, "Prefs_Page5_DSOutput")->click();
    control<QRadioButton>(app, "Prefs_Page5_Mix")->click();
    EXPECT_EQ(app.pitchForm().PitchBar().value(), 1000);
    ASSERT_TRUE(runUntil([&] { return outputs.contains("/dev/dsound/0"); }, 2000));
    const double at = app.controller().positionSeconds();
    ASSERT_TRUE(runUntil([&] { return app.controller().positionSeconds() > at + 0.3; }, 3000)) << "playback goes on";
    EXPECT_EQ(app.controller().playerState(), 1);
    EXPECT_TRUE(app.settings().directSound);
    EXPECT_EQ(app.output().playMode(), 3);

    QTimer::singleShot(0, [&] {
        for (QListWidget *list : app.preferences().findChildren<QListWidget *>())
            for (QListWidgetItem *item : list->findItems("Ember", Qt::MatchExactly))
                emit list->itemClicked(item);
        app.preferences().accept();
    });
    app.preferences().openOn(TPrefsForm::Textures);
    ASSERT_TRUE(runUntil([&] { return app.textures().name() == "Ember"; }, 2000));
    EXPECT_EQ(app.settings().texture, "Ember");
    const double later = app.controller().positionSeconds();
    EXPECT_TRUE(runUntil([&] { return app.controller().positionSeconds() > later + 0.3; }, 3000)) << "playback goes on";

    // Pitch control off DirectSound warns first, then opens; again closes.
    control<QRadioButton>(app, "Prefs_Page5_WaveOutput")->click();
    QPushButton *pitch = control<QPushButton>(app, "Prefs_Page5_PitchControl");
    pitch->click();
    pitch->click();
    EXPECT_EQ(dialogs.informations.size(), 1);
    EXPECT_FALSE(app.pitchForm().isVisible());
}
