#include "text_decoding.h"

#include <QStringDecoder>

#include <algorithm>

namespace platform {

namespace {

std::optional<QString> decodedUtf8(const QByteArray &bytes)
{
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8(bytes);
    if (utf8.hasError())
        return std::nullopt;
    return text;
}

QString decodedWindows1252(const QByteArray &bytes)
{
    QStringDecoder windows1252("windows-1252");
    return windows1252.isValid() ? windows1252(bytes) : QString::fromLatin1(bytes);
}

// Tab, line feed, form feed, carriage return and the old end-of-file mark
// appear in text files; other control bytes do not.
bool isTextByte(char c)
{
    const auto b = static_cast<unsigned char>(c);
    return b >= 0x20 || b == '\t' || b == '\n' || b == '\f' || b == '\r' || b == 0x1A;
}

// Bytes that Windows-1252 leaves undefined.
bool isUndefinedIn1252(char c)
{
    const auto b = static_cast<unsigned char>(c);
    return b == 0x81 || b == 0x8D || b == 0x8F || b == 0x90 || b == 0x9D;
}

}  // namespace

QString decodeText(const QByteArray &bytes)
{
    if (auto text = decodedUtf8(bytes))
        return *text;
    return decodedWindows1252(bytes);
}

std::optional<QString> decodeTextFile(const QByteArray &bytes)
{
    if (!std::all_of(bytes.begin(), bytes.end(), isTextByte))
        return std::nullopt;
    if (auto text = decodedUtf8(bytes))
        return text;
    if (std::any_of(bytes.begin(), bytes.end(), isUndefinedIn1252))
        return std::nullopt;
    return decodedWindows1252(bytes);
}

}  // namespace platform
