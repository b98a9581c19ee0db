// The equalizer window under the offscreen platform: its sliders, label,
// commands, presets through the dialogs, and what reaches the decoder on
// each tick of the main timer.

#include "sound/eq_form.h"
#include "support/files.h"
#include "support/recording_dialogs.h"
#include "support/texture_fixture.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <optional>
#include <vector>

class EqualizerWindow : public testing::Test {
protected:
    // Runs one tick and returns what was sent: a record, or nothing for "off".
    std::vector<std::optional<SK_EqualizerInfo>> tick()
    {
        std::vector<std::optional<SK_EqualizerInfo>> sent;
        form.ApplyEqualizer(
            [&](const SK_EqualizerInfo *record) { sent.push_back(record ? std::optional(*record) : std::nullopt); });
        return sent;
    }

    QTemporaryDir home;
    RecordingDialogs dialogs;
    TextureManager textures;
    TEQForm form{textures, {home.filePath("presets") + '/'}, dialogs};
};

TEST_F(EqualizerWindow, SlidersIgnoreOutOfRangePositionsAndShowTheirBand)
{
    TBMPScrollBar bar;
    bar.setRange(-127, 127);
    int changes = 0;
    bar.OnChange = [&](TBMPScrollBar *) { ++changes; };
    for (int position : {128, -128, 0, -127})
        bar.SetPosition(position);
    EXPECT_EQ(changes, 1) << "out of range or unchanged: nothing happens";

    form.trackbar(0).SetPosition(-127);
    EXPECT_EQ(form.bandLabelText(), "60Hz : 40dB") << "a moved slider shows its band";
}

TEST_F(EqualizerWindow, RecordsGoToTheDecoderAfterChangesOnly)
{
    form.setUseEqualizer(true);
    form.trackbar(0).SetPosition(127);
    auto sent = tick();
    ASSERT_EQ(sent.size(), 1u);
    EXPECT_EQ(sent[0]->right[0], -63);
    EXPECT_TRUE(tick().empty()) << "no change, nothing sent";
    form.inputOpened();
    EXPECT_EQ(tick().size(), 1u) << "a new input gets the record again";

    form.switchClick();
    sent = tick();
    ASSERT_EQ(sent.size(), 2u);
    EXPECT_TRUE(sent[0] && sent[0]->left[0] == 0 && sent[0]->right[31] == 0) << "a flat record first";
    EXPECT_FALSE(sent[1].has_value()) << "then equalization is switched off";
    form.inputOpened();
    EXPECT_TRUE(tick().empty()) << "while off nothing more is sent";
}

TEST_F(EqualizerWindow, PresetsAreSavedListedAndLoaded)
{
    const equalizer::Positions p{-127, -50, -3, 0, 7, 21, 64, 100, 126, 127};
    form.setPositions(p);
    dialogs.nextText = "Loud";
    form.SaveAsPreset();
    EXPECT_EQ(form.presetNames(), QStringList{"Loud"});
    form.Reset();
    form.EqualizerChanged = false;
    form.LoadPreset("Loud");
    EXPECT_EQ(form.positions(), p);
    EXPECT_TRUE(form.EqualizerChanged);
    form.MoveRight();
    EXPECT_EQ(form.positions(), equalizer::movedRight(p)) << "the rotation itself is the bands' test";

    for (const char *name : {"../outside", ""}) {
        dialogs.nextText = name;
        form.SaveAsPreset();
    }
    EXPECT_EQ(dialogs.errors.size(), 1) << "a refused name is shown, an empty answer does nothing";
    // Which values of a bad file apply is the preset folder's test.
    writeFile(home.filePath("presets/Odd"), "0\nwhat\n");
    form.LoadPreset("Odd");
    EXPECT_EQ(dialogs.errors.size(), 2) << "the bad line is shown";
}

// Beside a Winamp skin's equalizer the preset drawer wears the colours of
// the skin's playlist, so the window reads as one skin.
TEST_F(EqualizerWindow, InAWinampSkinThePresetDrawerWearsThePlaylistColours)
{
    const QColor normalBackground(0x10, 0x10, 0x30);
    const QPoint drawer(TEQForm::BodyWidth + 3, 80), list(form.width() - 20, form.height() - 15);
    fixture_texture::writeCodedSkinPlaylist(fixture_texture::writeCodedWinampSkin(home.path()));
    TextureManager skins{{home.filePath("textures") + '/'}};
    ASSERT_TRUE(skins.apply("Classic"));
    TEQForm skinned{skins, {home.filePath("presets") + '/'}, dialogs};
    skinned.resize(form.size());
    skinned.show();
    const QImage shot = skinned.grab().toImage();
    EXPECT_EQ(shot.pixelColor(drawer), normalBackground);
    EXPECT_EQ(shot.pixelColor(list), normalBackground);
}
