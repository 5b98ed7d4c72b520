// Tests of the check list's user-toggle rules: arming, release, space bar, state cycle and the change veto.
#include "core/CheckListToggle.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

constexpr int kCheckWidth = 13;

// A list of items with a selection that records every event the rules raise, in order.
class FakeList : public ICheckToggleTarget {
public:
    explicit FakeList(int count) : States(count, cbUnchecked), Enabled(count, true) {}

    std::vector<TCheckBoxState> States;
    std::vector<bool> Enabled;
    int Selected = -1;
    bool Allow = true;
    std::vector<std::string> Log;

    int Count() const override { return static_cast<int>(States.size()); }
    int SelectedIndex() const override { return Selected; }
    TCheckBoxState ItemState(int index) const override { return States.at(index); }
    bool ItemEnabled(int index) const override { return Enabled.at(index); }
    bool StateChanging(int index, TCheckBoxState newState) override
    {
        Log.push_back("changing " + std::to_string(index) + "->" + std::to_string(newState));
        return Allow;
    }
    void SetItemState(int index, TCheckBoxState state) override
    {
        Log.push_back("set " + std::to_string(index) + "=" + std::to_string(state));
        States.at(index) = state;
    }
    void StateChanged(int index, TCheckBoxState newState) override
    {
        Log.push_back("changed " + std::to_string(index) + "->" + std::to_string(newState));
    }
};

TEST(CheckToggleStates, CycleWithAndWithoutGrayed)
{
    struct Case {
        TCheckBoxState from;
        bool allowGrayed;
        TCheckBoxState to;
    };
    const Case cases[] = {
        {cbUnchecked, false, cbChecked}, {cbChecked, false, cbUnchecked}, {cbGrayed, false, cbChecked},
        {cbUnchecked, true, cbGrayed},   {cbGrayed, true, cbChecked},     {cbChecked, true, cbUnchecked},
    };
    for (const Case& c : cases)
        EXPECT_EQ(NextCheckState(c.from, c.allowGrayed), c.to) << c.from << " grayed=" << c.allowGrayed;
}

TEST(CheckToggleStates, AllowGrayedCyclesThroughThreeStatesBySpaceBar)
{
    FakeList list(1);
    list.Selected = 0;
    TCheckToggle toggle;
    toggle.AllowGrayed = true;
    std::vector<TCheckBoxState> seen;
    for (int i = 0; i < 3; ++i) {
        toggle.KeyDown(list, true);
        toggle.KeyUp(list, true);
        seen.push_back(list.States[0]);
    }
    EXPECT_EQ(seen, (std::vector<TCheckBoxState>{cbGrayed, cbChecked, cbUnchecked}));
}

TEST(CheckToggle, RaisesChangingThenStoresThenChanged)
{
    FakeList list(3);
    list.Selected = 2;
    TCheckToggle toggle;
    toggle.Toggle(list);
    EXPECT_EQ(list.Log, (std::vector<std::string>{"changing 2->1", "set 2=1", "changed 2->1"}));
}

TEST(CheckToggle, VetoKeepsStateButEndsArming)
{
    FakeList list(2);
    list.Selected = 1;
    list.Allow = false;
    TCheckToggle toggle;
    toggle.KeyDown(list, true);
    toggle.KeyUp(list, true);
    EXPECT_EQ(list.States[1], cbUnchecked);
    EXPECT_EQ(list.Log, (std::vector<std::string>{"changing 1->1"}));
    EXPECT_FALSE(toggle.Armed());
    // A second release without a new press must not ask again.
    toggle.KeyUp(list, true);
    EXPECT_EQ(list.Log.size(), 1u);
}

TEST(CheckToggle, NothingHappensWithoutSelectionOrOnADisabledItem)
{
    FakeList list(2);
    list.Enabled[1] = false;
    TCheckToggle toggle;
    for (int selected : {-1, 1, 2}) {
        list.Selected = selected;
        toggle.KeyDown(list, true);
        toggle.KeyUp(list, true);
        EXPECT_FALSE(toggle.Armed()) << selected;
    }
    EXPECT_TRUE(list.Log.empty());
    EXPECT_EQ(list.States, (std::vector<TCheckBoxState>{cbUnchecked, cbUnchecked}));
}

struct MouseCase {
    const char* name;
    bool toggleOnItemClick;
    bool leftDown;
    int itemAtPoint;
    int xInItem;
    int selectedAtRelease;  // the press always selects item 1
    bool leftUp;
    bool insideClient;
    bool toggles;
};

TEST(CheckToggleMouse, ArmingAndReleaseRules)
{
    const MouseCase cases[] = {
        {"click on the box", false, true, 1, 2, 1, true, true, true},
        {"last pixel of the box area", false, true, 1, kCheckWidth + 3, 1, true, true, true},
        {"just past the box area", false, true, 1, kCheckWidth + 4, 1, true, true, false},
        {"click on the text, box only", false, true, 1, 60, 1, true, true, false},
        {"click on the text, whole item", true, true, 1, 60, 1, true, true, true},
        {"right button press", true, false, 1, 2, 1, true, true, false},
        {"press below the last item", true, true, -1, 2, 1, true, true, false},
        {"selection moved before release", true, true, 1, 2, 0, true, true, false},
        {"released outside the list", true, true, 1, 2, 1, true, false, false},
    };
    for (const MouseCase& c : cases) {
        FakeList list(3);
        list.Selected = 1;
        TCheckToggle toggle;
        toggle.ToggleOnItemClick = c.toggleOnItemClick;
        toggle.MouseDown(list, c.leftDown, c.itemAtPoint, c.xInItem, kCheckWidth);
        list.Selected = c.selectedAtRelease;
        toggle.MouseUp(list, c.leftUp, c.insideClient);
        const bool toggled = list.States[1] == cbChecked;
        EXPECT_EQ(toggled, c.toggles) << c.name;
        EXPECT_EQ(list.States[0], cbUnchecked) << c.name;
    }
}

TEST(CheckToggleMouse, ARightReleaseDoesNotEndALeftPress)
{
    FakeList list(1);
    list.Selected = 0;
    TCheckToggle toggle;
    toggle.ToggleOnItemClick = true;
    toggle.MouseDown(list, true, 0, 50, kCheckWidth);
    toggle.MouseUp(list, false, true);
    EXPECT_EQ(list.States[0], cbUnchecked);
    toggle.MouseUp(list, true, true);
    EXPECT_EQ(list.States[0], cbChecked);
}

TEST(CheckToggleMouse, AFailedReleaseDisarmsSoTheNextReleaseDoesNotToggle)
{
    FakeList list(1);
    list.Selected = 0;
    TCheckToggle toggle;
    toggle.ToggleOnItemClick = true;
    toggle.MouseDown(list, true, 0, 50, kCheckWidth);
    toggle.MouseUp(list, true, false);
    toggle.MouseUp(list, true, true);
    EXPECT_EQ(list.States[0], cbUnchecked);
    EXPECT_TRUE(list.Log.empty());
}

TEST(CheckToggleKeyboard, OnlyTheSpaceBarArmsAndToggles)
{
    FakeList list(1);
    list.Selected = 0;
    TCheckToggle toggle;
    toggle.KeyDown(list, false);
    toggle.KeyUp(list, false);
    EXPECT_EQ(list.States[0], cbUnchecked);
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
