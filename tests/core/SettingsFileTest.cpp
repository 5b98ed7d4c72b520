// The settings file's path from the fixed Windows-directory buffer.
#include <gtest/gtest.h>

#include <cstring>

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
