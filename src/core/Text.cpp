// Text helpers over 8-bit (code page 1254) strings.
#include "core/Text.h"

namespace {
bool IsTrimmed(char c) { return static_cast<unsigned char>(c) <= 32; }
}

std::string Trim(std::string_view text)
{
    size_t first = 0;
    size_t last = text.size();
    while (first < last && IsTrimmed(text[first]))
        ++first;
    while (last > first && IsTrimmed(text[last - 1]))
        --last;
    return std::string(text.substr(first, last - first));
}

std::string TrimRight(std::string_view text)
{
    size_t last = text.size();
    while (last > 0 && IsTrimmed(text[last - 1]))
        --last;
    return std::string(text.substr(0, last));
}

char AsciiUpper(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }
char AsciiLower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

std::string AsciiUpperCase(std::string_view text)
{
    std::string result(text);
    for (char& c : result)
        c = AsciiUpper(c);
    return result;
}

std::string AsciiLowerCase(std::string_view text)
{
    std::string result(text);
    for (char& c : result)
        c = AsciiLower(c);
    return result;
}

bool SameTextAscii(std::string_view a, std::string_view b)
{
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (AsciiUpper(a[i]) != AsciiUpper(b[i]))
            return false;
    return true;
}

std::string RemoveBackslashes(std::string_view text)
{
    std::string result;
    result.reserve(text.size());
    for (char c : text)
        if (c != '\\')
            result += c;
    return result;
}

std::string WithFullStop(std::string_view message)
{
    std::string result(message);
    if (!result.empty() && static_cast<unsigned char>(result.back()) > '.')
        result += '.';
    return result;
}

std::string CleanSystemText(std::string_view text)
{
    size_t last = text.size();
    while (last > 0 && (static_cast<unsigned char>(text[last - 1]) <= 32 || text[last - 1] == '.'))
        --last;
    return std::string(text.substr(0, last));
}
