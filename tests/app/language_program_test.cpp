// The program in a language of the "language" folder: menus, hints and boxes
// take its texts, keys it lacks stay English, English restores everything,
// and a name that is not a plain file name reads nothing.

#include "encoder/conv_form.h"
#include "language/builtin_texts.h"
#include "recording/rec_form.h"
#include "support/every_window.h"
#include "support/program_session.h"
#include "support/shown_texts.h"

#include <QAction>
#include <QMenu>
#include <QPushButton>
#include <QSet>

#include <gtest/gtest.h>

namespace {

QAction *namedAction(QWidget &window, const char *key)
{
    return window.findChild<QAction *>(QString::fromLatin1(key));
}

// Every text the program shows that is one of the table's English texts.
QStringList englishTextsLeft(LudroApp &app)
{
    QSet<QString> english;
    for (const BuiltinText &text : builtinTexts)
        english.insert(QString::fromUtf8(text.text));
    QStringList left;
    for (const Shown &text : everyText(app))
        if (!text.given.isEmpty() && english.contains(text.given))
            left << text.where + ": " + text.given;
    left.sort();
    left.removeDuplicates();
    return left;
}

}  // namespace

// The shipped English is the built-in table, exactly; the German is complete.
TEST(Language, ShippedFilesHoldEveryKey)
{
    const QString folder = QStringLiteral(LUDRO_PROGRAM_DIR "/language/");
    EXPECT_EQ(Messages::parse(readFile(folder + "english.ini")), Messages());
    const auto german = platform::ProfileFile::parse(readFile(folder + "Deutsch.ini"));
    for (const BuiltinText &text : builtinTexts)
        EXPECT_TRUE(german.contains("Ludro", text.key)) << text.key;
}

// A language that marks every text reaches every window and box the table
// covers, the tray's tooltips follow the buttons' hints, and the file is
// read once more on the first tick. Another replaces the texts it has, keys
// it lacks stay English, English restores everything, and a name that is
// not a plain file name reads nothing.
class LanguageProgram : public ProgramSession {};

TEST_F(LanguageProgram, EveryWindowAndBoxSpeaksItAndEnglishRestoresThem)
{
    QByteArray marked = "[Ludro]\n";
    for (const BuiltinText &text : builtinTexts)
        marked += QByteArray(text.key) + "=<" + text.key + ">\n";
    settings("Language=Marked\n");
    writeFile(home.filePath("language/Marked.ini"), marked);
    LudroApp &app = start({"/noSave"}, false);
    makeEveryWindow(app);
    // Texts the table has no key for, which merely read like one of its texts.
    EXPECT_EQ(englishTextsLeft(app).join('\n').toStdString(), "TBrowserForm: QToolButton  tooltip: Close\n"
                                                               "TBrowserForm: QToolButton  tooltip: Help\n"
                                                               "TBrowserForm: QToolButton : Close\n"
                                                               "TBrowserForm: QToolButton : Help\n"
                                                               "TBrowserForm: QToolButton : Update\n"
                                                               "TEQForm: TEQForm  title: Equalizer\n"
                                                               "TPLForm: TPLForm  title: Playlist\n"
                                                               "TRecForm: QAbstractButton : Start\n"
                                                               "cd::TSubmitForm: QPushButton : Cancel");
    EXPECT_EQ(app.shell().tray().trayIcon(1).toolTip(), "<Hint_Play>");
    EXPECT_TRUE(app.recorder().recorder().SummaryLabel->text().startsWith("0 <Recorder_Tracks> ("));

    app.recorder().recorder().StartClick();
    EXPECT_EQ(dialogs.informations, QStringList{"<Error_Message7>"});
    app.encoder().converter().addFiles({home.filePath("a.wav")});
    app.encoder().converter().StartClick();
    EXPECT_EQ(dialogs.errors, QStringList{"<Error_Message5>"});

    writeFile(home.filePath("language/Marked.ini"), "[Ludro]\nPop_Exit=Again\n");
    app.show();
    TMainForm &form = app.mainForm();
    QWidget &menu = *form.findChild<QMenu *>();
    EXPECT_TRUE(runUntil([&] { return namedAction(menu, "Pop_Exit")->text() == "Again"; }, 5000));

    writeFile(home.filePath("language/Test.ini"),
              "[Ludro]\nPop_Exit=&Beenden\nHint_Play=Abspielen\nInfo_Message2=Nur %1 mit <b>DirectSound</b>\n"
              "Playlist_Edit_Submit=\nListView_Title=Titel\n");
    app.appearance().chooseLanguage("Test");
    const QPoint play = mainButtonRect(form.texture().layout.main, MainButton::Play).center();
    EXPECT_EQ(namedAction(menu, "Pop_Exit")->text(), "&Beenden");
    EXPECT_EQ(namedAction(menu, "Pop_Load")->text(), "&Load...") << "a key the file lacks stays English";
    EXPECT_EQ(form.hintAt(play), "Abspielen");
    EXPECT_EQ(app.playlistFeature().form().action("Playlist_Edit_Submit")->text(), "") << "a key given empty is empty";
    EXPECT_EQ(app.playlistFeature().form().titleView().model()->headerData(0, Qt::Horizontal).toString(), "Titel");
    dialogs.informations.clear();
    namedAction(menu, "Playback_Pitch")->trigger();
    EXPECT_EQ(dialogs.informations, QStringList{"Nur %1 mit <b>DirectSound</b>"}) << "shown as it is written";

    app.appearance().chooseLanguage("english");
    EXPECT_EQ(namedAction(menu, "Pop_Exit")->text(), "E&xit");
    EXPECT_EQ(form.hintAt(play), "Play / Pause");
    EXPECT_EQ(app.playlistFeature().form().action("Playlist_Edit_Submit")->text(), "Submit to CDDB");
    EXPECT_EQ(app.playlistFeature().form().titleView().model()->headerData(0, Qt::Horizontal).toString(), "Title");

    // Names that reach outside the folder, or files that are not there.
    writeFile(home.filePath("x.ini"), "[Ludro]\nPop_Exit=Outside\n");
    for (const char *name : {"../x", "Missing", "", "/etc/x"}) {
        app.appearance().chooseLanguage(name);
        EXPECT_EQ(namedAction(menu, "Pop_Exit")->text(), "E&xit") << name;
    }
}

