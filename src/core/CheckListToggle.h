// The check list's user-toggle rules: arming by mouse or space bar, the release that toggles, the state cycle.
#pragma once

enum TCheckBoxState : int { cbUnchecked = 0, cbChecked = 1, cbGrayed = 2 };

// Where a user toggle takes an item: unchecked -> (grayed if allowed, else checked) -> unchecked; grayed -> checked.
TCheckBoxState NextCheckState(TCheckBoxState state, bool allowGrayed);

// What the rules need from the list; the check-list control implements it over its items and its events.
class ICheckToggleTarget {
public:
    virtual int Count() const = 0;
    virtual int SelectedIndex() const = 0;  // -1 when nothing is selected
    virtual TCheckBoxState ItemState(int index) const = 0;
    virtual bool ItemEnabled(int index) const = 0;
    // Raises OnChanging with AllowChange preset to true and returns what the handler left in it.
    virtual bool StateChanging(int index, TCheckBoxState newState) = 0;
    // Stores the state and repaints the item's check box.
    virtual void SetItemState(int index, TCheckBoxState state) = 0;
    // Raises OnChange.
    virtual void StateChanged(int index, TCheckBoxState newState) = 0;

protected:
    ~ICheckToggleTarget() = default;
};

class TCheckToggle {
public:
    bool ToggleOnItemClick = false;
    bool AllowGrayed = false;

    // A press, reported after the list box has handled it (so the pressed item is already selected);
    // itemIndex is the item under the point (-1 for none), xInItem the distance from that item's left edge,
    // checkWidth the width of the drawn check box.
    void MouseDown(const ICheckToggleTarget& list, bool leftButton, int itemIndex, int xInItem, int checkWidth);
    // A release; toggles when armed by the left button, released inside the client area, on the same selection.
    void MouseUp(ICheckToggleTarget& list, bool leftButton, bool insideClient);

    void KeyDown(const ICheckToggleTarget& list, bool spaceBar);
    void KeyUp(ICheckToggleTarget& list, bool spaceBar);

    // A typed space would move the selection like a typed letter; the list swallows it.
    static bool SwallowsChar(char c) { return c == ' '; }

    // Toggles the selected item unless none is selected or it is disabled; ends the arming either way.
    void Toggle(ICheckToggleTarget& list);

    bool Armed() const { return FArmed; }

private:
    void Arm(const ICheckToggleTarget& list);

    bool FArmed = false;
    int FArmedIndex = -1;
};
