#include "appearance/bitmap_counter.h"

#include <QStringList>

#include <algorithm>
#include <cstdlib>

std::array<CounterDigit, 4> counterDigits(QSize counter, int seconds)
{
    const int w = counter.width();
    const int h = counter.height();
    // A remaining time counts its amount; 100 minutes and more stay at 99:59.
    const int t = static_cast<int>(std::min<long long>(std::llabs(seconds), 99 * 60 + 59));
    const std::array<int, 4> digits{t / 600, (t % 600) / 60, (t % 60) / 10, t % 10};
    const std::array<int, 4> starts{0, 5, 11, 16};
    std::array<CounterDigit, 4> placed;
    for (std::size_t i = 0; i < placed.size(); ++i) {
        const int d = digits[i];
        placed[i].source = QRect(QPoint(w * d / 5, 0), QPoint(w * (d + 1) / 5 - 1, h - 1));
        placed[i].target = QRect(QPoint(w * starts[i] / 20, 0), QPoint(w * (starts[i] + 4) / 20 - 1, h - 1));
    }
    return placed;
}

int secondsOfTimeText(const QString &text)
{
    QString time = text.trimmed();
    if (time.startsWith('-'))
        time.remove(0, 1);
    const QStringList parts = time.split(':');
    int seconds = 0;
    for (const QString &part : parts)
        seconds = seconds * 60 + part.toInt();
    return seconds;
}
