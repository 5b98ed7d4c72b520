// TForm: borderless popup windows, modal showing and the dialog keys.
#include "toolkit/Forms.h"

#include <algorithm>

#include "core/Text.h"
#include "toolkit/ExceptionHandler.h"
#include "toolkit/StdCtrls.h"

namespace {
TFormHost* gHost = nullptr;

BOOL CALLBACK CollectEnabledWindow(HWND hwnd, LPARAM param)
{
    if (IsWindowVisible(hwnd) && IsWindowEnabled(hwnd))
        reinterpret_cast<std::vector<HWND>*>(param)->push_back(hwnd);
    return TRUE;
}
}

void SetFormHost(TFormHost* host) { gHost = host; }

TFormHost* FormHost() { return gHost; }

TForm* TForm::Of(TControl* control)
{
    for (TControl* c = control; c; c = c->Parent())
        if (auto* form = dynamic_cast<TForm*>(c))
            return form;
    return nullptr;
}

TForm::TForm(TComponent* AOwner, const char* className, int clientWidth, int clientHeight)
    : TControl(AOwner), FClassName(className)
{
    SetVisible(false);
    // Centred on the primary screen; no border, so the window is exactly the client area.
    SetBounds((GetSystemMetrics(SM_CXSCREEN) - clientWidth) / 2, (GetSystemMetrics(SM_CYSCREEN) - clientHeight) / 2,
        clientWidth, clientHeight);
    HandleNeeded();
}

TForm::~TForm()
{
    if (gHost && gHost->MainForm() == this)
        gHost->SetMainForm(nullptr);
}

void TForm::CreateParams(TCreateParams& params)
{
    params.ClassName = nullptr;
    params.OwnClassName = FClassName.c_str();
    params.Style = WS_POPUP | WS_CLIPCHILDREN | WS_CLIPSIBLINGS;
    params.ExStyle = WS_EX_CONTROLPARENT;
}

HWND TForm::ParentHandleForCreate() { return gHost ? gHost->FormOwnerWindow() : nullptr; }

void TForm::Show()
{
    SetVisible(true);
    ShowWindow(Handle(), SW_SHOW);
    // Showing usually makes it the foreground window already; asking again costs Wine a round trip to the X server.
    if (GetForegroundWindow() != Handle())
        SetForegroundWindow(Handle());
    if (FActiveControl && FActiveControl->CanFocus())
        FActiveControl->SetFocus();
    else
        FocusFirst();
}

void TForm::BringForward()
{
    if (!HandleAllocated() || !IsWindowVisible(Handle()))
        return;
    // Held disabled by a window shown modally over it, this one cannot take the keyboard: that one comes instead.
    if (!IsWindowEnabled(Handle()) && FModalForm && FModalForm != this) {
        FModalForm->BringForward();
        return;
    }
    BringWindowToTop(Handle());
    SetForegroundWindow(Handle());
}

void TForm::Hide()
{
    SetVisible(false);
}

void TForm::Close()
{
    if (FModal)
        FModalResult = mrCancel;
    else if (gHost && gHost->MainForm() == this)
        gHost->Terminate();
    else
        Hide();
}

int TForm::ShowModal()
{
    // Every other window of the program is disabled while this one is up, as a dialog box does.
    std::vector<HWND> disabled;
    EnumThreadWindows(GetCurrentThreadId(), CollectEnabledWindow, reinterpret_cast<LPARAM>(&disabled));
    disabled.erase(std::remove(disabled.begin(), disabled.end(), Handle()), disabled.end());
    for (HWND hwnd : disabled)
        EnableWindow(hwnd, FALSE);

    FModal = true;
    FModalResult = mrNone;
    struct TInnermost {
        TForm* Outer = FModalForm;
        explicit TInnermost(TForm* form) { FModalForm = form; }
        ~TInnermost() { FModalForm = Outer; }
    } innermost(this);
    try {
        Show();
        // An error box from the show handler is owned by a window behind this one and re-enables it on closing.
        for (HWND hwnd : disabled)
            if (IsWindow(hwnd) && IsWindowEnabled(hwnd))
                EnableWindow(hwnd, FALSE);
        while (FModalResult == mrNone && !(gHost && gHost->Terminated()))
            HandleOneMessage();
    } catch (...) {
        FModal = false;
        for (HWND hwnd : disabled)
            EnableWindow(hwnd, TRUE);
        throw;
    }
    FModal = false;
    // Re-enable before hiding, so that activation goes back to the window that opened this one.
    for (HWND hwnd : disabled)
        if (IsWindow(hwnd))
            EnableWindow(hwnd, TRUE);
    Hide();
    // Back to the window that still holds the others: the one shown modally under this one, else the main window.
    if (!disabled.empty() && IsWindow(disabled.front())) {
        TForm* back = innermost.Outer ? innermost.Outer : gHost ? gHost->MainForm() : nullptr;
        if (back && back->HandleAllocated() && IsWindowVisible(back->Handle()))
            SetActiveWindow(back->Handle());
    }
    return FModalResult;
}

void TForm::SetActiveControl(TControl* control)
{
    FActiveControl = control;
    if (control && HandleAllocated() && IsWindowVisible(Handle()) && control->CanFocus())
        control->SetFocus();
}

void TForm::DoShow()
{
    try {
        Fire(OnShow, this);
    } catch (...) {
        HandleCallbackException(this);
    }
}

LRESULT TForm::WndProc(UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (FMessageHook) {
        LRESULT result = 0;
        if (FMessageHook(msg, wParam, lParam, result))
            return result;
    }
    switch (msg) {
    case WM_SHOWWINDOW:
        // Every way of showing the window runs the show handler: Show(), a restore from the tray, ShowWindow.
        if (lParam == 0) {
            if (wParam)
                DoShow();
        }
        break;
    case WM_CLOSE:
        Close();
        return 0;
    case WM_SETFOCUS: {
        // Wine without a window manager focuses the frame itself when the X server's focus event arrives late,
        // after the activation above has put the focus on a control: hand it back to the control that had it, as
        // a dialog does, so that typing goes on where it was.
        HWND previous = reinterpret_cast<HWND>(wParam);
        TControl* back = previous && IsChild(Handle(), previous) ? TControl::FromHandle(previous) : FActiveControl;
        if (back && back->HandleAllocated() && back->CanFocus()) {
            ::SetFocus(back->Handle());
            return 0;
        }
        break;
    }
    case WM_ACTIVATE:
        if (LOWORD(wParam) == WA_INACTIVE) {
            HWND focus = GetFocus();
            if (focus && IsChild(Handle(), focus))
                if (TControl* control = TControl::FromHandle(focus))
                    FActiveControl = control;
        } else if (!HIWORD(wParam)) {
            if (FActiveControl && FActiveControl->HandleAllocated() && FActiveControl->CanFocus())
                ::SetFocus(FActiveControl->Handle());
            else
                FocusFirst();
            return 0;
        }
        break;
    default:
        break;
    }
    return TControl::WndProc(msg, wParam, lParam);
}

// Through the host's loop; without one, a plain loop that ends the showing when the thread's loop is asked to end.
void TForm::HandleOneMessage()
{
    if (gHost) {
        gHost->HandleMessage();
        return;
    }
    MSG msg;
    if (GetMessageA(&msg, nullptr, 0, 0) <= 0) {
        PostQuitMessage(static_cast<int>(msg.wParam));
        FModalResult = mrCancel;
        return;
    }
    if (!DialogKey(msg)) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

void TForm::FocusFirst()
{
    const auto list = TabList();
    if (!list.empty())
        list.front()->SetFocus();
    else
        ::SetFocus(Handle());
}

void TForm::CollectTabStops(TControl* container, std::vector<TControl*>& list)
{
    std::vector<TControl*> children = container->Controls();
    std::stable_sort(children.begin(), children.end(),
        [](const TControl* a, const TControl* b) { return a->TabOrder() < b->TabOrder(); });
    for (TControl* child : children) {
        if (!child->CanFocus())
            continue;
        if (child->TabStop())
            list.push_back(child);
        CollectTabStops(child, list);
    }
}

std::vector<TControl*> TForm::TabList()
{
    std::vector<TControl*> list;
    CollectTabStops(this, list);
    return list;
}

void TForm::SelectNext(bool forward)
{
    const auto list = TabList();
    if (list.empty())
        return;
    HWND focus = GetFocus();
    auto current = std::find_if(list.begin(), list.end(),
        [focus](TControl* c) { return c->HandleAllocated() && (c->Handle() == focus || IsChild(c->Handle(), focus)); });
    size_t index = 0;
    if (current == list.end())
        index = forward ? 0 : list.size() - 1;
    else {
        const size_t at = static_cast<size_t>(current - list.begin());
        index = forward ? (at + 1) % list.size() : (at + list.size() - 1) % list.size();
    }
    list[index]->SetFocus();
    FActiveControl = list[index];
}

TControl* TForm::FindAccelerator(TControl* container, char letter)
{
    for (TControl* child : container->Controls()) {
        if (child->IsAcceleratorTarget() && child->CanFocus()) {
            const std::string caption = child->Caption();
            for (size_t i = 0; i + 1 < caption.size(); ++i) {
                if (caption[i] != '&')
                    continue;
                if (caption[i + 1] == '&') {
                    ++i;
                    continue;
                }
                if (AsciiUpper(caption[i + 1]) == AsciiUpper(letter))
                    return child;
                break;
            }
        }
        if (TControl* found = FindAccelerator(child, letter))
            return found;
    }
    return nullptr;
}

TControl* TForm::FindButton(TControl* container, bool cancel)
{
    for (TControl* child : container->Controls()) {
        if (auto* button = dynamic_cast<TButtonBase*>(child))
            if ((cancel ? button->Cancel : button->Default) && button->CanFocus())
                return button;
        if (TControl* found = FindButton(child, cancel))
            return found;
    }
    return nullptr;
}

bool TForm::DialogKey(const MSG& msg)
{
    TControl* focused = TControl::FromHandle(GetFocus());
    if (msg.message == WM_SYSCHAR) {
        if (TControl* target = FindAccelerator(this, static_cast<char>(msg.wParam))) {
            target->Click();
            return true;
        }
        return false;
    }
    if (msg.message != WM_KEYDOWN)
        return false;
    const bool ctrlOrAlt = GetKeyState(VK_CONTROL) < 0 || GetKeyState(VK_MENU) < 0;
    switch (msg.wParam) {
    case VK_TAB:
        if (ctrlOrAlt || (focused && focused->WantsDialogKey(VK_TAB)))
            return false;
        SelectNext(GetKeyState(VK_SHIFT) >= 0);
        return true;
    case VK_ESCAPE:
        if (FBackgroundDrag.PutBack(Handle()))
            return true;
        if (focused && focused->WantsDialogKey(VK_ESCAPE))
            return false;
        if (TControl* cancel = FindButton(this, true)) {
            cancel->Click();
            return true;
        }
        return false;
    case VK_RETURN:
        if (focused && focused->WantsDialogKey(VK_RETURN))
            return false;
        if (focused && dynamic_cast<TButtonBase*>(focused)) {
            focused->Click();
            return true;
        }
        if (TControl* def = FindButton(this, false)) {
            def->Click();
            return true;
        }
        return false;
    default:
        return false;
    }
}

TComponent* TForm::FindComponent(const std::string& name) const
{
    for (TComponent* component : Components())
        if (component->Name() == name)
            return component;
    return nullptr;
}
