// The colour dialog's custom colour boxes from and to their text lines.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/CustomColorSlots.h"
#include "core/Exceptions.h"

namespace {

TEST(CustomColorSlots, LinesFillTheBoxesTheyNameAndLeaveTheRestWhite)
{
    struct Case {
        std::vector<std::string> lines;
        int slot;
        uint32_t value;
    };
    const Case cases[] = {
        {{"ColorA=FF8080"}, 0, 0xFF8080},
        {{"colorp=1"}, 15, 0x000001},                     // either case, any number of digits
        {{"ColorC=1ABCDEF0"}, 2, 0xBCDEF0},               // only the low 24 bits
        {{"ColorB=000000", "ColorB=00ff00"}, 1, 0x00FF00},  // the later line wins
        {{"ColorQ=123456", "Renk=123456", "ColorAA=123456"}, 0, 0xFFFFFF},  // no such box
    };
    for (const Case& c : cases) {
        const TCustomColorSlots slots = CustomColorSlotsFromLines(c.lines);
        for (int i = 0; i < kCustomColorSlotCount; ++i)
            EXPECT_EQ(slots[i], i == c.slot ? c.value : kEmptyCustomColorSlot) << c.lines.front() << " box " << i;
    }
}

TEST(CustomColorSlots, LinesThatAreNotNameEqualsHexadecimalAreRefused)
{
    for (const std::vector<std::string>& lines : std::vector<std::vector<std::string>>{
             {"ColorA"}, {"ColorA="}, {"ColorA=12 "}, {"ColorA=$12"}, {"ColorA=123456789"}}) {
        EXPECT_THROW(CustomColorSlotsFromLines(lines), EConvertError) << lines.front();
    }
}

TEST(CustomColorSlots, AllSixteenBoxesBecomeLinesThatReadBackTheSame)
{
    TCustomColorSlots slots;
    for (int i = 0; i < kCustomColorSlotCount; ++i)
        slots[i] = static_cast<uint32_t>(i) * 0x0F0E0D;
    slots[3] = 0xFF00000A;  // bits above the colour are not written
    const auto lines = CustomColorLinesFromSlots(slots);
    ASSERT_EQ(lines.size(), 16u);
    EXPECT_EQ(lines[0], "ColorA=000000");
    EXPECT_EQ(lines[3], "ColorD=00000A");
    EXPECT_EQ(lines[15], "ColorP=E1D2C3");
    slots[3] &= 0xFFFFFF;
    EXPECT_EQ(CustomColorSlotsFromLines(lines), slots);
}

}  // namespace
