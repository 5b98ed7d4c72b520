// Hints: the short texts a tooltip shows when the mouse rests on a control, for controls that show only a picture.
#pragma once
#include <windows.h>

#include <string>

#include "toolkit/Classes.h"
#include "toolkit/Controls.h"

// One tooltip window for the owner form's controls; it goes with its owner.
class THints : public TComponent {
public:
    explicit THints(TControl* AOwner);
    ~THints() override;

    // Shows `text` (code page 1254) while the mouse rests on the control.
    void Add(TControl& control, const std::string& text);
    // The text shown for the control; empty when it has none. What a test or a reader of the window asks.
    std::string Text(TControl& control) const;
    HWND Handle() const { return FWindow; }

private:
    TControl& FOwnerControl;
    HWND FWindow = nullptr;
};
