// Texts of the network management error codes and the "code: text" messages and exceptions built from them.
#pragma once
#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "core/Exceptions.h"

struct TNetErrorText {
    uint32_t Code;
    const char* Text;  // cp1254; empty for a code the table knows but has no words for
};

// The generated table, ascending by code (NetErrorTable.cpp).
std::span<const TNetErrorText> NetErrorTable();

// The table's text for a code, or nothing when the table has no entry for it.
std::optional<std::string_view> FindNetErrorText(uint32_t code);

// The system's message text for a code; the Win32 layer passes FormatMessageA, tests pass their own.
using TSystemErrorText = std::function<std::string(uint32_t code)>;

// The table's text, "Unknown error" for an empty entry, otherwise the system's text as it comes.
std::string NetErrorText(uint32_t code, const TSystemErrorText& systemText);

// The words for a platform or network error code, as an error box shows them: the system's text, else the
// table's (read as NetErrorText reads it), without blanks at either end and without trailing full stops;
// empty only when neither knows the code. Network codes have no system text on Wine or on Windows without
// its network message library, which is why the table stands behind the system.
std::string ErrorCodeText(uint32_t code, const TSystemErrorText& systemText);

// The code in decimal, ": ", and the text above.
std::string NetErrorMessage(uint32_t code, const TSystemErrorText& systemText);

// A failure of the network administration component, carrying the platform status that caused it.
class ENTException : public Exception {
public:
    ENTException(std::string message, uint32_t errorCode) : Exception(std::move(message)), FErrorCode(errorCode) {}
    uint32_t ErrorCode() const noexcept { return FErrorCode; }

private:
    uint32_t FErrorCode;
};

ENTException MakeNTException(uint32_t code, const TSystemErrorText& systemText);
