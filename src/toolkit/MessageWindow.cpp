// TMessageWindow: created hidden; its handler sees everything once it is set.
#include "toolkit/MessageWindow.h"

TMessageWindow::TMessageWindow(TComponent* AOwner, const char* className, TKind kind)
    : TControl(AOwner), FClassName(className), FKind(kind)
{
    SetVisible(false);
    // One that must hear a broadcast is made now. A message-only one is made at its first use (the first post it
    // must receive needs its handle): each costs a start-up a few milliseconds, and most are not used in a run.
    // Its creation messages pass the handler, which takes only its own, to the default processing.
    if (FKind == TKind::HearsBroadcasts)
        HandleNeeded();
}

void TMessageWindow::CreateParams(TCreateParams& params)
{
    params.ClassName = nullptr;
    params.OwnClassName = FClassName;
    params.Style = WS_POPUP;
    params.ExStyle = 0;
}

HWND TMessageWindow::ParentHandleForCreate() { return FKind == TKind::MessageOnly ? HWND_MESSAGE : nullptr; }

LRESULT TMessageWindow::WndProc(UINT msg, WPARAM wParam, LPARAM lParam)
{
    LRESULT result = 0;
    if (OnMessage && OnMessage(msg, wParam, lParam, result))
        return result;
    return DefaultHandler(msg, wParam, lParam);
}
