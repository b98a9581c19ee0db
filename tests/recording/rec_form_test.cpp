// The recorder window and the recorder setup window under offscreen, with a
// disc image as the drive.

#include "cd/cd_device.h"
#include "cd/disc_id.h"
#include "encoder/progress_form.h"
#include "recording/as_form.h"
#include "recording/rec_form.h"
#include "support/disc_image.h"
#include "support/files.h"
#include "support/recording_dialogs.h"
#include "support/run_until.h"
#include "support/texture_fixture.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QProgressBar>
#include <QRadioButton>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

QStringList texts(const QListWidget *list)
{
    QStringList result;
    for (int i = 0; i < list->count(); ++i)
        result << list->item(i)->text();
    return result;
}

}  // namespace

TEST(RecorderWindows, ListTheDiscAndRecordTheChosenTracksUnderTheirNames)
{
    QTemporaryDir dir;
    const QString cue = writeDiscImage(dir.path(), {{4500, 440}, {120, 660}, {300, 880}});
    RecordingDialogs dialogs;
    QString recDest = dir.filePath("gone/");
    int recInput = 7;
    TASForm setup(dialogs, [] { return encoder::EncoderSetup{}; }, recDest, recInput);
    cd::CdDevice device(cue);
    ASSERT_TRUE(device.open());
    writeFile(dir.filePath("tracks/" + cd::computeDiscId(device.tableOfContents()).id),
              "Title\nArtist\nOne\nTwo\nThree\nBeyond the disc\n");
    device.close();
    const TextureManager textures;
    TRecForm form(device, setup, dialogs, dir.filePath("tracks"), [] { return false; }, textures);

    form.show();
    EXPECT_EQ(texts(form.CDTracks), QStringList({"1. One", "2. Two", "3. Three"}));
    EXPECT_EQ(form.InfoLabel->text(), "3 Tracks");
    EXPECT_FALSE(device.isOpen()) << "closed again outside CD mode";
    form.StartClick();
    EXPECT_EQ(dialogs.informations, QStringList({"No selected songs to Record."}));

    form.CDTracks->item(0)->setSelected(true);
    form.CDTracks->item(2)->setSelected(true);
    form.Add();
    form.SelectAllAction->trigger();
    form.Add();
    EXPECT_EQ(texts(form.SaveTracks), QStringList({"1. One", "3. Three", "2. Two"})) << "none twice";
    EXPECT_EQ(form.SummaryLabel->text(), "3 Tracks (1:05)       WAV: 10Mb");
    form.SaveTracks->item(1)->setSelected(true);
    form.DeleteAction->trigger();
    form.SaveTracks->item(0)->setSelected(true);
    dialogs.nextText = "../x";
    form.Rename();
    EXPECT_EQ(texts(form.SaveTracks), QStringList({"1. ../x", "2. Two"}));
    EXPECT_EQ(dialogs.askedTexts.value(0), "Track Name: Rename this Track before recording to... [One]");

    form.StartClick();
    ASSERT_TRUE(setup.isVisible());
    EXPECT_EQ(setup.InputSource->currentText(), "CD Digital Audio");
    EXPECT_EQ(recInput, 0) << "an input line out of range is the first";
    EXPECT_EQ(setup.Destination->text(), recDest);
    setup.ButtonStartClick();
    setup.RadioWave->click();
    setup.ButtonStartClick();
    QDir().mkpath(recDest);
    setup.ButtonStartClick();
    EXPECT_EQ(dialogs.informations.mid(1),
              QStringList({"No encoder specified. Change the Settings on the Setup Page.",
                           "The Destination " + recDest + " does not exist."}));
    ASSERT_TRUE(setup.Progress->isVisible());
    int lastTotal = 0;
    QObject::connect(&setup.run(), &recording::CdRip::progress,
                     [&](const recording::RipProgress &p) { lastTotal = p.total; });
    ASSERT_TRUE(runUntil([&] { return !setup.isVisible(); }));
    EXPECT_FALSE(setup.Progress->isVisible());
    EXPECT_EQ(lastTotal, 100);
    EXPECT_EQ(QDir(recDest).entryList(QDir::Files | QDir::Dirs | QDir::Hidden | QDir::NoDotAndDotDot),
              QStringList({"_x.wav", "Two.wav"}));
    EXPECT_EQ(QFileInfo(recDest + "Two.wav").size(), 44 + (120 + 0) * 2352);
    EXPECT_TRUE(dialogs.errors.isEmpty()) << dialogs.errors.join('\n').toStdString();
}

// A disc with data tracks first and last, named by the placeholders a
// failed lookup leaves, with one of its files already there: every audio
// track is recorded to a file of its own, the user's file stays, and the
// run says where the clashing track went.
TEST(RecorderWindows, AWholeDiscMakesAFileOfEachAudioTrackAndKeepsAClashingOne)
{
    QTemporaryDir dir;
    const QString cue = writeDiscImage(dir.path(), {{75, 0, true}, {120, 440}, {150, 660}, {75, 0, true}});
    RecordingDialogs dialogs;
    QString recDest = dir.filePath("out/");
    int recInput = 0;
    TASForm setup(dialogs, [] { return encoder::EncoderSetup{}; }, recDest, recInput);
    cd::CdDevice device(cue);
    ASSERT_TRUE(device.open());
    writeFile(dir.filePath("tracks/" + cd::computeDiscId(device.tableOfContents()).id),
              "\n\nCD-Track\nCD-Track\nCD-Track\nCD-Track\n");
    device.close();
    writeFile(recDest + "02 CD-Track.wav", "mine");
    const TextureManager textures;
    TRecForm form(device, setup, dialogs, dir.filePath("tracks"), [] { return false; }, textures);

    form.show();
    EXPECT_EQ(texts(form.CDTracks), QStringList({"2. CD-Track", "3. CD-Track"}));
    EXPECT_EQ(form.InfoLabel->text(), "2 Tracks");
    form.SelectAllAction->trigger();
    form.Add();
    EXPECT_EQ(form.SummaryLabel->text(), "2 Tracks (0:03)       WAV: 0Mb");
    form.StartClick();
    ASSERT_TRUE(setup.isVisible());
    setup.RadioWave->click();
    setup.ButtonStartClick();
    ASSERT_TRUE(runUntil([&] { return !setup.isVisible(); }));
    EXPECT_EQ(QDir(recDest).entryList(QDir::Files | QDir::Dirs | QDir::Hidden | QDir::NoDotAndDotDot),
              QStringList({"02 CD-Track (2).wav", "02 CD-Track.wav", "03 CD-Track.wav"}));
    EXPECT_EQ(readFile(recDest + "02 CD-Track.wav"), "mine");
    EXPECT_EQ(QFileInfo(recDest + "02 CD-Track (2).wav").size(), 44 + 120 * 2352);
    EXPECT_EQ(dialogs.askedTexts,
              QStringList("Error: The File already exists or not a valid Filename. [02 CD-Track.wav]"));
    EXPECT_EQ(dialogs.informations, QStringList("02 CD-Track.wav existed: kept as 02 CD-Track (2).wav"));
    EXPECT_TRUE(dialogs.errors.isEmpty()) << dialogs.errors.join('\n').toStdString();
}

// The window wears the texture's playlist frame and recorder picture and
// colours; a new texture shows at once.
TEST(RecorderWindows, WearTheTexturesRecorderPicturesAndColours)
{
    using namespace fixture_texture;
    QTemporaryDir dir;
    writeCodedTexture(dir.path());
    TextureManager textures({dir.path() + "/textures/"});
    RecordingDialogs dialogs;
    QString recDest;
    int recInput = 0;
    TASForm setup(dialogs, [] { return encoder::EncoderSetup{}; }, recDest, recInput);
    cd::CdDevice device(dir.filePath("no-disc.cue"));
    TRecForm form(device, setup, dialogs, dir.filePath("tracks"), [] { return false; }, textures);
    form.resize(400, 356);
    const QImage builtin = form.grab().toImage();
    ASSERT_TRUE(textures.apply("Coded"));
    const QImage shown = form.grab().toImage().convertToFormat(QImage::Format_RGB32);
    EXPECT_EQ(shown.pixel(0, 0), coded(20, 50, Playlist)) << "the frame's corner";
    EXPECT_EQ(shown.pixel(5 + 10, 50 + 5), coded(10, 5, Recorder)) << "Refresh";
    EXPECT_EQ(form.InfoLabel->palette().color(QPalette::WindowText), QColor(Qt::green));

    form.CloseButton->click();
    EXPECT_FALSE(form.isVisible());
    textures.apply(TextureManager::BuiltinName);
    EXPECT_EQ(form.grab().toImage(), builtin);
}
