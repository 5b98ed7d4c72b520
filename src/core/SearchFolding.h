// How the incremental search compares texts: ASCII-only case folding and plain byte order.
#pragma once
#include <string>
#include <string_view>

// Without case sensitivity only a-z become A-Z; Turkish letters and every other byte stay as they are,
// so typing "ş" never finds an entry that begins with "Ş".
std::string FoldSearchText(std::string_view text, bool caseSensitive);

// Byte order with bytes taken as unsigned; a proper beginning of the other text counts as smaller.
bool FoldedLess(std::string_view a, std::string_view b);

bool BeginsWith(std::string_view text, std::string_view prefix);
