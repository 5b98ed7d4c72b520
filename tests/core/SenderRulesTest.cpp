// Trimming, the error-box full stop, system-text cleanup, server names and the wide-buffer size rule.
#include <gtest/gtest.h>

#include "TextCases.h"
#include "core/NetNames.h"
#include "core/Text.h"

TEST(Trim, RemovesEveryControlCharacterAndBlankAtBothEndsOnly)
{
    ExpectEachText(Trim, {
        {" \t\r\n merhaba dünya \x01\x1f ", "merhaba dünya"},
        {"iki\r\nsatır", "iki\r\nsatır"},
        {std::string("\0a\0", 3), "a"},
        {" \r\n\t ", ""},
        {"", ""},
        {"\xA0Ğ\xA0", "\xA0Ğ\xA0"}, // bytes above 127 (Turkish letters, the no-break space 0xA0) are text
    });
}

TEST(Trim, TrimRightKeepsTheStart)
{
    ExpectEachText(TrimRight, {{" a b \r\n", " a b"}, {"abc", "abc"}, {" \t", ""}, {"", ""}});
}

TEST(WithFullStop, AppendsOnlyAfterCharactersAboveTheFullStop)
{
    ExpectEachText(WithFullStop, {
        {"Erişim engellendi", "Erişim engellendi."},
        {"Bitti.", "Bitti."},
        {"Neden?", "Neden?."},
        {"Sonuç: ", "Sonuç: "},     // a blank (32) is below '.'
        {"Yol -", "Yol -"},        // '-' is 45
        {"Değer 5", "Değer 5."},   // '5' is above '.'
        {"/", "/."},               // '/' is 47
        {"", ""},
        {"Ağ ğ", "Ağ ğ."},        // a cp1254 letter is above '.'
    });
}

TEST(CleanSystemText, DropsTrailingBlanksLineBreaksAndFullStops)
{
    ExpectEachText(CleanSystemText, {
        {"The network path was not found.\r\n", "The network path was not found"},
        {"Text... . \r\n", "Text"},
        {"a.b", "a.b"},
        {" ..\r\n", ""},
    });
}

TEST(StoredServerName, BareOnNt5AndPrefixedElsewhereWithBackslashesDropped)
{
    struct Case {
        const char* Given;
        bool Nt5;
        const char* Stored;
    } cases[] = {
        {"OFIS-PC", true, "OFIS-PC"},
        {"\\\\OFIS-PC", true, "OFIS-PC"},
        {"OFIS-PC", false, "\\\\OFIS-PC"},
        {"\\\\OFIS-PC", false, "\\\\OFIS-PC"},
        {"OF\\IS", true, "OFIS"},
        {"\\\\", false, ""},
        {"", false, ""},
    };
    for (const auto& c : cases) {
        const std::string stored = StoredServerName(c.Given, c.Nt5);
        EXPECT_EQ(stored, c.Stored) << c.Given;
        // Whatever the stored form, reading it back yields the bare name.
        EXPECT_EQ(RemoveBackslashes(stored), RemoveBackslashes(c.Given));
    }
}

TEST(WideBufferLength, CountsTheTerminatorAndIsZeroForNoText)
{
    EXPECT_EQ(WideBufferLength(0), 0u);
    EXPECT_EQ(WideBufferLength(1), 4u);
    EXPECT_EQ(WideBufferLength(5), 12u);
}
