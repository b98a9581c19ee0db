// The encoder and the converter inside the whole program: the first start
// without an encoder looks for one, the wizard chooses among several, and
// the menu opens the converter and the CD recorder.

#include "app/ludro_app.h"
#include "support/files.h"
#include "support/recording_dialogs.h"
#include "support/run_until.h"

#include <QListWidget>
#include <QPushButton>
#include <QTemporaryDir>

#include <gtest/gtest.h>

TEST(EncoderWindows, AFirstStartTakesTheOnlyEncoderAndOffersSeveralInTheWizard)
{
    QTemporaryDir home;
    qputenv("LUDRO_HOME", (home.path() + '/').toUtf8());
    const QByteArray path = qgetenv("PATH");
    qputenv("PATH", home.filePath("empty").toUtf8());  // no lame
    for (const char *name : {"MP3EncDemo.exe", "bladeenc.exe"}) {
        writeFile(home.filePath(name), "#!/bin/sh\n");
        QFile::setPermissions(home.filePath(name), QFile::ReadOwner | QFile::ExeOwner);
    }
    RecordingDialogs dialogs;
    {
        LudroApp app({"ludro", "/noSave"}, dialogs);
        app.show();
        ASSERT_TRUE(runUntil([&] { return app.encoderWizard().isVisible(); }, 10000));
        EXPECT_EQ(app.encoderWizard().EncoderList->currentRow(), 0);
        app.encoderWizard().OKButton->click();
        EXPECT_EQ(app.settings().encPath, home.filePath("bladeenc.exe"));
        EXPECT_EQ(app.settings().audioHq, "-hq");

        app.menu().converterAction()->trigger();
        EXPECT_TRUE(app.converterForm().isVisible());
        app.menu().recorderAction()->trigger();
        EXPECT_TRUE(app.recorderForm().isVisible());
    }
    QFile::remove(home.filePath("bladeenc.exe"));
    LudroApp app({"ludro", "/noSave"}, dialogs);
    app.show();
    ASSERT_TRUE(runUntil([&] { return !app.settings().encPath.isEmpty(); }, 10000));
    EXPECT_EQ(app.settings().encPath, home.filePath("MP3EncDemo.exe"));
    EXPECT_EQ(app.settings().audioIn, "-if");
    EXPECT_EQ(app.settings().audioHq, "-qual 9");
    EXPECT_FALSE(app.encoderWizard().isVisible());
    qputenv("PATH", path);
}
