// The system's message table.
#include "toolkit/SysUtils.h"

#include <windows.h>

#include <vector>

std::string SystemMessage(uint32_t code, uint32_t languageId, size_t capacity)
{
    std::vector<char> buffer(capacity);
    const DWORD length = FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, code,
        languageId, buffer.data(), static_cast<DWORD>(capacity), nullptr);
    if (length == 0 || length >= capacity)
        return "";
    return std::string(buffer.data(), length);
}
