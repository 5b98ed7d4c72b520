// Pure rules of the folder browse dialog.
#include "core/BrowseRules.h"

#include <cstdint>

uint32_t BrowseFlags(const TWsBrowseOptions& options, bool hasStatusText)
{
    uint32_t flags = 0;
    for (TWsBrowseOption option : options) {
        switch (option) {
        case TWsBrowseOption::boBrowseForComputer: flags |= 0x1000; break;
        case TWsBrowseOption::boBrowseForPrinter: flags |= 0x2000; break;
        case TWsBrowseOption::boDontGoBelowDomain: flags |= 0x0002; break;
        case TWsBrowseOption::boReturnOnlyAncestors: flags |= 0x0008; break;
        case TWsBrowseOption::boReturnOnlyDirs: flags |= 0x0001; break;
        case TWsBrowseOption::boShowFiles: flags |= 0x4000; break;
        case TWsBrowseOption::boEditBox: flags |= 0x0010; break;
        }
    }
    if (hasStatusText)
        flags |= 0x0004;
    return flags;
}

int32_t SpecialFolderId(TWsSpecialRootFolder folder)
{
    static constexpr int32_t kIds[] = {29, 26, 10, 30, 25, 31, 23, 22, 24, 3, 33, 0, 16, 17, 6, 20, 34, 1, 32, 19, 18,
        0, 5, 4, 27, 2, 8, 9, 11, 7, 21};
    return kIds[static_cast<int>(folder)];
}

bool NeedsShell47(TWsSpecialRootFolder folder)
{
    switch (SpecialFolderId(folder)) {
    case 1: case 29: case 30: case 31: case 32: case 33: case 34:
        return true;
    default:
        return false;
    }
}

bool OptionsNeedShell47(const TWsBrowseOptions& options)
{
    return options.count(TWsBrowseOption::boShowFiles) || options.count(TWsBrowseOption::boEditBox);
}

std::string NormaliseSelectedFolder(std::string_view path)
{
    std::string result(path);
    if (!result.empty() && result.back() == '\\') {
        result.pop_back();
        if (result.size() == 2)
            result += '\\';
    }
    return result;
}

namespace {
// A plain decimal number: digits with at most one point, nothing else.
bool IsDecimalNumber(std::string_view text)
{
    bool digit = false, point = false;
    for (char c : text) {
        if (c >= '0' && c <= '9')
            digit = true;
        else if (c == '.' && !point)
            point = true;
        else
            return false;
    }
    return digit;
}

// The value of digits with at most one point. With up to 15 significant digits and 22 decimal places both the
// digits and the power of ten are exact doubles, so the one division rounds as the C library's conversion does;
// longer texts (no shell version has them) come within a unit in the last place. Written out because MinGW's strtod brings 15 KB of
// decimal conversion into the program for this one number.
double DecimalValue(std::string_view text)
{
    static constexpr double kPow10[] = {1e0, 1e1, 1e2, 1e3, 1e4, 1e5, 1e6, 1e7, 1e8, 1e9, 1e10, 1e11, 1e12, 1e13,
        1e14, 1e15, 1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};
    constexpr int kMaxDigits = 19; // what a 64-bit integer always holds
    uint64_t digits = 0;
    int significant = 0, scale = 0; // value = digits * 10^scale
    bool fraction = false;
    for (char c : text) {
        if (c == '.') {
            fraction = true;
            continue;
        }
        if (significant == 0 && c == '0') {
            scale -= fraction ? 1 : 0;
            continue;
        }
        if (significant < kMaxDigits) {
            digits = digits * 10 + static_cast<uint64_t>(c - '0');
            ++significant;
            scale -= fraction ? 1 : 0;
        } else if (!fraction) {
            ++scale;
        }
    }
    double value = static_cast<double>(digits);
    for (; scale < -22; scale += 22)
        value /= kPow10[22];
    for (; scale > 22; scale -= 22)
        value *= kPow10[22];
    return scale < 0 ? value / kPow10[-scale] : value * kPow10[scale];
}
}

double ParseShellVersion(std::string_view text)
{
    if (IsDecimalNumber(text))
        return DecimalValue(text);
    const size_t first = text.find('.');
    if (first == std::string_view::npos)
        return 0;
    const size_t second = text.find('.', first + 1);
    // Positions count from 1: the second dot must be at most the sixth character.
    if (second == std::string_view::npos || second + 1 > 6)
        return 0;
    const std::string_view head = text.substr(0, second);
    return IsDecimalNumber(head) ? DecimalValue(head) : 0;
}
