// Texts from outside the program (a song's tag and file name, a disc's names,
// a language file, a texture's description, a stream's address) reach every
// window as they are written: no label, tooltip, menu item or window title
// reads them as markup or shortcut marks, and no "<img>" in them makes Qt
// open a file (a named pipe would hang the window). A language's texts reach
// every window the table covers.

#include "cd/disc_id.h"
#include "encoder/conv_form.h"
#include "encoder/progress_form.h"
#include "language/builtin_texts.h"
#include "playlist/id3_tag.h"
#include "recording/as_form.h"
#include "recording/rec_form.h"
#include "support/disc_image.h"
#include "support/every_window.h"
#include "support/http_test_server.h"
#include "support/icecast_server.h"
#include "support/program_session.h"
#include "support/shown_texts.h"
#include "support/test_authority.h"
#include "support/texture_fixture.h"
#include "support/tls_test_proxy.h"

#include <QAction>
#include <QApplication>
#include <QHelpEvent>
#include <QLabel>
#include <QMenu>
#include <QRadioButton>
#include <QSet>
#include <QTimer>

#include <memory>

#include <sys/inotify.h>
#include <unistd.h>

namespace {

using namespace ludro::test;

// A file whose opening is seen: Qt opens what an "<img>" names.
class WatchedFile {
public:
    explicit WatchedFile(const QString &path) : watch_(::inotify_init1(IN_NONBLOCK | IN_CLOEXEC))
    {
        writeFile(path, "GIF89a");
        ::inotify_add_watch(watch_, QFile::encodeName(path).constData(), IN_OPEN);
    }
    ~WatchedFile() { ::close(watch_); }
    bool opened() const
    {
        char events[4096];
        return ::read(watch_, events, sizeof events) > 0;
    }

private:
    int watch_;
};

// What Qt's tooltip shows when the pointer rests on `place` of the main
// window (its title by default), once the hint there holds `hint`.
QString tipAt(TMainForm &form, const QString &hint, QPoint place = {})
{
    if (place.isNull())
        place = form.texture().layout.main.titlePanel().center();
    if (!runUntil([&] { return form.hintAt(place).contains(hint); }, 5000))
        return "no hint " + hint;
    QHelpEvent rest(QEvent::ToolTip, place, form.mapToGlobal(place));
    QApplication::sendEvent(&form, &rest);
    for (QWidget *widget : QApplication::topLevelWidgets())
        if (auto *tip = qobject_cast<QLabel *>(widget); tip && tip->inherits("QTipLabel") && tip->isVisible())
            return sniffed({}, tip->text(), tip->textFormat()).seen;
    return "no tooltip";
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

class OutsideText : public ProgramSession {
protected:
    void SetUp() override { qputenv("LUDRO_CD_DEVICE", home.filePath("drive/disc.cue").toUtf8()); }

    // `word` in bold after what files and servers hold: "&" and "[*]" that
    // must show as they are.
    static QString outside(const QString &word) { return "Rock & Roll [*] <b>" + word + "</b>"; }

    // Nothing reads as markup, nothing lost its "&" or "[*]", each of
    // `pieces` shows somewhere as written, and nobody opened the file.
    void expectShownAsWritten(LudroApp &app, const QStringList &pieces)
    {
        QStringList faults;
        makeEveryWindow(app);
        const std::vector<Shown> texts = everyText(app);
        for (const Shown &text : texts) {
            if (text.markup && std::any_of(pieces.begin(), pieces.end(),
                                           [&](const QString &piece) { return text.given.contains(piece); }))
                faults << text.where + " reads as HTML: " + text.given;
            if (text.given.contains("Roll [*]") && !text.seen.contains("Rock & Roll [*]"))
                faults << text.where + " shows " + text.seen;
        }
        for (const QString &piece : pieces)
            if (std::none_of(texts.begin(), texts.end(), [&](const Shown &text) { return text.seen.contains(piece); }))
                faults << "nowhere shown as written: " + piece;
        EXPECT_TRUE(faults.isEmpty()) << faults.join('\n').toStdString();
        EXPECT_FALSE(watched.opened()) << "the player opened the file an <img> names";
    }

    // Short, so that the "<img>" fits an ID3v1 field of 30 characters.
    QTemporaryDir shortFolder{QDir::tempPath() + "/XXXXXX"};
    WatchedFile watched{shortFolder.filePath("p")};
    QString image = "<img src=" + shortFolder.filePath("p") + ">";
};

// A tag's artist and title and the file's name: the main window's title,
// its hint and window title, the playlist, the recent files, the tag window,
// and the converter's progress and its reason for a file it cannot read;
// then a stream's address and its title.
TEST_F(OutsideText, ASongsTagAndFileNameThenAStreamsAddressAndTitle)
{
    const QString tagged = song("Rock & Roll [*] <b>file.mp3");  // no "/" in a name
    ASSERT_EQ(id3::TagWriter().save(tagged, Id3Tag{image, outside("tag"), "", "", "", 0}), "");
    settings(("ShowTime=1\nRecent1=" + tagged + '\n').toUtf8());
    LudroApp &app = start({"/noSave", tagged});
    app.playlistFeature().form().show();
    TMainForm &form = app.mainForm();
    ASSERT_TRUE(runUntil([&] { return form.windowTitle().contains(image); }, 5000));

    TConvForm &converter = app.encoder().converter();
    bool converting = false;
    QObject::connect(&converter.conversion(), &encoder::Conversion::progress, &converter, [&] {
        if (!std::exchange(converting, true))
            expectShownAsWritten(app, {"<b>file"});
    });
    const QString broken = writeFile(home.filePath("Rock & Roll [*] <b>broken.mp3"), QByteArray(4000, 'x'));
    converter.addFiles({tagged, broken});
    converter.DestDir->setText(home.path() + '/');
    converter.show();
    converter.StartClick();
    ASSERT_TRUE(runUntil([&] { return !converter.conversion().running(); }, 20000));
    EXPECT_TRUE(converting);

    QTimer::singleShot(0, [&] {
        EXPECT_EQ(tipAt(form, image), outside("tag") + " - " + image);
        expectShownAsWritten(app, {"<b>tag</b>", "<b>file", "<b>broken", image});
        app.tags().editor().reject();
    });
    emit form.infoClicked();

    // A stream's address from a playlist file, and the title its server sends.
    HttpTestServer server;
    const std::string audio = readFile(QString::fromStdString(fixture("l3-44k-stereo-cbr.mp3"))).toStdString();
    const std::string icyTitle = "StreamTitle='" + outside("title").toStdString() + ' ' + image.toStdString() + "';";
    server.setDefault(HttpTestServer::Response().send(
        HttpTestServer::icyHead(4096) + HttpTestServer::icyInterleave(audio, 4096, {icyTitle, icyTitle})));
    const QString address = QString::fromStdString(server.url("/")) + outside("stream") + ' ' + image;
    app.controller().OpenFile(writeFile(home.filePath("radio.m3u"), address.toUtf8() + '\n'));
    EXPECT_TRUE(tipAt(form, "<b>stream</b>").endsWith(outside("stream") + ' ' + image));
    ASSERT_TRUE(runUntil([&] { return form.windowTitle().contains("<b>stream</b>"); }, 5000));
    expectShownAsWritten(app, {"<b>stream</b>", image});
}

// A disc's title, artist and track names: the main window, the playlist
// window's CD view, the recorder and its progress while ripping.
TEST_F(OutsideText, ADiscsNames)
{
    writeDiscImage(home.filePath("drive"), {{2 * 75, 440}, {2 * 75, 660}});
    cd::CdDevice probe(home.filePath("drive/disc.cue"));
    ASSERT_TRUE(probe.open());
    writeFile(home.filePath("tracks/" + cd::computeDiscId(probe.tableOfContents()).id),
              (outside("disc") + '\n' + image + '\n' + outside("track") + ' ' + image + "\nTwo\n").toUtf8());
    probe.close();
    LudroApp &app = start({"/noSave", "/cd"});
    app.playlistFeature().form().show();
    EXPECT_EQ(tipAt(app.mainForm(), "<b>track</b>"), outside("track") + ' ' + image + " (1 of 2)");

    TRecForm &recorder = app.recorder().recorder();
    recorder.show();
    recorder.SelectAllAction->trigger();
    recorder.Add();
    recorder.StartClick();
    TASForm *setup = &app.recorder().setup();
    ASSERT_TRUE(setup->isVisible());
    setup->RadioWave->click();
    setup->Destination->setText(home.path() + '/');
    setup->ButtonStartClick();
    ASSERT_TRUE(setup->Progress->isVisible());
    expectShownAsWritten(app, {"<b>disc</b>", "<b>track</b>", image});
    ASSERT_TRUE(runUntil([&] { return !setup->isVisible(); }));
}

// The shipped English is the built-in table, exactly; the German is complete.
TEST(Language, ShippedFilesHoldEveryKey)
{
    const QString folder = QStringLiteral(LUDRO_PROGRAM_DIR "/language/");
    EXPECT_EQ(Messages::parse(readFile(folder + "english.ini")), Messages());
    const auto german = platform::ProfileFile::parse(readFile(folder + "Deutsch.ini"));
    for (const BuiltinText &text : builtinTexts)
        EXPECT_TRUE(german.contains("Ludro", text.key)) << text.key;
}

// A language whose every text is marked, "<b>Key</b>" and an "<img>" after
// it, reaches every window and box the table covers as written, the tray's
// tooltips follow the buttons' hints, and a texture's name, version,
// author, addresses and comment show as written in the preferences. The
// file is read once more on the first tick. Another replaces the texts it
// has, keys it lacks stay English, English restores everything, and a name
// that is not a plain file name reads nothing.
TEST_F(OutsideText, EveryWindowAndBoxSpeaksALanguageAsWrittenAndEnglishRestoresThem)
{
    const auto marked = [&](const char *key) { return "<b>" + QString::fromLatin1(key) + "</b> " + image; };
    QByteArray language = "[Ludro]\n";
    for (const BuiltinText &text : builtinTexts)
        if (!QByteArray(text.key).startsWith("Translator_"))
            language += QByteArray(text.key) + '=' + marked(text.key).toUtf8() + '\n';
    language += "Translator_Name=Rock & Roll [*]\nTranslator_Email=\n";  // a name without an address
    writeFile(home.filePath("language/Marked.ini"), language);
    const QString folder = fixture_texture::writeCodedTexture(home.path());
    writeFile(folder + "TEXTURE.INI",
              ("[Texture]\nName=" + outside("name") + "\nVersion=" + image + "\nAuthor=" + outside("author") +
               "\nemail=" + outside("mail") + "\nhomePage=" + outside("page") + "\ncomment=" + outside("comment") +
               '\n' + QString::fromLatin1(fixture_texture::Ini).section('\n', 2))
                  .toUtf8());
    settings("Language=Marked\nTexture=Coded\n");
    LudroApp &app = start({"/noSave", song("song.mp3")}, false);
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
    EXPECT_EQ(sniffed({}, app.shell().tray().trayIcon(1).toolTip()).seen, marked("Hint_Play"));
    EXPECT_TRUE(app.recorder().recorder().SummaryLabel->text().startsWith("0 " + marked("Recorder_Tracks") + " ("));

    app.recorder().recorder().StartClick();
    EXPECT_EQ(dialogs.informations, QStringList{marked("Error_Message7")});
    app.encoder().converter().addFiles({home.filePath("a.wav")});
    app.encoder().converter().StartClick();
    EXPECT_EQ(dialogs.errors, QStringList{marked("Error_Message5")});

    writeFile(home.filePath("language/Marked.ini"), "[Ludro]\nPop_Exit=Again\n" + language.mid(8));  // the first wins
    app.show();
    TMainForm &form = app.mainForm();
    QWidget &menu = *form.findChild<QMenu *>();
    EXPECT_TRUE(runUntil([&] { return menu.findChild<QAction *>("Pop_Exit")->text() == "Again"; }, 5000));
    app.playlistFeature().form().show();
    ASSERT_TRUE(reaches(1));
    app.preferences().form().openOn(TPrefsForm::Textures);
    expectShownAsWritten(app, {"<b>Hint_Play</b>", "<b>Playlist_Songs</b>", "<b>Recorder_Tracks</b>", "<b>Pop_Load</b>",
                               "Rock & Roll [*]", "<b>name</b>", "<b>author</b>", "<b>mail</b>", "<b>page</b>",
                               "<b>comment</b>", image});
    app.preferences().form().reject();

    writeFile(home.filePath("language/Test.ini"),
              "[Ludro]\nPop_Exit=&Beenden\nHint_Play=Abspielen\nInfo_Message2=Nur %1 mit <b>DirectSound</b>\n"
              "Playlist_Edit_Submit=\nListView_Title=Titel\n");
    app.appearance().chooseLanguage("Test");
    const QPoint play = mainButtonRect(form.texture().layout.main, MainButton::Play).center();
    EXPECT_EQ(menu.findChild<QAction *>("Pop_Exit")->text(), "&Beenden");
    EXPECT_EQ(menu.findChild<QAction *>("Pop_Load")->text(), "&Load...") << "a key the file lacks stays English";
    EXPECT_EQ(form.hintAt(play), "Abspielen");
    EXPECT_EQ(app.playlistFeature().form().action("Playlist_Edit_Submit")->text(), "") << "a key given empty is empty";
    EXPECT_EQ(app.playlistFeature().form().titleView().model()->headerData(0, Qt::Horizontal).toString(), "Titel");
    dialogs.informations.clear();
    menu.findChild<QAction *>("Playback_Pitch")->trigger();
    EXPECT_EQ(dialogs.informations, QStringList{"Nur %1 mit <b>DirectSound</b>"}) << "shown as it is written";

    app.appearance().chooseLanguage("english");
    EXPECT_EQ(menu.findChild<QAction *>("Pop_Exit")->text(), "E&xit");
    EXPECT_EQ(form.hintAt(play), "Play / Pause");

    // Names that reach outside the folder, or files that are not there.
    writeFile(home.filePath("x.ini"), "[Ludro]\nPop_Exit=Outside\n");
    for (const char *name : {"../x", "Missing", "", "/etc/x"}) {
        app.appearance().chooseLanguage(name);
        EXPECT_EQ(menu.findChild<QAction *>("Pop_Exit")->text(), "E&xit") << name;
    }
}

// Internet radio in the whole program against a real Icecast server with TLS
// on a second port, fed by a source of the test's at real-time rate: an
// https station named on the command line plays with each title in the main
// window, says "Reconnecting..." while the server restarts and plays on; a
// station whose certificate is not valid says so where the title would be.
// (Station lists that become their station: the controller's stream tests.)
namespace {

class RadioProgram : public ProgramSession {
protected:
    void SetUp() override
    {
        qputenv("SSL_CERT_FILE", QByteArray::fromStdString(authority.certificateFile()));
        icecast = std::make_unique<IcecastServer>(server.path(), authority.issue("icecast").combinedFile);
        ASSERT_TRUE(icecast->start()) << icecast->log().toStdString();
        // 30 s of 96 kbit/s MPEG audio, over and over.
        icecast->feed("/live", readFile(QString::fromStdString(fixture("l3-44k-joint-long.mp3"))).toStdString(), 12000);
        ASSERT_TRUE(runUntil([&] { return icecast->isLive("/live"); }, 10000));
        ASSERT_TRUE(icecast->setTitle("/live", "First Song"));
    }
    void TearDown() override
    {
        end();
        qunsetenv("SSL_CERT_FILE");
    }

    bool shows(const QString &title, int limit = 15000)
    {
        return runUntil([&] { return app->mainForm().titleText() == title; }, limit);
    }

    QTemporaryDir server;
    TestAuthority authority{home.path().toStdString()};
    std::unique_ptr<IcecastServer> icecast;
};

}  // namespace

TEST_F(RadioProgram, AnHttpsStationPlaysWithItsTitlesSurvivesARestartAndAnExpiredOneSaysSo)
{
    LudroApp &app = start({"/noSave", QString::fromStdString(icecast->tlsUrl("/live"))});
    ASSERT_TRUE(shows("First Song")) << app.mainForm().titleText().toStdString();
    ASSERT_TRUE(icecast->setTitle("/live", "Second <b>Song</b>"));
    EXPECT_TRUE(shows("Second <b>Song</b>"));

    icecast->stop();
    EXPECT_TRUE(shows("Reconnecting...", 10000));
    EXPECT_TRUE(app.mainForm().scrollingTitle().startsWith("Reconnecting... ")) << "with the reason";
    ASSERT_TRUE(icecast->start()) << icecast->log().toStdString();
    ASSERT_TRUE(runUntil([&] { return icecast->isLive("/live"); }, 10000));
    ASSERT_TRUE(icecast->setTitle("/live", "After the Restart"));
    EXPECT_TRUE(shows("After the Restart", 30000));
    EXPECT_EQ(app.controller().playerState(), 1) << "the stream never ended";

    // A station whose certificate is not valid: the reason, where the title
    // would be, and no time of the station before.
    const TestAuthority::Issued expired =
        authority.issue("expired", {.validFromSeconds = -2 * 86400, .validToSeconds = -86400});
    const TlsTestProxy tls(icecast->port(), {expired.certificateFile, expired.keyFile});
    ASSERT_TRUE(runUntil([&] { return app.mainForm().timeText() != "0:00"; }, 10000));
    dialogs.nextAddress = QString::fromStdString(tls.url("/live"));
    app.remote().execute(findRemoteCommand(QLatin1String("url"))->number, 0);
    EXPECT_TRUE(shows("TLS: the certificate of 127.0.0.1 has expired"));
    EXPECT_EQ(app.mainForm().timeText(), "0:00");
    EXPECT_NE(app.controller().playerState(), 1);
}
