// The settings file's path and the colours it keeps.
#include "core/SettingsFile.h"

#include "core/ColorNames.h"

#include <cstring>

std::string SettingsPathFromWinDir(const char* buffer, size_t capacity)
{
    const void* nul = std::memchr(buffer, '\0', capacity);
    const size_t length = nul ? static_cast<size_t>(static_cast<const char*>(nul) - buffer) : capacity;
    if (length == 0)
        return "";
    return std::string(buffer, length) + kSettingsFileName;
}

void ReadColorTheme(const TSettingReader& read, TColorTheme& theme)
{
    theme.Background = StringToColor(read(kFormColorKey, kFormColorDefault));
    theme.Text = StringToColor(read(kFontColorKey, kFontColorDefault));
    theme.Field = StringToColor(read(kEditColorKey, kEditColorDefault));
}

void WriteColorTheme(const TSettingWriter& write, const TColorTheme& theme)
{
    write(kFormColorKey, ColorToString(theme.Background));
    write(kEditColorKey, ColorToString(theme.Field));
    write(kFontColorKey, ColorToString(theme.Text));
}
