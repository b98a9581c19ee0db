// The playlist window at the chosen window size: at 2x the frame is the 1x
// frame with every pixel a crisp square, in the texture's look and a Winamp
// skin's, its buttons answer where they show, and its size is kept at 1x.

#include "app/ludro_app.h"
#include "appearance/picture_menu.h"
#include "platform/profile_file.h"
#include "playlist/pl_form.h"
#include "support/files.h"
#include "support/recording_dialogs.h"
#include "support/texture_fixture.h"
#include "support/zip_file.h"

#include <QMenu>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <algorithm>

namespace wp = winamp_playlist;

namespace {

class ScaledPlaylist : public testing::Test {
protected:
    void SetUp() override { form.show(); }

    // Each of `places` (at 1x) shows at 2x as at 1x, every pixel doubled.
    void expectDoubled(std::initializer_list<QRect> places)
    {
        textures.setWindowScale(1);
        const QImage single = form.grab().toImage().convertToFormat(QImage::Format_RGB32);
        textures.setWindowScale(2);
        EXPECT_EQ(form.size(), single.size() * 2);
        const QImage twice = form.grab().toImage().convertToFormat(QImage::Format_RGB32);
        for (const QRect &place : places)
            EXPECT_EQ(twice.copy(QRect(place.topLeft() * 2, place.size() * 2)),
                      single.copy(place).scaled(place.size() * 2))
                << place.x() << "," << place.y();
    }

    QTemporaryDir home;
    RecordingDialogs dialogs;
    PlaylistModel playlist;
    TextureManager textures{{home.path() + "/textures/"}};
    TPLForm form{playlist, dialogs, textures};
};

}  // namespace

TEST_F(ScaledPlaylist, TheTexturesLookDoublesCrisplyAndItsButtonsAnswerThere)
{
    const QSize s = form.size();
    expectDoubled({QRect(0, 0, s.width(), 62), QRect(0, s.height() - 30, s.width(), 30)});
    EXPECT_EQ(form.titleView().font().pointSizeF(), form.fontSize() * 2.0);
    EXPECT_EQ(form.quickSearchEdit().geometry().top(), 62 * 2);

    const QRect file = textures.texture()->layout.playlist.file;
    QTest::mouseClick(&form, Qt::LeftButton, {}, file.center() * 2);
    const QList<QMenu *> menus = form.findChildren<QMenu *>();
    EXPECT_TRUE(std::ranges::any_of(menus, &QMenu::isVisible)) << "the File button's menu";
    for (QMenu *menu : menus)
        menu->hide();
}

TEST_F(ScaledPlaylist, ASkinsLookDoublesCrisplyAndItsMenuButtonsAnswerThere)
{
    const QString folder = fixture_texture::writeCodedWinampSkin(home.path());
    fixture_texture::writeCodedSkinPlaylist(folder);
    writeZip(home.path() + "/textures/Classic.wsz", folderMembers(folder));
    ASSERT_TRUE(textures.apply("Classic.wsz"));
    const QSize s = form.size();
    expectDoubled({QRect(0, 0, s.width(), 20), QRect(0, s.height() - 38, s.width(), 38)});

    for (int i = 0; i < 3; ++i)
        playlist.addNetworkEntry(QStringLiteral("http://s%1.example/").arg(i));
    playlist.deliverChanges();
    QTest::mouseClick(&form, Qt::LeftButton, {}, wp::menuButtonRect(wp::MenuButton::Select, s).center() * 2);
    PictureMenu *menu = form.findChild<PictureMenu *>();
    ASSERT_NE(menu, nullptr);
    EXPECT_EQ(menu->height(), wp::menuPictures(wp::MenuButton::Select).items.front().height() * 3 * 2);
    QTest::mouseClick(menu, Qt::LeftButton, {}, menu->itemRect(2).center());
    EXPECT_EQ(form.selectedFlags(), std::vector<char>(3, 1)) << "Select all";
}

TEST(ScaledPlaylistProgram, TheStoredSizeIsKeptAt1x)
{
    QTemporaryDir home;
    qputenv("LUDRO_HOME", (home.path() + '/').toUtf8());
    qputenv("XDG_RUNTIME_DIR", home.path().toUtf8());
    qputenv("LUDRO_CD_DEVICE", home.filePath("no-disc.cue").toUtf8());
    writeFile(home.filePath("LudroPro.ini"), "[Ludro]\nWindowSize=200\nPLVis=1\nPlayListW=400\nPlayListH=300\n");
    RecordingDialogs dialogs;
    {
        LudroApp app({"ludro"}, dialogs);
        app.show();
        EXPECT_EQ(app.playlistFeature().form().size(), QSize(800, 600));
    }
    const platform::ProfileFile saved = platform::ProfileFile::load(home.filePath("LudroPro.ini"));
    EXPECT_EQ(saved.readString("Ludro", "PlayListW", ""), "400");
    EXPECT_EQ(saved.readString("Ludro", "PlayListH", ""), "300");
}
