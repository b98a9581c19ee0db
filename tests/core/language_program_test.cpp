// The program in a language of the "language" folder: menus, hints and boxes
// take its texts, keys it lacks stay English, English restores everything,
// and a name that is not a plain file name reads nothing.

#include "core/ludro_app.h"
#include "language/builtin_texts.h"
#include "platform/profile_file.h"
#include "support/files.h"
#include "support/recording_dialogs.h"

#include <QAction>
#include <QMenu>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

QAction *namedAction(QWidget &window, const char *key)
{
    return window.findChild<QAction *>(QString::fromLatin1(key));
}

}  // namespace

TEST(Language, TranslationReplacesTheTextsItHasAndEnglishRestoresThem)
{
    QTemporaryDir home;
    qputenv("LUDRO_HOME", (home.path() + '/').toUtf8());
    qputenv("XDG_RUNTIME_DIR", home.path().toUtf8());
    writeFile(home.filePath("LudroPro.ini"), "[Ludro]\nLanguage=Test\n");
    writeFile(home.filePath("language/Test.ini"),
              "[Ludro]\nPop_Exit=&Beenden\nHint_Play=Abspielen\nInfo_Message2=Nur %1 mit <b>DirectSound</b>\n"
              "Playlist_Edit_Submit=\nListView_Title=Titel\n");
    RecordingDialogs dialogs;
    LudroApp app({"ludro", "/noSave"}, dialogs);
    TMainForm &form = app.mainForm();
    QWidget &menu = *form.findChild<QMenu *>();
    const QPoint play = mainButtonRect(form.texture().layout.main, MainButton::Play).center();

    EXPECT_EQ(app.language().names(), QStringList({"English", "Test"}));
    EXPECT_EQ(namedAction(menu, "Pop_Exit")->text(), "&Beenden");
    EXPECT_EQ(namedAction(menu, "Pop_Load")->text(), "&Load...") << "a key the file lacks stays English";
    EXPECT_EQ(form.hintAt(play), "Abspielen");
    EXPECT_EQ(app.playlistForm().action("Playlist_Edit_Submit")->text(), "") << "a key given empty is empty";
    EXPECT_EQ(app.playlistForm().titleView().model()->headerData(0, Qt::Horizontal).toString(), "Titel");
    namedAction(menu, "Playback_Pitch")->trigger();
    EXPECT_EQ(dialogs.informations, QStringList{"Nur %1 mit <b>DirectSound</b>"}) << "shown as it is written";

    app.chooseLanguage("english");
    EXPECT_EQ(app.settings().language, "english");
    EXPECT_EQ(namedAction(menu, "Pop_Exit")->text(), "E&xit");
    EXPECT_EQ(form.hintAt(play), "Play / Pause");
    EXPECT_EQ(app.playlistForm().action("Playlist_Edit_Submit")->text(), "Submit to CDDB");
    EXPECT_EQ(app.playlistForm().titleView().model()->headerData(0, Qt::Horizontal).toString(), "Title");

    // Names that reach outside the folder, or files that are not there.
    writeFile(home.filePath("x.ini"), "[Ludro]\nPop_Exit=Outside\n");
    for (const char *name : {"../x", "Missing", "", "/etc/x"}) {
        app.chooseLanguage(name);
        EXPECT_EQ(namedAction(menu, "Pop_Exit")->text(), "E&xit") << name;
    }
}

// The shipped English is the built-in table, exactly; the German is complete.
TEST(Language, ShippedFilesHoldEveryKey)
{
    const QString folder = QStringLiteral(LUDRO_PROGRAM_DIR "/language/");
    EXPECT_EQ(Messages::parse(readFile(folder + "english.ini")), Messages());
    const auto english = platform::ProfileFile::parse(readFile(folder + "english.ini"));
    const auto german = platform::ProfileFile::parse(readFile(folder + "Deutsch.ini"));
    for (const BuiltinText &text : builtinTexts) {
        EXPECT_EQ(english.readString("Ludro", text.key, "?"), QString::fromUtf8(text.text)) << text.key;
        EXPECT_TRUE(german.contains("Ludro", text.key)) << text.key;
    }
}
