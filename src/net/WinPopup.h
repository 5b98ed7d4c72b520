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

// Why a direct delivery failed: the reason the user is told, and what went wrong in words, for diagnostics.
struct TWinPopupFault {
    TWinPopupFailure Failure = TWinPopupFailure::LocalFault;
    std::string Problem;
};

// Delivers the text (trimmed by the caller) from `from` (this computer's name when empty) to `to`: names
// upper-cased and cut to 15 characters, everything in the OEM code page, within the bounds above. Nothing after a
// success, else why it failed.
std::optional<TWinPopupFault> TryDeliverWinPopup(const std::string& from, const std::string& to,
    const std::string& text);

// Raises EWsNetException for a failed direct delivery to `to`: 2273 when the recipient cannot be resolved, refuses
// the session or is not receiving, 2136 for any other fault; its message is the failure box of DirectDeliveryFailure.
[[noreturn]] void RaiseWinPopupFailure(const std::string& to, TWinPopupFailure failure);
