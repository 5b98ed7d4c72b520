// Tests of the colour picker's model: item order per option set, selection, renaming and custom colour lines.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/ColorItems.h"
#include "core/ColorNames.h"
#include "core/Exceptions.h"

namespace {

std::vector<std::string> Texts(const std::vector<TColorItem>& items)
{
    std::vector<std::string> texts;
    for (const auto& item : items)
        texts.push_back(item.Text);
    return texts;
}

TEST(ColorItems, OrderAndCountForEveryOptionSet)
{
    for (int mask = 0; mask < 8; ++mask) {
        TColorPickerOptions options;
        options.ShowDefaultColor = mask & 1;
        options.ShowSysColors = mask & 2;
        options.ShowCustomColor = mask & 4;
        // Standard and system items are named and ordered like the identifier table, without "cl".
        std::vector<std::string> expected;
        if (options.ShowDefaultColor)
            expected.push_back("Default");
        for (size_t i = 0; i < (options.ShowSysColors ? 41u : 16u); ++i)
            expected.push_back(std::string(ColorIdents()[i].Name.substr(2)));
        if (options.ShowCustomColor)
            expected.push_back("Custom");

        const auto items = BuildColorItems(options, 0x123456, 0x654321, DefaultColorNameTexts());
        EXPECT_EQ(Texts(items), expected) << "options mask " << mask;
        for (const auto& item : items) {
            if (item.NameIndex == kDefaultColorName)
                EXPECT_EQ(item.Color, 0x123456);
            else if (item.NameIndex == kCustomColorName)
                EXPECT_EQ(item.Color, 0x654321);
            else
                EXPECT_EQ(ColorToString(item.Color), "cl" + item.Text);
        }
    }
    EXPECT_EQ(TColorItemList().Items().size(), 43u);
}

TEST(ColorItems, PublishedNamesDifferFromTextsOnlyForThe3DColours)
{
    for (int i = 0; i < kColorNameCount; ++i) {
        const auto& info = ColorNameInfos()[i];
        if (info.Text.starts_with("3D"))
            EXPECT_EQ(std::string(info.Property), std::string(info.Text.substr(2)) + "3D");
        else
            EXPECT_EQ(info.Property, info.Text);
    }
}

TEST(ColorItemList, SelectingFindsTheFirstItemElseTheCustomItemTakesTheColour)
{
    TColorItemList list;
    EXPECT_EQ(list.SelectColor(0), 0) << "0 is the default item's colour, which comes before Black";
    EXPECT_EQ(list.ColorOf(0), 0);

    EXPECT_EQ(list.SelectColor(clRed), 10);
    EXPECT_EQ(list.Items()[10].Text, "Red");
    EXPECT_EQ(list.CustomColor(), 0) << "a listed colour leaves the custom colour alone";

    EXPECT_EQ(list.SelectColor(clWindow), 1 + 16 + 5);
    EXPECT_EQ(list.Items()[22].Text, "Window");

    EXPECT_EQ(list.SelectColor(16744576), 42);
    EXPECT_EQ(list.CustomColor(), 16744576);
    EXPECT_EQ(list.ColorOf(42), 16744576);

    // Once the custom item holds a colour, selecting it again finds the same item.
    EXPECT_EQ(list.SelectColor(16744576), 42);
    // Without the default item, 0 is Black.
    list.SetOptions({false, true, true});
    EXPECT_EQ(list.SelectColor(0), 0);
    EXPECT_EQ(list.Items()[0].Text, "Black");
    // A system colour that is not offered goes to the custom item.
    list.SetOptions({true, false, true});
    EXPECT_EQ(list.SelectColor(clWindow), 17);
    EXPECT_EQ(list.CustomColor(), clWindow);
}

TEST(ColorItemList, WithoutACustomItemAnUnlistedColourSelectsNothing)
{
    TColorItemList list;
    list.SetOptions({true, true, false});
    EXPECT_EQ(list.SelectColor(0x010203), -1);
    EXPECT_EQ(list.CustomColor(), 0x010203);
    list.SetDefaultColor(clRed);
    EXPECT_EQ(list.ColorOf(-1), clRed) << "no selection reads as the default colour";
    EXPECT_EQ(list.ColorOf(99), clRed);
}

TEST(ColorItemList, DefaultAndCustomColoursReachTheirItemsAndSurviveARebuild)
{
    TColorItemList list;
    list.SetDefaultColor(clWindow);
    list.SetCustomColor(0x112233);
    EXPECT_EQ(list.Items().front().Color, clWindow);
    EXPECT_EQ(list.Items().back().Color, 0x112233);
    EXPECT_EQ(list.SelectColor(clWindow), 0) << "the default item comes before the system colour";

    list.SetOptions({false, false, false});
    EXPECT_EQ(list.Items().size(), 16u);
    list.SetCustomColor(0x445566);  // stored while hidden
    list.SetOptions({true, true, true});
    EXPECT_EQ(list.Items().front().Color, clWindow);
    EXPECT_EQ(list.Items().back().Color, 0x445566);
}

TEST(ColorItemList, RenamingChangesOnlyTheMatchingItemAndIsKeptOverARebuild)
{
    TColorItemList list;
    list.SetName(kFirstStandardColorName + 9, "Kırmızı");
    EXPECT_EQ(list.Items()[10].Text, "Kırmızı") << "shifted by the default item";

    list.SetOptions({false, false, true});
    EXPECT_EQ(list.Items()[9].Text, "Kırmızı");
    // A hidden system colour's name is stored and must not land on whatever item has that position.
    list.SetName(kFirstSystemColorName, "Kaydırma");
    EXPECT_EQ(list.ItemIndexOfName(kFirstSystemColorName), -1);
    list.SetName(kCustomColorName, "Özel");
    EXPECT_EQ(list.Items()[16].Text, "Özel");
    EXPECT_EQ(Texts(list.Items())[15], "White");

    list.SetOptions({true, true, true});
    EXPECT_EQ(list.Items()[17].Text, "Kaydırma");
    EXPECT_EQ(list.Items()[42].Text, "Özel");
    EXPECT_EQ(list.Name(kFirstSystemColorName), "Kaydırma");

    EXPECT_THROW(list.SetName(kColorNameCount, "x"), Exception);
    EXPECT_THROW(list.SetName(-1, "x"), Exception);
}

TEST(CustomColors, LinesAreRewrittenAsSixUpperCaseHexDigits)
{
    const std::vector<std::string> lines = {
        "ColorA=ff8080", "ColorB=FFFFFFFF", "ColorC=0", "ColorD=00000000000012aB", "ColorE=1234567",
        "=abc",          "Color F=7",      "ColorG=80FF8080"};
    const std::vector<std::string> expected = {
        "ColorA=FF8080", "ColorB=FFFFFF", "ColorC=000000", "ColorD=0012AB", "ColorE=234567",
        "=000ABC",       "Color F=000007", "ColorG=FF8080"};
    EXPECT_EQ(NormaliseCustomColors(lines), expected);
    EXPECT_TRUE(NormaliseCustomColors({}).empty());
}

TEST(CustomColors, AMalformedLineRaisesAClearErrorNamingIt)
{
    const std::pair<std::string, std::string> cases[] = {
        {"ColorA", "'ColorA' is not a valid name=value line"},
        {"", "'' is not a valid name=value line"},
        {"ColorA=", "'' is not a valid integer value"},
        {"ColorA=12G", "'12G' is not a valid integer value"},
        {"ColorA= FF", "' FF' is not a valid integer value"},
        {"ColorA=$FF", "'$FF' is not a valid integer value"},
        {"ColorA=-1", "'-1' is not a valid integer value"},
        {"ColorA=100000000", "'100000000' is not a valid integer value"},
        {"ColorA=a=b", "'a=b' is not a valid integer value"},
    };
    for (const auto& [line, message] : cases) {
        try {
            NormaliseCustomColors({"ColorZ=123456", line});
            ADD_FAILURE() << "accepted: " << line;
        } catch (const EConvertError& e) {
            EXPECT_EQ(e.Message(), message);
        }
    }
}

}  // namespace
