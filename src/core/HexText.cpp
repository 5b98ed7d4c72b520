// Hexadecimal digits as the colour texts and custom colour lines write them.
#include "core/HexText.h"

namespace {
int HexDigit(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}
}

bool ParseHex32(std::string_view digits, uint32_t& value)
{
    if (digits.empty())
        return false;
    uint64_t result = 0;
    for (char c : digits) {
        const int digit = HexDigit(c);
        if (digit < 0)
            return false;
        result = result * 16 + static_cast<uint64_t>(digit);
        if (result > 0xFFFFFFFFu)
            return false;
    }
    value = static_cast<uint32_t>(result);
    return true;
}

std::string HexDigits(uint32_t value, int digits)
{
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string text(static_cast<size_t>(digits < 1 ? 1 : digits > 8 ? 8 : digits), '0');
    for (size_t i = text.size(); i-- > 0; value >>= 4)
        text[i] = kHex[value & 0xF];
    return text;
}
