// Base of the network and shell components, and the system error texts they report.
#include "components/WsBase.h"

#include <windows.h>

#include "core/Text.h"

std::string SystemErrorText(uint32_t code)
{
    char buffer[256];
    const DWORD length = FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, code,
        MAKELANGID(LANG_NEUTRAL, SUBLANG_DEFAULT), buffer, sizeof(buffer), nullptr);
    if (length == 0 || length >= sizeof(buffer))
        return "";
    return CleanSystemText(std::string_view(buffer, length));
}

bool IsNtVersion5OrLater()
{
    OSVERSIONINFOA info{sizeof(info)};
    if (!GetVersionExA(&info))
        return true;
    return info.dwPlatformId == VER_PLATFORM_WIN32_NT && info.dwMajorVersion >= 5;
}
