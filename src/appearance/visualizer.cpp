#include "appearance/visualizer.h"

#include <QPainter>

#include <algorithm>
#include <cmath>
#include <complex>
#include <numbers>

namespace {

constexpr int N = Visualizer::BlockFrames;
constexpr float BarFall = 1.2f;       // rows per block
constexpr float PeakGravity = 0.08f;  // rows per block, per block
constexpr float Floor = 0.5f;

// The window and the transform's twiddle factors, computed once: the
// analyser runs many times a second.
struct Tables {
    std::array<float, N> hann;
    std::array<std::complex<float>, N / 2> twiddle;
};

const Tables &tables()
{
    static const Tables t = [] {
        Tables made;
        for (int i = 0; i < N; ++i)
            made.hann[static_cast<std::size_t>(i)] = 0.5f - 0.5f * std::cos(2.0f * std::numbers::pi_v<float> * i / (N - 1));
        for (int k = 0; k < N / 2; ++k)
            made.twiddle[static_cast<std::size_t>(k)] = std::polar(1.0f, -2.0f * std::numbers::pi_v<float> * k / N);
        return made;
    }();
    return t;
}

// In-place iterative radix-2 transform of a power-of-two length.
void fft(std::array<std::complex<float>, N> &x)
{
    for (int i = 1, j = 0; i < N; ++i) {
        int bit = N >> 1;
        for (; j & bit; bit >>= 1)
            j ^= bit;
        j ^= bit;
        if (i < j)
            std::swap(x[static_cast<std::size_t>(i)], x[static_cast<std::size_t>(j)]);
    }
    const auto &twiddle = tables().twiddle;
    for (int length = 2; length <= N; length <<= 1) {
        const int stride = N / length;
        for (int start = 0; start < N; start += length) {
            for (int k = 0; k < length / 2; ++k) {
                auto &a = x[static_cast<std::size_t>(start + k)];
                auto &b = x[static_cast<std::size_t>(start + k + length / 2)];
                const std::complex<float> w = twiddle[static_cast<std::size_t>(k * stride)];
                // Written out: the library's product checks for infinities.
                const std::complex<float> t(b.real() * w.real() - b.imag() * w.imag(),
                                            b.real() * w.imag() + b.imag() * w.real());
                b = a - t;
                a += t;
            }
        }
    }
}

// The first bin of each bar, spaced evenly in pitch from bin 1 (86 Hz at
// 44.1 kHz) to the top; the last entry closes the last bar.
const std::array<int, Visualizer::Bars + 1> &barEdges()
{
    static const std::array<int, Visualizer::Bars + 1> edges = [] {
        std::array<int, Visualizer::Bars + 1> e{};
        int previous = 0;
        for (int i = 0; i <= Visualizer::Bars; ++i) {
            const double bin = std::pow(N / 2.0, static_cast<double>(i) / Visualizer::Bars);
            previous = i == 0 ? 1 : std::max(previous + 1, static_cast<int>(std::lround(bin)));
            e[static_cast<std::size_t>(i)] = std::min(previous, N / 2);
        }
        return e;
    }();
    return edges;
}

}  // namespace

void Visualizer::setMode(Mode mode)
{
    mode_ = mode;
    clear();
}

void Visualizer::cycleMode()
{
    setMode(mode_ == Mode::Analyser ? Mode::Scope : mode_ == Mode::Scope ? Mode::Off : Mode::Analyser);
}

void Visualizer::clear()
{
    bars_.fill(0);
    peaks_.fill(0);
    peakSpeed_.fill(0);
    scope_.fill(Height / 2);
}

bool Visualizer::moving() const
{
    const auto up = [](float h) { return h > Floor; };
    return std::any_of(bars_.begin(), bars_.end(), up) || std::any_of(peaks_.begin(), peaks_.end(), up);
}

void Visualizer::feed(const int16_t *stereo, int frames)
{
    frames = std::clamp(frames, 0, N);
    std::array<float, N> mono{};
    for (int i = 0; i < frames; ++i)
        mono[static_cast<std::size_t>(i)] = (static_cast<float>(stereo[2 * i]) + stereo[2 * i + 1]) / 65536.0f;
    if (mode_ == Mode::Scope) {
        for (int c = 0; c < ScopeWidth; ++c) {
            const float v = mono[static_cast<std::size_t>(c * frames / ScopeWidth)];
            scope_[static_cast<std::size_t>(c)] = std::clamp(static_cast<int>(std::lround(Height / 2 - v * Height)),
                                                             0, Height - 1);
        }
    } else if (mode_ == Mode::Analyser) {
        analyse(mono);
    }
}

// Hann-windowed magnitudes in decibels; a bar shows -66 dB to -6 dB of full
// scale over its rows, rises at once and falls slowly; its peak waits and
// then falls ever faster.
void Visualizer::analyse(const std::array<float, N> &mono)
{
    std::array<std::complex<float>, N> x;
    for (std::size_t i = 0; i < N; ++i)
        x[i] = mono[i] * tables().hann[i];
    fft(x);
    const auto &edges = barEdges();
    for (int b = 0; b < Bars; ++b) {
        float loudest = 0;  // squared magnitude
        const int first = edges[static_cast<std::size_t>(b)];
        for (int k = first; k < std::max(edges[static_cast<std::size_t>(b) + 1], first + 1); ++k)
            loudest = std::max(loudest, std::norm(x[static_cast<std::size_t>(k)]));
        const float db = 10.0f * std::log10(std::max(loudest / (N * N / 16.0f), 1e-18f));
        const float level = std::clamp((db + 66.0f) / 60.0f * Height, 0.0f, static_cast<float>(Height));
        float &bar = bars_[static_cast<std::size_t>(b)];
        bar = std::max(level, bar - BarFall);
        float &peak = peaks_[static_cast<std::size_t>(b)];
        float &speed = peakSpeed_[static_cast<std::size_t>(b)];
        if (bar >= peak) {
            peak = bar;
            speed = 0;
        } else {
            speed += PeakGravity;
            peak = std::max(bar, peak - speed);
        }
    }
}

// Drawn pixel by pixel into a small picture, which is then put in place in
// one call: the area repaints many times a second.
QImage Visualizer::picture(const VisColors &colors) const
{
    QImage image(ScopeWidth, Height, QImage::Format_RGB32);
    image.fill(colors[VisColors::Background]);
    if (mode_ == Mode::Off)
        return image;
    const auto set = [&image](int x, int y, QRgb color) { reinterpret_cast<QRgb *>(image.scanLine(y))[x] = color; };
    // The grid: a dot on every other pixel of every other row.
    for (int y = 1; y < Height; y += 2)
        for (int x = 1; x < ScopeWidth; x += 2)
            set(x, y, colors[VisColors::Dots]);
    if (mode_ == Mode::Scope) {
        for (int c = 0; c < ScopeWidth; ++c) {
            const int row = scope_[static_cast<std::size_t>(c)];
            set(c, row, colors[VisColors::Scope + std::min(4, std::abs(row - Height / 2) / 2)]);
        }
        return image;
    }
    for (int b = 0; b < Bars; ++b) {
        const int height = static_cast<int>(std::lround(bars_[static_cast<std::size_t>(b)]));
        for (int row = Height - height; row < Height; ++row)
            for (int x = b * 4; x < b * 4 + 3; ++x)
                set(x, row, colors[VisColors::AnalyserTop + row]);
        const int peak = static_cast<int>(std::lround(peaks_[static_cast<std::size_t>(b)]));
        if (peak > 0)
            for (int x = b * 4; x < b * 4 + 3; ++x)
                set(x, std::min(Height - 1, Height - peak), colors[VisColors::Peak]);
    }
    return image;
}

// A texture may give the area another size: the picture is stretched.
void Visualizer::paint(QPainter &painter, const QRect &area, const VisColors &colors) const
{
    if (!area.isEmpty())
        painter.drawImage(area, picture(colors));
}
