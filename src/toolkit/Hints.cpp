// Hints over the common controls' tooltip window, which watches each control's mouse itself (TTF_SUBCLASS).
#include "toolkit/Hints.h"

#include <commctrl.h>

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

} // namespace

THints::THints(TControl* AOwner) : TComponent(AOwner), FOwnerControl(*AOwner) {}

THints::~THints()
{
    if (FWindow)
        DestroyWindow(FWindow);
}

void THints::Add(TControl& control, const std::string& text)
{
    if (!FWindow) {
        FWindow = CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX,
            CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, FOwnerControl.Handle(), nullptr,
            GetModuleHandleA(nullptr), nullptr);
        if (!FWindow)
            return; // a hint is a help, not a function: the control works without it
    }
    TTTOOLINFOA tool = ToolFor(FOwnerControl.Handle(), control.Handle());
    tool.lpszText = const_cast<char*>(text.c_str()); // the tooltip keeps its own copy
    SendMessageA(FWindow, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&tool));
}

std::string THints::Text(TControl& control) const
{
    if (!FWindow)
        return {};
    std::vector<char> buffer(256, '\0'); // TTM_GETTEXTA has no length: a hint is one short line
    TTTOOLINFOA tool = ToolFor(FOwnerControl.Handle(), control.Handle());
    tool.lpszText = buffer.data();
    SendMessageA(FWindow, TTM_GETTEXTA, 0, reinterpret_cast<LPARAM>(&tool));
    buffer.back() = '\0';
    return buffer.data();
}
