// TApplication: application window, message loop and the top-level error box.
#include "toolkit/Application.h"

#include <commctrl.h>

#include "core/Text.h"
#include "toolkit/ExceptionHandler.h"

TApplication* Application = nullptr;

TApplication::TApplication() : TControl(nullptr)
{
    Application = this;
    SetFormHost(this);
    SetExceptionHandler([this](TObject* sender) { HandleException(sender); });
    SetVisible(false);
}

TApplication::~TApplication()
{
    // Forms go first (newest first), while the application window they are owned by still exists.
    while (!Components().empty())
        delete Components().back();
    DestroyHandle();
    if (Application == this) {
        Application = nullptr;
        SetFormHost(nullptr);
        SetExceptionHandler(nullptr);
    }
}

void TApplication::CreateParams(TCreateParams& params)
{
    params.ClassName = nullptr;
    params.OwnClassName = "TApplication";
    params.Style = WS_POPUP | WS_CAPTION | WS_CLIPSIBLINGS | WS_SYSMENU | WS_MINIMIZEBOX;
    params.ExStyle = 0;
}

void TApplication::Initialize()
{
    INITCOMMONCONTROLSEX icc{sizeof(icc), ICC_STANDARD_CLASSES | ICC_WIN95_CLASSES};
    InitCommonControlsEx(&icc);
    // A zero-sized window in the middle of the screen: it only carries the title and the task-bar entry.
    SetBounds(GetSystemMetrics(SM_CXSCREEN) / 2, GetSystemMetrics(SM_CYSCREEN) / 2, 0, 0);
    HandleNeeded();
}

LRESULT TApplication::WndProc(UINT msg, WPARAM wParam, LPARAM lParam)
{
    switch (msg) {
    case WM_SETFOCUS:
        // Clicking the task-bar entry activates this window: pass the focus on to the form in front.
        if (FMainForm && FMainForm->HandleAllocated() && IsWindowVisible(FMainForm->Handle())) {
            HWND popup = GetLastActivePopup(Handle());
            if (popup && popup != Handle())
                ::SetFocus(popup);
            return 0;
        }
        break;
    case WM_CLOSE:
        Terminate();
        return 0;
    case WM_SIZE:
        // Minimising hides the forms this window owns; a restore that does not come through the system menu
        // (ShowWindow from another copy of the program) must bring them back as well.
        if (wParam == SIZE_RESTORED)
            ShowOwnedPopups(Handle(), TRUE);
        break;
    case WM_ERASEBKGND:
        return 1;
    default:
        break;
    }
    return TControl::WndProc(msg, wParam, lParam);
}

void TApplication::Run(const std::function<void()>& whenShown)
{
    if (FTerminated)
        return;
    if (FMainForm && ShowMainForm) {
        ShowWindow(Handle(), SW_SHOWNA);
        FMainForm->Show();
        // Painted now rather than when the loop gets to it, so that the window is on the screen before the rest.
        UpdateWindow(FMainForm->Handle());
    }
    if (whenShown)
        whenShown();
    while (!FTerminated)
        HandleMessage();
}

void TApplication::Terminate()
{
    if (!FTerminated)
        PostQuitMessage(0);
    // The flag ends every loop (nested modal ones too) even before the quit message is read.
    FTerminated = true;
}

void TApplication::HandleMessage() { ProcessMessage(true); }

void TApplication::ProcessMessages()
{
    while (ProcessMessage(false)) {
    }
}

bool TApplication::ProcessMessage(bool wait)
{
    MSG msg;
    if (wait) {
        if (GetMessageA(&msg, nullptr, 0, 0) <= 0) {
            FTerminated = true;
            return false;
        }
    } else if (!PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        return false;
    }
    if (msg.message == WM_QUIT) {
        FTerminated = true;
        return false;
    }
    bool handled = false;
    try {
        handled = IsDialogKey(msg);
    } catch (...) {
        HandleException(this);
        handled = true;
    }
    if (!handled) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    return true;
}

// Tab, Enter, Escape and Alt+letter are the form's business, whoever has the focus.
bool TApplication::IsDialogKey(MSG& msg)
{
    if (msg.message != WM_KEYDOWN && msg.message != WM_SYSCHAR && msg.message != WM_CHAR)
        return false;
    HWND root = GetAncestor(msg.hwnd, GA_ROOT);
    auto* form = dynamic_cast<TForm*>(TControl::FromHandle(root));
    return form && form->DialogKey(msg);
}

void TApplication::HandleException(TObject*) { ShowException(CurrentExceptionMessage()); }

void TApplication::ShowException(const std::string& message)
{
    const std::string text = WithFullStop(message);
    if (OnShowException) {
        OnShowException(text);
        return;
    }
    HWND owner = GetActiveWindow();
    MessageBoxA(owner ? owner : FHandle, text.c_str(), Title().c_str(), MB_OK | MB_ICONSTOP);
}

void TApplication::Minimize()
{
    ShowWindow(Handle(), SW_MINIMIZE);
}

void TApplication::Restore()
{
    if (IsIconic(Handle()))
        ShowWindow(Handle(), SW_RESTORE);
}

void TApplication::BringToFront()
{
    HWND popup = GetLastActivePopup(Handle());
    if (popup && IsWindowVisible(popup) && IsWindowEnabled(popup))
        SetForegroundWindow(popup);
}
