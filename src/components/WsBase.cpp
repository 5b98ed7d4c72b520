// Base of the network and shell components, and the system error texts they report.
#include "components/WsBase.h"

#include <windows.h>

#include "core/Text.h"
#include "toolkit/SysUtils.h"

std::string SystemErrorText(uint32_t code)
{
    return CleanSystemText(SystemMessage(code, MAKELANGID(LANG_NEUTRAL, SUBLANG_DEFAULT), 256));
}

bool IsNtVersion5OrLater()
{
    OSVERSIONINFOA info{sizeof(info)};
    if (!GetVersionExA(&info))
        return true;
    return info.dwPlatformId == VER_PLATFORM_WIN32_NT && info.dwMajorVersion >= 5;
}
