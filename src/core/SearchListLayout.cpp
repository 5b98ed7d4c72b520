// Layout arithmetic of the search list and its attached label.
#include "core/SearchListLayout.h"

namespace {
constexpr int kFieldLeft = 3;
constexpr int kFieldTop = 1;
constexpr int kListGap = 5;  // field height + 5 is the list's top; the separator runs one row above it

int NotNegative(int value) { return value < 0 ? 0 : value; }
}

TSearchListLayout LayoutSearchList(int clientWidth, int clientHeight, int itemHeight)
{
    const int fieldHeight = NotNegative(itemHeight);
    TSearchListLayout layout;
    layout.Field = {kFieldLeft, kFieldTop, NotNegative(clientWidth - 2 * kFieldLeft), fieldHeight};
    layout.List = {0, fieldHeight + kListGap, NotNegative(clientWidth), NotNegative(clientHeight - fieldHeight - kListGap)};
    layout.SeparatorY = fieldHeight + kListGap - 1;
    return layout;
}

TLabelOffset MeasureLabelOffset(const TBounds& label, const TBounds& control)
{
    return {label.Left - control.Left, label.Top + label.Height - control.Top};
}

TBounds PlaceAttachedLabel(const TBounds& label, const TBounds& control, const TLabelOffset& offset)
{
    return {control.Left + offset.OffsetX, control.Top + offset.OffsetY - label.Height, label.Width, label.Height};
}
