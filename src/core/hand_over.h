#pragma once

// Assembles a file name handed over by a second instance: one message per
// character (wParam the character, lParam its 1-based position), then an end
// message (wParam 0, lParam length + 1). Copies of any message change
// nothing, a first character starts over, and a name is given out exactly
// once.

#include "platform/window_messages.h"

#include <QString>
#include <QStringList>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

class HandOverBuffer {
public:
    std::optional<QString> take(std::uintptr_t wParam, std::intptr_t lParam);

private:
    std::u32string collected_;
};

// WM_USER, the message that carries a handed-over file name.
constexpr std::uint32_t handOverMessageNumber = 1024;

// Several names go over as one text, a name a line. A text that names an
// existing file as a whole is one name, even with a line break in it.
QString handOverText(const QStringList &names);
QStringList handedOverNames(const QString &text);

// The messages that hand `name` over.
std::vector<platform::WindowMessage> handOverMessages(const QString &name);
