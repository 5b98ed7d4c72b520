// TColorDialog over ChooseColorA.
#include "toolkit/ColorDialog.h"

#include <commdlg.h>

#include "core/CustomColorSlots.h"

namespace {

struct TOptionFlag {
    TColorDialogOption Option;
    DWORD Flag;
};

constexpr TOptionFlag kOptionFlags[] = {
    {TColorDialogOption::cdFullOpen, CC_FULLOPEN},
    {TColorDialogOption::cdPreventFullOpen, CC_PREVENTFULLOPEN},
    {TColorDialogOption::cdShowHelp, CC_SHOWHELP},
    {TColorDialogOption::cdSolidColor, CC_SOLIDCOLOR},
    {TColorDialogOption::cdAnyColor, CC_ANYCOLOR},
};

} // namespace

DWORD ColorDialogFlags(const TColorDialogOptions& options)
{
    DWORD flags = CC_RGBINIT;
    for (const TOptionFlag& entry : kOptionFlags)
        if (options.count(entry.Option))
            flags |= entry.Flag;
    return flags;
}

bool TColorDialog::Execute(HWND owner)
{
    // Read before the dialog opens, so that a bad line is reported without showing anything.
    TCustomColorSlots slots = CustomColorSlotsFromLines(CustomColors);
    COLORREF boxes[kCustomColorSlotCount];
    for (int i = 0; i < kCustomColorSlotCount; ++i)
        boxes[i] = slots[i];

    CHOOSECOLORA cc{};
    cc.lStructSize = sizeof(cc);
    cc.hwndOwner = owner ? owner : GetActiveWindow();
    cc.rgbResult = ColorToRGB(Color);
    cc.lpCustColors = boxes;
    cc.Flags = ColorDialogFlags(Options);
    if (!ChooseColorA(&cc))
        return false;
    Color = static_cast<TColor>(cc.rgbResult & 0xFFFFFF);
    for (int i = 0; i < kCustomColorSlotCount; ++i)
        slots[i] = boxes[i] & 0xFFFFFF;
    CustomColors = CustomColorLinesFromSlots(slots);
    return true;
}
