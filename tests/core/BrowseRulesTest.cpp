// The browse dialog's flags, special folders, the selected-folder rule and the shell-version text.
#include <gtest/gtest.h>

#include <cstdlib>

#include "core/BrowseRules.h"

using O = TWsBrowseOption;
using F = TWsSpecialRootFolder;

TEST(BrowseFlags, OrOfTheOptionsPlusStatusText)
{
    EXPECT_EQ(BrowseFlags({O::boBrowseForComputer, O::boReturnOnlyDirs}, false), 0x1001u);
    EXPECT_EQ(BrowseFlags({O::boReturnOnlyDirs}, true), 0x0005u);
    EXPECT_EQ(BrowseFlags({}, false), 0u);
    EXPECT_EQ(BrowseFlags({O::boBrowseForComputer, O::boBrowseForPrinter, O::boDontGoBelowDomain,
                              O::boReturnOnlyAncestors, O::boReturnOnlyDirs, O::boShowFiles, O::boEditBox},
                  true),
        0x701Fu);
}

TEST(SpecialFolders, IdsAndTheNewerShellGate)
{
    EXPECT_EQ(SpecialFolderId(F::sfNetwork), 18);
    EXPECT_EQ(SpecialFolderId(F::sfAltStartup), 29);
    EXPECT_EQ(SpecialFolderId(F::sfNone), 0);
    EXPECT_EQ(SpecialFolderId(F::sfTemplates), 21);
    EXPECT_EQ(SpecialFolderId(F::sfDrives), 17);
    int gated = 0;
    for (int i = 0; i <= static_cast<int>(F::sfTemplates); ++i)
        gated += NeedsShell47(static_cast<F>(i));
    EXPECT_EQ(gated, 7);
    EXPECT_TRUE(NeedsShell47(F::sfInternet));
    EXPECT_TRUE(NeedsShell47(F::sfHistory));
    EXPECT_FALSE(NeedsShell47(F::sfNetwork));
    EXPECT_TRUE(OptionsNeedShell47({O::boEditBox}));
    EXPECT_FALSE(OptionsNeedShell47({O::boBrowseForComputer, O::boReturnOnlyDirs}));
}

TEST(SelectedFolder, DropsOneTrailingBackslashButADriveKeepsIt)
{
    EXPECT_EQ(NormaliseSelectedFolder("C:\\"), "C:\\");
    EXPECT_EQ(NormaliseSelectedFolder("D:\\Data\\"), "D:\\Data");
    EXPECT_EQ(NormaliseSelectedFolder("D:\\Data"), "D:\\Data");
    EXPECT_EQ(NormaliseSelectedFolder(""), "");
    EXPECT_EQ(NormaliseSelectedFolder("\\\\"), "\\");
    EXPECT_EQ(NormaliseSelectedFolder("ab\\"), "ab\\");
}

TEST(ShellVersion, NumberOrFirstTwoFieldsOrZero)
{
    EXPECT_DOUBLE_EQ(ParseShellVersion("4.71.3110.1"), 4.71);
    EXPECT_DOUBLE_EQ(ParseShellVersion("6.0.2900.2180 (xpsp_sp2_rtm.040803-2158)"), 6.0);
    EXPECT_DOUBLE_EQ(ParseShellVersion("5.5"), 5.5);
    EXPECT_DOUBLE_EQ(ParseShellVersion("10.0.19041.1"), 10.0);
    EXPECT_DOUBLE_EQ(ParseShellVersion("5.000.1"), 5.0);   // second dot as the sixth character
    EXPECT_DOUBLE_EQ(ParseShellVersion("5.0000.1"), 0);    // and as the seventh
    EXPECT_DOUBLE_EQ(ParseShellVersion("1234.5678.1"), 0);
    EXPECT_DOUBLE_EQ(ParseShellVersion("4"), 4);
    EXPECT_DOUBLE_EQ(ParseShellVersion("4 beta"), 0);
    EXPECT_DOUBLE_EQ(ParseShellVersion(""), 0);
}

// The number must be the C library's to the last bit: the version gates compare against 4.7.
TEST(ShellVersion, DecimalTextsReadExactlyAsTheCLibraryReadsThem)
{
    const char* exact[] = {"4.7", "4.70", "4.71", "4.6999999999999", "6", "0", "0.0", "000.000", ".5", "5.",
        "0.1", "0.3", "0.000123", "123456789012345", "1.23456789012345", "9.99999999999999", "00004.7100",
        "0.0000000000000000000001", "1234567.5", "10.0"};
    for (const char* text : exact)
        EXPECT_EQ(ParseShellVersion(text), std::strtod(text, nullptr)) << text;
    const char* longer[] = {"4.69999999999999999999999", "3.14159265358979323846264338", "12345678901234567890123",
        "0.000000000000000000000000000123"};
    for (const char* text : longer) {
        const double expected = std::strtod(text, nullptr);
        EXPECT_NEAR(ParseShellVersion(text), expected, expected * 2.3e-16) << text;
    }
}
