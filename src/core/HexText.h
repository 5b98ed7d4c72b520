// Hexadecimal digits as the colour texts and custom colour lines write them.
#pragma once
#include <cstdint>
#include <string>
#include <string_view>

// Digits of either case, any number of leading zeros, a value of at most 32 bits; false for anything else
// (no digits, another character, a value too large).
bool ParseHex32(std::string_view digits, uint32_t& value);

// The low `digits` hexadecimal digits of value (1 to 8), upper case, with leading zeros.
std::string HexDigits(uint32_t value, int digits);
