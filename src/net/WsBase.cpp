// Base of the network and shell components, and the error texts they report.
#include "net/WsBase.h"

#include "core/NetErrorTexts.h"
#include "core/Text.h"
#include "toolkit/SysUtils.h"

std::string ErrorCodeText(uint32_t code) { return ErrorCodeText(code, SystemMessageInUserLanguage); }

std::string SystemErrorText(uint32_t code) { return CleanSystemText(Trim(SystemMessage(code, 0, 256))); }

bool IsNtVersion5OrLater()
{
    uint32_t error = 0;
    const std::optional<TPlatformVersion> version = PlatformVersion(error);
    // A system that will not tell is taken for a current one.
    return !version || (version->NTFamily && version->Major >= 5);
}
