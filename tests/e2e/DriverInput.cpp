// The end-to-end driver's input: clicks, typing, key chords, system commands and the tab order.
#include <cstdlib>
#include <vector>

#include "Driver.h"
#include "DriverDetail.h"

namespace e2e {

using namespace detail;

namespace {

void SendInputs(std::vector<INPUT>& inputs) {
    if (inputs.empty()) return;
    const UINT sent = SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
    if (sent != inputs.size()) throw Failure("SendInput delivered " + std::to_string(sent) + " of " +
                                             std::to_string(inputs.size()) + " events");
}

INPUT KeyEvent(WORD vk, bool up) {
    INPUT in{};
    in.type = INPUT_KEYBOARD;
    in.ki.wVk = vk;
    in.ki.wScan = static_cast<WORD>(MapVirtualKeyA(vk, MAPVK_VK_TO_VSC));
    in.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    switch (vk) {
    case VK_LEFT: case VK_RIGHT: case VK_UP: case VK_DOWN: case VK_HOME: case VK_END:
    case VK_PRIOR: case VK_NEXT: case VK_INSERT: case VK_DELETE:
        in.ki.dwFlags |= KEYEVENTF_EXTENDEDKEY;
        break;
    default:
        break;
    }
    return in;
}

INPUT UnicodeEvent(wchar_t ch, bool up) {
    INPUT in{};
    in.type = INPUT_KEYBOARD;
    in.ki.wScan = ch;
    in.ki.dwFlags = KEYEVENTF_UNICODE | (up ? KEYEVENTF_KEYUP : 0);
    return in;
}

}  // namespace

// ---- input -----------------------------------------------------------------------------------------

void Click(HWND button) {
    if (!PostMessageA(button, BM_CLICK, 0, 0)) throw Failure("cannot post BM_CLICK");
}

namespace {

struct TLastClick {
    POINT At{-100000, -100000};
    TMouseButton Button = TMouseButton::Left;
    DWORD Tick = 0;
};
TLastClick gLastClick;

void ButtonFlags(TMouseButton button, DWORD& down, DWORD& up) {
    down = MOUSEEVENTF_LEFTDOWN, up = MOUSEEVENTF_LEFTUP;
    if (button == TMouseButton::Right) down = MOUSEEVENTF_RIGHTDOWN, up = MOUSEEVENTF_RIGHTUP;
    if (button == TMouseButton::Middle) down = MOUSEEVENTF_MIDDLEDOWN, up = MOUSEEVENTF_MIDDLEUP;
}

void SendButton(DWORD flag) {
    INPUT e{};
    e.type = INPUT_MOUSE;
    e.mi.dwFlags = flag;
    std::vector<INPUT> in{e};
    SendInputs(in);
}

void SendClicks(POINT screen, TMouseButton button, int count) {
    if (!SetCursorPos(screen.x, screen.y)) throw Failure("SetCursorPos failed");
    DWORD down, up;
    ButtonFlags(button, down, up);
    std::vector<INPUT> in;
    for (int i = 0; i < count; ++i) {
        INPUT e{};
        e.type = INPUT_MOUSE;
        e.mi.dwFlags = down;
        in.push_back(e);
        e.mi.dwFlags = up;
        in.push_back(e);
    }
    SendInputs(in);
    gLastClick = {screen, button, GetTickCount()};
}

}  // namespace

// A click close to the last one, within the double-click time, would arrive as a double click (an edit
// control then selects a word and does not take the focus): such a click waits that time out first.
void ClickAt(POINT screen, TMouseButton button) {
    const DWORD since = GetTickCount() - gLastClick.Tick;
    const DWORD doubleTime = GetDoubleClickTime();
    if (button == gLastClick.Button && since <= doubleTime &&
        std::abs(screen.x - gLastClick.At.x) <= GetSystemMetrics(SM_CXDOUBLECLK) &&
        std::abs(screen.y - gLastClick.At.y) <= GetSystemMetrics(SM_CYDOUBLECLK))
        Sleep(doubleTime - since + 20);
    SendClicks(screen, button, 1);
}

void DoubleClickAt(POINT screen, TMouseButton button) { SendClicks(screen, button, 2); }

void PressButton(TMouseButton button, bool down) {
    DWORD downFlag, upFlag;
    ButtonFlags(button, downFlag, upFlag);
    SendButton(down ? downFlag : upFlag);
}

void Drag(POINT from, POINT to, TMouseButton button) {
    DWORD down, up;
    ButtonFlags(button, down, up);
    if (!SetCursorPos(from.x, from.y)) throw Failure("SetCursorPos failed");
    SendButton(down);
    Sleep(100);
    for (int step = 1; step <= 4; ++step) {
        if (!SetCursorPos(from.x + (to.x - from.x) * step / 4, from.y + (to.y - from.y) * step / 4))
            throw Failure("SetCursorPos failed");
        Sleep(50);
    }
    SendButton(up);
    gLastClick = {to, button, GetTickCount()};
}

void ClickWindow(HWND w, std::optional<POINT> clientPoint, TMouseButton button) {
    const RECT r = ClientRectOnScreen(w);
    POINT p = clientPoint ? POINT{r.left + clientPoint->x, r.top + clientPoint->y}
                          : POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
    ClickAt(p, button);
}

// Keys go to the thread that is in the foreground when they are sent, so a control that already had its
// thread's focus is ready only once the click has also brought its window to the foreground.
bool FocusByClick(HWND control, DWORD timeoutMs) {
    const HWND top = GetAncestor(control, GA_ROOT);
    const auto focused = [&] { return IsWindow(control) && Foreground() == top && FocusOf(control) == control; };
    // Without a window manager a click that comes while Wine is still settling an activation is now and then lost;
    // a second one, long after the double-click time, takes the focus as the first would have.
    ClickWindow(control);
    if (WaitUntil(focused, timeoutMs / 2)) return true;
    ClickWindow(control);
    return WaitUntil(focused, timeoutMs / 2);
}

void TypeText(const std::string& text) {
    const std::wstring wide = WideFromAnsi(text);
    std::vector<INPUT> in;
    for (size_t i = 0; i < wide.size(); ++i) {
        const wchar_t c = wide[i];
        WORD vk = 0;
        if (c == L'\r' && i + 1 < wide.size() && wide[i + 1] == L'\n') continue;
        if (c == L'\n' || c == L'\r') vk = VK_RETURN;
        if (c == L'\t') vk = VK_TAB;
        if (c == L'\b') vk = VK_BACK;
        in.push_back(vk ? KeyEvent(vk, false) : UnicodeEvent(c, false));
        in.push_back(vk ? KeyEvent(vk, true) : UnicodeEvent(c, true));
    }
    SendInputs(in);
}

void PressKey(WORD vk) { Chord({vk}); }

void Chord(std::initializer_list<WORD> keys) {
    std::vector<INPUT> in;
    for (WORD k : keys) in.push_back(KeyEvent(k, false));
    for (auto it = std::rbegin(keys); it != std::rend(keys); ++it) in.push_back(KeyEvent(*it, true));
    SendInputs(in);
}

void PostSysCommand(HWND w, WPARAM command) {
    if (!PostMessageA(w, WM_SYSCOMMAND, command, 0)) throw Failure("cannot post WM_SYSCOMMAND");
}

std::vector<HWND> TabOrder(HWND anyWindowOfThread, bool backwards, int maxPresses) {
    const HWND start = FocusOf(anyWindowOfThread);
    std::vector<HWND> order;
    HWND current = start;
    for (int i = 0; i < maxPresses; ++i) {
        if (backwards)
            Chord({VK_SHIFT, VK_TAB});
        else
            PressKey(VK_TAB);
        const HWND before = current;
        // A lone tab stop keeps the focus: a short bound tells that apart from a slow program.
        if (!WaitUntil([&] { return (current = FocusOf(anyWindowOfThread)) != before; }, 1000)) break;
        order.push_back(current);
        if (current == start) return order;
    }
    if (!order.empty()) throw std::runtime_error("the tab order did not come back to where it started");
    return order;
}

}  // namespace e2e
