// Tests of the colour texts: identifier look-up, the integer syntax, its errors, and the way back to text.
#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <string>

#include "core/ColorNames.h"
#include "core/Exceptions.h"

namespace {

struct TextToColorCase {
    const char* Text;
    TColor Expected;
};

TEST(StringToColor, AcceptsIdentifiersAndIntegersOfTheSettingsFile)
{
    const TextToColorCase cases[] = {
        {"clwindow", clWindow},
        {"CLWINDOW", clWindow},
        {"$80000005", clWindow},
        {"-2147483643", clWindow},
        {"$FF8080", 16744576},
        {"16744576", 16744576},
        {"x00FF8080", 16744576},
        {"$00FF8080", 16744576},
        {"0xff8080", 16744576},
        {"0XFF8080", 16744576},
        {"clRed", 0x0000FF},
        {"clNone", 0x1FFFFFFF},
        {"cl3DDkShadow", static_cast<TColor>(0x80000015)},
        {"CLINFOBK", static_cast<TColor>(0x80000018)},
        {"   123", 123},
        {"+42", 42},
        {"-0", 0},
        {"0", 0},
        {"000000000000000000000000017", 17},
        {"2147483647", 2147483647},
        {"-2147483648", INT32_MIN},
        {"$FFFFFFFF", -1},
        {"$0000000000FFFFFFFF", -1},
    };
    for (const auto& c : cases)
        EXPECT_EQ(StringToColor(c.Text), c.Expected) << "text: " << c.Text;
}

TEST(StringToColor, RejectsEverythingElseWithTheWholeTextQuoted)
{
    const std::string bad[] = {
        "",
        " ",
        "clBlue x",        // an identifier followed by another word
        "clBlue ",          // nothing may follow, not even a blank
        " clBlue",          // identifiers match whole texts only
        "clWındow",         // only a-z fold; the dotless i is another letter
        "12 ",
        "1.5",
        "2147483648",       // one above the largest
        "-2147483649",      // one below the smallest
        "99999999999999999999999",
        "$100000000",       // more than 32 bits
        "$",
        "0x",
        "-$10",             // no sign before a hexadecimal prefix
        "+$10",
        "-0x10",
        "$-10",
        "-",
        "--1",
        "$FG",
        "\t12",             // only blanks are skipped
        "1\n",
        std::string("12\0", 3),
        std::string("clRed\0", 6),
    };
    for (const auto& text : bad) {
        try {
            StringToColor(text);
            ADD_FAILURE() << "accepted: '" << text << "'";
        } catch (const EConvertError& e) {
            EXPECT_EQ(e.Message(), "'" + text + "' is not a valid integer value");
        }
    }
}

TEST(ColorToString, GivesTheFirstIdentifierElseEightUpperCaseHexDigits)
{
    const std::pair<TColor, const char*> cases[] = {
        {clWindow, "clWindow"},
        {0, "clBlack"},
        {16744576, "$00FF8080"},
        {0x1FFFFFFF, "clNone"},
        {0x0000FF, "clRed"},
        {static_cast<TColor>(0x80000018), "clInfoBk"},
        {static_cast<TColor>(0x80000019), "$80000019"},
        {-1, "$FFFFFFFF"},
        {INT32_MIN, "clScrollBar"},
        {0xABCDEF, "$00ABCDEF"},
        {0x1FFFFFFE, "$1FFFFFFE"},
    };
    for (const auto& [color, text] : cases)
        EXPECT_EQ(ColorToString(color), text) << "colour: " << color;
}

TEST(SystemColors, OnlyTheTopBitMarksOne)
{
    EXPECT_FALSE(IsSystemColor(clBlack));
    EXPECT_FALSE(IsSystemColor(clNone));
    EXPECT_TRUE(IsSystemColor(INT32_MIN));
    EXPECT_EQ(SystemColorIndex(static_cast<TColor>(0x80000018)), 24);
}

TEST(ColorTexts, RoundTripEveryIdentifierAndASampleOfValues)
{
    const auto idents = ColorIdents();
    ASSERT_EQ(idents.size(), 42u);
    for (int i = 0; i < 25; ++i)
        EXPECT_EQ(idents[16 + i].Value, SystemColor(i)) << "system colours follow the 16 standard ones";
    for (const auto& ident : idents) {
        const std::string name(ident.Name);
        EXPECT_EQ(StringToColor(name), ident.Value) << name;
        EXPECT_EQ(ColorToString(ident.Value), name);
    }
    std::mt19937 random(1254);
    for (int i = 0; i < 20000; ++i) {
        const TColor color = static_cast<TColor>(random());
        const std::string text = ColorToString(color);
        EXPECT_EQ(StringToColor(text), color) << text;
        if (text[0] == '$') {
            EXPECT_EQ(text.size(), 9u) << text;
        }
        // Every decimal form of a 32-bit value reads back as that value.
        EXPECT_EQ(StringToColor(std::to_string(color)), color);
    }
}

}  // namespace
