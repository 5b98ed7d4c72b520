// TWsTrayIcon: the notification record, the hidden window that hears the icon, the owner's replaced window
// procedure, restoring the owner, and the optional animation (its timer and pictures: components/TrayAnimation).
#include "components/WsTrIcon.h"

#include <algorithm>
#include <cstring>

#include "toolkit/Application.h"
#include "toolkit/ExtCtrls.h"
#include "toolkit/Forms.h"
#include "toolkit/Menus.h"

namespace {
constexpr char kOneOnly[] = "Cannot have more than one WsTrayIcon per application";
constexpr char kAddFailed[] = "Error adding tray icon";
constexpr char kModifyFailed[] = "Tray icon error";
constexpr char kTrayProp[] = "VarnelTrayIcon";
constexpr char kPreviousProcProp[] = "VarnelTrayIconPreviousProc";
constexpr UINT kQueryEndSession = 0x11;

bool HoldsAnotherTrayIcon(const TComponent* root, const TComponent* self)
{
    for (TComponent* component : root->Components()) {
        if (component != self && dynamic_cast<TWsCustomTrayIcon*>(component))
            return true;
        if (HoldsAnotherTrayIcon(component, self))
            return true;
    }
    return false;
}

WPARAM ShiftState()
{
    return (GetKeyState(VK_SHIFT) < 0 ? MK_SHIFT : 0) | (GetKeyState(VK_CONTROL) < 0 ? MK_CONTROL : 0);
}

HWND ApplicationWindow()
{
    return Application && Application->HandleAllocated() ? Application->Handle() : nullptr;
}

// The application's icon is the one its window class was registered with.
HICON ApplicationIcon()
{
    HWND app = ApplicationWindow();
    return app ? reinterpret_cast<HICON>(GetClassLongPtrA(app, GCLP_HICON)) : nullptr;
}

void RegisterTrayWindowClass()
{
    HINSTANCE instance = GetModuleHandleA(nullptr);
    WNDCLASSA existing{};
    if (GetClassInfoA(instance, trayicon::kWindowClass, &existing))
        return;
    // Created with the default procedure: a procedure that answers 0 to WM_NCCREATE would make creation fail.
    WNDCLASSA wc{};
    wc.lpfnWndProc = DefWindowProcA;
    wc.hInstance = instance;
    wc.lpszClassName = trayicon::kWindowClass;
    RegisterClassA(&wc);
}

UINT TaskbarCreatedMessage()
{
    static const UINT message = RegisterWindowMessageA("TaskbarCreated");
    return message;
}
} // namespace

TWsCustomTrayIcon::TWsCustomTrayIcon(TComponent* AOwner) : TWsShellComponent(AOwner)
{
    const TComponent* root = AOwner;
    while (root && root->Owner())
        root = root->Owner();
    if ((Application && HoldsAnotherTrayIcon(Application, this)) || (root && HoldsAnotherTrayIcon(root, this)))
        throw EWsTrayIconError(kOneOnly);

    FOwnMenu = new TPopupMenu(this);
    auto* close = new TMenuItem(FOwnMenu);
    close->Caption = "&Close";
    close->OnClick = [](TObject*) { PostQuitMessage(0); };
    FOwnMenu->Add(close);
    auto* restore = new TMenuItem(FOwnMenu);
    restore->Caption = "&Restore";
    restore->OnClick = [this](TObject*) { RestoreOwner(); };
    FOwnMenu->Add(restore);
    SetPopupMenu(FOwnMenu);

    TaskbarCreatedMessage();
    RegisterTrayWindowClass();
    FWindow = CreateWindowExA(0, trayicon::kWindowClass, "", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
        GetModuleHandleA(nullptr), nullptr);
    if (!FWindow)
        throw EWsTrayIconError("Cannot create the tray icon's window", static_cast<int32_t>(GetLastError()));
    SetWindowLongPtrA(FWindow, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    SetWindowLongPtrA(FWindow, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&StaticTrayWndProc));
}

TWsCustomTrayIcon::~TWsCustomTrayIcon()
{
    FAnimation.Stop(FWindow);
    try {
        RemoveIcon();
    } catch (...) {
        // The icon goes with the window below in any case; a destructor must not throw.
    }
    UnhookOwner();
    if (FWindow) {
        SetWindowLongPtrA(FWindow, GWLP_USERDATA, 0);
        DestroyWindow(FWindow);
    }
}

NOTIFYICONDATAA TWsCustomTrayIcon::NotifyData() const
{
    NOTIFYICONDATAA data{};
    data.cbSize = trayicon::kRecordSize;
    data.hWnd = FWindow;
    data.uID = trayicon::kIconId;
    data.uFlags = NIF_MESSAGE | NIF_ICON | (FShowHint ? NIF_TIP : 0);
    data.uCallbackMessage = trayicon::kCallbackMessage;
    data.hIcon = FCurrentIcon.Get();
    if (!data.hIcon)
        data.hIcon = ApplicationIcon();
    if (!data.hIcon)
        data.hIcon = LoadIconA(nullptr, MAKEINTRESOURCEA(32512)); // IDI_APPLICATION
    // The first-version record holds 64 bytes of tip, its terminating NUL included.
    const size_t length = std::min(FHint.size(), trayicon::kTipSize - 1);
    std::memcpy(data.szTip, FHint.data(), length);
    data.szTip[length] = '\0';
    return data;
}

HWND TWsCustomTrayIcon::OwnerHandle() const
{
    // Never creates a window: the owner's may already be gone while the component is being destroyed.
    auto* control = dynamic_cast<TControl*>(Owner());
    if (!control || control == Application || !control->HandleAllocated())
        return nullptr;
    return control->Handle();
}

void TWsCustomTrayIcon::HookOwner()
{
    if (FPreviousOwnerProc)
        return;
    HWND owner = OwnerHandle();
    if (!owner)
        return;
    SetPropA(owner, kTrayProp, this);
    FPreviousOwnerProc = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(owner, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&StaticOwnerWndProc)));
    SetPropA(owner, kPreviousProcProp, reinterpret_cast<HANDLE>(FPreviousOwnerProc));
    FOwnerWindow = owner;
}

void TWsCustomTrayIcon::UnhookOwner()
{
    if (!FOwnerWindow)
        return;
    if (IsWindow(FOwnerWindow)) {
        RemovePropA(FOwnerWindow, kTrayProp);
        const auto current = reinterpret_cast<WNDPROC>(GetWindowLongPtrA(FOwnerWindow, GWLP_WNDPROC));
        if (current == &StaticOwnerWndProc) {
            SetWindowLongPtrA(FOwnerWindow, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(FPreviousOwnerProc));
            RemovePropA(FOwnerWindow, kPreviousProcProp);
        }
        // Otherwise someone replaced the procedure after us: ours stays in their chain and, finding no
        // component any more, passes everything to the previous procedure it keeps in the window.
    }
    FOwnerWindow = nullptr;
    FPreviousOwnerProc = nullptr;
}

void TWsCustomTrayIcon::AddIcon()
{
    if (FIconShown)
        return;
    HookOwner();
    NOTIFYICONDATAA data = NotifyData();
    const BOOL added = NotifyIconFunction ? NotifyIconFunction(NIM_ADD, &data) : Shell_NotifyIconA(NIM_ADD, &data);
    FIconShown = added != FALSE;
    if (!FIconShown)
        throw EWsTrayIconError(kAddFailed);
}

void TWsCustomTrayIcon::ModifyIcon()
{
    NOTIFYICONDATAA data = NotifyData();
    const BOOL modified =
        NotifyIconFunction ? NotifyIconFunction(NIM_MODIFY, &data) : Shell_NotifyIconA(NIM_MODIFY, &data);
    if (!modified)
        throw EWsTrayIconError(kModifyFailed);
}

void TWsCustomTrayIcon::RemoveIcon()
{
    if (!FIconShown)
        return;
    FIconShown = false;
    NOTIFYICONDATAA data = NotifyData();
    if (NotifyIconFunction)
        NotifyIconFunction(NIM_DELETE, &data);
    else
        Shell_NotifyIconA(NIM_DELETE, &data);
}

void TWsCustomTrayIcon::HideOwner()
{
    if (HWND app = ApplicationWindow())
        ShowWindow(app, SW_HIDE);
    auto* control = dynamic_cast<TControl*>(Owner());
    if (control && control != Application)
        control->SetVisible(false);
    else if (FOwnerWindow)
        ShowWindow(FOwnerWindow, SW_HIDE);
}

void TWsCustomTrayIcon::RestoreOwner()
{
    Fire(OnRestore, this);
    if (HWND owner = OwnerHandle()) {
        if (IsIconic(owner) && FStartupCounter >= 2)
            ShowWindow(owner, SW_RESTORE);
        // Through the control, so that it knows it is visible; a form runs its show handler when it appears.
        if (auto* control = dynamic_cast<TControl*>(Owner()))
            control->SetVisible(true);
        BringWindowToTop(owner);
        SetForegroundWindow(owner);
    }
    if (HWND app = ApplicationWindow()) {
        ShowWindow(app, SW_SHOWNORMAL);
        Application->Restore();
        Application->BringToFront();
        // Showing the application window activated it, and it may count as its own last active popup: the
        // keyboard belongs to the window just brought back, unless a modal window holds it disabled.
        HWND owner = OwnerHandle();
        if (owner && GetForegroundWindow() == app && IsWindowVisible(owner) && IsWindowEnabled(owner))
            SetForegroundWindow(owner);
    }
    // A window shown modally holds the owner disabled: it goes back in front of the owner just raised, or the
    // user would face a window that takes no input.
    if (TForm* modal = TForm::ModalForm())
        modal->BringForward();
    if (HideOnRestore)
        RemoveIcon();
}

void TWsCustomTrayIcon::SetActive(bool value)
{
    if (Loading()) {
        FActive = value;
        return;
    }
    if (!value) {
        if (FAnimation.Running()) {
            StopAnimation();
            FAnimationStoppedByActive = true;
        }
        RemoveIcon();
        FActive = false;
        return;
    }
    AddIcon();
    FActive = true;
    if (FAnimationStoppedByActive) {
        FAnimationStoppedByActive = false;
        StartAnimation();
    }
}

void TWsCustomTrayIcon::SetAnimate(bool value)
{
    FAnimate = value;
    if (Loading())
        return;
    if (value) {
        if (FActive)
            StartAnimation();
        return;
    }
    FAnimationStoppedByActive = false;
    const bool wasRunning = FAnimation.Running();
    StopAnimation();
    if (wasRunning) {
        TakeStillPicture();
        if (FIconShown)
            ModifyIcon();
    }
}

void TWsCustomTrayIcon::SetHint(const std::string& value)
{
    FHint = value;
    if (FIconShown && !Loading())
        ModifyIcon();
}

void TWsCustomTrayIcon::SetShowHint(bool value)
{
    FShowHint = value;
    if (FIconShown && !Loading())
        ModifyIcon();
}

void TWsCustomTrayIcon::SetIcon(HICON icon)
{
    FIcon.Reset(icon ? CopyIcon(icon) : nullptr);
    if (icon && !FIcon.Get())
        throw EWsTrayIconError("Cannot copy the tray icon's picture", static_cast<int32_t>(GetLastError()));
    if (Loading() || FAnimation.Running())
        return;
    TakeStillPicture();
    if (FIconShown)
        ModifyIcon();
}

void TWsCustomTrayIcon::SetImages(TImageList* list)
{
    if (FImages == list)
        return;
    if (FImages)
        RemoveFreeNotification(FImages);
    FImages = list;
    if (FImages)
        FreeNotification(FImages);
    if (Loading() || FAnimation.Running() || FIcon.Get())
        return;
    TakeStillPicture();
    if (FIconShown)
        ModifyIcon();
}

void TWsCustomTrayIcon::SetImageIndex(int32_t index)
{
    FImageIndex = index;
    if (Loading() || FAnimation.Running() || FIcon.Get() || !FImages)
        return;
    TakeStillPicture();
    if (FIconShown)
        ModifyIcon();
}

void TWsCustomTrayIcon::SetInterval(int32_t value)
{
    FInterval = value;
    if (FAnimation.Running()) {
        StopAnimation();
        StartAnimation();
    }
}

void TWsCustomTrayIcon::SetPopupMenu(TPopupMenu* menu)
{
    if (FPopupMenu == menu)
        return;
    if (FPopupMenu && FPopupMenu != FOwnMenu)
        RemoveFreeNotification(FPopupMenu);
    FPopupMenu = menu;
    if (FPopupMenu)
        FreeNotification(FPopupMenu);
}

void TWsCustomTrayIcon::Notification(TComponent* component)
{
    if (component == FPopupMenu)
        FPopupMenu = nullptr;
    if (component == FOwnMenu)
        FOwnMenu = nullptr;
    if (component == FImages)
        FImages = nullptr;
}

void TWsCustomTrayIcon::Loaded()
{
    TWsShellComponent::Loaded();
    // A refusal here must not stop the owner window from being built: it is reported, the icon counts as not
    // shown, and hiding the window tries the add again.
    try {
        if (FActive)
            AddIcon();
        if (FIcon.Get() || FImages) {
            TakeStillPicture();
            if (FIconShown)
                ModifyIcon();
        }
        if (FAnimate && FActive)
            StartAnimation();
    } catch (...) {
        if (!Application)
            throw;
        Application->HandleException(this);
    }
}

void TWsCustomTrayIcon::TakeStillPicture()
{
    if (FIcon.Get())
        FCurrentIcon.Reset(CopyIcon(FIcon.Get()));
    else if (FImages)
        FCurrentIcon.Reset(FImages->GetIcon(FImageIndex));
    else
        FCurrentIcon.Reset();
}

void TWsCustomTrayIcon::StartAnimation()
{
    if (!FAnimation.Start(FWindow, FInterval))
        throw EWsTrayIconError("Cannot start the tray icon's animation", static_cast<int32_t>(GetLastError()));
}

void TWsCustomTrayIcon::StopAnimation() { FAnimation.Stop(FWindow); }

void TWsCustomTrayIcon::AnimationStep()
{
    if (!FImages || FImages->Count() <= 0)
        return;
    FCurrentIcon.Reset(FAnimation.NextPicture(*FImages));
    try {
        if (FIconShown)
            ModifyIcon();
    } catch (...) {
        // A timer that keeps failing would stack one error box on another.
        StopAnimation();
        throw;
    }
}

void TWsCustomTrayIcon::MouseNotification(UINT mouseMessage)
{
    switch (mouseMessage) {
    case WM_LBUTTONDOWN:
        if (OnClick)
            OnClick(this, TMouseButton::mbLeft, ShiftState());
        break;
    case WM_MBUTTONDOWN:
        if (OnClick)
            OnClick(this, TMouseButton::mbMiddle, ShiftState());
        break;
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDBLCLK:
    case WM_MBUTTONDBLCLK: {
        const TMouseButton button = mouseMessage == WM_LBUTTONDBLCLK ? TMouseButton::mbLeft
            : mouseMessage == WM_RBUTTONDBLCLK                       ? TMouseButton::mbRight
                                                                     : TMouseButton::mbMiddle;
        bool restoreApp = true;
        if (OnDblClick)
            OnDblClick(this, button, ShiftState(), restoreApp);
        if (restoreApp)
            RestoreOwner();
        break;
    }
    case WM_RBUTTONDOWN:
        if (FPopupMenu)
            OpenMenu();
        break;
    default:
        break;
    }
}

void TWsCustomTrayIcon::OpenMenu()
{
    // A menu opened for a window that is not in the foreground does not close when the user clicks elsewhere.
    if (HWND app = ApplicationWindow())
        SetForegroundWindow(app);
    if (Application)
        Application->ProcessMessages();
    TPopupMenu* menu = FPopupMenu; // the waiting messages may have changed or destroyed it
    if (!menu)
        return;
    POINT cursor{};
    GetCursorPos(&cursor);
    // The flag is put back afterwards, so that the owner's own right-click menu keeps working.
    const bool autoPopup = menu->AutoPopup;
    menu->AutoPopup = false;
    auto* owner = dynamic_cast<TControl*>(Owner());
    menu->SetPopupComponent(owner != Application ? owner : nullptr);
    struct FlagBack {
        TWsCustomTrayIcon* Tray;
        TPopupMenu* Menu;
        bool Value;
        ~FlagBack()
        {
            if (Tray->FPopupMenu == Menu)
                Menu->AutoPopup = Value;
        }
    } flagBack{this, menu, autoPopup};
    menu->Popup(cursor.x, cursor.y);
}

LRESULT TWsCustomTrayIcon::TrayWndProc(UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (msg == trayicon::kCallbackMessage) {
        MouseNotification(static_cast<UINT>(lParam));
    } else if (msg == WM_TIMER && wParam == TTrayAnimation::kTimerId) {
        if (FAnimation.Running())
            AnimationStep();
    } else if (msg == TaskbarCreatedMessage() && FIconShown) {
        // A new task bar knows nothing of the icon it held: put it back.
        FIconShown = false;
        AddIcon();
    }
    // Nothing goes to the default processing; the platform may shut down or log off whenever it asks.
    return msg == kQueryEndSession ? 1 : 0;
}

LRESULT TWsCustomTrayIcon::OwnerWndProc(UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (msg == WM_WINDOWPOSCHANGED && FStartupCounter < 2) {
        // An owner that first appears minimised is hidden at once instead of showing as a minimised window.
        try {
            if (IsIconic(FOwnerWindow)) {
                HideOwner();
                ++FStartupCounter;
            } else {
                FStartupCounter = 2;
            }
        } catch (...) {
        }
    }
    if (msg == WM_SYSCOMMAND) {
        // The low four bits of the command are the platform's own.
        const WPARAM command = wParam & 0xFFF0;
        try {
            if (command == SC_MINIMIZE)
                Fire(OnMinimize, this);
            if (FActive && ((command == SC_MINIMIZE && MinimizeToTray) || (command == SC_CLOSE && CloseToTray))) {
                AddIcon();
                HideOwner();
                return 0;
            }
        } catch (...) {
            // The window stays as it was; the command is not passed on, so it neither minimises nor closes.
            if (Application)
                Application->HandleException(this);
            return 0;
        }
    }
    return CallWindowProcA(FPreviousOwnerProc, FOwnerWindow, msg, wParam, lParam);
}

LRESULT CALLBACK TWsCustomTrayIcon::StaticTrayWndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    auto* tray = reinterpret_cast<TWsCustomTrayIcon*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
    if (!tray)
        return DefWindowProcA(hwnd, msg, wParam, lParam);
    try {
        return tray->TrayWndProc(msg, wParam, lParam);
    } catch (...) {
        if (Application)
            Application->HandleException(tray);
    }
    return msg == kQueryEndSession ? 1 : 0;
}

LRESULT CALLBACK TWsCustomTrayIcon::StaticOwnerWndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    auto* tray = static_cast<TWsCustomTrayIcon*>(GetPropA(hwnd, kTrayProp));
    auto previous = reinterpret_cast<WNDPROC>(GetPropA(hwnd, kPreviousProcProp));
    if (!tray || tray->FOwnerWindow != hwnd)
        return previous ? CallWindowProcA(previous, hwnd, msg, wParam, lParam) : DefWindowProcA(hwnd, msg, wParam, lParam);
    if (msg == WM_NCDESTROY) {
        const LRESULT result = CallWindowProcA(previous, hwnd, msg, wParam, lParam);
        tray->UnhookOwner();
        return result;
    }
    try {
        return tray->OwnerWndProc(msg, wParam, lParam);
    } catch (...) {
        if (Application)
            Application->HandleException(tray);
    }
    return 0;
}
