// The settings file's path.
#include "core/SettingsFile.h"

#include <cstring>

std::string SettingsPathFromWinDir(const char* buffer, size_t capacity)
{
    const void* nul = std::memchr(buffer, '\0', capacity);
    const size_t length = nul ? static_cast<size_t>(static_cast<const char*>(nul) - buffer) : capacity;
    if (length == 0)
        return "";
    return std::string(buffer, length) + kSettingsFileName;
}
