// The visualizer: what a skin's viscolor.txt gives, how the analyser answers
// a known signal, and the colours it paints with. The scope and the modes
// are seen in the main window's and the program's tests.

#include "appearance/visualizer.h"

#include <QImage>
#include <QPainter>

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <ranges>
#include <vector>

TEST(VisColors, EachReadableLineReplacesItsDefaultAndTheRestStay)
{
    const VisColors shortFile = parseVisColors("1,2,3, // background\r\n 4 , 5,6\nnot a colour\n300,0,0\n");
    EXPECT_EQ(shortFile[0], qRgb(1, 2, 3));
    EXPECT_EQ(shortFile[1], qRgb(4, 5, 6));
    EXPECT_EQ(shortFile[2], VisColors()[2]) << "an unreadable line";
    EXPECT_EQ(shortFile[3], qRgb(255, 0, 0)) << "too bright is the brightest";
    EXPECT_EQ(parseVisColors(QByteArray(23, '\n') + "7,7,7\n8,8,8\n")[23], qRgb(7, 7, 7)) << "past 24 lines";
}

TEST(Visualizer, TheAnalyserShowsATonesBandAndItsPeakFallsAfterIt)
{
    Visualizer v;
    std::vector<int16_t> tone(2 * Visualizer::BlockFrames);  // 1 kHz in stereo at 44.1 kHz
    for (int i = 0; i < Visualizer::BlockFrames; ++i)
        tone[2 * i] = tone[2 * i + 1] = static_cast<int16_t>(32767 * 0.9 * std::sin(2 * M_PI * 1000 * i / 44100.0));
    v.feed(tone.data(), Visualizer::BlockFrames);
    const int loudest = *std::ranges::max_element(std::views::iota(0, int(Visualizer::Bars)), {},
                                                  [&](int b) { return v.barHeight(b); });
    EXPECT_EQ(v.barHeight(loudest), Visualizer::Height);
    EXPECT_TRUE(loudest >= 7 && loudest <= 11) << "1 kHz sits in the middle bars: " << loudest;

    const VisColors colors;
    QImage image(Visualizer::ScopeWidth, Visualizer::Height, QImage::Format_RGB32);
    QPainter painter(&image);
    v.paint(painter, image.rect(), colors);
    EXPECT_EQ(image.pixel(4 * loudest, 0), colors[VisColors::Peak]) << "the peak dot over a full bar";
    EXPECT_EQ(image.pixel(4 * loudest + 3, 14), colors[VisColors::Background]) << "the gap between bars";

    // Silence: the bar falls, its peak stays above it and then falls too.
    v.feed(nullptr, 0);
    v.feed(nullptr, 0);
    EXPECT_LT(v.barHeight(loudest), Visualizer::Height);
    EXPECT_GT(v.peakHeight(loudest), v.barHeight(loudest));
    for (int i = 0; i < 40 && v.moving(); ++i)
        v.feed(nullptr, 0);
    EXPECT_FALSE(v.moving());
}
