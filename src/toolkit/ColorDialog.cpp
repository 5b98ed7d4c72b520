// TColorDialog over ChooseColorA.
#include "toolkit/ColorDialog.h"

#include <commdlg.h>

#include "core/CustomColorSlots.h"

DWORD ColorDialogFlags(const TColorDialogOptions& options)
{
    DWORD flags = CC_RGBINIT;
    for (TColorDialogOption option : options) {
        switch (option) {
        case TColorDialogOption::cdFullOpen:
            flags |= CC_FULLOPEN;
            break;
        case TColorDialogOption::cdPreventFullOpen:
            flags |= CC_PREVENTFULLOPEN;
            break;
        case TColorDialogOption::cdShowHelp:
            flags |= CC_SHOWHELP;
            break;
        case TColorDialogOption::cdSolidColor:
            flags |= CC_SOLIDCOLOR;
            break;
        case TColorDialogOption::cdAnyColor:
            flags |= CC_ANYCOLOR;
            break;
        }
    }
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
