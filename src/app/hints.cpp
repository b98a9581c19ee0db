#include "hints.h"

QString positionHint(double positionSeconds, double durationSeconds)
{
    const int duration = static_cast<int>(durationSeconds);
    if (duration <= 0)
        return {};
    return QStringLiteral("%1%").arg(static_cast<int>(positionSeconds) * 100 / duration);
}

QString titleHint(const QString &title, int entryCount, int currentIndex)
{
    return entryCount < 2 ? title : QStringLiteral("%1. %2").arg(currentIndex + 1).arg(title);
}
