// Direct delivery to a messenger receiver over NetBIOS on TCP, for platforms whose messenger service is gone.
#pragma once
#include <cstdint>
#include <optional>
#include <string>

#include "core/WinPopupFailure.h"

// Where a direct delivery looks for the recipient and how long each step may take.
struct TWinPopupNetwork {
    bool PlatformResolver = true;                     // hosts file and DNS, before the name query
    std::string NameQueryAddress;                     // empty: each local network's broadcast address
    uint16_t NameQueryPort = 137;
    uint16_t SessionPort = 139;
    uint32_t ResolverTimeoutMs = 4000;
    uint32_t NameQueryTimeoutMs = 1500; // three queries, 500 ms apart
    uint32_t ConnectTimeoutMs = 3000;
    uint32_t TotalTimeoutMs = 10000;    // the whole send, resolving included
};

// The process's settings; the program keeps the defaults, tests linked with the component point them at their
// own peers on loopback.
TWinPopupNetwork& WinPopupNetwork();

// Delivers the trimmed text from `from` (this computer's name when empty) to `to`: names upper-cased and cut to
// 15 characters, everything in the OEM code page, within the bounds above. Raises EWsNetException with 2273 when
// the recipient cannot be resolved, refuses the session or is not receiving, with 2136 for any other fault; its
// message is the code's words and, on a second line, the reason in Turkish.
void DeliverWinPopup(const std::string& from, const std::string& to, const std::string& text);

// The same delivery, reporting why it failed instead of raising; nothing after a success.
std::optional<TWinPopupFailure> TryDeliverWinPopup(const std::string& from, const std::string& to,
    const std::string& text);

// Raises the EWsNetException that DeliverWinPopup raises for this failure.
[[noreturn]] void RaiseWinPopupFailure(TWinPopupFailure failure);

// Why the last delivery of this process failed, in words (empty after a success); for diagnostics only.
std::string LastWinPopupProblem();
