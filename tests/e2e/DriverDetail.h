// Helpers shared by the driver's source files; tests use Driver.h.
#pragma once
#include <windows.h>

#include <stdexcept>
#include <string>

namespace e2e::detail {

std::runtime_error Failure(const std::string& what);  // the message with the last error code
// A window that did not answer a query in time: busy, or hung. A wait for a condition takes it as "not yet".
struct TNoAnswer : std::runtime_error {
    using std::runtime_error::runtime_error;
};
LRESULT Ask(HWND w, UINT msg, WPARAM wp, LPARAM lp);  // SendMessageTimeoutA; throws TNoAnswer when not answered
LRESULT AskW(HWND w, UINT msg, WPARAM wp, LPARAM lp);  // the same in UTF-16
bool SameNoCase(const std::string& a, const std::string& b);
std::wstring WideFromAnsi(const std::string& cp1254);
std::string AnsiFromWide(const std::wstring& text);

}  // namespace e2e::detail
