// ludro-demo-songs OUTDIR
// Synthesizes the demo songs of the program folder as WAV files, so the
// player ships with music of its own and nothing from outside.

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <numbers>
#include <string>
#include <vector>

namespace {

constexpr double kTwoPi = 2.0 * std::numbers::pi;
constexpr double kPeak = 0.7;          // about -3 dBFS: room for encoder overshoot
constexpr double kTailSeconds = 2.0;   // lets the last chord and the echo ring out
constexpr double kFadeSeconds = 0.8;
constexpr int kRest = -100;
constexpr int kBassLowest = 36;   // C2: low enough to carry, high enough for small speakers
constexpr int kChordLowest = 55;  // G3: chords sit between the bass and the melody
constexpr double kLegato = 0.92;   // melody notes leave a breath before the next one

// Mix levels: the melody leads, the accompaniment stays behind it.
constexpr double kMelodyLevel = 0.3;
constexpr double kMelodyEchoSend = 0.5;
constexpr double kEchoLevel = 0.5;
constexpr double kBassLevel = 0.25;
constexpr double kChordLevel = 0.1;
constexpr double kPadLevel = 0.09;
constexpr double kArpeggioLevel = 0.1;
constexpr double kKickLevel = 0.35;

using Scale = std::array<int, 7>;
constexpr Scale kMajor = {0, 2, 4, 5, 7, 9, 11};
constexpr Scale kMinor = {0, 2, 3, 5, 7, 8, 10};

struct Timbre {
  std::vector<double> harmonics;  // amplitude of partial 1, 2, 3, ...
  double attack;                  // seconds to full level
  double decay;                   // exponential time constant in seconds
  double release;                 // seconds to silence after note off
  double chorusCents = 0.0;       // > 0: two detuned voices spread left/right
  double vibrato = 0.0;           // relative depth of a 5 Hz pitch wobble
};

const Timbre kFlute{{1.0, 0.25, 0.08}, 0.06, 2.5, 0.15, 0.0, 0.004};
const Timbre kLead{{1.0, 0.5, 0.33, 0.25, 0.2}, 0.01, 0.8, 0.1, 4.0, 0.0};
const Timbre kSoftLead{{1.0, 0.15, 0.05}, 0.12, 4.0, 0.3, 0.0, 0.005};
const Timbre kPiano{{1.0, 0.45, 0.2, 0.1}, 0.005, 0.5, 0.08};
const Timbre kPad{{1.0, 0.3, 0.15}, 0.4, 12.0, 0.6, 7.0};
const Timbre kBass{{1.0, 0.35, 0.1}, 0.01, 0.9, 0.06};
const Timbre kElectricPiano{{1.0, 0.2, 0.0, 0.05}, 0.005, 0.7, 0.2};

// What the accompaniment plays at one point of every bar.
enum class Part { BassRoot, BassFifth, Chord, Pad, Arpeggio, Kick, Snare, Hat };

struct Hit {
  Part part;
  double beat;
  double beats = 1.0;
  int index = 0;  // chord tone for Arpeggio
};

struct Note {
  int degree;  // scale step above the melody tonic, kRest for silence
  double beats;
};

struct Song {
  std::string file;
  int rate;
  int channels;
  int tonic;  // MIDI note of the key in the melody's octave
  Scale scale;
  double bpm;
  int beatsPerBar;
  bool sevenths;
  std::vector<int> chords;  // scale step of each bar's chord root; the last bar ends the song
  std::vector<Hit> pattern;
  std::vector<Note> melody;
  const Timbre& lead;
  double echoSeconds;
  double echoFeedback;
};

struct Bus {
  std::vector<float> left, right, send;  // send feeds the echo

  explicit Bus(std::size_t frames) : left(frames), right(frames), send(frames) {}
  std::size_t frames() const { return left.size(); }
};

class Noise {
 public:
  double next() {
    state_ = state_ * 1664525u + 1013904223u;  // fixed seed: same song every build
    return static_cast<double>(state_) / 2147483648.0 - 1.0;
  }

 private:
  std::uint32_t state_ = 12345u;
};

double midiToHz(int midi) { return 440.0 * std::pow(2.0, (midi - 69) / 12.0); }

int degreeToMidi(const Song& song, int degree) {
  const int octave = degree >= 0 ? degree / 7 : (degree - 6) / 7;
  return song.tonic + 12 * octave + song.scale[degree - 7 * octave];
}

// Close voicing: every chord tone within one octave above `lowest`.
int placeAbove(int midi, int lowest) {
  const int pitchClass = ((midi - lowest) % 12 + 12) % 12;
  return lowest + pitchClass;
}

std::vector<int> chordTones(const Song& song, int root) {
  std::vector<int> tones;
  const int count = song.sevenths ? 4 : 3;
  for (int i = 0; i < count; ++i) tones.push_back(placeAbove(degreeToMidi(song, root + 2 * i), kChordLowest));
  return tones;
}

void addFrame(Bus& bus, std::size_t frame, double value, double pan, double send) {
  if (frame >= bus.frames()) return;
  const double angle = (pan + 1.0) * std::numbers::pi / 4.0;  // constant power
  bus.left[frame] += static_cast<float>(value * std::cos(angle));
  bus.right[frame] += static_cast<float>(value * std::sin(angle));
  bus.send[frame] += static_cast<float>(value * send);
}

double envelope(const Timbre& t, double time, double length) {
  double level = std::min(1.0, time / t.attack) * std::exp(-time / t.decay);
  if (time > length) level *= std::max(0.0, 1.0 - (time - length) / t.release);
  return level;
}

void playVoice(Bus& bus, int rate, const Timbre& t, double hz, double start, double length,
               double gain, double pan, double send) {
  const auto first = static_cast<std::size_t>(start * rate);
  const auto count = static_cast<std::size_t>((length + t.release) * rate);
  double phase = 0.0;
  for (std::size_t n = 0; n < count; ++n) {
    const double time = static_cast<double>(n) / rate;
    phase += kTwoPi * hz * (1.0 + t.vibrato * std::sin(kTwoPi * 5.0 * time)) / rate;
    double sample = 0.0;
    for (std::size_t h = 0; h < t.harmonics.size(); ++h) sample += t.harmonics[h] * std::sin((h + 1) * phase);
    addFrame(bus, first + n, gain * envelope(t, time, length) * sample, pan, send);
  }
}

void playNote(Bus& bus, int rate, const Timbre& t, int midi, double start, double length,
              double gain, double pan, double send = 0.0) {
  const double hz = midiToHz(midi);
  if (t.chorusCents <= 0.0) {
    playVoice(bus, rate, t, hz, start, length, gain, pan, send);
    return;
  }
  const double detune = std::pow(2.0, t.chorusCents / 1200.0);
  playVoice(bus, rate, t, hz / detune, start, length, gain * 0.6, pan - 0.4, send);
  playVoice(bus, rate, t, hz * detune, start, length, gain * 0.6, pan + 0.4, send);
}

// A sine that falls from 120 Hz to 45 Hz: the thump of a kick drum.
void playKick(Bus& bus, int rate, double start) {
  constexpr double kDecay = 0.12;
  double phase = 0.0;
  for (std::size_t n = 0; n < static_cast<std::size_t>(6.0 * kDecay * rate); ++n) {
    const double time = static_cast<double>(n) / rate;
    phase += kTwoPi * (45.0 + 75.0 * std::exp(-time / 0.03)) / rate;
    addFrame(bus, static_cast<std::size_t>(start * rate) + n, kKickLevel * std::exp(-time / kDecay) * std::sin(phase), 0.0, 0.0);
  }
}

// Noise bursts: `tone` (Hz) adds a drum body, `bright` differentiates the noise into a hiss.
void playNoise(Bus& bus, int rate, Noise& noise, double start, double decay, double gain, double pan,
               double tone, bool bright) {
  double previous = 0.0;
  for (std::size_t n = 0; n < static_cast<std::size_t>(6.0 * decay * rate); ++n) {
    const double time = static_cast<double>(n) / rate;
    const double white = noise.next();
    const double colour = bright ? white - previous : white;
    previous = white;
    const double body = tone > 0.0 ? std::sin(kTwoPi * tone * time) : 0.0;
    addFrame(bus, static_cast<std::size_t>(start * rate) + n, gain * std::exp(-time / decay) * (colour + body), pan, 0.0);
  }
}

void playHit(Bus& bus, const Song& song, Noise& noise, const Hit& hit, int root, double barStart) {
  const double beat = 60.0 / song.bpm;
  const double start = barStart + hit.beat * beat;
  const double length = hit.beats * beat;
  const std::vector<int> tones = chordTones(song, root);
  const int bassRoot = placeAbove(degreeToMidi(song, root), kBassLowest);
  switch (hit.part) {
    case Part::BassRoot: playNote(bus, song.rate, kBass, bassRoot, start, length, kBassLevel, 0.0); break;
    case Part::BassFifth: playNote(bus, song.rate, kBass, bassRoot + 7, start, length, 0.9 * kBassLevel, 0.0); break;
    case Part::Chord:
      for (int tone : tones) playNote(bus, song.rate, kPiano, tone, start, length, kChordLevel, -0.3);
      break;
    case Part::Pad:
      for (int tone : tones) playNote(bus, song.rate, kPad, tone, start, length, kPadLevel, 0.0);
      break;
    case Part::Arpeggio:
      playNote(bus, song.rate, kElectricPiano, tones[hit.index % tones.size()], start, length, kArpeggioLevel,
               hit.index % 2 == 0 ? -0.5 : 0.5, 0.3);
      break;
    case Part::Kick: playKick(bus, song.rate, start); break;
    case Part::Snare: playNoise(bus, song.rate, noise, start, 0.05, 0.12, 0.1, 180.0, false); break;
    case Part::Hat: playNoise(bus, song.rate, noise, start, 0.012, 0.06, 0.35, 0.0, true); break;
  }
}

void playAccompaniment(Bus& bus, const Song& song) {
  Noise noise;
  const double barSeconds = song.beatsPerBar * 60.0 / song.bpm;
  const std::size_t last = song.chords.size() - 1;
  for (std::size_t bar = 0; bar < last; ++bar)
    for (const Hit& hit : song.pattern) playHit(bus, song, noise, hit, song.chords[bar], bar * barSeconds);
  // The final bar is a held chord over the root, without the groove.
  const double whole = song.beatsPerBar;
  for (const Hit& hit : {Hit{Part::BassRoot, 0, whole}, Hit{Part::Pad, 0, whole}, Hit{Part::Chord, 0, whole}})
    playHit(bus, song, noise, hit, song.chords[last], last * barSeconds);
}

void playMelody(Bus& bus, const Song& song) {
  const double beat = 60.0 / song.bpm;
  double time = 0.0;
  for (const Note& note : song.melody) {
    if (note.degree != kRest)
      playNote(bus, song.rate, song.lead, degreeToMidi(song, note.degree), time,
               note.beats * beat * kLegato, kMelodyLevel, 0.1, kMelodyEchoSend);
    time += note.beats * beat;
  }
}

// Ping-pong echo: repeats alternate between the left and the right side.
void addEcho(Bus& bus, int rate, double seconds, double feedback) {
  const auto delay = static_cast<std::size_t>(seconds * rate);
  std::vector<float> wetLeft(bus.frames()), wetRight(bus.frames());
  for (std::size_t n = delay; n < bus.frames(); ++n) {
    wetLeft[n] = static_cast<float>(bus.send[n - delay] + feedback * wetRight[n - delay]);
    wetRight[n] = static_cast<float>(feedback * wetLeft[n - delay]);
  }
  for (std::size_t n = 0; n < bus.frames(); ++n) {
    bus.left[n] += static_cast<float>(kEchoLevel * wetLeft[n]);
    bus.right[n] += static_cast<float>(kEchoLevel * wetRight[n]);
  }
}

void fadeOut(Bus& bus, int rate) {
  const auto length = static_cast<std::size_t>(kFadeSeconds * rate);
  for (std::size_t i = 0; i < length; ++i) {
    const auto gain = static_cast<float>(i) / static_cast<float>(length);
    bus.left[bus.frames() - 1 - i] *= gain;
    bus.right[bus.frames() - 1 - i] *= gain;
  }
}

std::vector<std::int16_t> toPcm(const Bus& bus, int channels) {
  std::vector<double> mix;
  for (std::size_t n = 0; n < bus.frames(); ++n) {
    if (channels == 1) {
      mix.push_back(0.5 * (bus.left[n] + bus.right[n]));
    } else {
      mix.push_back(bus.left[n]);
      mix.push_back(bus.right[n]);
    }
  }
  double peak = 1e-9;
  for (double s : mix) peak = std::max(peak, std::abs(s));
  std::vector<std::int16_t> pcm;
  for (double s : mix) pcm.push_back(static_cast<std::int16_t>(std::lround(s / peak * kPeak * 32767.0)));
  return pcm;
}

void putLe(std::ofstream& out, std::uint32_t value, int bytes) {
  for (int i = 0; i < bytes; ++i) out.put(static_cast<char>((value >> (8 * i)) & 0xFF));
}

bool writeWav(const std::filesystem::path& path, const std::vector<std::int16_t>& pcm, int rate, int channels) {
  std::ofstream out(path, std::ios::binary);
  const auto dataBytes = static_cast<std::uint32_t>(pcm.size() * 2);
  out.write("RIFF", 4);
  putLe(out, 36 + dataBytes, 4);
  out.write("WAVEfmt ", 8);
  putLe(out, 16, 4);
  putLe(out, 1, 2);  // PCM
  putLe(out, channels, 2);
  putLe(out, rate, 4);
  putLe(out, rate * channels * 2, 4);
  putLe(out, channels * 2, 2);
  putLe(out, 16, 2);
  out.write("data", 4);
  putLe(out, dataBytes, 4);
  for (std::int16_t s : pcm) putLe(out, static_cast<std::uint16_t>(s), 2);
  return static_cast<bool>(out);
}

bool render(const Song& song, const std::filesystem::path& dir) {
  const double seconds = song.chords.size() * song.beatsPerBar * 60.0 / song.bpm + kTailSeconds;
  Bus bus(static_cast<std::size_t>(seconds * song.rate));
  playAccompaniment(bus, song);
  playMelody(bus, song);
  addEcho(bus, song.rate, song.echoSeconds, song.echoFeedback);
  fadeOut(bus, song.rate);
  return writeWav(dir / (song.file + ".wav"), toPcm(bus, song.channels), song.rate, song.channels);
}

// Calm waltz in G major: bass on one, soft piano on two and three.
Song morningWaltz() {
  return {"morning-waltz", 44100, 2, 67, kMajor, 132, 3, false,
          {0, 0, 3, 0, 4, 4, 0, 0, 0, 5, 3, 4, 0, 3, 4, 0, 0},
          {{Part::BassRoot, 0}, {Part::Chord, 1, 0.8}, {Part::Chord, 2, 0.8}},
          {{4, 2}, {2, 1},
           {0, 1}, {2, 1}, {4, 1},
           {5, 2}, {3, 1},
           {2, 3},
           {1, 2}, {3, 1},
           {4, 1}, {3, 1}, {1, 1},
           {2, 2}, {0, 1},
           {0, 3},
           {4, 2}, {7, 1},
           {5, 2}, {7, 1},
           {7, 1}, {5, 1}, {3, 1},
           {4, 2}, {6, 1},
           {7, 2}, {4, 1},
           {5, 1}, {7, 1}, {5, 1},
           {4, 1}, {3, 1}, {1, 1},
           {0, 3},
           {kRest, 3}},
          kFlute, 0.34, 0.3};
}

// Bright pop tune in D major over the I-V-vi-IV loop, with drums.
Song brightDay() {
  return {"bright-day", 44100, 2, 62, kMajor, 116, 4, false,
          {0, 4, 5, 3, 0, 4, 5, 3, 0, 4, 5, 3, 0},
          {{Part::Kick, 0}, {Part::Kick, 2}, {Part::Kick, 2.5}, {Part::Snare, 1}, {Part::Snare, 3},
           {Part::Hat, 0.5}, {Part::Hat, 1.5}, {Part::Hat, 2.5}, {Part::Hat, 3.5},
           {Part::BassRoot, 0, 1}, {Part::BassRoot, 1.5, 0.5}, {Part::BassRoot, 2, 1},
           {Part::BassRoot, 3, 0.5}, {Part::BassFifth, 3.5, 0.5},
           {Part::Chord, 0, 1.5}, {Part::Chord, 1.5, 1.5}, {Part::Chord, 3, 1}},
          {{2, 1}, {4, 1}, {4, 1.5}, {2, 0.5},
           {1, 1.5}, {0, 0.5}, {-1, 1}, {1, 1},
           {0, 1}, {2, 1}, {5, 1.5}, {4, 0.5},
           {3, 2}, {kRest, 1}, {4, 0.5}, {5, 0.5},
           {7, 1.5}, {5, 0.5}, {4, 1}, {2, 1},
           {4, 1}, {6, 1}, {8, 1.5}, {6, 0.5},
           {7, 1}, {5, 1}, {2, 1}, {5, 1},
           {3, 1}, {5, 1}, {7, 2},
           {9, 1.5}, {7, 0.5}, {4, 2},
           {8, 1.5}, {6, 0.5}, {4, 2},
           {7, 1}, {5, 1}, {4, 1}, {2, 1},
           {3, 1}, {4, 1}, {5, 1}, {6, 1},
           {7, 4}},
          kLead, 0.39, 0.25};
}

// Slow evening piece in A minor: seventh chords, a pad and an arpeggio.
Song eveningLights() {
  constexpr std::array kArpeggio = {0, 1, 2, 3, 2, 1, 2, 3};  // chord tones, one per eighth
  std::vector<Hit> pattern = {{Part::BassRoot, 0, 4}, {Part::Pad, 0, 4}};
  for (std::size_t i = 0; i < kArpeggio.size(); ++i) pattern.push_back({Part::Arpeggio, 0.5 * i, 0.5, kArpeggio[i]});
  return {"evening-lights", 44100, 2, 69, kMinor, 80, 4, true,
          {0, 5, 2, 6, 0, 5, 3, 4, 0},
          pattern,
          {{4, 3}, {2, 1},
           {0, 2}, {2, 1}, {4, 1},
           {6, 3}, {4, 1},
           {3, 2}, {1, 1}, {3, 1},
           {4, 1.5}, {5, 0.5}, {4, 1}, {2, 1},
           {0, 2}, {2, 1}, {7, 1},
           {5, 2}, {3, 1}, {2, 1},
           {1, 2}, {4, 2},
           {0, 4}},
          kSoftLead, 0.56, 0.4};
}

// Short mono fanfare in F major for the layer II demo.
Song littleFanfare() {
  return {"little-fanfare", 32000, 1, 65, kMajor, 132, 4, false,
          {0, 5, 3, 4, 0},
          {{Part::Kick, 0}, {Part::Kick, 2}, {Part::Hat, 1}, {Part::Hat, 3},
           {Part::BassRoot, 0, 2}, {Part::BassRoot, 2, 2}, {Part::Chord, 0, 2}, {Part::Chord, 2, 2}},
          {{0, 0.5}, {2, 0.5}, {4, 1}, {7, 2},
           {5, 1.5}, {4, 0.5}, {5, 1}, {7, 1},
           {7, 1.5}, {5, 0.5}, {3, 2},
           {4, 1}, {6, 1}, {8, 1}, {6, 1},
           {7, 4}},
          kLead, 0.23, 0.2};
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::cerr << "usage: ludro-demo-songs OUTDIR\n";
    return 2;
  }
  const std::filesystem::path dir = argv[1];
  std::error_code error;
  std::filesystem::create_directories(dir, error);
  for (const Song& song : {morningWaltz(), brightDay(), eveningLights(), littleFanfare()}) {
    if (!render(song, dir)) {
      std::cerr << "ludro-demo-songs: cannot write " << (dir / (song.file + ".wav")) << '\n';
      return 1;
    }
  }
  return 0;
}
