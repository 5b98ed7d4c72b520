// Base of the network and shell components, and the error texts they report.
#include "components/WsBase.h"

#include <windows.h>

#include "core/NetErrorTexts.h"
#include "toolkit/SysUtils.h"

std::string ErrorCodeText(uint32_t code)
{
    return ErrorCodeText(
        code, [](uint32_t c) { return SystemMessage(c, MAKELANGID(LANG_NEUTRAL, SUBLANG_DEFAULT), 256); });
}

bool IsNtVersion5OrLater()
{
    OSVERSIONINFOA info{sizeof(info)};
    if (!GetVersionExA(&info))
        return true;
    return info.dwPlatformId == VER_PLATFORM_WIN32_NT && info.dwMajorVersion >= 5;
}
