#include "appearance/skin_region.h"

#include "platform/profile_file.h"

#include <QList>
#include <QPolygon>
#include <QRegularExpression>

#include <algorithm>
#include <climits>

namespace {

// Every whole number of the value, whatever stands between them (skins
// write commas, blanks or both).
QList<int> numbers(const QString &text)
{
    static const QRegularExpression number(QStringLiteral("-?\\d+"));
    QList<int> found;
    for (auto match = number.globalMatch(text); match.hasNext() && found.size() < 2 * MaxRegionPoints;) {
        const QString digits = match.next().captured();
        // Longer than any int: as far as an int reaches.
        const qlonglong value = digits.size() > 11 ? (digits.startsWith('-') ? INT_MIN : INT_MAX) : digits.toLongLong();
        found.append(int(std::clamp<qlonglong>(value, INT_MIN, INT_MAX)));
    }
    return found;
}

}  // namespace

QRegion readSkinRegion(const QByteArray &text, const QString &section, QSize window)
{
    const platform::ProfileFile file = platform::ProfileFile::parse(text);
    const QList<int> counts = numbers(file.readString(section, QStringLiteral("NumPoints"), {}));
    const QList<int> corners = numbers(file.readString(section, QStringLiteral("PointList"), {}));
    // Corners far outside the window are brought nearer, so the scan of a
    // polygon never works with numbers of hostile size.
    const int reach = 4 * std::max(window.width(), window.height());
    auto near = [reach](int value) { return std::clamp(value, -reach, reach); };
    QRegion shape;
    qsizetype next = 0;
    for (const int count : counts) {
        if (count <= 0 || count > (corners.size() - next) / 2)
            break;
        QPolygon polygon;
        for (int i = 0; i < count; ++i, next += 2)
            polygon << QPoint(near(corners[next]), near(corners[next + 1]));
        if (count >= 3)
            shape += QRegion(polygon, Qt::WindingFill);
    }
    return shape.intersected(QRect(QPoint(0, 0), window));
}
