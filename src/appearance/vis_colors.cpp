#include "appearance/vis_colors.h"

#include "appearance/texture_source.h"

#include <QList>
#include <QRegularExpression>

#include <algorithm>

std::array<QRgb, 24> VisColors::defaults()
{
    return {qRgb(0, 0, 0),       qRgb(24, 33, 41),    qRgb(239, 49, 16),   qRgb(206, 41, 16),
            qRgb(214, 90, 0),    qRgb(214, 102, 0),   qRgb(214, 115, 0),   qRgb(198, 123, 8),
            qRgb(222, 165, 24),  qRgb(214, 181, 33),  qRgb(189, 222, 41),  qRgb(148, 222, 33),
            qRgb(41, 206, 16),   qRgb(50, 190, 16),   qRgb(57, 181, 16),   qRgb(49, 156, 8),
            qRgb(41, 148, 0),    qRgb(24, 132, 8),    qRgb(255, 255, 255), qRgb(214, 214, 222),
            qRgb(181, 189, 189), qRgb(160, 170, 175), qRgb(148, 156, 165), qRgb(150, 150, 150)};
}

VisColors parseVisColors(const QByteArray &text)
{
    static const QRegularExpression rgb(QStringLiteral("^\\s*(\\d{1,3})\\s*,\\s*(\\d{1,3})\\s*,\\s*(\\d{1,3})"));
    VisColors result;
    const QList<QByteArray> lines = text.split('\n');
    for (std::size_t i = 0; i < result.colors.size() && i < static_cast<std::size_t>(lines.size()); ++i) {
        const QRegularExpressionMatch m = rgb.match(QString::fromLatin1(lines[static_cast<qsizetype>(i)]));
        if (!m.hasMatch())
            continue;
        const auto part = [&m](int n) { return std::min(255, m.captured(n).toInt()); };
        result.colors[i] = qRgb(part(1), part(2), part(3));
    }
    return result;
}

VisColors readVisColors(const TextureSource &source)
{
    // Far more than 24 lines with comments need.
    constexpr qint64 limit = 16 * 1024;
    const std::optional<QByteArray> text = source.file(QStringLiteral("viscolor.txt"), limit);
    return text ? parseVisColors(*text) : VisColors();
}
