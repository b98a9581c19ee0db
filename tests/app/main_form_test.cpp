// The main window: hover highlight, clicks, the position knob, a
// texture folder's pictures in both modes and a change of texture.

#include "appearance/winamp_skin.h"
#include "app/main_form.h"
#include "support/texture_fixture.h"

#include <QApplication>
#include <QMouseEvent>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <vector>

namespace {

using namespace fixture_texture;

// The main window, wearing the built-in texture until a test writes one
// into its home folder.
class MainWindow : public testing::Test {
protected:
    QImage shown() { return form.grab().toImage().convertToFormat(QImage::Format_RGB32); }
    // The pointer over `at` with no button held (QTest would move the cursor).
    void hover(QPoint at)
    {
        QMouseEvent move(QEvent::MouseMove, QPointF(at), QPointF(at), Qt::NoButton, Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(&form, &move);
    }

    QTemporaryDir home;
    TextureManager textures{{home.path() + "/textures/"}};
    TMainForm form{textures};
};

class MainFormTest : public MainWindow {
protected:
    static QImage picture(const QImage &source, const QRect &rect)
    {
        return source.copy(rect).convertToFormat(QImage::Format_RGB32);
    }
    // Whether the window shows `rect` of `source` there.
    bool showsFrom(const QImage &source, const QRect &rect) { return picture(shown(), rect) == picture(source, rect); }
    void click(QPoint at) { QTest::mouseClick(&form, Qt::LeftButton, {}, at); }

    const MainLayout &layout = form.texture().layout.main;
    const TexturePictures &pictures = form.texture().pictures;
};

// The main window wearing a texture the test writes, whose pixels tell
// where they come from.
class WornTexture : public MainWindow {
protected:
    // The form shows the rectangle `source` of bitmap `id` at `at`, apart
    // from what lies in `covered`.
    void expectPiece(QPoint at, QRect source, int id, QRect covered = {})
    {
        const QImage image = shown();
        for (int y = 0; y < source.height(); ++y)
            for (int x = 0; x < source.width(); ++x)
                if (!covered.contains(at + QPoint(x, y))) {
                    ASSERT_EQ(image.pixel(at + QPoint(x, y)), coded(source.x() + x, source.y() + y, id))
                        << x << "," << y << " of " << id;
                }
    }
};

class CodedTextureTest : public WornTexture {
protected:
    void SetUp() override
    {
        writeCodedTexture(home.path());
        ASSERT_TRUE(textures.apply("Coded"));
    }

    // What the layout's tables put on main.bmp for a time, a play state, a
    // position and the volume 100 and balance 50 the window starts with.
    static QImage expectedWindow(int minutes, int seconds, int state, double position)
    {
        QImage expected = codedPicture(MainSize, Main);
        auto put = [&expected](QPoint at, QRect source, int id) {
            for (int y = 0; y < source.height(); ++y)
                for (int x = 0; x < source.width(); ++x)
                    expected.setPixel(at + QPoint(x, y), coded(source.x() + x, source.y() + y, id));
        };
        // Digit d is the d-th fifth of the counter's width in Numbers.bmp;
        // the four digits stand at twentieths 0, 5, 11 and 16.
        const int w = Counter.width(), h = Counter.height();
        const int digits[] = {minutes / 10, minutes % 10, seconds / 10, seconds % 10};
        const int starts[] = {0, 5, 11, 16};
        for (int i = 0; i < 4; ++i)
            put(Counter.topLeft() + QPoint(w * starts[i] / 20, 0), QRect(w * digits[i] / 5, 0, w / 5, h), Numbers);
        const int stateColumn = state == 1 ? 0 : state == 2 ? 22 : 11;
        put(Action, QRect(stateColumn, 0, 11, 13), Status);
        const double angle = std::numbers::pi * (1 - position);
        const QPoint dot(PositionDot.left() + int(std::lround(PositionDot.width() * std::cos(angle))),
                         PositionDot.top() - int(std::lround(PositionDot.height() * std::sin(angle))));
        put(dot, QRect(33, 0, 5, 5), Status);
        put(QPoint(10 + int(std::lround(60 * position)), 30), QRect(0, 0, 10, 6), Knob);
        put(QPoint(100 + 20, 30), QRect(0, 0, 6, 6), LevelKnob);
        put(QPoint(130 + 10, 30), QRect(0, 0, 6, 6), LevelKnob);
        return expected;
    }
};

// The main window wearing the Winamp skin "Classic", volume 100, balance 50,
// stopped with nothing loaded.
class WinampSkinTest : public WornTexture {
protected:
    void SetUp() override
    {
        writeCodedWinampSkin(home.path());
        ASSERT_TRUE(textures.apply("Classic"));
    }
};

}  // namespace

// At 2x every skin pixel is a crisp 2 x 2 square, the dome keeps its shape
// and the pointer finds the buttons where they are shown; 1.5x is smoothed.
TEST_F(MainFormTest, AtEachWindowSizeTheSkinScalesAsAWholeAndTheButtonsFollow)
{
    const QRect band(0, 80, 245, 10);
    textures.setWindowScale(2);
    EXPECT_FALSE(form.mask().contains(QPoint(10, 20)));
    EXPECT_TRUE(picture(shown(), QRect(0, 160, 490, 20)) ==
                picture(pictures.main, band).scaled(490, 20, Qt::IgnoreAspectRatio, Qt::FastTransformation));
    QSignalSpy plays(&form, &TMainForm::playClicked);
    const QPoint play = layout.play.center() * 2;
    hover(play);
    click(play);
    EXPECT_EQ(plays.size(), 1);
    QSignalSpy balanceWheels(&form, &TMainForm::balanceWheeled);
    const QPoint balance = layout.scrollerBalance.knobAtStart().center() * 2;
    QWheelEvent wheel(balance, balance, {}, {0, 120}, Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(&form, &wheel);
    EXPECT_EQ(balanceWheels.size(), 1) << "the wheel over the balance slider";

    textures.setWindowScale(1.5);
    const QImage sharp = picture(pictures.main, band).scaled(368, 15, Qt::IgnoreAspectRatio, Qt::FastTransformation);
    EXPECT_FALSE(picture(shown(), QRect(0, 120, 368, 15)) == sharp) << "blended, not every third pixel doubled";
    textures.setWindowScale(1);
    EXPECT_TRUE(showsFrom(pictures.main, band));
}

// Repeat and shuffle show theirs while on, and never on hover; staying on
// top keeps the window shown.
TEST_F(MainFormTest, HoverHighlightsOneButtonFromTheSelectedPictureAndStayingOnTopKeepsItShown)
{
    form.showShuffle(true);
    EXPECT_TRUE(showsFrom(pictures.main, layout.repeat));
    EXPECT_TRUE(showsFrom(pictures.selected, layout.shuffle));

    hover(layout.play.center());
    EXPECT_TRUE(showsFrom(pictures.selected, layout.play));
    hover(layout.stop.center());
    EXPECT_TRUE(showsFrom(pictures.main, layout.play));
    EXPECT_TRUE(showsFrom(pictures.selected, layout.stop));

    hover(layout.repeat.center());
    EXPECT_EQ(form.highlightedButton(), MainButton::None);
    hover(layout.info.center());
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(&form, &leave);
    EXPECT_EQ(form.highlightedButton(), MainButton::None);

    form.show();
    form.setStayOnTop(true);
    ASSERT_TRUE(form.windowFlags() & Qt::WindowStaysOnTopHint);
    EXPECT_TRUE(form.isVisible()) << "changing the flags to stay on top shows the window again";
}

TEST_F(MainFormTest, EveryButtonReportsItsOwnClick)
{
    std::vector<MainButton> clicked;
    const std::pair<MainButton, void (TMainForm::*)()> buttonSignals[] = {
        {MainButton::Play, &TMainForm::playClicked},           {MainButton::Stop, &TMainForm::stopClicked},
        {MainButton::Pause, &TMainForm::pauseClicked},         {MainButton::Load, &TMainForm::loadClicked},
        {MainButton::Playlist, &TMainForm::playlistClicked},   {MainButton::Minimize, &TMainForm::minimizeClicked},
        {MainButton::Info, &TMainForm::infoClicked},           {MainButton::Previous, &TMainForm::previousClicked},
        {MainButton::Rewind, &TMainForm::rewindClicked},       {MainButton::Forward, &TMainForm::forwardClicked},
        {MainButton::Next, &TMainForm::nextClicked},           {MainButton::Exit, &TMainForm::exitClicked},
        {MainButton::Equalizer, &TMainForm::equalizerClicked}, {MainButton::Cd, &TMainForm::cdClicked},
        {MainButton::Audio, &TMainForm::audioClicked},         {MainButton::Repeat, &TMainForm::repeatClicked},
        {MainButton::Shuffle, &TMainForm::shuffleClicked},
    };
    for (const auto &[button, clickedSignal] : buttonSignals)
        QObject::connect(&form, clickedSignal, [&clicked, button = button] { clicked.push_back(button); });

    for (const auto &[button, clickedSignal] : buttonSignals) {
        clicked.clear();
        click(mainButtonRect(layout, button).center());
        EXPECT_EQ(clicked, std::vector<MainButton>{button}) << static_cast<int>(button);
    }

    // Pressed on one button and let go over another: no click.
    clicked.clear();
    QTest::mousePress(&form, Qt::LeftButton, {}, layout.play.center());
    QTest::mouseRelease(&form, Qt::LeftButton, {}, layout.stop.center());
    EXPECT_TRUE(clicked.empty());
    // The right button is left to the pop-up menu.
    QTest::mouseClick(&form, Qt::RightButton, {}, layout.play.center());
    EXPECT_TRUE(clicked.empty());
}

TEST_F(MainFormTest, PositionKnobFollowsPlaybackAndReportsWhereItWasLetGo)
{
    form.showPosition(0.5);
    std::vector<std::pair<int, int>> dragged, released;
    QObject::connect(&form, &TMainForm::positionDragged,
                     [&](int offset, int width) { dragged.emplace_back(offset, width); });
    QObject::connect(&form, &TMainForm::positionReleased,
                     [&](int offset, int width) { released.emplace_back(offset, width); });
    const QPoint grip(50, layout.scrollerTime.top + 4);
    QTest::mousePress(&form, Qt::LeftButton, {}, grip);
    QTest::mouseMove(&form, grip + QPoint(10, 0));
    // While held, the player's time codes do not move it.
    form.showPosition(0.9);
    EXPECT_EQ(form.positionKnobLeft(), 54);
    QTest::mouseMove(&form, grip + QPoint(100, 30));
    QTest::mouseRelease(&form, Qt::LeftButton, {}, grip + QPoint(100, 30));

    EXPECT_EQ(dragged, (std::vector<std::pair<int, int>>{{38, 56}, {56, 56}}));
    EXPECT_EQ(released, (std::vector<std::pair<int, int>>{{56, 56}}));
    form.showPosition(0.25);
    EXPECT_EQ(form.positionKnobLeft(), 30);
}

// Repeat is on, but the texture gives its button no size: nothing of the
// "selected" picture shows. (The mask's cut: the X11 test.)
TEST_F(CodedTextureTest, ShowsMainBmpWithTheCounterStateDotAndKnobsWhereTheTablesPutThem)
{
    form.showRepeat(true);
    form.showTime("12:34");
    form.showPlayState(1);
    form.showPosition(0.5);
    EXPECT_EQ(shown(), expectedWindow(12, 34, 1, 0.5));

    // A stream past 100 minutes, a song past its duration.
    form.showTime("123:45");
    form.showPlayState(2);
    form.showPosition(1.5);
    EXPECT_EQ(shown(), expectedWindow(99, 59, 2, 1.0));
}

// volDown.bmp shows while the volume or balance knob is held.
TEST_F(CodedTextureTest, AHeldLevelKnobShowsItsPressedPicture)
{
    const QRect volume(100 + 20, 30, 6, 6), balance(130 + 10, 30, 6, 6);
    for (const QRect &held : {volume, balance}) {
        QTest::mousePress(&form, Qt::LeftButton, {}, held.center());
        EXPECT_EQ(shown().copy(held), codedPicture(held.size(), LevelKnobDown));
        EXPECT_EQ(shown().copy(held == volume ? balance : volume), codedPicture(held.size(), LevelKnob));
        QTest::mouseRelease(&form, Qt::LeftButton, {}, held.center());
        EXPECT_EQ(shown().copy(held), codedPicture(held.size(), LevelKnob));
    }
}

TEST_F(CodedTextureTest, CoolBarTakesItsSizePicturesAndButtonsAndGivesThemBack)
{
    QSignalSpy modes(&form, &TMainForm::modeChanged);
    form.showPosition(0.25);
    form.setNormalMode(false);
    EXPECT_EQ(form.size(), CoolBarSize);
    EXPECT_TRUE(form.mask().isEmpty()) << "the Cool Bar is a rectangle";
    EXPECT_EQ(shown().pixel(5, 5), coded(5, 5, CoolBarMain));

    const QPoint play = CoolBarPlay.center();
    hover(play);
    EXPECT_EQ(shown().pixel(play), coded(play.x(), play.y(), CoolBarSelected));
    EXPECT_FALSE(form.hoverAnimating()) << "the Cool Bar does not animate";

    form.ToggleMode();
    EXPECT_EQ(form.highlightedButton(), MainButton::None);
    EXPECT_EQ(form.positionKnobLeft(), 10 + 15);
    EXPECT_EQ(modes.size(), 2);
}

TEST_F(WinampSkinTest, ShowsTheSkinsBitmapsInTheWinampPlacesAndNotItsTextureIni)
{
    expectPiece({0, 0}, {27, 0, 275, 14}, SkinTitleBar);
    expectPiece({16, 88}, {0, 0, 114, 18}, SkinButtons);
    const QRect volumeKnob(111 + 47, 58, 14, 11);
    expectPiece({107, 57}, {0, 15 * 27, 68, 14}, SkinVolume, volumeKnob);
    expectPiece(volumeKnob.topLeft(), {15, 422, 14, 11}, SkinVolume);
    expectPiece({26, 28}, {18, 0, 9, 9}, SkinPlayPause);
    EXPECT_EQ(form.texture().pictures.equalizer.pixel(10, 119), coded(10, 119, SkinEqualizer));

    form.showPlayState(2);
    form.showTime("100:07");
    expectPiece({26, 28}, {9, 0, 9, 9}, SkinPlayPause);
    // Past 100 minutes the counter shows 99:59.
    expectPiece({26 + 22, 26}, {81, 0, 9, 13}, SkinNumbers);
    form.showVolume(3);
    expectPiece({107, 57}, {0, 0, 68, 14}, SkinVolume, QRect(111 + 1, 58, 14, 11));
    // Bit rate and kHz in the font's digits, once the stream tells them.
    expectPiece({111, 43}, {111, 43, 55, 6}, SkinMain);
    form.showStreamNumbers(128, 44100);
    for (const auto &[digit, place] : {std::pair{1, 111}, {2, 116}, {8, 121}, {4, 156}, {4, 161}})
        expectPiece({place, 43}, {5 * digit, 6, 5, 6}, SkinText);

    hover({50, 95});
    expectPiece({39, 88}, {23, 18, 23, 18}, SkinButtons);
    // The place at the lower right and the strip at the left say what they
    // open (the clicks are the program's tests).
    EXPECT_EQ(form.hintAt({256, 98}), "Browser");
    EXPECT_EQ(form.hintAt({13, 40}), "Preferences");
}

// Glyphs from the bitmap font: letters in either case, digits, the blank
// and the dot in their own cells, no glyph for a character past 255;
// nothing beyond the strip, also while it scrolls.
TEST_F(WinampSkinTest, TheTitleIsDrawnInTheBitmapFontWithinItsStrip)
{
    form.showTitle(QString("ABC 1.mp3") + QChar(0x100) + QString(40, 'z'));
    const QRgb gap = coded(112, 27, SkinMain);
    auto glyphAt = [&](int i, QRect glyph) { expectPiece({111 + 5 * i, 27}, glyph, SkinText); };
    glyphAt(0, {0, 0, 5, 6});
    glyphAt(3, {150, 0, 5, 6});
    glyphAt(4, {5, 6, 5, 6});
    glyphAt(5, {55, 6, 5, 6});
    EXPECT_EQ(shown().pixel(111 + 5 * 9 + 2, 29), gap);
    EXPECT_EQ(shown().pixel(266, 28), coded(266, 28, SkinMain)) << "the strip ends at 266";
    EXPECT_EQ(winampGlyph(0x1E5), -1);

    // It scrolls on eight blank glyphs past its end, and rests at the strip's left.
    EXPECT_EQ(form.titleWidth(), 5 * (50 + 8));
    form.setTitleLeft(-10);
    glyphAt(0, {10, 0, 5, 6});
    EXPECT_EQ(shown().pixel(266, 28), coded(266, 28, SkinMain));
    form.showTitle("Short");
    EXPECT_EQ(form.titleLeft(), 0);
}

// The remaining time's minus made from Numbers.bmp's blank and the bar of
// its 2, or from a Nums_ex.bmp alone; region.txt shapes the window and its
// shade bar.
TEST_F(WinampSkinTest, ARemainingTimesMinusAndRegionTxt)
{
    const QString skin = home.path() + "/textures/Classic/";
    form.showTime("-1:05");
    expectPiece({26 + 10, 26}, {90, 0, 9, 6}, SkinNumbers);
    expectPiece({26 + 10 + 2, 26 + 6}, {20, 6, 5, 1}, SkinNumbers);
    QFile::remove(skin + "NUMBERS.BMP");
    writeBitmap(skin + "nums_ex.bmp", codedPicture(QSize(108, 13), SkinNumbersEx));
    writeFile(skin + "REGION.TXT", "[normal]\r\nNumPoints = 4\r\nPointList = 0,0, 275,0, 275,100, 0,100\r\n"
                                   "[WindowShade]\nNumPoints=4\nPointList=5,0,270,0,270,14,5,14\n");
    ASSERT_TRUE(textures.apply("Classic"));
    expectPiece({26 + 10, 26}, {99, 0, 9, 13}, SkinNumbersEx);
    EXPECT_EQ(form.mask(), QRegion(0, 0, 275, 100));
    form.setNormalMode(false);
    EXPECT_EQ(form.mask(), QRegion(5, 0, 265, 14));
}

// Mode=0: the title bar's shade picture, its small buttons, a position
// knob within its track and the time in the bitmap font.
TEST_F(WinampSkinTest, CompactModeIsTheShadeBar)
{
    form.showTime("12:34");
    form.showPosition(0.5);
    QSignalSpy plays(&form, &TMainForm::playClicked);
    form.setNormalMode(false);
    expectPiece({0, 0}, {27, 29, 134, 14}, SkinTitleBar);
    for (const auto &[digit, place] : {std::pair{1, 134}, {2, 139}, {3, 147}, {4, 152}})
        expectPiece({place, 4}, {5 * digit, 6, 5, 6}, SkinText);
    expectPiece({227 + 6, 4}, {20, 36, 3, 7}, SkinTitleBar);

    form.showPosition(2);
    expectPiece({227 + 12, 4}, {20, 36, 3, 7}, SkinTitleBar);
    QTest::mouseClick(&form, Qt::LeftButton, {}, QPoint(180, 8));
    EXPECT_EQ(plays.size(), 1);
}

// The area at 24,43 in the skin's viscolor.txt (short: the rest are the
// defaults); a click cycles analyser, scope and off; the shade bar has none.
TEST_F(WinampSkinTest, TheVisualizerShowsTheSoundInTheSkinsColoursAndAClickCyclesIt)
{
    writeFile(home.path() + "/textures/Classic/VISCOLOR.TXT", "1,2,3, // background\n4,5,6, // dots\n");
    ASSERT_TRUE(textures.apply("Classic"));
    EXPECT_EQ(shown().pixel(24, 43), qRgb(1, 2, 3));
    EXPECT_EQ(shown().pixel(25, 44), qRgb(4, 5, 6));

    QSignalSpy modes(&form, &TMainForm::visualizerModeChanged);
    for (int i = 0; i < 3; ++i)
        QTest::mouseClick(&form, Qt::LeftButton, {}, QPoint(60, 50));
    ASSERT_EQ(modes.size(), 3);
    EXPECT_EQ(modes[2][0].value<Visualizer::Mode>(), Visualizer::Mode::Analyser) << "analyser, scope, off, analyser";
    form.setNormalMode(false);
    EXPECT_TRUE(form.visualizerRect().isEmpty());
}
