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
        {"X00ff8080", 16744576},
        {"0xff8080", 16744576},
        {"0XFF8080", 16744576},
        {"clRed", 0x0000FF},
        {"clBlack", 0},
        {"clNone", 0x1FFFFFFF},
        {"cl3DDkShadow", static_cast<TColor>(0x80000015)},
        {"CLINFOBK", static_cast<TColor>(0x80000018)},
        {"   123", 123},
        {"  $10", 16},
        {"+42", 42},
        {"-0", 0},
        {"0", 0},
        {"000000000000000000000000017", 17},
        {"2147483647", 2147483647},
        {"-2147483648", INT32_MIN},
        {"$FFFFFFFF", -1},
        {"$0000000000FFFFFFFF", -1},
        {"$7FFFFFFF", INT32_MAX},
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
        "12x",
        "1.5",
        "2147483648",       // one above the largest
        "-2147483649",      // one below the smallest
        "99999999999999999999999",
        "$100000000",       // more than 32 bits
        "$",
        "x",
        "0x",
        "-$10",             // no sign before a hexadecimal prefix
        "+$10",
        "-0x10",
        "$-10",
        "$+10",
        "+",
        "-",
        "+-1",
        "--1",
        "$FG",
        "0x1g",
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
        {0xFFFFFF, "clWhite"},
        {static_cast<TColor>(0x80000018), "clInfoBk"},
        {static_cast<TColor>(0x80000019), "$80000019"},
        {-1, "$FFFFFFFF"},
        {INT32_MIN, "clScrollBar"},
        {1, "$00000001"},
        {0xABCDEF, "$00ABCDEF"},
        {0x1FFFFFFE, "$1FFFFFFE"},
    };
    for (const auto& [color, text] : cases)
        EXPECT_EQ(ColorToString(color), text) << "colour: " << color;
}

TEST(ColorIdents, ListsTheTableInSearchOrder)
{
    const auto idents = ColorIdents();
    ASSERT_EQ(idents.size(), 42u);
    EXPECT_EQ(idents[0].Name, "clBlack");
    EXPECT_EQ(idents[15].Name, "clWhite");
    EXPECT_EQ(idents[41].Name, "clNone");
    // The system colours follow the standard ones with the platform's indexes 0 to 24.
    for (int i = 0; i < 25; ++i)
        EXPECT_EQ(idents[16 + i].Value, SystemColor(i)) << idents[16 + i].Name;
    for (int i = 0; i < 16; ++i)
        EXPECT_GE(idents[i].Value, 0) << idents[i].Name;
}

TEST(ColorTexts, RoundTripEveryIdentifierAndASampleOfValues)
{
    for (const auto& ident : ColorIdents()) {
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
