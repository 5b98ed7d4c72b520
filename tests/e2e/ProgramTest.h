// The fixture most scenarios share: no settings file around them, one scenario, the program and its main window.
#pragma once
#include <gtest/gtest.h>

#include <initializer_list>
#include <string>

#include "Driver.h"
#include "forms/main.h"

namespace e2e {

inline const POINT kPanelSpot{200, 290};  // bare panel below the main window's buttons
inline const POINT kStatusSpot{81 + 8, 73 + 8};  // the middle of the status picture's ball

inline bool IsRedBall(COLORREF c) { return GetRValue(c) > 150 && GetGValue(c) < 110 && GetBValue(c) < 110; }
inline bool IsGreenBall(COLORREF c) { return GetGValue(c) > 120 && GetRValue(c) < 110 && GetBValue(c) < 110; }

class TProgramTest : public ::testing::Test {
protected:
    void SetUp() override { DeleteIniFile(); }
    void TearDown() override { DeleteIniFile(); }

    // Starts the program and waits until its main window shows with the focus in the memo.
    void Launch()
    {
        Process = &Scenario.Start();
        Main = Process->WaitForTopWindow("TForm1", "Korvent Soft");
        ASSERT_NE(Main, nullptr) << "the main window did not appear";
        ASSERT_TRUE(WaitForFocus(FindChildById(Main, idMesajMemo)));
        ASSERT_TRUE(WaitForSettledForeground(Main));
    }

    HWND Item(int id) const { return FindChildById(Main, id); }
    COLORREF Pixel(POINT p) const { return ClientPixel(Main, p.x, p.y); }
    bool WaitForStatus(bool (*is)(COLORREF)) const { return WaitUntil([&] { return is(Pixel(kStatusSpot)); }); }

    std::string RecipientField() const { return Text(Item(idEdt_Bilgisayar)); }

    // Chooses an item of the main window's popup menu, asked for as the system asks after a right click on the
    // background (a real right click first starts the background's drag, which races with the menu). The menu's
    // loop reads the keys of its thread whichever window they name; `keys` walk to the item, separators skipped.
    void ChooseFromThePanelMenu(std::initializer_list<WPARAM> keys)
    {
        HWND panel = Item(idPanel1);
        const RECT r = ClientRectOnScreen(panel);
        PostMessageA(panel, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(panel),
            MAKELPARAM(r.left + kPanelSpot.x, r.top + kPanelSpot.y));
        HWND menu = Process->WaitForTopWindow("#32768", nullptr);
        ASSERT_NE(menu, nullptr) << "no popup menu";
        for (const WPARAM key : keys)
            PostMessageA(menu, WM_KEYDOWN, key, 0);
        PostMessageA(menu, WM_KEYDOWN, VK_RETURN, 0);
    }
    // Kapat from that menu ("Aç", then "Kapat" past the separator); returns how long the program took to end
    // (cleanly, with 0).
    DWORD KapatFromThePanelMenu()
    {
        ChooseFromThePanelMenu({VK_DOWN, VK_DOWN});
        const DWORD start = GetTickCount();
        EXPECT_TRUE(Process->WaitForExit(30000)) << "the program still runs";
        EXPECT_EQ(Process->ExitCode(), 0u) << "not a clean end";
        return GetTickCount() - start;
    }

    // Confirms whatever the browse dialog has selected; returns the recipient field's text afterwards.
    std::string BrowseAndConfirm()
    {
        EXPECT_TRUE(e2e::BrowseAndConfirm(*Process, Item(idBtn_Tek))) << "no browse dialog, or it stayed";
        EXPECT_TRUE(WaitUntil([&] { return !RecipientField().empty(); }));
        return RecipientField();
    }

    TScenario Scenario;
    TProcess* Process = nullptr;
    HWND Main = nullptr;
};

} // namespace e2e
