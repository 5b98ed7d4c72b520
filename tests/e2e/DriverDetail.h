// Helpers shared by the driver's source files; tests use Driver.h.
#pragma once
#include <windows.h>

#include <stdexcept>
#include <string>

namespace e2e::detail {

std::runtime_error Failure(const std::string& what);  // the message with the last error code
LRESULT Ask(HWND w, UINT msg, WPARAM wp, LPARAM lp);  // SendMessageTimeoutA; throws when not answered
LRESULT AskW(HWND w, UINT msg, WPARAM wp, LPARAM lp);  // the same in UTF-16
bool SameNoCase(const std::string& a, const std::string& b);
std::wstring WideFromAnsi(const std::string& cp1254);
std::string AnsiFromWide(const std::wstring& text);

}  // namespace e2e::detail
