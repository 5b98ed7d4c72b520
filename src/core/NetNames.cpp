// The naming rules of the message sender.
#include "core/NetNames.h"

#include "core/Text.h"

std::string StoredServerName(std::string_view name, bool ntVersion5OrLater)
{
    std::string bare = RemoveBackslashes(name);
    if (bare.empty() || ntVersion5OrLater)
        return bare;
    return "\\\\" + bare;
}

uint32_t WideBufferLength(size_t units)
{
    return units == 0 ? 0 : static_cast<uint32_t>((units + 1) * 2);
}
