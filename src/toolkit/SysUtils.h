// The system's message table and version, read the way the components need them.
#pragma once
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

// The system's text for a code as FormatMessageA gives it (no inserts), in the given language (0: the system's
// choice), read into a buffer of `capacity` characters; empty when the system has no text or it does not fit.
std::string SystemMessage(uint32_t code, uint32_t languageId, size_t capacity);

// The text in the user's default language, at most 256 characters (the messenger components' error texts).
std::string SystemMessageInUserLanguage(uint32_t code);
// The text in the first language the system's search finds, at most 1024 characters (the administration
// component's error texts).
std::string SystemMessageInAnyLanguage(uint32_t code);

struct TPlatformVersion {
    bool NTFamily = false;
    uint32_t Major = 0;
};

// The running system's platform and major version; nothing, with the platform's error code in `error`, when the
// system does not tell. Each caller decides what an unknown platform means for it.
std::optional<TPlatformVersion> PlatformVersion(uint32_t& error);
