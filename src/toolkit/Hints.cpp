// Hints over the common controls' tooltip window, which watches each control's mouse itself (TTF_SUBCLASS).
#include "toolkit/Hints.h"

#include <commctrl.h>

#include <map>
#include <vector>

namespace {

// The first record size every common controls version takes; the fields past it are not needed here.
TTTOOLINFOA ToolFor(HWND owner, HWND control)
{
    TTTOOLINFOA tool{};
    tool.cbSize = TTTOOLINFOA_V1_SIZE;
    tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    tool.hwnd = owner;
    tool.uId = reinterpret_cast<UINT_PTR>(control);
    return tool;
}

// The hint sets whose window waits for the loop, by timer: a thread timer's procedure gets no pointer of its own.
std::map<UINT_PTR, THints*>& WaitingForTheLoop()
{
    static std::map<UINT_PTR, THints*> waiting;
    return waiting;
}

} // namespace

THints::THints(TControl* AOwner) : TComponent(AOwner), FOwnerControl(*AOwner)
{
    // A timer message comes only when no other message waits, so after the first paint. Without a timer the window
    // is made at the first hint, as soon as it is asked for.
    FTimer = SetTimer(nullptr, 0, 0, &THints::MakeWindowNow);
    if (FTimer)
        WaitingForTheLoop()[FTimer] = this;
}

THints::~THints()
{
    if (FTimer) {
        KillTimer(nullptr, FTimer);
        WaitingForTheLoop().erase(FTimer);
    }
    if (FWindow)
        DestroyWindow(FWindow);
}

void CALLBACK THints::MakeWindowNow(HWND, UINT, UINT_PTR timer, DWORD)
{
    KillTimer(nullptr, timer);
    const auto found = WaitingForTheLoop().find(timer);
    if (found == WaitingForTheLoop().end())
        return;
    THints* hints = found->second;
    WaitingForTheLoop().erase(found);
    hints->FTimer = 0;
    hints->MakeWindow();
}

void THints::MakeWindow()
{
    FWindow = CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX,
        CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, FOwnerControl.Handle(), nullptr,
        GetModuleHandleA(nullptr), nullptr);
    // Without the window the controls work as well: a hint is a help, not a function.
    if (FWindow)
        for (const TPendingHint& hint : FPending)
            AddTool(*hint.Control, hint.Text);
    FPending.clear();
}

void THints::Add(TControl& control, const std::string& text)
{
    if (FTimer) {
        FPending.push_back({&control, text});
        return;
    }
    if (!FWindow)
        MakeWindow();
    if (FWindow)
        AddTool(control, text);
}

void THints::AddTool(TControl& control, const std::string& text)
{
    TTTOOLINFOA tool = ToolFor(FOwnerControl.Handle(), control.Handle());
    tool.lpszText = const_cast<char*>(text.c_str()); // the tooltip keeps its own copy
    SendMessageA(FWindow, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&tool));
}

std::string THints::Text(TControl& control) const
{
    if (!FWindow) {
        for (const TPendingHint& hint : FPending)
            if (hint.Control == &control)
                return hint.Text;
        return {};
    }
    std::vector<char> buffer(256, '\0'); // TTM_GETTEXTA has no length: a hint is one short line
    TTTOOLINFOA tool = ToolFor(FOwnerControl.Handle(), control.Handle());
    tool.lpszText = buffer.data();
    SendMessageA(FWindow, TTM_GETTEXTA, 0, reinterpret_cast<LPARAM>(&tool));
    buffer.back() = '\0';
    return buffer.data();
}
