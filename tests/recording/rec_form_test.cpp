// The recorder window and the recorder setup window under offscreen, with a
// disc image as the drive.

#include "cd/cd_device.h"
#include "cd/disc_id.h"
#include "recording/as_form.h"
#include "recording/rec_form.h"
#include "support/disc_image.h"
#include "support/files.h"
#include "support/recording_dialogs.h"
#include "support/run_until.h"
#include "support/texture_fixture.h"

#include <QLabel>
#include <QListWidget>
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

// The window wears the texture's playlist frame and recorder picture and
// colours at once. The data track is not listed; a file of the run's name
// that is there stays, the track goes beside it.
TEST(RecorderWindows, WearTheTextureListTheDiscAndRecordTheChosenTracksUnderTheirNames)
{
    using namespace fixture_texture;
    QTemporaryDir dir;
    const QString cue = writeDiscImage(dir.path(), {{4500, 440}, {120, 660}, {300, 880}, {75, 0, true}});
    writeCodedTexture(dir.path());
    TextureManager textures({dir.path() + "/textures/"});
    RecordingDialogs dialogs;
    QString recDest = dir.filePath("gone/");
    int recInput = 7;
    TASForm setup(dialogs, [] { return encoder::EncoderSetup{}; }, recDest, recInput);
    cd::CdDevice device(cue);
    ASSERT_TRUE(device.open());
    writeFile(dir.filePath("tracks/" + cd::computeDiscId(device.tableOfContents()).id),
              "Title\nArtist\nOne\nTwo\nThree\nBeyond the disc\n");
    device.close();
    TRecForm form(device, setup, dialogs, dir.filePath("tracks"), [] { return false; }, textures);
    form.resize(400, 356);
    ASSERT_TRUE(textures.apply("Coded"));
    const QImage shown = form.grab().toImage().convertToFormat(QImage::Format_RGB32);
    EXPECT_EQ(shown.pixel(0, 0), coded(20, 50, Playlist)) << "the frame's corner";
    EXPECT_EQ(shown.pixel(5 + 10, 50 + 5), coded(10, 5, Recorder)) << "Refresh";
    EXPECT_EQ(form.InfoLabel->palette().color(QPalette::WindowText), QColor(Qt::green));

    form.show();
    EXPECT_EQ(texts(form.CDTracks), QStringList({"1. One", "2. Two", "3. Three"}));
    EXPECT_FALSE(device.isOpen()) << "closed again outside CD mode";
    form.StartClick();
    EXPECT_EQ(dialogs.informations, QStringList({"No selected songs to Record."}));

    form.CDTracks->item(0)->setSelected(true);
    form.CDTracks->item(2)->setSelected(true);
    form.Add();
    form.SelectAllAction->trigger();
    form.Add();
    EXPECT_EQ(texts(form.SaveTracks), QStringList({"1. One", "3. Three", "2. Two"})) << "none twice";
    form.SaveTracks->item(1)->setSelected(true);
    form.DeleteAction->trigger();
    form.SaveTracks->item(0)->setSelected(true);
    dialogs.nextText = "../x";
    form.Rename();
    EXPECT_EQ(texts(form.SaveTracks), QStringList({"1. ../x", "2. Two"}));

    form.StartClick();
    ASSERT_TRUE(setup.isVisible());
    EXPECT_EQ(recInput, 0) << "an input line out of range is the first";
    setup.ButtonStartClick();
    setup.RadioWave->click();
    setup.ButtonStartClick();
    writeFile(recDest + "Two.wav", "mine");
    dialogs.nextText.clear();  // no other name given for the clashing file
    setup.ButtonStartClick();
    EXPECT_EQ(dialogs.informations.size(), 3) << "no encoder for MP3, then no destination";
    ASSERT_TRUE(runUntil([&] { return !setup.isVisible(); }));
    EXPECT_EQ(entries(recDest), QStringList({"Two (2).wav", "Two.wav", "_x.wav"}));
    EXPECT_EQ(readFile(recDest + "Two.wav"), "mine");
    EXPECT_EQ(QFileInfo(recDest + "Two (2).wav").size(), 44 + 120 * 2352);
    EXPECT_TRUE(dialogs.errors.isEmpty()) << dialogs.errors.join('\n').toStdString();
}
