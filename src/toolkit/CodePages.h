// Texts between an 8-bit code page (the system's, 1254 here, unless named) and UTF-16, and from one code page to
// another. The program's one place for these conversions.
#pragma once
#include <windows.h>

#include <optional>
#include <string>
#include <string_view>

// An empty text converts to an empty one; nothing when the text cannot be read in its code page.
std::optional<std::wstring> ToWide(std::string_view text, UINT codePage = CP_ACP);
// An empty text converts to an empty one; nothing when the text cannot be written in the code page. `lossless`
// (when given) turns false where a character has no place in the code page and became its default character.
std::optional<std::string> FromWide(std::wstring_view text, UINT codePage = CP_ACP, bool* lossless = nullptr);
// A zero-terminated UTF-16 text (a platform record's field) in the system code page; empty for a null pointer or
// a text that cannot be written in it.
std::string FromWideField(const wchar_t* text);
