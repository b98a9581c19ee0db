// The program's real dialogs open when a modal window raises them: the
// recorder setup's Browse, the wizard's Add to List..., the preferences'
// Explore and the question about a name that is taken, under the converter's
// progress window. Each is answered as a user does, by finding it among the
// top-level widgets. Commands from outside wait for no modal window.

#include "app/app_dialogs.h"
#include "encoder/encoder_page.h"
#include "encoder/progress_form.h"
#include "support/answer_box.h"
#include "support/program_session.h"
#include "support/wav_file.h"

#include <QFileDialog>
#include <QInputDialog>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTabWidget>

#include <gtest/gtest.h>

class ModalDialogs : public ProgramSession {
protected:
    void SetUp() override
    {
        writeFile(home.filePath("encoder/lame"), "#!/bin/sh\nexec lame \"$@\"\n");
        QFile::setPermissions(home.filePath("encoder/lame"), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        QDir(home.path()).mkpath("music");
    }

    // A file dialog's answer: `path` typed into its name field and accepted.
    static void choose(const QString &path)
    {
        answerWhenShown<QFileDialog>([path](QFileDialog &box) {
            box.findChild<QLineEdit *>(QStringLiteral("fileNameEdit"))->setText(path);
            QMetaObject::invokeMethod(&box, "accept");
        });
    }
};

TEST_F(ModalDialogs, RealDialogsOpenFromInsideModalWindowsAndCommandsFromOutsideWait)
{
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
    // answer is where the result goes; the file that had the name stays.
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
    EXPECT_EQ(readFile(home.filePath("music/song.mp3")), "the user's own file");
}
