// The converter window: batches both ways with the real lame and the real
// decoder, failures, Cancel, and the user's files left as they were.

#include "encoder/conv_form.h"
#include "encoder/enc_form.h"
#include "encoder/encoder_page.h"
#include "encoder/progress_form.h"
#include "appearance/texture_manager.h"
#include "playlist/pl_form.h"
#include "support/files.h"
#include "support/recording_dialogs.h"
#include "support/run_until.h"
#include "support/wav_file.h"

#include <QApplication>
#include <QDropEvent>
#include <QMimeData>
#include <QTreeView>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace encoder;

namespace {

struct Converter {
    RecordingDialogs dialogs;
    TConvForm form{dialogs, [] { return EncoderSetup{"lame", switchesOf(EncoderKind::Lame)}; }};

    void start(const QStringList &files, const QString &destination = {})
    {
        form.ConvList->clear();
        form.addFiles(files);
        form.DestDir->setText(destination);
        form.show();
        form.StartClick();
    }
    QStringList run(const QStringList &files, const QString &destination = {})
    {
        start(files, destination);
        EXPECT_TRUE(runUntil([&] { return !form.conversion().running(); }, 60000));
        return lines();
    }
    QStringList lines() const
    {
        QStringList lines;
        for (int i = 0; i < form.ConvList->count(); ++i)
            lines << form.ConvList->item(i)->text();
        return lines;
    }
};

QString wavOf(const QTemporaryDir &dir, const QString &name)
{
    const QString path = writeFile(dir.filePath(name));
    decodeWithMpg123(LUDRO_FIXTURE_DIR "/l3-44k-stereo-cbr.mp3", path.toStdString());
    return path;
}

}  // namespace

TEST(Converter, ConvertsBothWaysKeepsTheUsersFileAndTheResultAndCancelEndsTheBatch)
{
    QTemporaryDir dir;
    const QString mp3 = dir.filePath("song one.mp3");
    QFile::copy(LUDRO_FIXTURE_DIR "/l3-44k-stereo-vbr.mp3", mp3);
    const QString a = wavOf(dir, "a.wav"), b = wavOf(dir, "b.wav");
    const QString corrupt = writeFile(dir.filePath("bad.mp3"), QByteArray(20000, 'x'));
    writeFile(dir.filePath("b.mp3"), "mine");
    const QByteArray sourceA = readFile(a);

    Converter c;
    const QStringList lines = c.run({a, mp3, b, corrupt});
    EXPECT_EQ(lines, QStringList({convertedLabel() + a, convertedLabel() + mp3, convertedLabel() + b,
                         failedLabel() + corrupt}));
    EXPECT_EQ(c.dialogs.askedTexts.size(), 1) << "b.mp3 exists: asked once, cancelled";
    EXPECT_EQ(readFile(dir.filePath("b.mp3")), "mine");
    EXPECT_EQ(c.dialogs.informations, QStringList("b.mp3 existed: kept as b (2).mp3"));
    EXPECT_EQ(readFile(a), sourceA);
    EXPECT_EQ(entries(dir.path()), QStringList({"a.mp3", "a.wav", "b (2).mp3", "b.mp3", "b.wav", "bad.mp3",
                                       "song one.mp3", "song one.wav"}));
    const auto ours = readWav(dir.filePath("song one.wav").toStdString());
    const auto reference = decodeWithMpg123(mp3.toStdString(), dir.filePath("ref").toStdString());
    ASSERT_TRUE(ours && reference);
    EXPECT_EQ(ours->samples, reference->samples);

    // Sources in a read-only folder convert into the destination; Cancel
    // leaves every line unconverted and no file.
    QTemporaryDir dest;
    QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::ExeOwner);
    EXPECT_EQ(c.run({a}, dest.path() + "/"), QStringList(convertedLabel() + a));
    EXPECT_EQ(entries(dest.path()), QStringList("a.mp3"));
    QDir().mkpath(dest.filePath("cancelled"));
    c.start({a, b}, dest.filePath("cancelled/"));
    c.form.Progress->close();
    EXPECT_TRUE(runUntil([&] { return !c.form.conversion().running(); }));
    QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    EXPECT_EQ(c.lines(), QStringList({wavToMp3Label() + a, wavToMp3Label() + b}));
    EXPECT_TRUE(entries(dest.filePath("cancelled")).isEmpty());
}

TEST(EncoderPage, ExploreTakesOnlyProgramsAndAnUnknownOneKeepsTheFields)
{
    RecordingDialogs dialogs;
    TEncForm wizard(dialogs);
    EncoderPage page(dialogs, wizard, "/nonexistent/");
    EncoderSetup reported;
    QObject::connect(&page, &EncoderPage::setupChanged, [&](const EncoderSetup &s) { reported = s; });
    page.hqsettings->setText("-q 0");
    QTemporaryDir dir;
    const QString program = writeFile(dir.filePath("my encoder"), "#!/bin/sh\n");
    dialogs.nextOpenFile = program;
    page.ExploreButton->click();
    EXPECT_EQ(reported.program, QString()) << "a file without the executable bit is no program";
    QFile::setPermissions(program, QFile::ReadOwner | QFile::ExeOwner);
    page.ExploreButton->click();
    EXPECT_EQ(reported.program, program);
    EXPECT_EQ(reported.switches.highQuality, "-q 0");
}

TEST(Converter, WavFilesWithoutAnEncoderAreRefusedBeforeStarting)
{
    RecordingDialogs dialogs;
    TConvForm form(dialogs, [] { return EncoderSetup{}; });
    form.addFiles({"/music/a.wav"});
    form.StartClick();
    EXPECT_EQ(dialogs.errors.size(), 1);
    EXPECT_FALSE(form.conversion().running());
}

// Songs dragged out of the playlist window land in the converter's list;
// stream addresses and files it cannot convert do not.
TEST(Converter, SongsDraggedFromThePlaylistWindowJoinTheList)
{
    QTemporaryDir dir;
    const QString song = writeFile(dir.filePath("Jazz/a song.mp3"), QByteArray(2048, 'x'));
    const QString wav = writeFile(dir.filePath("b.wav"), QByteArray(2048, 'x'));
    const QString text = writeFile(dir.filePath("notes.txt"), "x");
    PlaylistModel playlist;
    for (const QString &path : {song, wav, text, QStringLiteral("http://radio.example/stream")})
        playlist.addFileEntry(path);
    playlist.deliverChanges();
    RecordingDialogs dialogs;
    TextureManager textures;
    TPLForm window(playlist, dialogs, textures);
    window.show();
    QTreeView &list = window.titleView();
    list.selectAll();
    const std::unique_ptr<QMimeData> dragged(list.model()->mimeData(list.selectionModel()->selectedRows()));

    Converter c;
    c.form.show();
    QDragEnterEvent enter(QPoint(20, 20), Qt::CopyAction, dragged.get(), Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&c.form, &enter);
    ASSERT_TRUE(enter.isAccepted());
    QDropEvent drop(QPointF(20, 20), Qt::CopyAction, dragged.get(), Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&c.form, &drop);
    EXPECT_EQ(c.lines(), QStringList({mp3ToWavLabel() + song, wavToMp3Label() + wav}));
}
