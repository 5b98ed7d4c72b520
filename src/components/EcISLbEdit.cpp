// The search field: a borderless edit that searches the entry list after a typing pause.
#include "components/EcISLb.h"

void TEcMouseEvents::FireMouse(TObject* sender, UINT msg, WPARAM wParam, LPARAM lParam) const
{
    const int x = XFromLParam(lParam);
    const int y = YFromLParam(lParam);
    switch (msg) {
    case WM_MOUSEMOVE:
        if (OnMouseMove)
            OnMouseMove(sender, wParam, x, y);
        break;
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
    case WM_MBUTTONUP:
        if (OnMouseUp)
            OnMouseUp(sender, MouseButtonOf(msg), wParam, x, y);
        break;
    default:
        break;
    }
}

TEcCustomEdit::TEcCustomEdit(TComponent* AOwner) : TEdit(AOwner) {}

void TEcCustomEdit::CreateParams(TCreateParams& params)
{
    TEdit::CreateParams(params);
    params.ExStyle &= ~static_cast<DWORD>(WS_EX_CLIENTEDGE);
    params.Style &= ~static_cast<DWORD>(WS_BORDER);
    if (!FHideSelection)
        params.Style |= ES_NOHIDESEL;
}

void TEcCustomEdit::InitializeHandle()
{
    TEdit::InitializeHandle();
    if (FPasswordChar)
        SendMessageA(FHandle, EM_SETPASSWORDCHAR, static_cast<unsigned char>(FPasswordChar), 0);
}

void TEcCustomEdit::SetHideSelection(bool value)
{
    if (FHideSelection == value)
        return;
    FHideSelection = value;
    if (!HandleAllocated())
        return;
    // The edit reads this style only when it is created: make it again, keeping text and selection.
    const std::string text = Text();
    const int start = SelStart();
    const int length = SelLength();
    const bool focused = Focused();
    DestroyHandle();
    CreateHandle();
    SetText(text);
    SetSelection(start, length);
    if (focused)
        SetFocus();
}

void TEcCustomEdit::SetPasswordChar(char value)
{
    FPasswordChar = value;
    if (HandleAllocated()) {
        SendMessageA(FHandle, EM_SETPASSWORDCHAR, static_cast<unsigned char>(value), 0);
        Invalidate();
    }
}

bool TEcCustomEdit::Modified() const { return FHandle && SendMessageA(FHandle, EM_GETMODIFY, 0, 0) != 0; }

void TEcCustomEdit::SetModified(bool value)
{
    if (FHandle)
        SendMessageA(FHandle, EM_SETMODIFY, value ? TRUE : FALSE, 0);
}

LRESULT TEcCustomEdit::WndProc(UINT msg, WPARAM wParam, LPARAM lParam)
{
    switch (msg) {
    case WM_LBUTTONDOWN: {
        // The edit takes the focus inside its own button-down handling: remember that a click gave it.
        FMousePressed = true;
        struct TReset {
            bool& Flag;
            ~TReset() { Flag = false; }
        } reset{FMousePressed};
        return TEdit::WndProc(msg, wParam, lParam);
    }
    case WM_SETFOCUS: {
        const LRESULT result = DefaultHandler(msg, wParam, lParam);
        if (FAutoSelect && !FMousePressed)
            SelectAll();
        Fire(OnEnter, this);
        return result;
    }
    case WM_LBUTTONUP: {
        const LRESULT result = DefaultHandler(msg, wParam, lParam);
        FireMouse(this, msg, wParam, lParam);
        RECT client;
        GetClientRect(FHandle, &client);
        const POINT at{XFromLParam(lParam), YFromLParam(lParam)};
        if (PtInRect(&client, at))
            Click();
        return result;
    }
    default: // the left button's release is above: it may also be a click
        FireMouse(this, msg, wParam, lParam);
        break;
    }
    return TEdit::WndProc(msg, wParam, lParam);
}

TEcBaseISE::TEcBaseISE(TComponent* AOwner) : TEcCustomEdit(AOwner) {}

TEcBaseISE::~TEcBaseISE()
{
    // Stop the pause while the pool is still known; FState's own destructor then finds nothing pending.
    FState.Cancel();
}

void TEcBaseISE::ControllerChanging() { FState.Cancel(); }

void TEcBaseISE::ControllerDestroyed()
{
    // The pool and its timers are gone with the controller: nothing is pending any more.
    FTimer.Forget();
    FState.Cancel();
    TEcControllerClient::ControllerDestroyed();
}

void TEcBaseISE::CreateHandle()
{
    TakeControllerOf(this);
    TEcCustomEdit::CreateHandle();
}

void TEcBaseISE::TPoolTimer::Start(int milliseconds)
{
    Stop();
    if (!FField.Controller())
        throw ENoControllerAssigned();
    FHandle = FField.Controller()->TimerPool().StartOneShot(milliseconds, [this] {
        FHandle = -1;
        FField.TimerExpired();
    });
}

void TEcBaseISE::TPoolTimer::Stop()
{
    if (FHandle != -1 && FField.Controller())
        FField.Controller()->TimerPool().Cancel(FHandle);
    FHandle = -1;
}

void TEcBaseISE::TimerExpired()
{
    if (FState.TimerExpired(Modified()) == TSearchAction::Search) {
        SetModified(false);
        DoSearch();
    }
}

LRESULT TEcBaseISE::WndProc(UINT msg, WPARAM wParam, LPARAM lParam)
{
    switch (msg) {
    case WM_KEYUP: {
        WORD key = static_cast<WORD>(wParam);
        const WPARAM shift = (GetKeyState(VK_SHIFT) < 0 ? MK_SHIFT : 0) | (GetKeyState(VK_CONTROL) < 0 ? MK_CONTROL : 0);
        FState.KeyReleased(Text(), [&] {
            if (OnKeyUp)
                OnKeyUp(this, key, shift);
        });
        if (key == 0)
            return 0;
        return DefaultHandler(msg, wParam, lParam);
    }
    case WM_KILLFOCUS: {
        const LRESULT result = DefaultHandler(msg, wParam, lParam);
        if (FState.FocusLost(Modified()) == TSearchAction::Search) {
            SetModified(false);
            DoSearch();
        }
        Fire(OnExit, this);
        return result;
    }
    default:
        return TEcCustomEdit::WndProc(msg, wParam, lParam);
    }
}

void TEcSearchEdit::DoSearch()
{
    auto* list = dynamic_cast<TEcSearchList*>(Owner());
    if (!list || !HandleAllocated())
        return;
    TEcSearchListBox* box = list->ListBox();
    RECT client{0, 0, 0, 0};
    if (box->HandleAllocated())
        GetClientRect(box->Handle(), &client);
    const TListView view{client.bottom - client.top, box->ItemHeight(), box->TopIndex()};
    const TSearchResult result = State().Search(box->Items(), Text(), view);
    if (result.SelectIndex >= 0)
        box->SetItemIndex(result.SelectIndex);
    if (result.ScrollTo >= 0)
        box->SetTopIndex(result.ScrollTo);
    if (result.Complete) {
        SetText(result.FieldText);
        SetSelection(static_cast<int>(result.SelStart), static_cast<int>(result.SelLength));
        SetModified(false);
    }
}
