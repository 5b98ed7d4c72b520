// Tests of the search list's layout arithmetic and of the attached label's placement.
#include <gtest/gtest.h>

#include "core/SearchListLayout.h"

namespace {

TEST(SearchListLayout, PlacesFieldSeparatorAndListInTheClientArea)
{
    struct Case {
        const char* name;
        int width, height, itemHeight;
        TBounds field, list;
        int separatorY;
    };
    const Case cases[] = {
        {"history list inside its sunken edge", 317, 205, 13, {3, 1, 311, 13}, {0, 18, 317, 187}, 17},
        {"defaults inside the edge", 96, 146, 16, {3, 1, 90, 16}, {0, 21, 96, 125}, 20},
        {"exactly room for the field", 6, 18, 13, {3, 1, 0, 13}, {0, 18, 6, 0}, 17},
        {"too small for anything", 4, 10, 13, {3, 1, 0, 13}, {0, 18, 4, 0}, 17},
        {"no client area", 0, 0, 13, {3, 1, 0, 13}, {0, 18, 0, 0}, 17},
    };
    for (const Case& c : cases) {
        const TSearchListLayout layout = LayoutSearchList(c.width, c.height, c.itemHeight);
        EXPECT_EQ(layout.Field, c.field) << c.name;
        EXPECT_EQ(layout.List, c.list) << c.name;
        EXPECT_EQ(layout.SeparatorY, c.separatorY) << c.name;
    }
}

TEST(SearchListLayout, AttachedLabelKeepsItsPlaceAboveTheControl)
{
    const TBounds label{16, 14, 153, 16};
    const TBounds list{16, 32, 321, 209};
    const TLabelOffset offset = MeasureLabelOffset(label, list);
    EXPECT_EQ(offset, (TLabelOffset{0, -2}));
    EXPECT_EQ(PlaceAttachedLabel(label, list, offset), label);

    struct Case {
        TBounds control;
        TBounds expected;
    };
    const Case moves[] = {
        {{40, 100, 321, 209}, {40, 82, 153, 16}},
        {{16, 32, 50, 20}, {16, 14, 153, 16}},  // resizing the control leaves the label where it was
        {{0, 0, 321, 209}, {0, -18, 153, 16}},
    };
    for (const Case& c : moves)
        EXPECT_EQ(PlaceAttachedLabel(label, c.control, offset), c.expected);

    const TBounds taller{10, 50, 60, 30};
    EXPECT_EQ(MeasureLabelOffset(taller, list), (TLabelOffset{-6, 48}));
    EXPECT_EQ(PlaceAttachedLabel(taller, {100, 0, 5, 5}, {-6, 48}), (TBounds{94, 18, 60, 30}));
}

}
