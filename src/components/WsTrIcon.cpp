// TWsTrayIcon: the notification record, the hidden window that hears the icon, the owner form's messages it takes,
// restoring the owner, and the optional animation.
#include "components/WsTrIcon.h"

#include <cstring>

#include "core/ProgramTexts.h"

#include "toolkit/Application.h"
#include "toolkit/ExceptionHandler.h"
#include "toolkit/ExtCtrls.h"
#include "toolkit/Forms.h"
#include "toolkit/Menus.h"
#include "toolkit/MessageWindow.h"

namespace {
constexpr char kOneOnly[] = "Cannot have more than one WsTrayIcon per application";
constexpr char kAddFailed[] = "Error adding tray icon";
constexpr char kModifyFailed[] = "Tray icon error";

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

UINT TaskbarCreatedMessage()
{
    static const UINT message = RegisterWindowMessageA("TaskbarCreated");
    return message;
}
} // namespace

TWsCustomTrayIcon::TWsCustomTrayIcon(TComponent* AOwner) : TWsComponent(AOwner)
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
    FWindow = new TMessageWindow(this, trayicon::kWindowClass, TMessageWindow::TKind::HearsBroadcasts);
    FWindow->OnMessage = [this](UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) {
        try {
            result = TrayWndProc(msg, wParam, lParam);
        } catch (...) {
            HandleCallbackException(this);
            result = msg == WM_QUERYENDSESSION ? 1 : 0;
        }
        return true;
    };
}

TWsCustomTrayIcon::~TWsCustomTrayIcon()
{
    FAnimation.Stop(WindowHandle());
    try {
        RemoveIcon();
    } catch (...) {
        // The icon goes with the hidden window in any case; a destructor must not throw.
    }
    // An owner that is destroying its components has already let go of this one (and of its own hook).
    if (FWatchedOwner && Owner() == FWatchedOwner)
        FWatchedOwner->SetMessageHook(nullptr);
    // The hidden window, owned like any component, goes after this body: it must not call back into it.
    if (FWindow)
        FWindow->OnMessage = nullptr;
}

HWND TWsCustomTrayIcon::WindowHandle() const { return FWindow ? FWindow->Handle() : nullptr; }

NOTIFYICONDATAA TWsCustomTrayIcon::NotifyData() const
{
    NOTIFYICONDATAA data{};
    data.cbSize = trayicon::kRecordSize;
    data.hWnd = WindowHandle();
    data.uID = trayicon::kIconId;
    data.uFlags = NIF_MESSAGE | NIF_ICON | (FShowHint ? NIF_TIP : 0);
    data.uCallbackMessage = trayicon::kCallbackMessage;
    const HICON application = ApplicationIcon();
    switch (ChooseTrayPicture(FCurrentIcon.Get() != nullptr, application != nullptr)) {
    case TTrayPicture::Current:
        data.hIcon = FCurrentIcon.Get();
        break;
    case TTrayPicture::Application:
        data.hIcon = application;
        break;
    case TTrayPicture::System:
        data.hIcon = LoadIconA(nullptr, IDI_APPLICATION);
        break;
    }
    static_assert(sizeof data.szTip >= kTrayTipSize);
    const TTrayTip tip = MakeTrayTip(FHint);
    std::memcpy(data.szTip, tip.data(), tip.size());
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

// From the first add on, the owner form's minimise and close reach this component before the form.
void TWsCustomTrayIcon::WatchOwner()
{
    if (FWatchedOwner)
        return;
    auto* form = dynamic_cast<TForm*>(Owner());
    if (!form)
        return;
    form->SetMessageHook([this](UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) {
        result = 0;
        return OwnerWndProc(msg, wParam, lParam);
    });
    FWatchedOwner = form;
}

void TWsCustomTrayIcon::AddIcon()
{
    if (!FIconShown && !TryAddIcon())
        throw EWsTrayIconError(kAddFailed);
}

bool TWsCustomTrayIcon::TryAddIcon()
{
    WatchOwner();
    NOTIFYICONDATAA data = NotifyData();
    const BOOL added = NotifyIconFunction ? NotifyIconFunction(NIM_ADD, &data) : Shell_NotifyIconA(NIM_ADD, &data);
    FIconShown = added != FALSE;
    if (FIconShown)
        StopWaitingForTheTaskBar();
    return FIconShown;
}

void TWsCustomTrayIcon::WaitForTheTaskBar()
{
    FAddWaiting = true;
    FAddRetriesLeft = trayicon::kAddRetries;
    SetTimer(WindowHandle(), trayicon::kAddRetryTimerId, trayicon::kAddRetryIntervalMs, nullptr);
}

void TWsCustomTrayIcon::StopWaitingForTheTaskBar()
{
    if (!FAddWaiting)
        return;
    FAddWaiting = false;
    KillTimer(WindowHandle(), trayicon::kAddRetryTimerId);
}

void TWsCustomTrayIcon::RetryAdd()
{
    if (!FAddWaiting || FAddRetriesLeft <= 0)
        return;
    if (TryAddIcon())
        return;
    // Out of retries, the wait goes on for the task bar's announcement alone.
    if (--FAddRetriesLeft == 0)
        KillTimer(WindowHandle(), trayicon::kAddRetryTimerId);
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
}

void TWsCustomTrayIcon::RestoreOwner()
{
    Fire(OnRestore, this);
    if (HWND owner = OwnerHandle()) {
        if (IsIconic(owner) && FStartUp.Over())
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
        StopWaitingForTheTaskBar();
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
        ShowStillPicture();
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
        {
        const DWORD error = GetLastError();
        throw EWsTrayIconError(TrayPictureNotCopiedText(error), static_cast<int32_t>(error));
    }
    if (Loading() || FAnimation.Running())
        return;
    ShowStillPicture();
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
    ShowStillPicture();
}

void TWsCustomTrayIcon::SetImageIndex(int32_t index)
{
    FImageIndex = index;
    if (Loading() || FAnimation.Running() || FIcon.Get() || !FImages)
        return;
    ShowStillPicture();
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
    TWsComponent::Loaded();
    // Watched from here on: a start minimised is hidden as the owner first appears.
    if (FActive)
        WatchOwner();
    // The add waits for the task bar's process to answer, which it does only after creating its own windows: a
    // good part of the start-up. It comes once the owner is on the screen.
    if (!PostMessageA(WindowHandle(), trayicon::kFirstAddMessage, 0, 0))
        ShowFirstTime();
}

void TWsCustomTrayIcon::ShowFirstTime()
{
    // A refusal here must not stop the program, nor greet the user with an error box: the task bar is not there
    // yet at a start with Windows. The icon comes with it (or with a retry); the picture and the animation below
    // go to the icon's record meanwhile. A minimise before this moment has added the icon already.
    try {
        if (FActive && !FIconShown && !TryAddIcon())
            WaitForTheTaskBar();
        if (FIcon.Get() || FImages) {
            ShowStillPicture();
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

void TWsCustomTrayIcon::ShowStillPicture()
{
    TakeStillPicture();
    if (FIconShown)
        ModifyIcon();
}

void TWsCustomTrayIcon::StartAnimation()
{
    if (!FAnimation.Start(WindowHandle(), FInterval))
        {
        const DWORD error = GetLastError();
        throw EWsTrayIconError(TrayAnimationNotStartedText(error), static_cast<int32_t>(error));
    }
}

void TWsCustomTrayIcon::StopAnimation() { FAnimation.Stop(WindowHandle()); }

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
    const TTrayMouse mouse = ClassifyTrayMouse(mouseMessage);
    switch (mouse.Action) {
    case TTrayMouseAction::Click:
        if (OnClick)
            OnClick(this, mouse.Button, ShiftState());
        break;
    case TTrayMouseAction::DoubleClick: {
        bool restoreApp = true;
        if (OnDblClick)
            OnDblClick(this, mouse.Button, ShiftState(), restoreApp);
        if (restoreApp)
            RestoreOwner();
        break;
    }
    case TTrayMouseAction::Menu:
        if (FPopupMenu)
            OpenMenu();
        break;
    case TTrayMouseAction::Nothing:
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
    HWND app = ApplicationWindow();
    menu->Popup(cursor.x, cursor.y, app ? app : FWindow->Handle());
}

LRESULT TWsCustomTrayIcon::TrayWndProc(UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (msg == trayicon::kCallbackMessage) {
        MouseNotification(static_cast<UINT>(lParam));
    } else if (msg == WM_TIMER && wParam == TTrayAnimation::kTimerId) {
        if (FAnimation.Running())
            AnimationStep();
    } else if (msg == trayicon::kFirstAddMessage) {
        ShowFirstTime();
    } else if (msg == WM_TIMER && wParam == trayicon::kAddRetryTimerId) {
        RetryAdd();
    } else if (msg == TaskbarCreatedMessage() && (FIconShown || FAddWaiting)) {
        // A new task bar knows nothing of the icon it held, a first one nothing of the icon that waited for it.
        FIconShown = false;
        if (!TryAddIcon())
            WaitForTheTaskBar();
    }
    // Nothing goes to the default processing; the platform may shut down or log off whenever it asks.
    return msg == WM_QUERYENDSESSION ? 1 : 0;
}

bool TWsCustomTrayIcon::OwnerWndProc(UINT msg, WPARAM wParam, LPARAM)
{
    if (msg == WM_WINDOWPOSCHANGED && !FStartUp.Over()) {
        // An owner that first appears minimised is hidden at once instead of showing as a minimised window.
        try {
            HWND owner = OwnerHandle();
            if (owner && FStartUp.PlacementChanged(IsIconic(owner) != FALSE))
                HideOwner();
        } catch (...) {
        }
    }
    if (msg != WM_SYSCOMMAND)
        return false;
    // The low four bits of the command are the platform's own.
    const WPARAM command = wParam & 0xFFF0;
    try {
        if (command == SC_MINIMIZE)
            Fire(OnMinimize, this);
        if (FActive && ((command == SC_MINIMIZE && MinimizeToTray) || (command == SC_CLOSE && CloseToTray))) {
            AddIcon();
            HideOwner();
            return true;
        }
    } catch (...) {
        // The window stays as it was; the command is not passed on, so it neither minimises nor closes.
        HandleCallbackException(this);
        return true;
    }
    return false;
}
