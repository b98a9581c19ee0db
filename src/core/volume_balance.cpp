#include "volume_balance.h"

#include <algorithm>

int volumeFromKnob(int offset, int width)
{
    return width > 0 ? std::clamp(offset, 0, width) * 100 / width : 0;
}

int balanceFromKnob(int offset, int width)
{
    const int x = std::clamp(offset, 0, width);
    const int half = width / 2;
    if (x > 5 + half)
        return (x - (5 + half)) * 100 / ((width - (half + 5)) * 2);
    if (x < half - 5)
        return (x - half) * 100 / (half * 2);
    return 0;
}

QString volumeText(int volume, const Messages &words)
{
    return words.text("Words_Volume") + QStringLiteral(" %1%").arg(volume);
}

QString balanceHint(int balance, const Messages &words)
{
    const int shown = (balance - 50) * 2;
    if (shown < 0)
        return QStringLiteral("%1% ").arg(-shown) + words.text("Words_Left");
    if (shown > 0)
        return QStringLiteral("%1% ").arg(shown) + words.text("Words_Right");
    return words.text("Words_Left") + '=' + words.text("Words_Right");
}

QString balanceText(int balance, const Messages &words)
{
    return words.text("Words_Balance") + ' ' + balanceHint(balance, words);
}
