// Message building for network management error codes.
#include "core/NetErrorTexts.h"

#include <algorithm>

std::optional<std::string_view> FindNetErrorText(uint32_t code)
{
    const auto table = NetErrorTable();
    const auto it = std::lower_bound(table.begin(), table.end(), code,
                                     [](const TNetErrorText& entry, uint32_t c) { return entry.Code < c; });
    if (it == table.end() || it->Code != code)
        return std::nullopt;
    return std::string_view(it->Text);
}

std::string NetErrorText(uint32_t code, const TSystemErrorText& systemText)
{
    if (const auto text = FindNetErrorText(code)) {
        if (text->empty())
            return "Unknown error";
        return std::string(*text);
    }
    return systemText ? systemText(code) : std::string();
}

std::string NetErrorMessage(uint32_t code, const TSystemErrorText& systemText)
{
    return std::to_string(code) + ": " + NetErrorText(code, systemText);
}

ENTException MakeNTException(uint32_t code, const TSystemErrorText& systemText)
{
    return ENTException(NetErrorMessage(code, systemText), code);
}
