// The visualizer: what a skin's viscolor.txt gives, how the analyser and the
// scope answer a known signal, and the colours they paint with.

#include "appearance/visualizer.h"

#include <QImage>
#include <QPainter>

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace {

// Stereo frames of a sine of `hertz` at 44.1 kHz and `amplitude` of full scale.
std::vector<int16_t> sine(double hertz, double amplitude)
{
    std::vector<int16_t> stereo(2 * Visualizer::BlockFrames);
    for (int i = 0; i < Visualizer::BlockFrames; ++i)
        stereo[2 * i] = stereo[2 * i + 1] =
            static_cast<int16_t>(32767 * amplitude * std::sin(2 * M_PI * hertz * i / 44100.0));
    return stereo;
}

QImage painted(const Visualizer &v, const VisColors &colors)
{
    QImage image(Visualizer::ScopeWidth, Visualizer::Height, QImage::Format_RGB32);
    QPainter painter(&image);
    v.paint(painter, image.rect(), colors);
    return image;
}

}  // namespace

TEST(VisColors, EachReadableLineReplacesItsDefaultAndTheRestStay)
{
    const VisColors defaults;
    EXPECT_EQ(defaults[VisColors::AnalyserTop], qRgb(239, 49, 16));
    const VisColors shortFile = parseVisColors("1,2,3, // background\r\n 4 , 5,6\nnot a colour\n300,0,0\n");
    EXPECT_EQ(shortFile[0], qRgb(1, 2, 3));
    EXPECT_EQ(shortFile[1], qRgb(4, 5, 6));
    EXPECT_EQ(shortFile[2], defaults[2]) << "an unreadable line";
    EXPECT_EQ(shortFile[3], qRgb(255, 0, 0)) << "too bright is the brightest";
    EXPECT_EQ(shortFile[23], defaults[23]) << "a short file";
    EXPECT_EQ(parseVisColors(QByteArray(23, '\n') + "7,7,7\n8,8,8\n")[23], qRgb(7, 7, 7)) << "past 24 lines";
}

TEST(Visualizer, TheAnalyserShowsATonesBandAndItsPeakFallsAfterIt)
{
    Visualizer v;
    EXPECT_EQ(v.mode(), Visualizer::Mode::Analyser);
    const auto tone = sine(1000, 0.9);
    v.feed(tone.data(), Visualizer::BlockFrames);
    int loudest = 0;
    for (int b = 1; b < Visualizer::Bars; ++b)
        if (v.barHeight(b) > v.barHeight(loudest))
            loudest = b;
    EXPECT_EQ(v.barHeight(loudest), Visualizer::Height);
    EXPECT_GE(loudest, 7) << "1 kHz sits in the middle bars";
    EXPECT_LE(loudest, 11);
    EXPECT_LT(v.barHeight(0) + v.barHeight(Visualizer::Bars - 1), 8);

    const VisColors colors;
    QImage image = painted(v, colors);
    EXPECT_EQ(image.pixel(4 * loudest, 0), colors[VisColors::Peak]) << "the peak dot over a full bar";
    EXPECT_EQ(image.pixel(4 * loudest + 1, 5), colors[VisColors::AnalyserTop + 5]);
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

TEST(Visualizer, TheScopeFollowsTheWaveAndOffShowsNothing)
{
    Visualizer v;
    v.setMode(Visualizer::Mode::Scope);
    std::vector<int16_t> square(2 * Visualizer::BlockFrames);
    for (int i = 0; i < Visualizer::BlockFrames; ++i)
        square[2 * i] = square[2 * i + 1] = i < Visualizer::BlockFrames / 2 ? 16000 : -16000;
    v.feed(square.data(), Visualizer::BlockFrames);
    EXPECT_LT(v.scopeRow(0), Visualizer::Height / 2);
    EXPECT_GT(v.scopeRow(Visualizer::ScopeWidth - 1), Visualizer::Height / 2);
    const QImage image = painted(v, VisColors());
    EXPECT_NE(image.pixel(0, v.scopeRow(0)), VisColors()[VisColors::Background]);

    v.setMode(Visualizer::Mode::Off);
    EXPECT_EQ(painted(v, VisColors()).pixel(1, 1), VisColors()[VisColors::Background]) << "no grid when off";
}
