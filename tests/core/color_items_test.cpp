// Tests of the colour picker's model: item order per option set, selection, renaming and custom colour lines.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <utility>
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

// The picker's items with the colour each stands for: the sixteen standard colours, then the system ones.
const std::vector<std::pair<std::string, uint32_t>> kStandardItems = {
    {"Black", 0x00000000}, {"Maroon", 0x00000080}, {"Green", 0x00008000}, {"Olive", 0x00008080},
    {"Navy", 0x00800000}, {"Purple", 0x00800080}, {"Teal", 0x00808000}, {"Gray", 0x00808080},
    {"Silver", 0x00C0C0C0}, {"Red", 0x000000FF}, {"Lime", 0x0000FF00}, {"Yellow", 0x0000FFFF}, {"Blue", 0x00FF0000},
    {"Fuchsia", 0x00FF00FF}, {"Aqua", 0x00FFFF00}, {"White", 0x00FFFFFF},
};
const std::vector<std::pair<std::string, uint32_t>> kSystemItems = {
    {"ScrollBar", 0x80000000}, {"Background", 0x80000001}, {"ActiveCaption", 0x80000002},
    {"InactiveCaption", 0x80000003}, {"Menu", 0x80000004}, {"Window", 0x80000005}, {"WindowFrame", 0x80000006},
    {"MenuText", 0x80000007}, {"WindowText", 0x80000008}, {"CaptionText", 0x80000009}, {"ActiveBorder", 0x8000000A},
    {"InactiveBorder", 0x8000000B}, {"AppWorkSpace", 0x8000000C}, {"Highlight", 0x8000000D},
    {"HighlightText", 0x8000000E}, {"BtnFace", 0x8000000F}, {"BtnShadow", 0x80000010}, {"GrayText", 0x80000011},
    {"BtnText", 0x80000012}, {"InactiveCaptionText", 0x80000013}, {"BtnHighlight", 0x80000014},
    {"3DDkShadow", 0x80000015}, {"3DLight", 0x80000016}, {"InfoText", 0x80000017}, {"InfoBk", 0x80000018},
};

std::vector<std::pair<std::string, uint32_t>> TextsAndColors(const std::vector<TColorItem>& items)
{
    std::vector<std::pair<std::string, uint32_t>> list;
    for (const auto& item : items)
        list.emplace_back(item.Text, static_cast<uint32_t>(item.Color));
    return list;
}

TEST(ColorItems, OrderAndCountForEveryOptionSet)
{
    for (int mask = 0; mask < 8; ++mask) {
        TColorPickerOptions options;
        options.ShowDefaultColor = mask & 1;
        options.ShowSysColors = mask & 2;
        options.ShowCustomColor = mask & 4;
        std::vector<std::pair<std::string, uint32_t>> expected;
        if (options.ShowDefaultColor)
            expected.emplace_back("Default", 0x123456);
        expected.insert(expected.end(), kStandardItems.begin(), kStandardItems.end());
        if (options.ShowSysColors)
            expected.insert(expected.end(), kSystemItems.begin(), kSystemItems.end());
        if (options.ShowCustomColor)
            expected.emplace_back("Custom", 0x654321);

        const auto items = BuildColorItems(options, 0x123456, 0x654321, DefaultColorNameTexts());
        EXPECT_EQ(TextsAndColors(items), expected) << "options mask " << mask;
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
    const int count = static_cast<int>(list.Items().size());
    EXPECT_EQ(list.ColorOf(count), clRed) << "one past the last item";
    EXPECT_EQ(list.ColorOf(count - 1), list.Items().back().Color);
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
