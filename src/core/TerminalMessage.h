// The terminal-services message road in portable terms: the box's title, what the road came to, and which of two
// failed roads explains the failure better, in the user's words.
#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "core/WinPopupFailure.h"

inline constexpr int32_t kErrorNoActiveSession = 7022; // ERROR_CTX_WINSTATION_NOT_FOUND

// "Varnel — <sender>", the em dash in code page 1254.
std::string TerminalMessageTitle(std::string_view sender);

enum class TTerminalOutcome {
    Delivered,       // at least one active session took the message
    Skipped,         // the road is not there (library, entry point, server handle) or too many calls still hang
    TimedOut,        // the calls did not end within the bound
    NoActiveSession, // the computer answered, but nobody is signed in there
    Refused,         // a call failed with Code
};

struct TTerminalResult {
    TTerminalOutcome Outcome = TTerminalOutcome::Skipped;
    uint32_t Code = 0;
};

// When both roads failed, the road's failure if it is the more informative one: the recipient answered it (access
// denied, nobody signed in), or refused remote calls while the direct delivery found a computer that does not speak
// its protocol. Nothing when the direct delivery's failure explains better (the computer was not found or refused
// the message itself, the road was skipped or ran out of time).
std::optional<TSendFailure> TerminalFailureToReport(TWinPopupFailure direct, const TTerminalResult& terminal);
