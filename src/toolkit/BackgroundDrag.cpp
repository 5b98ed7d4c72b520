// The background drag of borderless forms.
#include "toolkit/BackgroundDrag.h"

namespace {
// Where the mouse was when the message being handled was sent: by the time a late one is handled the cursor may be
// elsewhere already.
TScreenPoint MessagePoint()
{
    const DWORD at = GetMessagePos();
    return {static_cast<short>(LOWORD(at)), static_cast<short>(HIWORD(at))};
}

void MoveTo(HWND form, int left, int top)
{
    SetWindowPos(form, nullptr, left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}
}

TBackgroundDrag::TBackgroundDrag() : FGesture(GetSystemMetrics(SM_CXDRAG), GetSystemMetrics(SM_CYDRAG)) {}

void TBackgroundDrag::Follow(HWND form)
{
    if (const auto way = FGesture.Move(MessagePoint()))
        MoveTo(form, FOrigin.left + way->X, FOrigin.top + way->Y);
}

bool TBackgroundDrag::MouseMessage(HWND background, UINT msg)
{
    HWND form = GetAncestor(background, GA_ROOT);
    switch (msg) {
    case WM_LBUTTONDOWN:
        // The platform's own move ends at the left release; it would never end at a right one.
        ReleaseCapture();
        SendMessageA(form, WM_SYSCOMMAND, SC_MOVE + HTCAPTION, 0);
        return true;
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
        if (FGesture.Pressed())
            return true; // the other button's drag goes on
        FReleaseMessage = msg == WM_RBUTTONDOWN ? WM_RBUTTONUP : WM_MBUTTONUP;
        GetWindowRect(form, &FOrigin);
        FGesture.Press(MessagePoint());
        SetCapture(background);
        return true;
    case WM_MOUSEMOVE:
        if (!FGesture.Pressed())
            return false;
        Follow(form);
        return true;
    case WM_RBUTTONUP:
    case WM_MBUTTONUP: {
        if (!FGesture.Pressed() || msg != FReleaseMessage)
            return false;
        Follow(form);
        const TGestureEnd end = FGesture.Release(MessagePoint());
        ReleaseCapture();
        // A click's release goes on to the control, which asks for the context menu as after any right click.
        return end == TGestureEnd::Drag;
    }
    case WM_CAPTURECHANGED:
        FGesture.Cancel(); // another window took the mouse: the form stays where it got to
        return false;
    default:
        return false;
    }
}

bool TBackgroundDrag::PutBack(HWND form)
{
    if (!FGesture.Pressed())
        return false;
    FGesture.Cancel();
    MoveTo(form, FOrigin.left, FOrigin.top);
    ReleaseCapture();
    return true;
}
