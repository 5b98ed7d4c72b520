// TWsTrayIcon: the program's icon in the notification area, which hides its owner window instead of
// minimising or closing it and brings it back on a double click or from its menu. The record's contents, the mouse
// messages and the start-up phase are decided in core/TrayRules; the animation is components/TrayAnimation.
#pragma once
#include <windows.h>
#include <shellapi.h>

#include <cstdint>
#include <functional>
#include <string>

#include "components/TrayAnimation.h"
#include "core/TrayRules.h"
#include "net/WsBase.h"
#include "toolkit/Controls.h"
#include "toolkit/Graphics.h"

class TForm;
class TImageList;
class TMenuItem;
class TMessageWindow;
class TPopupMenu;

class EWsTrayIconError : public EWsException {
public:
    using EWsException::EWsException;
};

using TTrayClickEvent = std::function<void(TObject* Sender, TMouseButton Button, WPARAM Shift)>;
using TTrayDblClickEvent = std::function<void(TObject* Sender, TMouseButton Button, WPARAM Shift, bool& RestoreApp)>;
using TNotifyIconFunction = std::function<BOOL(DWORD message, NOTIFYICONDATAA* data)>;

namespace trayicon {
constexpr UINT kCallbackMessage = 0x6FF;
// Posted at the end of loading: the first add waits for the message loop, after the owner's first paint.
constexpr UINT kFirstAddMessage = 0x6FE;
constexpr UINT kIconId = 2;
// The first-version record: every platform since the first notification area takes it (88 bytes in 32 bits).
constexpr DWORD kRecordSize = NOTIFYICONDATAA_V1_SIZE;
static_assert(sizeof(void*) != 4 || kRecordSize == 88);
constexpr int kDefaultInterval = 250;
constexpr char kWindowClass[] = "TWsTrayIconWindow";
// A start before the task bar is there (a start with Windows): the add is tried again this often, this many times,
// and in any case when the task bar announces itself.
constexpr UINT_PTR kAddRetryTimerId = 2; // the animation's timer is 1
constexpr UINT kAddRetryIntervalMs = 2000;
constexpr int kAddRetries = 15;
} // namespace trayicon

class TWsCustomTrayIcon : public TWsComponent {
public:
    explicit TWsCustomTrayIcon(TComponent* AOwner);
    ~TWsCustomTrayIcon() override;

    // Shows the icon if it is not shown; EWsTrayIconError when the platform refuses.
    void AddIcon();
    // Hands the current picture and tip to the platform again; EWsTrayIconError when it refuses.
    void ModifyIcon();
    // Removes the icon if it is shown; a refusal is ignored.
    void RemoveIcon();
    // Brings the owner window and the program's task-bar entry back.
    void RestoreOwner();

    bool IconShown() const { return FIconShown; }
    HWND WindowHandle() const;
    HICON CurrentIcon() const { return FCurrentIcon.Get(); }
    uint8_t StartupCounter() const { return FStartUp.Counter(); }
    // The component's own two-item menu ("&Close", "&Restore").
    TPopupMenu* OwnMenu() const { return FOwnMenu; }

    // The platform call; tests put a recorder here.
    TNotifyIconFunction NotifyIconFunction = [](DWORD message, NOTIFYICONDATAA* data) {
        return Shell_NotifyIconA(message, data);
    };

protected:
    bool Active() const { return FActive; }
    void SetActive(bool value);
    bool Animate() const { return FAnimate; }
    void SetAnimate(bool value);
    const std::string& Hint() const { return FHint; }
    void SetHint(const std::string& value);
    // The picture stays owned by the caller; the component keeps a copy (null clears it).
    HICON Icon() const { return FIcon.Get(); }
    void SetIcon(HICON icon);
    TImageList* Images() const { return FImages; }
    void SetImages(TImageList* list);
    int32_t ImageIndex() const { return FImageIndex; }
    void SetImageIndex(int32_t index);
    int32_t Interval() const { return FInterval; }
    void SetInterval(int32_t value);
    TPopupMenu* PopupMenu() const { return FPopupMenu; }
    void SetPopupMenu(TPopupMenu* menu);
    bool ShowHint() const { return FShowHint; }
    void SetShowHint(bool value);

    bool CloseToTray = true;
    bool HideOnRestore = false;
    bool MinimizeToTray = false;
    TTrayClickEvent OnClick;
    TTrayDblClickEvent OnDblClick;
    TNotifyEvent OnMinimize;
    TNotifyEvent OnRestore;

    void Loaded() override;
    void Notification(TComponent* component) override;

    // The hidden window's messages: everything is taken, nothing gets the default processing.
    LRESULT TrayWndProc(UINT msg, WPARAM wParam, LPARAM lParam);
    // The owner form's messages, seen before the form from the first add on; true when the message was taken.
    bool OwnerWndProc(UINT msg, WPARAM wParam, LPARAM lParam);

private:
    NOTIFYICONDATAA NotifyData() const;
    HWND OwnerHandle() const;
    void WatchOwner();
    // The platform's answer to an add; a success ends any wait for the task bar.
    bool TryAddIcon();
    void WaitForTheTaskBar();
    void StopWaitingForTheTaskBar();
    void RetryAdd();
    void ShowFirstTime(); // the add, picture and animation that loading asked for
    void HideOwner();
    void MouseNotification(UINT mouseMessage);
    void OpenMenu();
    void StartAnimation();
    void StopAnimation();
    void AnimationStep();
    // The picture the icon shows when it is not animating: Icon, else picture ImageIndex of Images.
    void TakeStillPicture();
    // Takes the still picture and hands it to the platform if the icon is shown.
    void ShowStillPicture();

    bool FActive = true;
    bool FAnimate = false;
    bool FAnimationStoppedByActive = false;
    std::string FHint;
    TIconHandle FIcon;
    TIconHandle FCurrentIcon;
    TImageList* FImages = nullptr;
    int32_t FImageIndex = 0;
    int32_t FInterval = trayicon::kDefaultInterval;
    TPopupMenu* FPopupMenu = nullptr;
    TPopupMenu* FOwnMenu = nullptr;
    bool FShowHint = true;

    bool FIconShown = false;
    bool FAddWaiting = false; // the add at start was refused: the icon comes when the task bar does
    int FAddRetriesLeft = 0;
    TMessageWindow* FWindow = nullptr;
    TForm* FWatchedOwner = nullptr;
    TTrayStartUpPhase FStartUp;
    TTrayAnimation FAnimation;
};

class TWsTrayIcon : public TWsCustomTrayIcon {
public:
    explicit TWsTrayIcon(TComponent* AOwner) : TWsCustomTrayIcon(AOwner) {}

    using TWsCustomTrayIcon::Active;
    using TWsCustomTrayIcon::SetActive;
    using TWsCustomTrayIcon::Animate;
    using TWsCustomTrayIcon::SetAnimate;
    using TWsCustomTrayIcon::CloseToTray;
    using TWsCustomTrayIcon::HideOnRestore;
    using TWsCustomTrayIcon::Hint;
    using TWsCustomTrayIcon::SetHint;
    using TWsCustomTrayIcon::Icon;
    using TWsCustomTrayIcon::SetIcon;
    using TWsCustomTrayIcon::Images;
    using TWsCustomTrayIcon::SetImages;
    using TWsCustomTrayIcon::ImageIndex;
    using TWsCustomTrayIcon::SetImageIndex;
    using TWsCustomTrayIcon::Interval;
    using TWsCustomTrayIcon::SetInterval;
    using TWsCustomTrayIcon::MinimizeToTray;
    using TWsCustomTrayIcon::PopupMenu;
    using TWsCustomTrayIcon::SetPopupMenu;
    using TWsCustomTrayIcon::ShowHint;
    using TWsCustomTrayIcon::SetShowHint;
    using TWsCustomTrayIcon::OnClick;
    using TWsCustomTrayIcon::OnDblClick;
    using TWsCustomTrayIcon::OnMinimize;
    using TWsCustomTrayIcon::OnRestore;
};
