// TColorDialog: the platform's colour dialog (ChooseColorA) with a starting colour and the custom colour list.
#pragma once
#include <windows.h>

#include <set>
#include <string>
#include <vector>

#include "toolkit/Classes.h"
#include "toolkit/Graphics.h"

enum class TColorDialogOption { cdFullOpen, cdPreventFullOpen, cdShowHelp, cdSolidColor, cdAnyColor };
using TColorDialogOptions = std::set<TColorDialogOption>;

// The ChooseColorA flags for a set of options; the starting colour is always used (CC_RGBINIT).
DWORD ColorDialogFlags(const TColorDialogOptions& options);

class TColorDialog : public TComponent {
public:
    explicit TColorDialog(TComponent* AOwner) : TComponent(AOwner) {}

    // The starting colour; after a confirmed dialog the chosen RGB colour.
    TColor Color = clBlack;
    // Lines "ColorA=<hex>" to "ColorP=<hex>"; after a confirmed dialog all sixteen boxes as such lines.
    std::vector<std::string> CustomColors;
    TColorDialogOptions Options;

    // Shows the dialog modally over `owner` (null: the active window); true when the user confirmed it.
    // Color and CustomColors change only then. Raises EConvertError for a custom colour line it cannot read.
    bool Execute(HWND owner = nullptr);
};
