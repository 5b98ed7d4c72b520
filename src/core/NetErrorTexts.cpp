// Message building for network management error codes.
#include "core/NetErrorTexts.h"

#include <algorithm>

#include "core/Text.h"

std::optional<std::string_view> FindNetErrorText(uint32_t code)
{
    const auto table = NetErrorTable();
    const auto it = std::lower_bound(table.begin(), table.end(), code,
                                     [](const TNetErrorText& entry, uint32_t c) { return entry.Code < c; });
    if (it == table.end() || it->Code != code)
        return std::nullopt;
    return std::string_view(it->Text);
}

namespace {

std::optional<std::string> TableText(uint32_t code)
{
    const auto text = FindNetErrorText(code);
    if (!text)
        return std::nullopt;
    return text->empty() ? std::string("Unknown error") : std::string(*text);
}

}  // namespace

std::string NetErrorText(uint32_t code, const TSystemErrorText& systemText)
{
    if (auto text = TableText(code))
        return std::move(*text);
    return systemText ? systemText(code) : std::string();
}

std::string ErrorCodeText(uint32_t code, const TSystemErrorText& systemText)
{
    std::string text = CleanSystemText(Trim(systemText ? systemText(code) : std::string()));
    if (text.empty())
        text = CleanSystemText(Trim(TableText(code).value_or(std::string())));
    return text;
}

std::string NetErrorMessage(uint32_t code, const TSystemErrorText& systemText)
{
    return std::to_string(code) + ": " + NetErrorText(code, systemText);
}

ENTException MakeNTException(uint32_t code, const TSystemErrorText& systemText)
{
    return ENTException(NetErrorMessage(code, systemText), code);
}
