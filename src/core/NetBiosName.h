// NetBIOS names as the messenger protocol carries them: upper-cased, cut to 15 characters, first-level encoded.
#pragma once
#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

inline constexpr size_t kNetBiosNameLength = 15;
inline constexpr uint8_t kMessengerSuffix = 0x03;   // the name a messenger receives on
inline constexpr uint8_t kWorkstationSuffix = 0x00; // the name a sender calls from
inline constexpr size_t kEncodedNameSize = 34;      // length byte, 32 letters, empty scope

using TEncodedName = std::array<uint8_t, kEncodedNameSize>;

// Upper-cases a code page 1254 text the way the platform folds names: a-z and the accented letters to their
// capitals, the dotless and the dotted small i both to "I"; every other byte stays.
std::string NetBiosUpperCase(std::string_view cp1254);

// A name as it goes on the wire, before the code page conversion: trimmed, upper-cased, at most 15 characters.
std::string MessengerName(std::string_view cp1254);

// The 34-byte first-level encoding of a name of at most 15 bytes (padded with blanks) and its suffix.
// Raises std::invalid_argument for a longer name.
TEncodedName EncodeNetBiosName(std::string_view name, uint8_t suffix);
