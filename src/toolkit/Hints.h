// Hints: the short texts a tooltip shows when the mouse rests on a control, for controls that show only a picture.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

#include "toolkit/Classes.h"
#include "toolkit/Controls.h"

// One tooltip window for the owner form's controls; it goes with its owner. The window is made once the message
// loop runs, after the owner's first paint (a hint is never needed before it, and making it slows the start).
class THints : public TComponent {
public:
    explicit THints(TControl* AOwner);
    ~THints() override;

    // Shows `text` (code page 1254) while the mouse rests on the control.
    void Add(TControl& control, const std::string& text);
    // The text shown for the control; empty when it has none. What a test or a reader of the window asks.
    std::string Text(TControl& control) const;
    // Null until the loop has made the window.
    HWND Handle() const { return FWindow; }

private:
    struct TPendingHint {
        TControl* Control;
        std::string Text;
    };
    static void CALLBACK MakeWindowNow(HWND, UINT, UINT_PTR timer, DWORD);
    void MakeWindow();
    void AddTool(TControl& control, const std::string& text);

    TControl& FOwnerControl;
    HWND FWindow = nullptr;
    UINT_PTR FTimer = 0; // while the window waits for the loop
    std::vector<TPendingHint> FPending;
};
