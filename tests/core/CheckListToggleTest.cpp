// Tests of the check list's user-toggle rules: arming, release, space bar, state cycle and the change veto.
#include "core/CheckListToggle.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

constexpr int kCheckWidth = 13;

// Items with a selection; records every event the rules raise, in order.
class FakeList : public ICheckToggleTarget {
public:
    explicit FakeList(int count, int selected) : States(count, cbUnchecked), Enabled(count, true), Selected(selected) {}

    std::vector<TCheckBoxState> States;
    std::vector<bool> Enabled;
    int Selected;
    bool Allow = true;
    std::vector<std::string> Log;

    int Count() const override { return static_cast<int>(States.size()); }
    int SelectedIndex() const override { return Selected; }
    TCheckBoxState ItemState(int index) const override { return States.at(index); }
    bool ItemEnabled(int index) const override { return Enabled.at(index); }
    bool StateChanging(int index, TCheckBoxState s) override { return Note("changing", index, s), Allow; }
    void SetItemState(int index, TCheckBoxState s) override { Note("set", index, s), States.at(index) = s; }
    void StateChanged(int index, TCheckBoxState s) override { Note("changed", index, s); }

private:
    void Note(const char* what, int index, TCheckBoxState s)
    {
        Log.push_back(std::string(what) + " " + std::to_string(index) + "=" + std::to_string(s));
    }
};

void PressSpace(TCheckToggle& toggle, FakeList& list)
{
    toggle.KeyDown(list, true);
    toggle.KeyUp(list, true);
}

TEST(CheckToggle, StateCycleWithAndWithoutGrayed)
{
    for (bool grayed : {false, true}) {
        FakeList list(1, 0);
        TCheckToggle toggle;
        toggle.AllowGrayed = grayed;
        std::vector<TCheckBoxState> seen;
        for (int i = 0; i < 3; ++i) {
            PressSpace(toggle, list);
            seen.push_back(list.States[0]);
        }
        const std::vector<TCheckBoxState> expected =
            grayed ? std::vector{cbGrayed, cbChecked, cbUnchecked} : std::vector{cbChecked, cbUnchecked, cbChecked};
        EXPECT_EQ(seen, expected) << grayed;
    }
    EXPECT_EQ(NextCheckState(cbGrayed, false), cbChecked);
}

TEST(CheckToggle, RaisesChangingThenStoresThenChanged)
{
    FakeList list(3, 2);
    TCheckToggle toggle;
    toggle.Toggle(list);
    EXPECT_EQ(list.Log, (std::vector<std::string>{"changing 2=1", "set 2=1", "changed 2=1"}));
}

TEST(CheckToggle, VetoKeepsStateAndEndsArming)
{
    FakeList list(2, 1);
    list.Allow = false;
    TCheckToggle toggle;
    PressSpace(toggle, list);
    toggle.KeyUp(list, true);  // a second release without a new press must not ask again
    EXPECT_EQ(list.States[1], cbUnchecked);
    EXPECT_EQ(list.Log, (std::vector<std::string>{"changing 1=1"}));
}

TEST(CheckToggle, NothingHappensWithoutSelectionOrOnADisabledItem)
{
    FakeList list(2, -1);
    list.Enabled[1] = false;
    TCheckToggle toggle;
    for (int selected : {-1, 1, 2}) {
        list.Selected = selected;
        PressSpace(toggle, list);
        EXPECT_FALSE(toggle.Armed()) << selected;
    }
    EXPECT_TRUE(list.Log.empty());
}

TEST(CheckToggle, MouseArmingAndReleaseRules)
{
    struct Case {
        const char* name;
        bool wholeItem;      // ToggleOnItemClick
        bool leftDown;
        int itemAtPoint;
        int xInItem;
        int selectedAtUp;    // the press selected item 1
        bool insideClient;
        bool toggles;
    };
    const Case cases[] = {
        {"click on the box", false, true, 1, 2, 1, true, true},
        {"first pixel of the item", false, true, 1, 0, 1, true, true},
        {"left of the item", false, true, 1, -1, 1, true, false},
        {"last pixel of the box area", false, true, 1, kCheckWidth + 3, 1, true, true},
        {"just past the box area", false, true, 1, kCheckWidth + 4, 1, true, false},
        {"click on the text, box only", false, true, 1, 60, 1, true, false},
        {"click on the text, whole item", true, true, 1, 60, 1, true, true},
        {"right button press", true, false, 1, 2, 1, true, false},
        {"press below the last item", true, true, -1, 2, 1, true, false},
        {"selection moved before release", true, true, 1, 2, 0, true, false},
        {"released outside the list", true, true, 1, 2, 1, false, false},
    };
    for (const Case& c : cases) {
        FakeList list(3, 1);
        TCheckToggle toggle;
        toggle.ToggleOnItemClick = c.wholeItem;
        toggle.MouseDown(list, c.leftDown, c.itemAtPoint, c.xInItem, kCheckWidth);
        list.Selected = c.selectedAtUp;
        toggle.MouseUp(list, false, true);  // another button's release is no release of this gesture
        toggle.MouseUp(list, true, c.insideClient);
        EXPECT_EQ(list.States[1] == cbChecked, c.toggles) << c.name;
        EXPECT_EQ(list.States[0], cbUnchecked) << c.name;
        // The gesture is over either way: another release finds nothing armed.
        list.Selected = 1;
        toggle.MouseUp(list, true, true);
        EXPECT_EQ(list.States[1] == cbChecked, c.toggles) << c.name;
    }
}

TEST(CheckToggle, OnlyTheSpaceBarArmsAndToggles)
{
    FakeList list(1, 0);
    TCheckToggle toggle;
    toggle.KeyDown(list, false);
    toggle.KeyUp(list, false);
    toggle.KeyUp(list, true);  // a release without a press
    EXPECT_EQ(list.States[0], cbUnchecked);
    toggle.KeyDown(list, true);
    toggle.KeyDown(list, true);  // auto-repeat
    toggle.KeyUp(list, true);
    EXPECT_EQ(list.States[0], cbChecked);
    EXPECT_TRUE(TCheckToggle::SwallowsChar(' '));
    EXPECT_FALSE(TCheckToggle::SwallowsChar('a'));
}

}  // namespace
