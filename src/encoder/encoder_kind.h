#pragma once

// The command-line encoders the program knows, the switches each kind
// takes, and the argument vector of one encode. The encoder is started
// with these arguments directly, never through a shell, so paths with
// blanks or quotes stay single arguments.

#include <QString>
#include <QStringList>

#include <array>
#include <optional>

namespace encoder {

// The switch fields of the encoder page; each may hold several switches
// separated by blanks.
struct EncoderSwitches {
    QString general, input, output, bitRate, highQuality, downmix;
    bool operator==(const EncoderSwitches &) const = default;
};

// The encoder program and its switch fields, as the preferences keep them.
struct EncoderSetup {
    QString program;
    EncoderSwitches switches;
};

// `path` becomes the encoder; a known program name brings its kind's
// switches, any other keeps the current ones.
EncoderSetup chooseEncoder(const EncoderSetup &current, const QString &path);

enum class EncoderKind { BladeEnc, L3Enc, Mp3Enc, Lame };

// The lines of the kind drop-down, in kind order.
QStringList encoderKindNames();
EncoderSwitches switchesOf(EncoderKind kind);
// The kind a program file name stands for; none for an unknown name.
std::optional<EncoderKind> kindOfProgram(const QString &path);

// Bit rates offered by the recorder and the converter, in bits per second.
const std::array<int, 12> &bitRates();
// The drop-down lines of those bit rates.
QStringList bitRateNames();

struct EncodeOptions {
    int bitRate = 128000;  // bits per second
    bool highQuality = false;
    bool downmix = false;
};

// The arguments for encoding `input` into `output` (both absolute, so a name
// starting with "-" is never taken for a switch). LAME takes kbit/s.
QStringList encoderArguments(const QString &program, const EncoderSwitches &switches, const QString &input,
    const QString &output, const EncodeOptions &options);

}  // namespace encoder
