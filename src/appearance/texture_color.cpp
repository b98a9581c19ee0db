#include "appearance/texture_color.h"

#include <QGuiApplication>
#include <QPalette>

#include <array>
#include <utility>

namespace {

constexpr TextureColor SystemColor = 0x80000000;

struct NamedColor {
    const char *name;
    TextureColor value;
};

constexpr std::array<NamedColor, 42> colorNames{{
    {"clBlack", 0x000000},
    {"clMaroon", 0x000080},
    {"clGreen", 0x008000},
    {"clOlive", 0x008080},
    {"clNavy", 0x800000},
    {"clPurple", 0x800080},
    {"clTeal", 0x808000},
    {"clGray", 0x808080},
    {"clSilver", 0xC0C0C0},
    {"clRed", 0x0000FF},
    {"clLime", 0x00FF00},
    {"clYellow", 0x00FFFF},
    {"clBlue", 0xFF0000},
    {"clFuchsia", 0xFF00FF},
    {"clAqua", 0xFFFF00},
    {"clWhite", 0xFFFFFF},
    {"clScrollBar", SystemColor + 0},
    {"clBackground", SystemColor + 1},
    {"clActiveCaption", SystemColor + 2},
    {"clInactiveCaption", SystemColor + 3},
    {"clMenu", SystemColor + 4},
    {"clWindow", SystemColor + 5},
    {"clWindowFrame", SystemColor + 6},
    {"clMenuText", SystemColor + 7},
    {"clWindowText", SystemColor + 8},
    {"clCaptionText", SystemColor + 9},
    {"clActiveBorder", SystemColor + 10},
    {"clInactiveBorder", SystemColor + 11},
    {"clAppWorkSpace", SystemColor + 12},
    {"clHighlight", SystemColor + 13},
    {"clHighlightText", SystemColor + 14},
    {"clBtnFace", SystemColor + 15},
    {"clBtnShadow", SystemColor + 16},
    {"clGrayText", SystemColor + 17},
    {"clBtnText", SystemColor + 18},
    {"clInactiveCaptionText", SystemColor + 19},
    {"clBtnHighlight", SystemColor + 20},
    {"cl3DDkShadow", SystemColor + 21},
    {"cl3DLight", SystemColor + 22},
    {"clInfoText", SystemColor + 23},
    {"clInfoBk", SystemColor + 24},
    {"clNone", NoColor},
}};

// The desktop colours in index order, as the palette's groups and roles.
constexpr std::array<std::pair<QPalette::ColorGroup, QPalette::ColorRole>, 25> systemRoles{{
    {QPalette::Active, QPalette::Mid},
    {QPalette::Active, QPalette::Dark},
    {QPalette::Active, QPalette::Highlight},
    {QPalette::Inactive, QPalette::Mid},
    {QPalette::Active, QPalette::Window},
    {QPalette::Active, QPalette::Base},
    {QPalette::Active, QPalette::Shadow},
    {QPalette::Active, QPalette::WindowText},
    {QPalette::Active, QPalette::Text},
    {QPalette::Active, QPalette::HighlightedText},
    {QPalette::Active, QPalette::Button},
    {QPalette::Inactive, QPalette::Button},
    {QPalette::Active, QPalette::Mid},
    {QPalette::Active, QPalette::Highlight},
    {QPalette::Active, QPalette::HighlightedText},
    {QPalette::Active, QPalette::Button},
    {QPalette::Active, QPalette::Dark},
    {QPalette::Disabled, QPalette::Text},
    {QPalette::Active, QPalette::ButtonText},
    {QPalette::Inactive, QPalette::WindowText},
    {QPalette::Active, QPalette::Light},
    {QPalette::Active, QPalette::Shadow},
    {QPalette::Active, QPalette::Midlight},
    {QPalette::Active, QPalette::ToolTipText},
    {QPalette::Active, QPalette::ToolTipBase},
}};

}  // namespace

std::optional<int> parseTextureInteger(const QString &text)
{
    QString digits = text.trimmed();
    const bool negative = digits.startsWith('-');
    if (negative || digits.startsWith('+'))
        digits.remove(0, 1);
    int base = 10;
    if (digits.startsWith('$')) {
        digits.remove(0, 1);
        base = 16;
    } else if (digits.startsWith(QLatin1String("0x"), Qt::CaseInsensitive)) {
        digits.remove(0, 2);
        base = 16;
    }
    // Only digits: a sign or blank inside is no number.
    if (digits.isEmpty() || !digits.front().isLetterOrNumber())
        return std::nullopt;
    bool ok = false;
    const qulonglong value = digits.toULongLong(&ok, base);
    if (!ok || value > 0xFFFFFFFFu)
        return std::nullopt;
    // Hexadecimal up to eight digits wraps as a 32-bit value does.
    const auto wrapped = static_cast<qint64>(static_cast<qint32>(static_cast<quint32>(value)));
    if (base == 10 && value > 0x7FFFFFFFu + (negative ? 1u : 0u))
        return std::nullopt;
    const qint64 number = base == 10 ? static_cast<qint64>(value) : wrapped;
    return static_cast<int>(negative ? -number : number);
}

std::optional<TextureColor> parseTextureColor(const QString &text)
{
    const QString trimmed = text.trimmed();
    for (const NamedColor &named : colorNames)
        if (trimmed.compare(QLatin1String(named.name), Qt::CaseInsensitive) == 0)
            return named.value;
    if (const std::optional<int> number = parseTextureInteger(trimmed))
        return static_cast<TextureColor>(*number);
    return std::nullopt;
}

QColor toQColor(TextureColor color)
{
    if (color == NoColor)
        return Qt::transparent;
    if (color >= SystemColor && color - SystemColor < systemRoles.size()) {
        const auto &[group, role] = systemRoles[color - SystemColor];
        return QGuiApplication::palette().color(group, role);
    }
    return QColor(color & 0xFF, (color >> 8) & 0xFF, (color >> 16) & 0xFF);
}
