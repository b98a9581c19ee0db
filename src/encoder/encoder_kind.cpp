#include "encoder/encoder_kind.h"

#include <QFileInfo>

namespace encoder {

QStringList encoderKindNames()
{
    return {QStringLiteral("BladeEnc v0.82    "), QStringLiteral("l3enc                          (Fraunhofer)"),
        QStringLiteral("MP3enc 3.0               (Fraunhofer)"), QStringLiteral("LAME")};
}

EncoderSwitches switchesOf(EncoderKind kind)
{
    switch (kind) {
    case EncoderKind::BladeEnc:
    case EncoderKind::L3Enc:
        return {{}, {}, {}, QStringLiteral("-br"), QStringLiteral("-hq"), QStringLiteral("-dm")};
    case EncoderKind::Mp3Enc:
        return {QStringLiteral("-v"), QStringLiteral("-if"), QStringLiteral("-of"), QStringLiteral("-br"),
            QStringLiteral("-qual 9"), QStringLiteral("-dm")};
    case EncoderKind::Lame:
        break;
    }
    return {{}, {}, {}, QStringLiteral("-b"), QStringLiteral("-h"), QStringLiteral("-m m")};
}

std::optional<EncoderKind> kindOfProgram(const QString &path)
{
    QString name = QFileInfo(path).fileName().toLower();
    if (name.endsWith(QLatin1String(".exe")))
        name.chop(4);
    if (name == QLatin1String("bladeenc"))
        return EncoderKind::BladeEnc;
    if (name == QLatin1String("l3enc"))
        return EncoderKind::L3Enc;
    if (name == QLatin1String("mp3enc") || name == QLatin1String("mp3encdemo"))
        return EncoderKind::Mp3Enc;
    if (name == QLatin1String("lame"))
        return EncoderKind::Lame;
    return std::nullopt;
}

EncoderSetup chooseEncoder(const EncoderSetup &current, const QString &path)
{
    const auto kind = kindOfProgram(path);
    return {path, kind ? switchesOf(*kind) : current.switches};
}

const std::array<int, 12> &bitRates()
{
    static const std::array<int, 12> rates{
        32000, 40000, 48000, 56000, 64000, 80000, 96000, 112000, 128000, 192000, 256000, 320000};
    return rates;
}

QStringList bitRateNames()
{
    static const char *const comments[] = {"(Better than AM)", "(Near FM)", "(FM Quality)", "(Good FM)",
        "(Near CD)", "(Near CD)", "(CD Quality)", "(CD Quality)", "(CD Quality)", "(High Quality)",
        "(High Quality)", "(Very High Quality)"};
    QStringList names;
    for (std::size_t i = 0; i < bitRates().size(); ++i)
        names << QStringLiteral("%1  -  %2").arg(bitRates()[i]).arg(QLatin1String(comments[i]));
    return names;
}

static QStringList split(const QString &switches)
{
    return switches.split(QLatin1Char(' '), Qt::SkipEmptyParts);
}

QStringList encoderArguments(const QString &program, const EncoderSwitches &switches, const QString &input,
    const QString &output, const EncodeOptions &options)
{
    const bool kbit = kindOfProgram(program) == EncoderKind::Lame;
    QStringList arguments = split(switches.input);
    arguments << QFileInfo(input).absoluteFilePath() << split(switches.output)
              << QFileInfo(output).absoluteFilePath() << split(switches.bitRate)
              << QString::number(kbit ? options.bitRate / 1000 : options.bitRate);
    if (options.downmix)
        arguments << split(switches.downmix);
    if (options.highQuality)
        arguments << split(switches.highQuality);
    return arguments << split(switches.general);
}

}  // namespace encoder
