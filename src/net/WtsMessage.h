// The terminal-services message road: a message box on every active session of another computer, the way an
// administrator's "msg /server:NAME *" shows one, for Windows versions whose messenger service is gone.
#pragma once
#include <cstdint>
#include <string>

#include "core/TerminalMessage.h"

// At most this many road calls live at once, hung ones included; a send that finds them all taken waits for a place
// within its bound and skips the road when none comes free.
inline constexpr long kMaxTerminalCalls = 4;

// Sends the text (trimmed by the caller) to every active session of `to`, titled "Varnel — <from>" (this computer's
// name when `from` is empty), without waiting for anyone to answer the box. The platform calls run on a helper
// thread; the caller waits at most timeoutMs, its windows painting meanwhile, and then goes on without them.
// Delivered when at least one session took the message.
TTerminalResult SendTerminalMessage(const std::string& from, const std::string& to, const std::string& text,
    uint32_t timeoutMs);
