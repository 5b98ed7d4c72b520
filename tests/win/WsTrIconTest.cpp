// The notification-area icon: the record the platform receives, its pictures, hiding and restoring the owner.
#include "components/WsTrIcon.h"

#include <windows.h>

#include <gtest/gtest.h>

#include "TestApplication.h"

#include <algorithm>
#include <cstddef>
#include <cstring>
#include <deque>
#include <memory>
#include <string>
#include <vector>

#include "toolkit/Application.h"
#include "toolkit/ExtCtrls.h"
#include "toolkit/Forms.h"
#include "toolkit/Menus.h"

namespace {

// What Shell_NotifyIconA would have been given: the operation and the record's bytes as the platform reads them.
struct TNotifyCall {
    DWORD Message = 0;
    unsigned char Bytes[trayicon::kRecordSize] = {};
    COLORREF Colour = 0;

    template <typename T> T Field(size_t offset) const
    {
        T value;
        std::memcpy(&value, Bytes + offset, sizeof value);
        return value;
    }
    uint32_t Size() const { return Field<DWORD>(offsetof(NOTIFYICONDATAA, cbSize)); }
    HWND Window() const { return Field<HWND>(offsetof(NOTIFYICONDATAA, hWnd)); }
    uint32_t Id() const { return Field<UINT>(offsetof(NOTIFYICONDATAA, uID)); }
    uint32_t Flags() const { return Field<UINT>(offsetof(NOTIFYICONDATAA, uFlags)); }
    uint32_t Callback() const { return Field<UINT>(offsetof(NOTIFYICONDATAA, uCallbackMessage)); }
    HICON Icon() const { return Field<HICON>(offsetof(NOTIFYICONDATAA, hIcon)); }
    std::string Tip() const { return std::string(reinterpret_cast<const char*>(Bytes + offsetof(NOTIFYICONDATAA, szTip)), 64); }
};

// A 16x16 icon of one colour, so that a test can tell which picture reached the platform.
HICON SolidIcon(COLORREF color)
{
    HDC screen = GetDC(nullptr);
    HBITMAP picture = CreateCompatibleBitmap(screen, 16, 16);
    HBITMAP mask = CreateBitmap(16, 16, 1, 1, nullptr);
    HDC dc = CreateCompatibleDC(screen);
    HGDIOBJ old = SelectObject(dc, picture);
    HBRUSH brush = CreateSolidBrush(color);
    RECT all{0, 0, 16, 16};
    FillRect(dc, &all, brush);
    SelectObject(dc, mask);
    PatBlt(dc, 0, 0, 16, 16, BLACKNESS); // opaque everywhere
    SelectObject(dc, old);
    DeleteObject(brush);
    DeleteDC(dc);
    ReleaseDC(nullptr, screen);
    ICONINFO info{TRUE, 0, 0, mask, picture};
    HICON icon = CreateIconIndirect(&info);
    DeleteObject(picture);
    DeleteObject(mask);
    return icon;
}

COLORREF IconColor(HICON icon)
{
    HDC screen = GetDC(nullptr);
    HDC dc = CreateCompatibleDC(screen);
    HBITMAP canvas = CreateCompatibleBitmap(screen, 16, 16);
    HGDIOBJ old = SelectObject(dc, canvas);
    DrawIconEx(dc, 0, 0, icon, 16, 16, 0, nullptr, DI_NORMAL);
    const COLORREF color = GetPixel(dc, 8, 8);
    SelectObject(dc, old);
    DeleteObject(canvas);
    DeleteDC(dc);
    ReleaseDC(nullptr, screen);
    return color;
}

constexpr COLORREF kRed = RGB(255, 0, 0), kGreen = RGB(0, 255, 0), kBlue = RGB(0, 0, 255);

class TTrayForm : public TForm {
public:
    explicit TTrayForm(TComponent* owner, const char* className = "TTrayForm") : TForm(owner, className, 200, 120) {}
};

class TrayIconTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        // A quit message left by an earlier test would end this one's loop at once.
        MSG quit;
        while (PeekMessageA(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
        }
        FApp = MakeTestApplication(Errors);
        FApp->CreateForm(Form);
        Tray = new TWsTrayIcon(Form);
        Tray->NotifyIconFunction = [this](DWORD message, NOTIFYICONDATAA* data) {
            TNotifyCall call;
            call.Message = message;
            std::memcpy(call.Bytes, data, sizeof call.Bytes);
            call.Colour = IconColor(data->hIcon); // the component may destroy the picture later
            Calls.push_back(call);
            if (Results.empty())
                return TRUE;
            const BOOL result = Results.front();
            Results.pop_front();
            return result;
        };
    }
    void TearDown() override
    {
        FApp.reset();
        for (HICON icon : FIcons)
            DestroyIcon(icon);
    }

    // Ends construction as the form's stored layout does; the icon is added here.
    void Load()
    {
        Form->NotifyLoaded();
        Form->Show();
        FApp->ProcessMessages();
    }
    HICON Icon(COLORREF color) { return FIcons.emplace_back(SolidIcon(color)); }
    std::vector<DWORD> Operations() const
    {
        std::vector<DWORD> list;
        for (const auto& call : Calls)
            list.push_back(call.Message);
        return list;
    }
    bool Visible(HWND w) const { return IsWindowVisible(w) != FALSE; }
    LRESULT Notify(UINT mouseMessage)
    {
        return SendMessageA(Tray->WindowHandle(), trayicon::kCallbackMessage, trayicon::kIconId, mouseMessage);
    }

    std::unique_ptr<TApplication> FApp;
    TTrayForm* Form = nullptr;
    TWsTrayIcon* Tray = nullptr;
    std::vector<TNotifyCall> Calls;
    std::deque<BOOL> Results;
    std::vector<std::string> Errors;
    std::vector<HICON> FIcons;
};

TEST_F(TrayIconTest, TheRecordHasTheFirstVersionLayoutAndCarriesTheHintAsTip)
{
    Tray->SetHint("Varnel (Ağ Mesajlaşma)");
    Load();
    ASSERT_EQ(Operations(), std::vector<DWORD>{NIM_ADD});
    const TNotifyCall& add = Calls[0];
    EXPECT_EQ(add.Size(), NOTIFYICONDATAA_V1_SIZE);
    EXPECT_EQ(add.Window(), Tray->WindowHandle());
    EXPECT_EQ(add.Id(), 2u);
    EXPECT_EQ(add.Flags(), static_cast<uint32_t>(NIF_MESSAGE | NIF_ICON | NIF_TIP));
    EXPECT_EQ(add.Callback(), 0x6FFu);
    EXPECT_EQ(add.Tip(), std::string("Varnel (Ağ Mesajlaşma)") + std::string(64 - 22, '\0'));
    EXPECT_FALSE(Visible(Tray->WindowHandle()));

    // Setting the tip while shown hands it over again (how a long one is cut is TrayRulesTest's).
    Calls.clear();
    Tray->SetHint("Başka ipucu");
    ASSERT_EQ(Operations(), std::vector<DWORD>{NIM_MODIFY});
    EXPECT_EQ(Calls[0].Tip(), std::string("Başka ipucu") + std::string(64 - 11, '\0'));
    Tray->SetShowHint(false);
    EXPECT_EQ(Calls.back().Flags(), static_cast<uint32_t>(NIF_MESSAGE | NIF_ICON)) << "no tip without the hint";
}

TEST_F(TrayIconTest, ThePictureFallsBackFromTheIconToTheApplicationsToTheSystemOne)
{
    const HICON systemIcon = LoadIconA(nullptr, MAKEINTRESOURCEA(32512));
    HWND app = FApp->Handle();
    ASSERT_EQ(GetClassLongPtrA(app, GCLP_HICON), 0) << "the test program has no icon of its own";
    Load();
    EXPECT_EQ(Calls.back().Icon(), systemIcon);

    SetClassLongPtrA(app, GCLP_HICON, reinterpret_cast<LONG_PTR>(Icon(kGreen)));
    Tray->SetHint("x");
    EXPECT_EQ(Calls.back().Icon(), FIcons.back());
    SetClassLongPtrA(app, GCLP_HICON, 0);

    Tray->SetIcon(Icon(kRed));
    EXPECT_EQ(Calls.back().Message, static_cast<DWORD>(NIM_MODIFY));
    EXPECT_EQ(Calls.back().Colour, kRed);
    Tray->SetIcon(nullptr);
    EXPECT_EQ(Calls.back().Icon(), systemIcon);
}

TEST_F(TrayIconTest, AfterLoadingTheAddIsFollowedByTheListPictureUnlessThereIsAnIcon)
{
    auto* list = new TImageList(Form);
    list->AddIcon(Icon(kRed));
    list->AddIcon(Icon(kBlue));
    Tray->SetImages(list);
    Tray->SetImageIndex(1);
    Load();
    ASSERT_EQ(Operations(), (std::vector<DWORD>{NIM_ADD, NIM_MODIFY}));
    EXPECT_EQ(Calls[1].Colour, kBlue);
    Tray->SetIcon(Icon(kGreen));
    EXPECT_EQ(Calls.back().Colour, kGreen);
    delete list;
    EXPECT_EQ(Tray->Images(), nullptr) << "a destroyed list is forgotten";
}

TEST_F(TrayIconTest, ActiveTogglesTheIconAndARefusedAddIsTriedAgainLater)
{
    Results = {FALSE};
    Load();
    EXPECT_TRUE(Errors.empty()) << "no box at start: the icon waits for the task bar";
    EXPECT_FALSE(Tray->IconShown());
    EXPECT_TRUE(Visible(Form->Handle()));

    Tray->SetActive(false); // nothing shown, nothing to delete
    Results = {FALSE};
    try {
        Tray->SetActive(true);
        ADD_FAILURE() << "a refused add must raise";
    } catch (const EWsTrayIconError& e) {
        EXPECT_EQ(e.Message(), "Error adding tray icon");
    }
    EXPECT_FALSE(Tray->Active()) << "a failed switch-on leaves it off";
    Tray->SetActive(true);
    Tray->SetActive(true);
    EXPECT_TRUE(Tray->IconShown());
    Tray->SetActive(false);
    Tray->SetActive(false);
    EXPECT_EQ(Operations(), (std::vector<DWORD>{NIM_ADD, NIM_ADD, NIM_ADD, NIM_DELETE}));

    Tray->SetActive(true);
    Results = {FALSE};
    try {
        Tray->ModifyIcon();
        ADD_FAILURE() << "a refused modification must raise";
    } catch (const EWsTrayIconError& e) {
        EXPECT_EQ(e.Message(), "Tray icon error");
    }
    Results = {FALSE};
    Tray->RemoveIcon();
    EXPECT_FALSE(Tray->IconShown()) << "a refused delete is ignored";
}

TEST_F(TrayIconTest, OnlyOneTrayIconPerApplication)
{
    Load();
    auto* other = new TTrayForm(FApp.get(), "TTrayForm2");
    try {
        new TWsTrayIcon(other);
        ADD_FAILURE() << "a second icon must be refused";
    } catch (const EWsTrayIconError& e) {
        EXPECT_EQ(e.Message(), "Cannot have more than one WsTrayIcon per application");
    }
    EXPECT_TRUE(other->Components().empty()) << "the refused one does not stay behind";
    delete Tray;
    Tray = nullptr;
    EXPECT_NO_THROW(new TWsTrayIcon(other));
}

TEST_F(TrayIconTest, ARefusedAddWhileHidingIsReportedAndTheWindowStays)
{
    Load();
    Tray->RemoveIcon(); // Active stays on, so hiding must add the icon first
    Results = {FALSE};
    SendMessageA(Form->Handle(), WM_SYSCOMMAND, SC_CLOSE, 0);
    EXPECT_EQ(Errors, std::vector<std::string>{"Error adding tray icon."});
    EXPECT_TRUE(Visible(Form->Handle()));
    EXPECT_FALSE(FApp->Terminated()) << "the close is not passed on";
}

TEST_F(TrayIconTest, WithoutTheTrayFlagsOrWhenInactiveTheCommandsReachTheWindow)
{
    int minimised = 0;
    Tray->OnMinimize = [&](TObject*) { ++minimised; };
    Load();
    HWND form = Form->Handle();
    SendMessageA(form, WM_SYSCOMMAND, SC_MINIMIZE | 2, 0); // the low bits are the platform's own
    EXPECT_EQ(minimised, 1);
    EXPECT_TRUE(IsIconic(form)) << "minimise to the tray is off by default";
    ShowWindow(form, SW_RESTORE);
    Tray->SetActive(false);
    SendMessageA(form, WM_SYSCOMMAND, SC_CLOSE, 0);
    EXPECT_TRUE(FApp->Terminated()) << "an inactive icon lets the main window close";
}

TEST_F(TrayIconTest, ClickHandlersSeeTheButtonAndMayKeepTheProgramHidden)
{
    std::vector<TMouseButton> clicks, doubleClicks;
    Tray->OnClick = [&](TObject*, TMouseButton button, WPARAM) { clicks.push_back(button); };
    Tray->OnDblClick = [&](TObject*, TMouseButton button, WPARAM, bool& restore) {
        EXPECT_TRUE(restore);
        doubleClicks.push_back(button);
        restore = false;
    };
    Load();
    SendMessageA(Form->Handle(), WM_SYSCOMMAND, SC_CLOSE, 0);
    for (UINT message : {WM_LBUTTONDOWN, WM_MBUTTONDOWN, WM_LBUTTONUP, WM_RBUTTONUP, WM_MOUSEMOVE, WM_LBUTTONDBLCLK,
             WM_RBUTTONDBLCLK, WM_MBUTTONDBLCLK})
        EXPECT_EQ(Notify(message), 0);
    EXPECT_EQ(clicks, (std::vector<TMouseButton>{TMouseButton::mbLeft, TMouseButton::mbMiddle}));
    EXPECT_EQ(doubleClicks,
        (std::vector<TMouseButton>{TMouseButton::mbLeft, TMouseButton::mbRight, TMouseButton::mbMiddle}));
    EXPECT_FALSE(Visible(Form->Handle()));

    Tray->OnClick = [](TObject*, TMouseButton, WPARAM) { throw Exception("Tıklama hatası"); };
    Notify(WM_LBUTTONDOWN);
    EXPECT_EQ(Errors, std::vector<std::string>{"Tıklama hatası."});
    HWND w = Tray->WindowHandle();
    EXPECT_EQ(SendMessageA(w, WM_CLOSE, 0, 0), 0);
    EXPECT_TRUE(IsWindow(w)) << "no default processing: closing does not destroy it";

    auto* menu = new TPopupMenu(Form);
    Tray->SetPopupMenu(menu);
    delete menu;
    EXPECT_EQ(Tray->PopupMenu(), nullptr) << "a destroyed menu is forgotten";
    EXPECT_EQ(Notify(WM_RBUTTONDOWN), 0);
}

TEST_F(TrayIconTest, TheOwnerIsWatchedFromTheFirstAddUntilTheIconIsDestroyed)
{
    int minimised = 0;
    Tray->OnMinimize = [&](TObject*) { ++minimised; };
    HWND form = Form->Handle();
    Tray->SetActive(false);
    Load();
    SendMessageA(form, WM_SYSCOMMAND, SC_MINIMIZE, 0);
    EXPECT_EQ(minimised, 0) << "nothing added yet";
    ShowWindow(form, SW_RESTORE);
    Tray->SetActive(true);
    SendMessageA(form, WM_SYSCOMMAND, SC_MINIMIZE, 0);
    EXPECT_EQ(minimised, 1);
    ShowWindow(form, SW_RESTORE);
    delete Tray;
    Tray = nullptr;
    EXPECT_EQ(Operations(), (std::vector<DWORD>{NIM_ADD, NIM_DELETE})) << "the icon goes with the component";
    SendMessageA(form, WM_SYSCOMMAND, SC_CLOSE, 0);
    EXPECT_TRUE(FApp->Terminated()) << "without the icon the close reaches the window";
}

TEST_F(TrayIconTest, AMinimisedFirstShowingIsHiddenUntilTheOwnerIsSeenInItsNormalState)
{
    Form->NotifyLoaded();
    HWND form = Form->Handle();
    ShowWindow(form, SW_SHOWMINNOACTIVE);
    EXPECT_FALSE(Visible(form)) << "a minimised start is hidden at once";
    ShowWindow(form, SW_RESTORE);
    EXPECT_EQ(Tray->StartupCounter(), 2);
    ShowWindow(form, SW_MINIMIZE);
    EXPECT_TRUE(Visible(form)) << "after a normal showing a minimised window stays";
    Tray->RestoreOwner();
    EXPECT_FALSE(IsIconic(form)) << "from then on restoring also un-minimises";
    EXPECT_TRUE(Visible(form));
}

// A start before the task bar is there: no error box; a few retries add the icon, or the task bar's announcement
// once the retries are spent. Nothing is tried after the add or after the last retry.
TEST_F(TrayIconTest, ALateTaskBarGetsTheIconWithoutAnErrorBox)
{
    Results.assign(3, FALSE);
    Load();
    EXPECT_FALSE(Tray->IconShown());
    for (int i = 0; i < 4; ++i)
        SendMessageA(Tray->WindowHandle(), WM_TIMER, trayicon::kAddRetryTimerId, 0);
    EXPECT_TRUE(Tray->IconShown()) << "the third retry adds it";
    EXPECT_EQ(Calls.size(), 4u);
    EXPECT_TRUE(Errors.empty());
}

TEST_F(TrayIconTest, ATaskBarLaterThanEveryRetryGetsTheIconWhenItAnnouncesItself)
{
    Results.assign(trayicon::kAddRetries + 1, FALSE);
    Load();
    for (int i = 0; i < trayicon::kAddRetries + 2; ++i)
        SendMessageA(Tray->WindowHandle(), WM_TIMER, trayicon::kAddRetryTimerId, 0);
    EXPECT_FALSE(Tray->IconShown());
    EXPECT_EQ(Calls.size(), static_cast<size_t>(trayicon::kAddRetries + 1));
    SendMessageA(Tray->WindowHandle(), RegisterWindowMessageA("TaskbarCreated"), 0, 0);
    EXPECT_TRUE(Tray->IconShown());
    EXPECT_TRUE(Errors.empty());
}

TEST_F(TrayIconTest, ANewTaskBarGetsTheIconBackOnlyIfItWasShown)
{
    Load();
    const UINT created = RegisterWindowMessageA("TaskbarCreated");
    SendMessageA(Tray->WindowHandle(), created, 0, 0);
    Tray->SetActive(false);
    SendMessageA(Tray->WindowHandle(), created, 0, 0);
    EXPECT_EQ(Operations(), (std::vector<DWORD>{NIM_ADD, NIM_ADD, NIM_DELETE}));
}

TEST_F(TrayIconTest, AnimationCyclesThroughTheListPausesWhileInactiveAndStopsOnTheStillPicture)
{
    auto* list = new TImageList(Form);
    for (COLORREF color : {kRed, kGreen, kBlue})
        list->AddIcon(Icon(color));
    Tray->SetImages(list);
    Tray->SetIcon(Icon(RGB(255, 255, 0)));
    Tray->SetInterval(5);
    Load();
    Calls.clear();
    Tray->SetAnimate(true);
    const DWORD start = GetTickCount();
    while (Calls.size() < 4 && GetTickCount() - start < 3000) {
        FApp->ProcessMessages();
        Sleep(1);
    }
    ASSERT_GE(Calls.size(), 4u);
    std::vector<COLORREF> shown;
    for (size_t i = 0; i < 4; ++i)
        shown.push_back(Calls[i].Colour);
    EXPECT_EQ(shown, (std::vector<COLORREF>{kRed, kGreen, kBlue, kRed}));

    Tray->SetActive(false);
    Calls.clear();
    Sleep(30);
    FApp->ProcessMessages();
    EXPECT_TRUE(Calls.empty()) << "no steps while inactive";
    Tray->SetActive(true);
    Tray->SetAnimate(false);
    EXPECT_EQ(Calls.back().Colour, RGB(255, 255, 0));
}

} // namespace
