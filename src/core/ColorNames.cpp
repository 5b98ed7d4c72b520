// Colour texts: the identifier table, identifier look-up and the strict 32-bit integer syntax of colour values.
#include "core/ColorNames.h"

#include <array>
#include <cstdint>

#include "core/Exceptions.h"
#include "core/HexText.h"
#include "core/Text.h"

namespace {

constexpr std::array<TColorIdent, 42> kColorIdents{{
    {"clBlack", 0x00000000},
    {"clMaroon", 0x00000080},
    {"clGreen", 0x00008000},
    {"clOlive", 0x00008080},
    {"clNavy", 0x00800000},
    {"clPurple", 0x00800080},
    {"clTeal", 0x00808000},
    {"clGray", 0x00808080},
    {"clSilver", 0x00C0C0C0},
    {"clRed", 0x000000FF},
    {"clLime", 0x0000FF00},
    {"clYellow", 0x0000FFFF},
    {"clBlue", 0x00FF0000},
    {"clFuchsia", 0x00FF00FF},
    {"clAqua", 0x00FFFF00},
    {"clWhite", 0x00FFFFFF},
    {"clScrollBar", SystemColor(0)},
    {"clBackground", SystemColor(1)},
    {"clActiveCaption", SystemColor(2)},
    {"clInactiveCaption", SystemColor(3)},
    {"clMenu", SystemColor(4)},
    {"clWindow", SystemColor(5)},
    {"clWindowFrame", SystemColor(6)},
    {"clMenuText", SystemColor(7)},
    {"clWindowText", SystemColor(8)},
    {"clCaptionText", SystemColor(9)},
    {"clActiveBorder", SystemColor(10)},
    {"clInactiveBorder", SystemColor(11)},
    {"clAppWorkSpace", SystemColor(12)},
    {"clHighlight", SystemColor(13)},
    {"clHighlightText", SystemColor(14)},
    {"clBtnFace", SystemColor(15)},
    {"clBtnShadow", SystemColor(16)},
    {"clGrayText", SystemColor(17)},
    {"clBtnText", SystemColor(18)},
    {"clInactiveCaptionText", SystemColor(19)},
    {"clBtnHighlight", SystemColor(20)},
    {"cl3DDkShadow", SystemColor(21)},
    {"cl3DLight", SystemColor(22)},
    {"clInfoText", SystemColor(23)},
    {"clInfoBk", SystemColor(24)},
    {"clNone", 0x1FFFFFFF},
}};


bool ParseDecimal(std::string_view digits, bool negative, int32_t& value)
{
    if (digits.empty())
        return false;
    const uint64_t limit = negative ? 2147483648u : 2147483647u;
    uint64_t magnitude = 0;
    for (char c : digits) {
        if (c < '0' || c > '9')
            return false;
        magnitude = magnitude * 10 + static_cast<uint64_t>(c - '0');
        if (magnitude > limit)
            return false;
    }
    value = negative ? static_cast<int32_t>(-static_cast<int64_t>(magnitude)) : static_cast<int32_t>(magnitude);
    return true;
}

// A hexadecimal number is taken as the 32-bit pattern.
bool ParseHex(std::string_view digits, int32_t& value)
{
    uint32_t pattern = 0;
    if (!ParseHex32(digits, pattern))
        return false;
    value = static_cast<int32_t>(pattern);
    return true;
}

bool TryParseInt32(std::string_view text, int32_t& value)
{
    size_t start = 0;
    while (start < text.size() && text[start] == ' ')
        ++start;
    std::string_view rest = text.substr(start);
    if (rest.empty())
        return false;
    if (rest[0] == '$' || rest[0] == 'x' || rest[0] == 'X')
        return ParseHex(rest.substr(1), value);
    if (rest.size() >= 2 && rest[0] == '0' && (rest[1] == 'x' || rest[1] == 'X'))
        return ParseHex(rest.substr(2), value);
    bool negative = false;
    if (rest[0] == '+' || rest[0] == '-') {
        negative = rest[0] == '-';
        rest.remove_prefix(1);
    }
    return ParseDecimal(rest, negative, value);
}

}  // namespace

std::span<const TColorIdent> ColorIdents() { return kColorIdents; }

bool IdentToColor(std::string_view ident, TColor& color)
{
    for (const TColorIdent& entry : kColorIdents)
        if (SameTextAscii(entry.Name, ident)) {
            color = entry.Value;
            return true;
        }
    return false;
}

bool ColorToIdent(TColor color, std::string& ident)
{
    for (const TColorIdent& entry : kColorIdents)
        if (entry.Value == color) {
            ident = entry.Name;
            return true;
        }
    return false;
}

TColor StringToColor(std::string_view text)
{
    TColor color = 0;
    if (IdentToColor(text, color) || TryParseInt32(text, color))
        return color;
    throw EConvertError("'" + std::string(text) + "' is not a valid integer value");
}

std::string ColorToString(TColor color)
{
    std::string result;
    if (ColorToIdent(color, result))
        return result;
    return "$" + HexDigits(static_cast<uint32_t>(color), 8);
}
