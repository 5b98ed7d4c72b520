// The system's message table and version.
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

std::string SystemMessageInUserLanguage(uint32_t code)
{
    return SystemMessage(code, MAKELANGID(LANG_NEUTRAL, SUBLANG_DEFAULT), 256);
}

std::string SystemMessageInAnyLanguage(uint32_t code) { return SystemMessage(code, 0, 1024); }

std::optional<TPlatformVersion> PlatformVersion(uint32_t& error)
{
    OSVERSIONINFOA info{};
    static_assert(sizeof info == 148, "the version record the platform expects");
    info.dwOSVersionInfoSize = sizeof info;
    if (!GetVersionExA(&info)) {
        error = GetLastError();
        return std::nullopt;
    }
    error = 0;
    return TPlatformVersion{info.dwPlatformId == VER_PLATFORM_WIN32_NT, info.dwMajorVersion};
}
