// TMessageWindow: created hidden; its handler sees everything once it is set.
#include "toolkit/MessageWindow.h"

TMessageWindow::TMessageWindow(TComponent* AOwner, const char* className, TKind kind)
    : TControl(AOwner), FClassName(className), FKind(kind)
{
    SetVisible(false);
    // Made now, with no handler yet: the creation messages get the default processing that creation needs.
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
