#include "appearance/winamp_skin.h"

#include "appearance/skin_region.h"
#include "appearance/texture_bitmap.h"
#include "appearance/texture_description.h"
#include "appearance/window_shape.h"

namespace {

constexpr QSize WindowSize{275, 116};
constexpr QSize ShadeSize{275, 14};

QImage bitmap(const TextureSource &source, PixelBudget &budget, const char *name)
{
    return readTextureBitmap(source, QString::fromLatin1(name), budget).value_or(QImage());
}

// A rectangle given by its edges, as the skin tables write them.
QRect edges(int left, int top, int right, int bottom)
{
    return QRect(QPoint(left, top), QPoint(right - 1, bottom - 1));
}

// The rectangle of `picture` as a picture of its own, transparent where
// the bitmap has no pixels.
QImage cut(const QImage &picture, const QRect &rect)
{
    QImage piece(rect.size(), QImage::Format_ARGB32_Premultiplied);
    piece.fill(Qt::transparent);
    QPainter painter(&piece);
    drawPiece(painter, QPoint(0, 0), picture, rect);
    return piece;
}

void placeButtons(MainLayout &main)
{
    const QRect hidden(HiddenLeft, 0, 0, 0);
    main.menu = {6, 3, 9, 9};
    main.minimize = {244, 3, 9, 9};
    main.mode = {254, 3, 9, 9};
    main.exit = {264, 3, 9, 9};
    main.options = {10, 22, 8, 43};
    main.equalizer = {220, 58, 22, 12};
    main.playlist = {244, 58, 22, 12};
    main.previous = {16, 88, 23, 18};
    main.play = {39, 88, 23, 18};
    main.pause = {62, 88, 23, 18};
    main.stop = {85, 88, 23, 18};
    main.next = {108, 88, 22, 18};
    main.load = {135, 89, 22, 16};
    main.shuffle = {164, 89, 47, 15};
    main.repeat = {210, 89, 28, 15};
    main.browser = {247, 89, 20, 20};
    main.info = main.prefs = main.rewind = main.forward = main.cd = main.audio = main.positionDot = hidden;
}

MainLayout winampLayout()
{
    MainLayout main;
    main.width = WindowSize.width();
    main.height = WindowSize.height();
    placeButtons(main);
    // The texts are drawn from the bitmap font; the title's panel is the
    // strip it stands in.
    main.fileName.left = 111;
    main.fileName.top = 27;
    main.fileNameWidth = 155;
    main.fileNameHeight = 6;
    main.monoStereo.left = main.fileLength.left = main.filePos.left = 300;
    main.action = {300, 0};
    main.counter = {26, 26, 73, 13};
    main.visualizer = {24, 43, 76, 16};
    main.scrollerTime = {16, 72, 29, 10, 220};
    main.scrollerVolume = {111, 58, 14, 11, 47};
    main.scrollerBalance = {177, 58, 14, 11, 24};
    return main;
}

// The shade bar: the window buttons as in normal mode, small transport
// buttons in a row, no texts of the texture.
CoolBarLayout shadeLayout()
{
    const QRect hidden(HiddenLeft, 0, 0, 0);
    CoolBarLayout bar;
    bar.width = ShadeSize.width();
    bar.height = ShadeSize.height();
    bar.menu = {6, 3, 9, 9};
    bar.minimize = {244, 3, 9, 9};
    bar.mode = {254, 3, 9, 9};
    bar.exit = {264, 3, 9, 9};
    bar.previous = {166, 4, 9, 9};
    bar.play = {176, 4, 9, 9};
    bar.pause = {186, 4, 9, 9};
    bar.stop = {196, 4, 9, 9};
    bar.next = {206, 4, 9, 9};
    bar.load = {216, 4, 9, 9};
    bar.rewind = bar.forward = bar.playlist = bar.info = hidden;
    bar.counter.left = HiddenLeft;
    bar.status = {HiddenLeft, 0};
    return bar;
}

struct Piece {
    const QImage *picture;
    QRect source;
    QPoint at;
};

void paste(QImage &onto, std::initializer_list<Piece> pieces)
{
    QPainter painter(&onto);
    for (const Piece &piece : pieces)
        drawPiece(painter, piece.at, *piece.picture, piece.source);
}

// "Numbers.bmp" has the ten digits and a blank but no minus: the minus of
// "Nums_ex.bmp" is made from the blank and the middle bar of the 2, as
// classic players do.
QImage withMinus(const QImage &numbers)
{
    if (numbers.width() < 99 || numbers.width() >= 108)
        return numbers;
    QImage digits(108, numbers.height(), QImage::Format_RGB32);
    digits.fill(Qt::black);
    paste(digits, {{&numbers, edges(0, 0, 99, numbers.height()), {0, 0}},
                   {&numbers, edges(90, 0, 99, numbers.height()), {99, 0}},
                   {&numbers, edges(20, 6, 25, 7), {101, 6}}});
    return digits;
}

}  // namespace

LoadedTexture loadWinampSkin(const TextureSource &source)
{
    PixelBudget budget;
    const QImage buttons = bitmap(source, budget, "cButtons.bmp");
    if (buttons.isNull())
        return {nullptr, budget.exceeded() ? PixelBudget::refusal(source.name())
                                           : QStringLiteral("%1 has no readable cButtons.bmp.").arg(source.name())};
    const QImage titleBar = bitmap(source, budget, "titlebar.bmp");
    const QImage positionBar = bitmap(source, budget, "posbar.bmp");
    const QImage shuffleRepeat = bitmap(source, budget, "shufrep.bmp");
    const QImage volume = bitmap(source, budget, "volume.bmp");

    auto texture = std::make_shared<TextureSet>(TextureSet::builtin());
    texture->layout.main = winampLayout();
    texture->info = {QStringLiteral("WinAMP Skin"), {}, QStringLiteral("Not Available"), {}, {},
                     QStringLiteral("No Information")};
    TexturePictures &p = texture->pictures;

    // Without main.bmp the built-in background shows under the layout.
    const QImage main = bitmap(source, budget, "main.bmp");
    QImage background(WindowSize, QImage::Format_RGB32);
    background.fill(Qt::black);
    paste(background, {{main.isNull() ? &p.main : &main, QRect(QPoint(0, 0), WindowSize), {0, 0}}});
    paste(background, {{&buttons, edges(0, 0, 114, 18), {16, 88}},
                       {&titleBar, edges(27, 0, 302, 14), {0, 0}},
                       {&buttons, edges(114, 0, 136, 16), {135, 89}},
                       {&titleBar, edges(304, 0, 312, 43), {10, 22}},
                       {&positionBar, edges(0, 0, 248, 10), {16, 72}},
                       {&shuffleRepeat, edges(0, 61, 46, 73), {220, 58}}});
    p.main = background;
    p.selected = background;
    paste(p.selected, {{&buttons, edges(0, 18, 23, 36), {16, 88}},
                       {&buttons, edges(23, 18, 46, 36), {39, 88}},
                       {&buttons, edges(46, 18, 69, 36), {62, 88}},
                       {&buttons, edges(69, 18, 92, 36), {85, 88}},
                       {&buttons, edges(92, 18, 114, 36), {108, 88}},
                       {&buttons, edges(114, 16, 136, 32), {135, 89}},
                       {&shuffleRepeat, edges(70, 61, 92, 73), {244, 58}},
                       {&shuffleRepeat, edges(46, 61, 68, 73), {220, 58}},
                       {&titleBar, edges(0, 9, 9, 18), {6, 3}},
                       {&titleBar, edges(9, 9, 18, 18), {244, 3}},
                       {&titleBar, edges(18, 9, 27, 18), {264, 3}},
                       {&titleBar, edges(9, 27, 18, 36), {254, 3}}});
    texture->layout.coolBar = shadeLayout();
    p.coolBarMain = QImage(ShadeSize, QImage::Format_RGB32);
    p.coolBarMain.fill(Qt::black);
    paste(p.coolBarMain, {{&titleBar, edges(27, 29, 302, 43), {0, 0}}, {&titleBar, edges(0, 36, 17, 43), {226, 4}}});
    p.coolBarSelected = p.coolBarMain;
    // The equalizer window takes its pieces from this picture.
    if (const QImage equalizer = bitmap(source, budget, "eqmain.bmp"); !equalizer.isNull())
        p.equalizer = equalizer;

    if (!positionBar.isNull()) {
        p.positionKnob = cut(positionBar, edges(248, 0, 277, 10));
        p.positionKnobPressed = cut(positionBar, edges(278, 0, 307, 10));
    }
    if (!volume.isNull()) {
        p.volumeKnob = cut(volume, edges(15, 422, 29, 433));
        p.volumeKnobPressed = cut(volume, edges(0, 422, 14, 433));
    }
    texture->hoverFrames = 1;
    texture->visColors = readVisColors(source);

    texture->mainShape = {};
    if (const std::optional<QImage> mask = readTextureBitmap(source, QStringLiteral("mainmask.bmp"), budget))
        texture->mainShape = maskRegion(*mask, WindowSize);
    if (const auto regions = source.file(QStringLiteral("region.txt"), MaxDescriptionBytes)) {
        if (texture->mainShape.isEmpty())
            texture->mainShape = readSkinRegion(*regions, QStringLiteral("Normal"), WindowSize);
        texture->coolBarShape = readSkinRegion(*regions, QStringLiteral("WindowShade"), ShadeSize);
    }

    auto skin = std::make_shared<WinampSkin>();
    // The extended digits carry the minus of a remaining time.
    skin->numbers = bitmap(source, budget, "Nums_ex.bmp");
    if (skin->numbers.isNull())
        skin->numbers = withMinus(bitmap(source, budget, "Numbers.bmp"));
    skin->text = bitmap(source, budget, "Text.bmp");
    skin->playPause = bitmap(source, budget, "Playpaus.bmp");
    skin->volume = volume;
    skin->shuffleRepeat = shuffleRepeat;
    skin->monoStereo = bitmap(source, budget, "monoster.bmp");
    skin->shadeKnob = cut(titleBar, edges(20, 36, 23, 43));
    skin->titleBackground = background.pixel(112, 27);
    skin->playlist.picture = bitmap(source, budget, "pledit.bmp");
    if (const auto colours = source.file(QStringLiteral("pledit.txt"), MaxDescriptionBytes))
        skin->playlist.colours = readWinampPlaylistColours(*colours);
    if (budget.exceeded())
        return {nullptr, PixelBudget::refusal(source.name())};
    texture->winamp = std::move(skin);
    return {std::move(texture), {}};
}
