// ASCII-only case folding and byte-order comparison for the incremental search.
#include "core/SearchFolding.h"

#include <algorithm>

#include "core/Text.h"

std::string FoldSearchText(std::string_view text, bool caseSensitive)
{
    return caseSensitive ? std::string(text) : AsciiUpperCase(text);
}

bool FoldedLess(std::string_view a, std::string_view b)
{
    const size_t common = std::min(a.size(), b.size());
    for (size_t i = 0; i < common; ++i) {
        const auto x = static_cast<unsigned char>(a[i]);
        const auto y = static_cast<unsigned char>(b[i]);
        if (x != y)
            return x < y;
    }
    return a.size() < b.size();
}

bool BeginsWith(std::string_view text, std::string_view prefix)
{
    return text.size() >= prefix.size() && text.substr(0, prefix.size()) == prefix;
}
