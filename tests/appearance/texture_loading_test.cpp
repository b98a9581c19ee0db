// Texture folders: the description files, the pictures and the mask as the
// loader reads them from folders users fill, and choosing a texture.

#include "appearance/skin_region.h"
#include "appearance/texture_archive.h"
#include "appearance/texture_bitmap.h"
#include "appearance/texture_description.h"
#include "appearance/texture_loader.h"
#include "appearance/texture_manager.h"
#include "appearance/window_shape.h"
#include "support/texture_fixture.h"
#include "support/zip_file.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace fixture_texture;

namespace {

// Little-endian fields as BMP headers hold them: each value in its number of bytes.
QByteArray fields(std::initializer_list<std::pair<quint32, int>> values)
{
    QByteArray bytes;
    for (const auto &[value, size] : values)
        for (int i = 0; i < size; ++i)
            bytes.append(char(i < 4 ? (value >> (8 * i)) & 0xFF : 0));
    return bytes;
}

TextureSet loaded(const QString &folder)
{
    const LoadedTexture texture = loadTextureFolder(TextureFolder(folder));
    EXPECT_TRUE(texture.texture) << texture.error.toStdString();
    return texture.texture ? *texture.texture : TextureSet{};
}

}  // namespace

TEST(TextureIni, ReadsHexNumbersColourNamesAndCommentsUntilABadColour)
{
    TextureLayout layout;
    TextureInfo info;
    readTextureIni("[Texture]\r\nName = Sunset \r\nVersion=1.2\r\n; Author=nobody\r\n"
                   "[main]\r\nMain_Width=$12C\r\nMain_Height=0x64\r\nFileName_Color=CLRED\r\nFileName_Bold=0\r\n"
                   "FileName_Font=\r\nFileName_Size=x\r\nMonoStereo_Color=$00FF8000\r\nButtonMenu_Left=1000\r\n"
                   "FilePosBitMap_Width=14\r\nFilePosBitMap_Height=20\r\nMainBG_Color=dark red\r\n"
                   "ScrollerTime_Left=5\r\n[Playlist]\r\nList_Color=clLime\r\n",
                   true, layout, info);
    const MainLayout &main = layout.main;
    EXPECT_EQ(QSize(main.width, main.height), QSize(300, 100));
    EXPECT_EQ(main.fileName.color, 0x0000FFu);
    EXPECT_EQ(main.monoStereo.color, 0x00FF8000u);
    EXPECT_EQ(main.fileName.font, "Arial") << "an empty face keeps the present one";
    // Nothing after the bad colour is read.
    EXPECT_EQ(main.scrollerTime.left, TextureLayout().main.scrollerTime.left);
    EXPECT_EQ(layout.playlist.listColor, 0x00FFFFFFu);

    readTextureIni("[main]\nScrollerTime_Length=-40\n", true, layout, info);
    EXPECT_EQ(layout.main.scrollerTime.length, 0) << "a knob travels forward only";
}

namespace {

// The "prefs" lines up to the marker: mostly 0, which means the defaults.
QStringList prefsUpToMarker()
{
    QStringList lines(26 + 4 + 2 + 1 + 2 + 56 + 15 + 1 + 24, "0");
    lines[3] = "clYellow";                 // FileName colour
    lines[26 + 4 + 2 + 1] = "300";         // main width
    lines[26 + 4 + 2 + 1 + 2 + 56] = "9";  // ScrollerTime left
    return lines;
}

}  // namespace

TEST(LegacyPrefs, SkipsCommentsReadsTheExtendedBlockAndItsLastLineAndStopsAtABadNumber)
{
    QStringList lines = prefsUpToMarker();
    lines = QStringList{lines[0], "# a comment", "/ another", " indented", ""} + lines.mid(1);
    lines += QStringList{"EXTENDED", "300", "0"};  // Cool Bar width, height
    lines += QStringList(14 * 4 + 6 + 2 + 29, "0");
    lines += QStringList{"clRed", "50", "5", "10", "17"};  // ignored colour; counter left, top, cell, height

    TextureLayout layout;
    TextureInfo info;
    readLegacyPrefs(lines.join("\r\n").toUtf8(), "Old Folder", true, layout, info);
    const MainLayout &main = layout.main;
    EXPECT_EQ(main.fileName.color, 0x0000FFFFu);
    EXPECT_EQ(QSize(main.width, main.height), QSize(300, 179));
    EXPECT_EQ(main.scrollerTime.left, 9);
    EXPECT_EQ(main.equalizer.left(), HiddenLeft) << "a left below 1 hides";
    EXPECT_EQ(QSize(layout.coolBar.width, layout.coolBar.height), QSize(300, 28));
    EXPECT_EQ(main.counter, QRect(50, 5, 50, 17)) << "the last line counts";

    // Without the marker the counter hides; a bad number stops the reading.
    lines = prefsUpToMarker();
    lines << "plain";
    layout = {};
    readLegacyPrefs(lines.join('\n').toUtf8(), "Old", true, layout, info);
    EXPECT_EQ(layout.main.counter.left(), HiddenLeft);
    lines[26 + 4 + 2 + 1 + 1] = "tall";  // the main height
    layout = {};
    readLegacyPrefs(lines.join('\n').toUtf8(), "Old", true, layout, info);
    EXPECT_EQ(layout.main.width, 300) << "read before the error";
    EXPECT_EQ(layout.main.height, TextureLayout().main.height);
}

TEST(TextureFolderLoading, TakesEveryPictureWithoutRegardToCaseAndTheHoverFrames)
{
    QTemporaryDir home;
    const QString folder = writeCodedTexture(home.path(), 2);
    // The exact spelling wins over another one.
    writeBitmap(folder + "main.bmp", codedPicture(MainSize, 20));
    const TextureSet texture = loaded(folder);
    // Pictures, knobs and the mask are seen drawn in the main window's tests.
    EXPECT_EQ(texture.pictures.main.pixel(3, 4), coded(3, 4, 20));
    EXPECT_EQ(texture.hoverFrames, 2);
    EXPECT_EQ(texture.playlistHoverFrames, 3);

    // One and a half times the main picture's height does not animate.
    writeBitmap(folder + "Selected.bmp", codedPicture(QSize(200, 150), Selected));
    EXPECT_EQ(loaded(folder).hoverFrames, 1);
}

// Pictures users bring: too large, broken, with an alpha channel; masks
// all black or all white; descriptions that leave no window.
TEST(TextureFolderLoading, BadPicturesAreSkippedAndNoWindowIsLeftInvisible)
{
    QTemporaryDir dir;
    const QString folder = dir.path() + "/Odd/";
    writeBitmap(folder + "main.bmp", codedPicture(QSize(MaxBitmapSide + 1, 1), Main));
    writeFile(folder + "eqmain.bmp", "BM not a picture");
    // A 2 x 1 BMP with 32-bit pixels and an alpha mask, its alpha all 0.
    // clang-format off
    writeFile(folder + "Status.bmp", fields({{0x4D42, 2}, {14 + 108 + 8, 4}, {0, 4}, {14 + 108, 4}, {108, 4}, {2, 4},
        {1, 4}, {1, 2}, {32, 2}, {3, 4}, {8, 4}, {0, 16}, {0x00FF0000, 4}, {0x0000FF00, 4}, {0x000000FF, 4},
        {0xFF000000, 4}, {0x73524742, 4}, {0, 48}, {0x00405060, 4}, {0x00102030, 4}}));
    // clang-format on
    QImage mask(30, 20, QImage::Format_RGB32);
    mask.fill(Qt::black);
    writeBitmap(folder + "mainmask.bmp", mask);
    writeFile(folder + "Texture.ini", "[Texture]\nName=Odd\n");

    TextureSet texture = loaded(folder);
    const TextureSet builtin = TextureSet::builtin();
    EXPECT_EQ(texture.pictures.main, builtin.pictures.main);
    EXPECT_EQ(texture.pictures.status.pixel(0, 0), qRgb(0x40, 0x50, 0x60)) << "the alpha is ignored";
    EXPECT_EQ(texture.mainShape, QRegion(0, 0, 30, 20)) << "all black: the mask's rectangle";
    EXPECT_EQ(QSize(texture.layout.main.width, texture.layout.main.height), QSize(245, 140));

    mask.fill(Qt::white);
    writeBitmap(folder + "mainmask.bmp", mask);
    writeBitmap(folder + "playlist.bmp", codedPicture(QSize(480, 120), Playlist));
    writeBitmap(folder + "selected.bmp", codedPicture(QSize(245, 300), Selected));
    writeFile(folder + "Texture.ini", "[Texture]\nName=" + QByteArray(MaxDescriptionBytes, 'x') + "\n");
    texture = loaded(folder);
    EXPECT_TRUE(texture.mainShape.isEmpty()) << "all white: no mask at all";
    EXPECT_EQ(texture.playlistHoverFrames, 1) << "a playlist picture too short still has its frame";
    EXPECT_EQ(texture.info.name, builtin.info.name) << "a description too large is none";

    // A Winamp skin, however small its bitmap.
    writeBitmap(folder + "CBUTTONS.BMP", codedPicture(QSize(1, 1), Main));
    texture = loaded(folder);
    EXPECT_EQ(texture.layout.main.width, 275);
    EXPECT_EQ(texture.pictures.main.pixel(16, 88), coded(0, 0, Main));
}

TEST(TextureManager, ListsPlainFolderNamesAndKeepsItsTextureWhenANameCannotBeUsed)
{
    QTemporaryDir home;
    writeCodedTexture(home.path());
    for (const char *folder : {"beta", "Alpha", ".hidden"})
        QDir(home.path()).mkpath(QStringLiteral("textures/") + folder);
    writeFile(home.filePath("textures/gamma"), "a file");
    writeFile(home.filePath("textures/Torn.WSZ"), "PK not a zip");
    TextureManager textures({home.path() + "/textures/"});
    EXPECT_EQ(textures.names(), QStringList({TextureManager::BuiltinName, "Alpha", "beta", "Coded", "Torn.WSZ"}));

    ASSERT_TRUE(textures.apply("Coded"));
    const auto coded = textures.texture();
    for (const char *name : {"../textures/Coded", "", ".hidden", "Missing", "gamma", ".", "Torn.WSZ", "No.wsz"})
        EXPECT_FALSE(textures.apply(name)) << name;
    EXPECT_EQ(textures.texture(), coded);
}

namespace {

// Sets the uncompressed size every header declares for the first member.
QByteArray withDeclaredSize(QByteArray zip, quint32 size)
{
    const QByteArray declared = fields({{size, 4}});
    zip.replace(zip.indexOf("PK\x03\x04") + 22, 4, declared);
    return zip.replace(zip.indexOf("PK\x01\x02") + 24, 4, declared);
}

}  // namespace

// Zipped skins users download: members in folders of either separator,
// one that climbs out of the archive, the same name twice, sizes that lie
// either way, a bomb, a torn archive. A member is found by its base name,
// the shallowest first; nothing is unpacked anywhere.
TEST(TextureArchive, MembersAreFoundByBaseNameAndHostileArchivesAreRefused)
{
    QTemporaryDir home;
    const QString skin = writeCodedWinampSkin(home.path());
    const QString textures = home.path() + "/textures/";
    const QByteArray buttons = readFile(skin + "CBUTTONS.BMP");
    const QByteArray zeros(MaxBitmapBytes + 1, 0);
    writeZip(textures + "Odd.wsz", {{"../../x.bmp", buttons},
                                    {"Skin/Deeper/CBUTTONS.BMP", "deeper"},
                                    {"skin\\cbuttons.bmp", buttons},
                                    {"MAIN.BMP", zeros}});
    const TextureArchive odd(textures + "Odd.wsz");
    ASSERT_TRUE(odd.usable());
    EXPECT_EQ(odd.file("cButtons.bmp", MaxBitmapBytes), buttons) << "the shallowest of the two";
    EXPECT_EQ(odd.file("x.bmp", MaxBitmapBytes), buttons) << "read in place, never unpacked";
    EXPECT_FALSE(odd.file("main.bmp", MaxBitmapBytes)) << "the bomb is over the bitmap cap";
    EXPECT_EQ(odd.file("main.bmp", MaxArchiveBytes), zeros) << "a caller that allows more gets it";
    EXPECT_FALSE(odd.file("main.bmp", MaxArchiveBytes)) << "but all reads together stay within the cap";

    const QByteArray zip = writeZip(textures + "One.wsz", {{"cButtons.bmp", buttons}});
    for (const quint32 size : {0xC0000000u, 10u}) {
        writeFile(textures + "Lying.wsz", withDeclaredSize(zip, size));
        const TextureArchive lying(textures + "Lying.wsz");
        EXPECT_FALSE(lying.usable() && lying.file("cButtons.bmp", MaxBitmapBytes)) << size;
    }
    writeFile(textures + "Torn.wsz", zip.left(zip.size() / 2));
    EXPECT_FALSE(TextureArchive(textures + "Torn.wsz").usable());

    TextureManager manager({textures});
    EXPECT_TRUE(manager.apply("Odd.wsz"));
    EXPECT_EQ(QDir(textures).entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
              QStringList({"Classic", "Lying.wsz", "Odd.wsz", "One.wsz", "Torn.wsz"}))
        << "nothing unpacked";
}

// region.txt as skins write it and as hostile ones do (counts beyond the
// corners, corners far away, numbers too long, two-corner polygons), and
// the cap on a mask's rectangles.
TEST(SkinShapes, RegionTxtPolygonsAndMasksStayWithinTheirCaps)
{
    const std::pair<QByteArray, QRegion> regions[] = {
        {"[normal]\nnumpoints = 2 , 4\npointlist= 1 1 5 5, 10,10 20,10 20,20 10,20\n", QRegion(10, 10, 10, 10)},
        {"[Normal]\nNumPoints=4,99\nPointList=-99999999999,0,2147483647,0,2147483647,50,-5,50,1\n", {0, 0, 275, 50}},
        {"[Normal]\nNumPoints=-3,4\nPointList=0,0,9,0,9,9,0,9\n", {}},
        {"[Normal]\nNumPoints=4\nPointList=300,0,400,0,400,9,300,9\n", {}},
        {"[Normal]\nNumPoints=" + QByteArray(MaxRegionPoints, '3') + "\n", {}}};
    for (const auto &[text, shape] : regions)
        EXPECT_EQ(readSkinRegion(text, "Normal", {275, 116}), shape) << text.left(60).toStdString();

    QImage checkers(2048, 2049, QImage::Format_RGB32);  // the last row white
    checkers.fill(Qt::white);
    for (int y = 0; y < 2048; ++y)
        for (int x = y % 2; x < 2048; x += 2)
            checkers.setPixel(x, y, 0);
    EXPECT_EQ(maskRegion(checkers, checkers.size()).rectCount(), MaxShapeRectangles);
    EXPECT_EQ(maskRegion(checkers, {3, 1}), QRegion(0, 0, 1, 1) + QRegion(2, 0, 1, 1)) << "within the window";
    checkers.setPixel(7, 2048, 0);
    EXPECT_TRUE(maskRegion(checkers, checkers.size()).isEmpty()) << "one rectangle more than any X server takes";
}

namespace {

// A run-length coded 8-bit BMP of `side` x `side` pixels in a few dozen
// bytes: a two-colour palette and the end-of-bitmap code at once.
QByteArray runLengthBitmap(quint32 side)
{
    const quint32 offset = 14 + 40 + 2 * 4;
    // clang-format off
    return fields({{0x4D42, 2}, {offset + 2, 4}, {0, 4}, {offset, 4}, {40, 4}, {side, 4}, {side, 4}, {1, 2}, {8, 2},
                   {1, 4}, {2, 4}, {0, 8}, {2, 4}, {0, 4}, {0x00FFFFFF, 4}, {0, 4}, {0x0100, 2}});
    // clang-format on
}

}  // namespace

// A few kilobytes that declare a gigabyte of pixels, zipped or in a folder:
// the skin is refused before its bitmaps decode. The cap counts the pixels
// of all of a skin's bitmaps together.
TEST(TextureManager, SkinsOfMorePixelsThanTheCapAreRefusedBeforeTheyDecode)
{
    QTemporaryDir home;
    const QString textures = home.path() + "/textures/";
    const QByteArray bomb = runLengthBitmap(MaxBitmapSide);
    for (const char *name : {"main.bmp", "eqmain.bmp", "selected.bmp", "playlist.bmp", "Numbers.bmp", "mainmask.bmp"})
        writeFile(textures + "Bombs/" + name, bomb);
    // Each bitmap within the cap, together beyond it.
    for (const char *name : {"main.bmp", "selected.bmp", "playlist.bmp"})
        writeFile(textures + "Large/" + name, runLengthBitmap(2100));
    ZipMembers skin;
    for (const char *name : {"cButtons.bmp", "main.bmp", "titlebar.bmp", "eqmain.bmp", "Numbers.bmp", "Text.bmp"})
        skin.emplace_back(name, bomb);
    EXPECT_LT(writeZip(textures + "Bomb.wsz", skin).size(), 8 * 1024);

    TextureManager manager({textures});
    ASSERT_TRUE(manager.apply("Large"));
    writeFile(textures + "Large/eqmain.bmp", runLengthBitmap(2100));
    for (const char *name : {"Bomb.wsz", "Bombs", "Large"}) {
        QString error;
        EXPECT_FALSE(manager.apply(name, &error)) << name;
        EXPECT_TRUE(error.contains("too large")) << error.toStdString();
    }
    EXPECT_EQ(manager.name(), "Large") << "the texture in use stays";
}
