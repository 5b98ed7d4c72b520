// Code page conversions over MultiByteToWideChar and WideCharToMultiByte.
#include "toolkit/CodePages.h"

std::optional<std::wstring> ToWide(std::string_view text, UINT codePage)
{
    if (text.empty())
        return std::wstring();
    const int length = static_cast<int>(text.size());
    const int units = MultiByteToWideChar(codePage, 0, text.data(), length, nullptr, 0);
    if (units <= 0)
        return std::nullopt;
    std::wstring wide(static_cast<size_t>(units), L'\0');
    MultiByteToWideChar(codePage, 0, text.data(), length, wide.data(), units);
    return wide;
}

std::optional<std::string> FromWide(std::wstring_view text, UINT codePage, bool* lossless)
{
    if (lossless)
        *lossless = true;
    if (text.empty())
        return std::string();
    const int units = static_cast<int>(text.size());
    // UTF-8 has a place for every character and takes no default character.
    BOOL usedDefault = FALSE;
    BOOL* used = lossless && codePage != CP_UTF8 ? &usedDefault : nullptr;
    const int bytes = WideCharToMultiByte(codePage, 0, text.data(), units, nullptr, 0, nullptr, used);
    if (bytes <= 0)
        return std::nullopt;
    std::string out(static_cast<size_t>(bytes), '\0');
    WideCharToMultiByte(codePage, 0, text.data(), units, out.data(), bytes, nullptr, used);
    if (lossless && usedDefault)
        *lossless = false;
    return out;
}

std::string FromWideField(const wchar_t* text)
{
    return text ? FromWide(text).value_or(std::string()) : std::string();
}
