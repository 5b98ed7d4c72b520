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
