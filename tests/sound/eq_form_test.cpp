// The equalizer window under the offscreen platform: its sliders, label,
// commands, presets through the dialogs, and what reaches the decoder on
// each tick of the main timer.

#include "sound/eq_form.h"
#include "support/files.h"
#include "support/recording_dialogs.h"
#include "support/texture_fixture.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <vector>

class EqualizerWindow : public testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(QDir(home.path()).mkdir("presets")); }

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
    bar.SetPosition(128);
    bar.SetPosition(-128);
    bar.SetPosition(0);
    EXPECT_EQ(bar.Position(), 0);
    EXPECT_EQ(changes, 0) << "out of range or unchanged: nothing happens";
    bar.SetPosition(-127);
    EXPECT_EQ(changes, 1);

    form.trackbar(0).SetPosition(-127);
    EXPECT_EQ(form.bandLabelText(), "60Hz : 40dB") << "a moved slider shows its band";
    EXPECT_TRUE(form.EqualizerChanged);
}

TEST_F(EqualizerWindow, ResetAndMovesRotateThePositions)
{
    const equalizer::Positions p{-100, -80, -60, -40, -20, 0, 20, 40, 60, 80};
    form.setPositions(p);
    form.MoveRight();
    EXPECT_EQ(form.positions(), equalizer::movedRight(p));
    EXPECT_EQ(form.bandLabelText(), "");
    form.MoveLeft();
    EXPECT_EQ(form.positions(), p);
    form.Reset();
    EXPECT_EQ(form.positions(), equalizer::Positions{});
}

TEST_F(EqualizerWindow, RecordsGoToTheDecoderAfterChangesOnly)
{
    form.setUseEqualizer(true);
    form.trackbar(0).SetPosition(127);
    auto sent = tick();
    ASSERT_EQ(sent.size(), 1u);
    EXPECT_EQ(sent[0]->left[0], -63);
    EXPECT_EQ(sent[0]->right[0], -63);
    EXPECT_TRUE(tick().empty()) << "no change, nothing sent";
    form.inputOpened();
    EXPECT_EQ(tick().size(), 1u) << "a new input gets the record again";

    form.switchClick();
    EXPECT_FALSE(form.UseEqualizer());
    sent = tick();
    ASSERT_EQ(sent.size(), 2u);
    ASSERT_TRUE(sent[0].has_value());
    for (int band = 0; band < 32; ++band)
        ASSERT_TRUE(sent[0]->left[band] == 0 && sent[0]->right[band] == 0);
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
    EXPECT_EQ(dialogs.askedTexts, QStringList{"Save Preset...: Save this Equalizer Settings as..."});
    EXPECT_EQ(form.presetNames(), QStringList{"Loud"});
    form.Reset();
    form.EqualizerChanged = false;
    form.LoadPreset("Loud");
    EXPECT_EQ(form.positions(), p);
    EXPECT_TRUE(form.EqualizerChanged);

    dialogs.nextText = "../outside";
    form.SaveAsPreset();
    EXPECT_EQ(dialogs.errors.size(), 1) << "a refused name is shown";
    dialogs.nextText.clear();
    form.SaveAsPreset();
    EXPECT_EQ(dialogs.errors.size(), 1) << "an empty answer does nothing";

    writeFile(home.filePath("presets/Odd"), "0\n10\n200\n30\nwhat\n50\n");
    form.Reset();
    form.LoadPreset("Odd");
    EXPECT_EQ(form.positions()[0], 10) << "what came before the bad line";
    EXPECT_EQ(form.positions()[1], 0) << "200 leaves its slider";
    EXPECT_EQ(dialogs.errors.size(), 2) << "the bad line is shown";
}

TEST_F(EqualizerWindow, WindowFollowsTheEqualizerLayout)
{
    form.show();
    EXPECT_EQ(form.trackbar(9).geometry(), QRect(78 + 9 * 18, 38, 12, 63));
    const QImage shot = form.grab().toImage();
    const QImage picture = textures.texture()->pictures.equalizer;
    EXPECT_EQ(shot.pixel(5, 5), picture.pixel(5, 139)) << "the title bar comes from the picture's title strip";

    auto plain = std::make_shared<TextureSet>(*textures.texture());
    plain->pictures.equalizer.fill(Qt::darkRed);
    textures.setTexture("Plain", plain);
    const QImage changed = form.grab().toImage();
    EXPECT_EQ(changed.pixelColor(5, 5), QColor(Qt::darkRed)) << "a new texture's title strip";
    EXPECT_EQ(changed.pixelColor(84, 40), QColor(Qt::darkRed)) << "a new texture's slider track";
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
