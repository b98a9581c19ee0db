// The playlist window wearing a zipped Winamp skin with its pledit.bmp: the
// frame's pieces where classic players put them, sizes in steps, the list's
// colours, the button menus running the window's own commands, the scroll
// bar and the small transport buttons.

#include "appearance/picture_menu.h"
#include "playlist/pl_form.h"
#include "support/files.h"
#include "support/recording_dialogs.h"
#include "support/texture_fixture.h"
#include "support/zip_file.h"

#include <QScrollBar>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

using namespace fixture_texture;
namespace wp = winamp_playlist;

namespace {

class SkinnedPlaylist : public testing::Test {
protected:
    void SetUp() override
    {
        const QString folder = writeCodedWinampSkin(home.path());
        writeCodedSkinPlaylist(folder);
        writeZip(home.path() + "/textures/Classic.wsz", folderMembers(folder));
        form.show();
        ASSERT_TRUE(textures.apply("Classic.wsz"));
    }

    // `widget` shows the rectangle `source` of bitmap `id` at `at`, apart
    // from what lies in `covered`.
    static void expectPiece(QWidget &widget, QPoint at, QRect source, int id = SkinPlaylist, QRect covered = {})
    {
        const QImage image = widget.grab().toImage().convertToFormat(QImage::Format_RGB32);
        for (int y = 0; y < source.height(); ++y)
            for (int x = 0; x < source.width(); ++x)
                if (!covered.contains(at + QPoint(x, y))) {
                    ASSERT_EQ(image.pixel(at + QPoint(x, y)), coded(source.x() + x, source.y() + y, id))
                        << x << "," << y << " of " << source.x() << "," << source.y();
                }
    }

    PictureMenu *menuOf(wp::MenuButton button)
    {
        QTest::mouseClick(&form, Qt::LeftButton, {}, wp::menuButtonRect(button, form.size()).center());
        for (PictureMenu *menu : form.findChildren<PictureMenu *>())
            if (menu->isVisible())
                return menu;
        return nullptr;
    }

    void choose(wp::MenuButton button, int item)
    {
        PictureMenu *menu = menuOf(button);
        ASSERT_NE(menu, nullptr);
        QTest::mouseClick(menu, Qt::LeftButton, {}, menu->itemRect(item).center());
        EXPECT_FALSE(menu->isVisible());
    }

    QTemporaryDir home;
    RecordingDialogs dialogs;
    PlaylistModel playlist;
    TextureManager textures{{home.path() + "/textures/"}};
    TPLForm form{playlist, dialogs, textures};
};

}  // namespace

TEST_F(SkinnedPlaylist, TheFrameStandsInItsPlacesAndResizesInSteps)
{
    const int w = 500, h = 348;
    ASSERT_EQ(form.size(), QSize(w, h)) << "490 x 340 to the nearest steps of 25 x 29";
    form.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
    expectPiece(form, {(w - 100) / 2, 0}, {26, 0, 100, 20});
    expectPiece(form, {w - 19, 20 + 29}, {32, 42, 19, 29});
    expectPiece(form, {125, h - 38}, {179, 0, 25, 38});
    expectPiece(form, {w - 150, h - 38}, {126, 72, 150, 38});
    QWidget other;
    other.show();
    other.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&other));
    expectPiece(form, {(w - 100) / 2, 0}, {26, 21, 100, 20});

    const QPoint grip(w - 5, h - 5);
    QTest::mousePress(&form, Qt::LeftButton, {}, grip);
    QTest::mouseMove(&form, grip - QPoint(1000, 1000));
    EXPECT_EQ(form.size(), QSize(275, 116)) << "the least size";
    QTest::mouseRelease(&form, Qt::LeftButton, {}, grip - QPoint(1000, 1000));
    expectPiece(form, {125, 116 - 38}, {126, 72, 150, 38});

    textures.apply(TextureManager::BuiltinName);
    EXPECT_EQ(form.titleView().verticalScrollBarPolicy(), Qt::ScrollBarAsNeeded);

    // A stored size between the steps, given before the window shows.
    ASSERT_TRUE(textures.apply("Classic.wsz"));
    form.hide();
    form.resize(435, 230);
    form.show();
    EXPECT_EQ(form.size(), QSize(425, 232));
    EXPECT_EQ(form.titleView().geometry().bottom(), 232 - 39) << "the list ends above the bottom bar";
    EXPECT_LE(form.titleView().geometry().right(), 425 - 20) << "and beside the scroll bar";
}

TEST_F(SkinnedPlaylist, TheListWearsTheSkinsColoursAndScrollBar)
{
    for (int i = 0; i < 40; ++i)
        playlist.addNetworkEntry(QStringLiteral("http://s%1.example/").arg(i));
    playlist.setCurrentIndex(1);
    form.select(2);
    QAbstractItemModel &rows = *form.titleView().model();
    EXPECT_EQ(rows.index(1, 0).data(Qt::ForegroundRole).value<QColor>(), QColor(0xFF, 0xFF, 0x40));
    const QImage list = form.titleView().viewport()->grab().toImage();
    const auto rowPixel = [&](int row) {
        return list.pixelColor(1, form.titleView().visualRect(rows.index(row, 0)).center().y());
    };
    EXPECT_EQ(rowPixel(3), QColor(0x10, 0x10, 0x30));
    // "40 Song(s) - 0,0Mb" in the bitmap font.
    expectPiece(form, wp::infoRect(form.size()).topLeft() + QPoint(5, 0), {5 * 0, 6, 5, 6}, SkinText);

    const QScrollBar &bar = *form.titleView().verticalScrollBar();
    QTest::mouseClick(&form, Qt::LeftButton, {}, wp::sliderRect(form.size()).bottomLeft() + QPoint(2, -1));
    EXPECT_EQ(bar.value(), bar.maximum());
    QTest::mouseClick(&form, Qt::LeftButton, {}, wp::scrollUpRect(form.size()).center());
    EXPECT_LT(bar.value(), bar.maximum());
}

TEST_F(SkinnedPlaylist, ButtonMenusRunTheWindowsCommands)
{
    writeFile(home.filePath("a.mp3"), QByteArray(2048, 'x'));
    PictureMenu *add = menuOf(wp::MenuButton::Add);
    ASSERT_NE(add, nullptr);
    const QRect button = wp::menuButtonRect(wp::MenuButton::Add, form.size());
    EXPECT_EQ(add->geometry(), QRect(form.mapToGlobal(button.topLeft() - QPoint(3, 36)), QSize(25, 54)))
        << "the lowest item over the button, the bar at their left";
    QTest::mouseMove(add, add->itemRect(1).center());
    expectPiece(*add, {3, 18}, {23, 130, 22, 18});
    add->close();

    dialogs.nextOpenFiles = {home.filePath("a.mp3")};
    choose(wp::MenuButton::Add, 2);
    EXPECT_EQ(playlist.entryCount(), 1) << "FILE adds files";
    choose(wp::MenuButton::Select, 2);
    QSignalSpy tags(&form, &TPLForm::id3TagRequested);
    choose(wp::MenuButton::Misc, 1);
    EXPECT_EQ(tags.size(), 1) << "INF opens the tag editor";
    dialogs.nextSaveFile = home.filePath("saved.m3u");
    choose(wp::MenuButton::List, 1);
    EXPECT_TRUE(QFile::exists(home.filePath("saved.m3u"))) << "SAVE saves the list";
    choose(wp::MenuButton::Remove, 2);
    EXPECT_EQ(playlist.entryCount(), 0) << "SEL removes the selected songs";

    QSignalSpy transport(&form, &TPLForm::transportRequested);
    for (int i = 0; i < 6; ++i)
        QTest::mouseClick(&form, Qt::LeftButton, {}, wp::transportRect(i, form.size()).center());
    ASSERT_EQ(transport.size(), 6);
    EXPECT_EQ(transport.at(2).at(0).toString(), "pause");
    QTest::mouseClick(&form, Qt::LeftButton, {}, wp::closeRect(form.size()).center());
    EXPECT_FALSE(form.isVisible());
}
