// Preparing the names and the text of a direct delivery.
#include "core/WinPopupMessage.h"

#include "core/NetBiosName.h"

namespace {

std::string OemName(std::string_view cp1254, const TOemConverter& toOem)
{
    std::string name;
    for (char c : MessengerName(cp1254)) {
        const std::string bytes = toOem(std::string_view(&c, 1));
        if (name.size() + bytes.size() > kNetBiosNameLength)
            break;
        name += bytes;
    }
    return name;
}

} // namespace

TWinPopupMessage PrepareWinPopupMessage(std::string_view from, std::string_view to, std::string_view text,
    const TOemConverter& toOem)
{
    TWinPopupMessage message;
    message.Sender = OemName(from, toOem);
    message.Recipient = OemName(to, toOem);
    if (!text.empty())
        message.Text = toOem(text);
    return message;
}
