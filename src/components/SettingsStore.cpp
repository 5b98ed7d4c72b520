// TSettingsStore: the settings section of the program's profile file through the platform's profile calls.
#include "components/SettingsStore.h"

#include "core/ProgramTexts.h"
#include "core/SettingsFile.h"
#include "toolkit/IniFiles.h"

bool TSettingsStore::LoadTheme(TColorTheme& theme) const
{
    if (FPath.empty())
        return false;
    const TIniFile settings(FPath);
    if (!settings.SectionExists(kSettingsSection))
        return false;
    ReadColorTheme([&](const char* key, const char* defaultValue) {
        return settings.ReadString(kSettingsSection, key, defaultValue);
    }, theme);
    return true;
}

void TSettingsStore::SaveTheme(const TColorTheme& theme) const
{
    if (FPath.empty())
        throw EIniFileException(SettingsDirectoryUnknownText(kSettingsFileName));
    TIniFile settings(FPath);
    WriteColorTheme([&](const char* key, const std::string& value) {
        settings.WriteString(kSettingsSection, key, value);
    }, theme);
}
