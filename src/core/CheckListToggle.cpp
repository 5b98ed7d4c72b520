// The check list's user-toggle rules.
#include "core/CheckListToggle.h"

namespace {
// The clickable area runs a little past the drawn box so that a click on its edge still counts.
constexpr int kCheckAreaSlack = 4;
}

TCheckBoxState NextCheckState(TCheckBoxState state, bool allowGrayed)
{
    switch (state) {
    case cbUnchecked:
        return allowGrayed ? cbGrayed : cbChecked;
    case cbChecked:
        return cbUnchecked;
    case cbGrayed:
        return cbChecked;
    }
    // A stored value outside the three states: treat it as unchecked so a toggle lands on a valid one.
    return allowGrayed ? cbGrayed : cbChecked;
}

void TCheckToggle::Arm(const ICheckToggleTarget& list)
{
    FArmed = true;
    FArmedIndex = list.SelectedIndex();
}

void TCheckToggle::MouseDown(const ICheckToggleTarget& list, bool leftButton, int itemIndex, int xInItem,
                             int checkWidth)
{
    if (!leftButton || itemIndex < 0)
        return;
    const bool inCheckArea = xInItem >= 0 && xInItem < checkWidth + kCheckAreaSlack;
    if (ToggleOnItemClick || inCheckArea)
        Arm(list);
}

void TCheckToggle::MouseUp(ICheckToggleTarget& list, bool leftButton, bool insideClient)
{
    if (!leftButton || !FArmed)
        return;
    // A left release finishes the gesture whether or not it toggles; a later release must not toggle.
    FArmed = false;
    if (insideClient && list.SelectedIndex() == FArmedIndex)
        Toggle(list);
}

void TCheckToggle::KeyDown(const ICheckToggleTarget& list, bool spaceBar)
{
    if (spaceBar)
        Arm(list);
}

void TCheckToggle::KeyUp(ICheckToggleTarget& list, bool spaceBar)
{
    if (spaceBar && FArmed)
        Toggle(list);
}

void TCheckToggle::Toggle(ICheckToggleTarget& list)
{
    FArmed = false;
    FArmedIndex = -1;
    const int index = list.SelectedIndex();
    if (index < 0 || index >= list.Count() || !list.ItemEnabled(index))
        return;
    const TCheckBoxState newState = NextCheckState(list.ItemState(index), AllowGrayed);
    if (!list.StateChanging(index, newState))
        return;
    list.SetItemState(index, newState);
    list.StateChanged(index, newState);
}
