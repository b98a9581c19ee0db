#include "hand_over.h"

#include <QFileInfo>

std::optional<QString> HandOverBuffer::take(std::uintptr_t wParam, std::intptr_t lParam)
{
    const auto next = static_cast<std::intptr_t>(collected_.size()) + 1;
    if (wParam == 0) {
        if (lParam != next || collected_.empty())
            return std::nullopt;
        const QString name = QString::fromStdU32String(collected_);
        collected_.clear();
        return name;
    }
    if (wParam > 0x10FFFF)
        return std::nullopt;
    // A first character starts a new name: a stray message before it is dropped.
    if (lParam == 1)
        collected_.assign(1, static_cast<char32_t>(wParam));
    else if (lParam == next)
        collected_.push_back(static_cast<char32_t>(wParam));
    return std::nullopt;
}

std::vector<platform::WindowMessage> handOverMessages(const QString &name)
{
    std::vector<platform::WindowMessage> messages;
    const std::u32string characters = name.toStdU32String();
    for (std::size_t i = 0; i < characters.size(); ++i)
        messages.push_back({handOverMessageNumber, characters[i], static_cast<std::intptr_t>(i + 1)});
    messages.push_back({handOverMessageNumber, 0, static_cast<std::intptr_t>(characters.size() + 1)});
    return messages;
}

QString handOverText(const QStringList &names)
{
    return names.join(QLatin1Char('\n'));
}

QStringList handedOverNames(const QString &text)
{
    if (!text.contains(QLatin1Char('\n')) || QFileInfo(text).isFile())
        return {text};
    return text.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}
