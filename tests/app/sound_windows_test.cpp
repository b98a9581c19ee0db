// The tag editor, the equalizer and the pitch window inside the whole
// program: a starting song's tag becomes the title, the main window opens
// the windows, and the timers send what the windows ask for, once.

#include "app/ludro_app.h"
#include "support/engine_session.h"
#include "support/recording_dialogs.h"
#include "support/run_until.h"

#include <QFile>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>

#include <gtest/gtest.h>

class SoundWindows : public testing::Test {
protected:
    void SetUp() override
    {
        qputenv("LUDRO_HOME", (home.path() + '/').toUtf8());
        QDir(home.path()).mkdir("presets");
        song = home.filePath("tagged.mp3");
        QFile::copy(QString::fromStdString(fixture("l3-44k-stereo-cbr.mp3")), song);
        QFile::setPermissions(song, QFile::ReadOwner | QFile::WriteOwner);
        id3::TagWriter().save(song, Id3Tag{"Waltz", "Quartet", "", "1999", "", 32});
    }

    QTemporaryDir home;
    QString song;
    RecordingDialogs dialogs;
};

TEST_F(SoundWindows, AStartingSongShowsItsTagAndTheTagButtonEditsIt)
{
    LudroApp app({"ludro", "/noSave", song}, dialogs);
    app.show();
    ASSERT_TRUE(runUntil([&] { return app.controller().playerState() == 1; }, 5000));
    EXPECT_EQ(app.mainForm().titleText(), "Quartet - Waltz");
    EXPECT_EQ(app.playlist().entries().at(0)[PlaylistEntry::Album], "<NA>");
    EXPECT_EQ(app.playlist().entries().at(0)[PlaylistEntry::Genre], "Classical");
    ASSERT_TRUE(runUntil([&] { return !app.controller().information().layer.isEmpty(); }, 5000));

    QString shownFile, shownLayer;
    QTimer::singleShot(100, [&] {
        TID3Form &editor = app.tags().editor();
        shownFile = editor.fileName();
        shownLayer = editor.fileInformation(2);
        editor.titleEdit().setText("Nocturne");
        editor.SaveClick();
    });
    emit app.mainForm().infoClicked();
    EXPECT_EQ(shownFile, song);
    EXPECT_EQ(shownLayer, "Layer 3");
    EXPECT_EQ(app.mainForm().titleText(), "Quartet - Nocturne") << "the saved tag is shown at once";
    EXPECT_EQ(QFileInfo(song).size(), QFileInfo(QString::fromStdString(fixture("l3-44k-stereo-cbr.mp3"))).size() + 128);
}

TEST_F(SoundWindows, TheEqualizerGoesToTheDecoderAfterEachChangeOnly)
{
    LudroApp app({"ludro", "/noSave"}, dialogs);
    std::vector<SK_EqualizerInfo> sent;
    QObject::connect(&app.player(), &TSonarkPlayer::OnNotifyCodecEqualizer,
                     [&](TSonarkPlayer *, SK_EqualizerInfo &record) { sent.push_back(record); });
    app.show();
    EXPECT_TRUE(app.sound().equalizer().isVisible()) << "shown at start by default";
    emit app.mainForm().equalizerClicked();
    EXPECT_FALSE(app.sound().equalizer().isVisible());

    QTest::qWait(900);
    sent.clear();
    TEQForm &eq = app.sound().equalizer();
    eq.setUseEqualizer(true);
    eq.trackbar(0).SetPosition(127);
    ASSERT_TRUE(runUntil([&] { return !sent.empty(); }, 2000));
    EXPECT_EQ(sent.back().left[0], -63);
    QTest::qWait(1700);
    EXPECT_EQ(sent.size(), 1u) << "no change, no record";

    eq.switchClick();
    ASSERT_TRUE(runUntil([&] { return sent.size() == 3; }, 2000));
    EXPECT_EQ(sent[1].left[0], 0) << "a flat record before switching off";
}

TEST_F(SoundWindows, PitchSendsTheLastMoveOfATickAndWarnsOffDirectSound)
{
    LudroApp app({"ludro", "/noSave"}, dialogs);
    std::vector<int> pitches;
    QObject::connect(&app.player(), &TSonarkPlayer::OnNotifyPlayerEnvironmentInteger,
                     [&](TSonarkPlayer *, const QString &name, int32_t value) {
                         if (name == "OUTPUT.DIRECTSOUND.PITCH")
                             pitches.push_back(value);
                     });
    app.show();
    ASSERT_TRUE(runUntil([&] { return app.timersRunning(); }, 3000));
    pitches.clear();
    app.sound().pitch().PitchBar().setValue(1200);
    app.sound().pitch().PitchBar().setValue(1300);
    app.sound().pitch().PitchBar().setValue(1400);
    app.Timer2Timer();
    ASSERT_TRUE(runUntil([&] { return !pitches.empty(); }, 2000));
    EXPECT_FALSE(runUntil([&] { return pitches.size() > 1; }, 300)) << "one move sent for the tick";
    EXPECT_EQ(pitches, std::vector<int>{1400});
    // Reset is sent even when the slider is already at normal speed.
    for (std::size_t clicks = 1; clicks <= 2; ++clicks) {
        app.sound().pitch().findChild<QPushButton *>()->click();
        ASSERT_TRUE(runUntil([&] { return pitches.size() == 1 + clicks; }, 1000));
        EXPECT_EQ(pitches.back(), 1000);
    }

    QMenu *menu = app.mainForm().findChild<QMenu *>();
    ASSERT_NE(menu, nullptr);
    for (QAction *action : menu->findChildren<QAction *>())
        if (action->text() == "Pitch Control")
            action->trigger();
    EXPECT_EQ(dialogs.informations, QStringList{"Pitch only works with the output \"ALSA with pitch control\"."});
    EXPECT_TRUE(app.sound().pitch().isVisible());
}
