// The settings file's path from the fixed Windows-directory buffer.
#include <gtest/gtest.h>

#include <cstring>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "core/ColorNames.h"
#include "core/Exceptions.h"
#include "core/SettingsFile.h"

TEST(SettingsPath, DirectoryUpToItsFirstNulThenTheFileName)
{
    char buffer[145] = "C:\\windows";
    EXPECT_EQ(SettingsPathFromWinDir(buffer, sizeof(buffer)), "C:\\windows\\Varnel.Ini");
    std::memcpy(buffer, "D:\\W\0junk", 10);
    EXPECT_EQ(SettingsPathFromWinDir(buffer, sizeof(buffer)), "D:\\W\\Varnel.Ini");
}

TEST(SettingsPath, NoDirectoryGivesNoPathAndAFullBufferIsNeverReadPastItsEnd)
{
    char empty[145] = "";
    EXPECT_EQ(SettingsPathFromWinDir(empty, sizeof(empty)), "");
    char full[4] = {'C', ':', '\\', 'W'}; // no NUL anywhere
    EXPECT_EQ(SettingsPathFromWinDir(full, sizeof(full)), "C:\\W\\Varnel.Ini");
}

TEST(SettingsColors, ReadInShowingOrderWithDefaultsAndABadValueKeepsWhatCameBefore)
{
    std::map<std::string, std::string> file{{"RENK", "clRed"}, {"FONT_RENK", "nicht"}};
    const TSettingReader read = [&](const char* key, const char* defaultValue) {
        const auto found = file.find(key);
        return found != file.end() ? found->second : std::string(defaultValue);
    };
    TColorTheme theme{1, 2, 3};
    EXPECT_THROW(ReadColorTheme(read, theme), EConvertError);
    EXPECT_EQ(theme.Background, StringToColor("clRed"));
    EXPECT_EQ(theme.Text, 3u) << "the bad value changes nothing";
    EXPECT_EQ(theme.Field, 2u) << "nothing after it is read";

    file.erase("FONT_RENK");
    ReadColorTheme(read, theme);
    EXPECT_EQ(theme.Text, StringToColor("clBlack"));
    EXPECT_EQ(theme.Field, StringToColor("clWindow"));

    std::vector<std::pair<std::string, std::string>> written;
    WriteColorTheme([&](const char* key, const std::string& value) { written.emplace_back(key, value); }, theme);
    EXPECT_EQ(written, (std::vector<std::pair<std::string, std::string>>{
                           {"RENK", "clRed"}, {"EDIT_RENK", "clWindow"}, {"FONT_RENK", "clBlack"}}));
}
