// The naming rules of the message sender: the stored server form and the size of a wide text buffer.
#pragma once
#include <cstdint>
#include <string>
#include <string_view>

// The form in which a server name is stored: bare on the NT family from version 5 on, else with "\\" before it;
// every backslash of the given name is dropped first, and an empty result stays empty.
std::string StoredServerName(std::string_view name, bool ntVersion5OrLater);

// Bytes of a zero-terminated UTF-16 copy with `units` code units, the terminator counted; 0 for no text.
uint32_t WideBufferLength(size_t units);
