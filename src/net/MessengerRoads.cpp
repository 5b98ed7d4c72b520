// The order of the roads without a messenger service, and the one failure a user is shown when both fail.
#include "net/MessengerRoads.h"

#include <windows.h>

#include "net/WinPopup.h"
#include "net/WsNetApi.h"
#include "net/WtsMessage.h"
#include "core/TerminalMessage.h"

// The direct delivery goes first, the terminal-services road only after it failed, within what is left of the one
// bound. Measured on loopback (docs/performance.md), a receiver that does not take direct messages turns it down in
// milliseconds once the name is resolved: a Windows 10/11 desk answers "called name not present" on port 139, or
// refuses the connection where NetBIOS is off. Samba and Windows XP receivers take the direct delivery at once. The
// terminal-services calls instead take seconds (an RPC conversation over SMB) and fail slowly where there is no such
// service. Both roads at once would save only those milliseconds on a desk, but cost every Samba or XP send an RPC
// conversation that may hang, and an XP computer that answers both would show the message twice.
void DeliverWithoutMessenger(const std::string& from, const std::string& to, const std::string& text)
{
    const uint32_t boundMs = WinPopupNetwork().TotalTimeoutMs;
    const DWORD start = GetTickCount();
    const std::optional<TWinPopupFault> direct = TryDeliverWinPopup(from, to, text);
    if (!direct)
        return;
    const DWORD spent = GetTickCount() - start;
    const TTerminalResult terminal = SendTerminalMessage(from, to, text, spent < boundMs ? boundMs - spent : 0);
    if (terminal.Outcome == TTerminalOutcome::Delivered)
        return;
    if (auto failure = TerminalFailureToReport(direct->Failure, terminal)) {
        failure->Detail = SystemErrorText(static_cast<uint32_t>(failure->Code));
        throw EWsNetException(to, std::move(*failure));
    }
    RaiseWinPopupFailure(to, direct->Failure);
}
