// Delivery where the platform's messenger service is gone: the direct delivery, then the terminal-services road.
#pragma once
#include <string>

// Delivers the text (trimmed by the caller) from `from` to `to` by the direct delivery or, when that fails, by a
// message box on the recipient's active sessions, both within the direct delivery's overall bound. Raises
// EWsNetException with the more informative of the two failures: its code, the code's words, the reason and, where
// it helps, what the recipient's administrator has to allow.
void DeliverWithoutMessenger(const std::string& from, const std::string& to, const std::string& text);
