// A message made ready for direct delivery: the names and the text as the receiver's OEM code page bytes.
#pragma once
#include <functional>
#include <string>
#include <string_view>

// Turns a code page 1254 text into OEM code page bytes; the platform does this, tests give a table.
using TOemConverter = std::function<std::string(std::string_view cp1254)>;

struct TWinPopupMessage {
    std::string Sender;    // OEM bytes, at most 15
    std::string Recipient; // OEM bytes, at most 15
    std::string Text;      // OEM bytes of the text, line breaks as they were typed
};

// Names take their NetBIOS form (MessengerName) and are converted one character at a time so that a character
// the OEM code page spells with two bytes is never cut in half; the text, trimmed by the sender already, is
// converted whole. An empty recipient is the caller's to refuse: this only converts.
TWinPopupMessage PrepareWinPopupMessage(std::string_view from, std::string_view to, std::string_view text,
    const TOemConverter& toOem);
