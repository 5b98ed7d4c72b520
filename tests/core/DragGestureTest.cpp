#include <gtest/gtest.h>

#include <vector>

#include "core/DragGesture.h"

namespace {

struct TGestureCase {
    const char* Name;
    std::vector<TScreenPoint> Moves; // after a press at (100, 100), with a slop of 4 by 3
    TScreenPoint ReleaseAt;
    TGestureEnd End;
};

TEST(DragGestureTest, TheReleaseTellsAClickFromADrag)
{
    const TGestureCase cases[] = {
        {"no move", {}, {100, 100}, TGestureEnd::Click},
        {"jitter inside the box", {{104, 97}, {96, 103}}, {104, 103}, TGestureEnd::Click},
        {"one pixel past the box", {{105, 100}}, {100, 100}, TGestureEnd::Drag},
        {"out and back again stays a drag", {{100, 90}, {100, 100}}, {100, 100}, TGestureEnd::Drag},
        {"moved without a move message", {}, {100, 110}, TGestureEnd::Drag},
    };
    for (const TGestureCase& c : cases) {
        SCOPED_TRACE(c.Name);
        TDragGesture gesture(4, 3);
        gesture.Press({100, 100});
        for (const TScreenPoint& at : c.Moves)
            gesture.Move(at);
        EXPECT_EQ(gesture.Release(c.ReleaseAt), c.End);
        EXPECT_FALSE(gesture.Pressed());
    }
}

TEST(DragGestureTest, TheWindowFollowsOnlyOnceThePointerLeftTheBox)
{
    TDragGesture gesture(4, 4);
    EXPECT_FALSE(gesture.Move({50, 50})) << "no press, no move";
    gesture.Press({10, 20});
    EXPECT_FALSE(gesture.Move({13, 16}));
    const auto way = gesture.Move({2, 30});
    ASSERT_TRUE(way);
    EXPECT_EQ(way->X, -8);
    EXPECT_EQ(way->Y, 10);
    const auto back = gesture.Move({11, 21});
    ASSERT_TRUE(back) << "once dragging, small ways count too";
    EXPECT_EQ(back->X, 1);
    gesture.Cancel();
    EXPECT_EQ(gesture.Release({11, 21}), TGestureEnd::None);
}

} // namespace
