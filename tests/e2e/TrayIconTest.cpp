// The program in the notification area as a user meets it: the icon from start-up, "_" and "X" hiding the
// program, double clicks and "Aç" bringing it back, the icon's menu, and "Kapat" ending it.
#include <gtest/gtest.h>

#include "ProgramTest.h"
#include "components/WsTrIcon.h"
#include "forms/main.h"

namespace {

using namespace e2e;

const POINT kMenuSpot{300, 200}; // where the cursor waits when the icon's menu opens

// Whether the notification area holds an icon for that window and id: only an existing icon can be modified.
bool IconPresent(HWND window, UINT id = trayicon::kIconId)
{
    NOTIFYICONDATAA data{};
    data.cbSize = trayicon::kRecordSize;
    data.hWnd = window;
    data.uID = id;
    return Shell_NotifyIconA(NIM_MODIFY, &data) != FALSE;
}

class TrayIconTest : public TProgramTest {
protected:
    void Launch()
    {
        TProgramTest::Launch();
        AppWindow = Process->FindTopWindow("TApplication", "Varnel", false);
        ASSERT_NE(AppWindow, nullptr);
        Tray = Process->FindTopWindow(trayicon::kWindowClass, nullptr, false);
        ASSERT_NE(Tray, nullptr) << "no hidden window for the icon";
    }
    bool WaitHidden() { return WaitUntil([&] { return !IsWindowVisible(Main) && !IsWindowVisible(AppWindow); }); }
    bool WaitShown() { return WaitUntil([&] { return IsWindowVisible(Main) && IsWindowVisible(AppWindow); }); }
    // What the notification area posts to the hidden window when the mouse does something on the icon.
    void Notify(UINT mouseMessage) { PostMessageA(Tray, trayicon::kCallbackMessage, trayicon::kIconId, mouseMessage); }

    HWND OpenIconMenu()
    {
        EXPECT_TRUE(WaitUntil([] {
            POINT at{};
            SetCursorPos(kMenuSpot.x, kMenuSpot.y);
            return GetCursorPos(&at) && at.x == kMenuSpot.x && at.y == kMenuSpot.y;
        }));
        EXPECT_TRUE(WaitForSettledForeground());
        Notify(WM_RBUTTONDOWN);
        Notify(WM_RBUTTONUP);
        return Process->WaitForTopWindow("#32768", nullptr);
    }
    // The menu runs in the program's own loop, which reads the keys of its thread whichever window they name.
    void ChooseItem(HWND menu, int downs)
    {
        for (int i = 0; i < downs; ++i)
            PostMessageA(menu, WM_KEYDOWN, VK_DOWN, 0);
        PostMessageA(menu, WM_KEYDOWN, VK_RETURN, 0);
        EXPECT_TRUE(Process->WaitForTopWindowGone("#32768", nullptr));
    }
    // A successful send makes the status picture the sent picture, which a showing turns back.
    void SendOnce()
    {
        ASSERT_FALSE(BrowseAndConfirm().empty());
        SetText(Item(idMesajMemo), "Çay hazır");
        Click(Item(idBtn_Gonder));
        ASSERT_TRUE(WaitForStatus(IsGreenBall));
    }

    HWND AppWindow = nullptr;
    HWND Tray = nullptr;
};

TEST_F(TrayIconTest, TheIconIsThereFromStartUpAndItsWindowAgreesToShutDown)
{
    Launch();
    EXPECT_FALSE(IsWindowVisible(Tray));
    EXPECT_TRUE(IconPresent(Tray));
    EXPECT_FALSE(IconPresent(Tray, trayicon::kIconId + 1)) << "the probe tells a missing icon";
    EXPECT_EQ(SendMessageA(Tray, 0x11, 0, 0), 1);
    EXPECT_TRUE(IsWindowVisible(Main)) << "the icon stays while the window is shown";
    EXPECT_TRUE(IconPresent(Tray));
    EXPECT_TRUE(Process->IsRunning());
}

TEST_F(TrayIconTest, MinimiseAndCloseHideTheProgramAndNothingEnds)
{
    Launch();
    Click(Item(idBtn_Kucult));
    ASSERT_TRUE(WaitHidden()) << "\"_\" hides the window and its task-bar entry";
    EXPECT_FALSE(IsIconic(Main));
    Notify(WM_LBUTTONDBLCLK);
    ASSERT_TRUE(WaitShown());

    Click(Item(idBtn_Kapat));
    ASSERT_TRUE(WaitHidden()) << "\"X\" hides as well";
    EXPECT_FALSE(Process->WaitForExit(300));
    EXPECT_TRUE(IconPresent(Tray));
    Notify(WM_LBUTTONDBLCLK);
    ASSERT_TRUE(WaitShown());

    // The window's own system commands, however they arrive, do the same.
    PostSysCommand(Main, SC_CLOSE);
    ASSERT_TRUE(WaitHidden());
    EXPECT_TRUE(Process->IsRunning());
}

TEST_F(TrayIconTest, ADoubleClickWithAnyButtonRestoresAndRunsTheShowHandlerAgain)
{
    Launch();
    for (UINT click : {WM_LBUTTONDBLCLK, WM_RBUTTONDBLCLK, WM_MBUTTONDBLCLK}) {
        SendOnce();
        Click(Item(idBtn_Kucult));
        ASSERT_TRUE(WaitHidden()) << click;
        Notify(click);
        EXPECT_TRUE(WaitShown()) << click;
        EXPECT_TRUE(WaitForStatus(IsRedBall)) << "the status picture is reset, button " << click;
        EXPECT_TRUE(WaitUntil([&] { return Foreground() == Main; })) << click;
        EXPECT_TRUE(WaitForFocus(Item(idMesajMemo))) << "typing goes on where it was, button " << click;
    }
    // Colours written while hidden are read again when the window comes back.
    Click(Item(idBtn_Kapat));
    ASSERT_TRUE(WaitHidden());
    WriteIniFile("[AYARLAR]\r\nRENK=clRed\r\n");
    Notify(WM_LBUTTONDBLCLK);
    EXPECT_TRUE(WaitUntil([&] { return Pixel(kPanelSpot) == RGB(255, 0, 0); }));
}

TEST_F(TrayIconTest, TheRightButtonOpensTheMainMenuAtTheCursorAndKapatEndsTheProgram)
{
    Launch();
    Click(Item(idBtn_Kucult));
    ASSERT_TRUE(WaitHidden());
    HWND menu = OpenIconMenu();
    ASSERT_NE(menu, nullptr) << "no menu";
    const RECT r = WindowRect(menu);
    EXPECT_EQ(r.left, kMenuSpot.x);
    EXPECT_EQ(r.top, kMenuSpot.y);
    ChooseItem(menu, 2); // "Aç", then "Kapat" past the separator
    ASSERT_TRUE(Process->WaitForExit());
    EXPECT_EQ(Process->ExitCode(), 0u);
}

TEST_F(TrayIconTest, AcRestoresAHiddenWindowAndOnlyBringsAVisibleOneForward)
{
    Launch();
    ASSERT_TRUE(WaitUntil([&] { return Pixel(kPanelSpot) == RGB(128, 128, 255); }));
    WriteIniFile("[AYARLAR]\r\nRENK=clRed\r\n");
    HWND menu = OpenIconMenu();
    ASSERT_NE(menu, nullptr);
    ChooseItem(menu, 1);
    EXPECT_TRUE(WaitUntil([&] { return Foreground() == Main; }));
    Sleep(200);
    EXPECT_EQ(Pixel(kPanelSpot), RGB(128, 128, 255)) << "a visible window is not shown again";

    Click(Item(idBtn_Kucult));
    ASSERT_TRUE(WaitHidden());
    menu = OpenIconMenu();
    ASSERT_NE(menu, nullptr);
    ChooseItem(menu, 1);
    EXPECT_TRUE(WaitShown());
    EXPECT_TRUE(WaitUntil([&] { return Pixel(kPanelSpot) == RGB(255, 0, 0); })) << "the show handler ran";
}

TEST_F(TrayIconTest, ThePanelsRightClickMenuStillOpensAfterTheIconsMenu)
{
    Launch();
    HWND menu = OpenIconMenu();
    ASSERT_NE(menu, nullptr);
    PostMessageA(menu, WM_KEYDOWN, VK_ESCAPE, 0);
    ASSERT_TRUE(Process->WaitForTopWindowGone("#32768", nullptr));
    EXPECT_TRUE(Process->IsRunning());
    // What the platform sends on a right click or the menu key.
    HWND panel = Item(idPanel1);
    const RECT area = ClientRectOnScreen(panel);
    PostMessageA(panel, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(panel), MAKELPARAM(area.left + 20, area.top + 20));
    menu = Process->WaitForTopWindow("#32768", nullptr);
    ASSERT_NE(menu, nullptr) << "the panel's menu did not open";
    PostMessageA(menu, WM_KEYDOWN, VK_ESCAPE, 0);
    EXPECT_TRUE(Process->WaitForTopWindowGone("#32768", nullptr));
}

} // namespace
