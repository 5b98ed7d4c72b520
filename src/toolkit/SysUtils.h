// The system's message table, read the way the components need it.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>

// The system's text for a code as FormatMessageA gives it (no inserts), in the given language (0: the system's
// choice), read into a buffer of `capacity` characters; empty when the system has no text or it does not fit.
std::string SystemMessage(uint32_t code, uint32_t languageId, size_t capacity);
