// The fixture most scenarios share: no settings file around them, one scenario, the program and its main window.
#pragma once
#include <gtest/gtest.h>

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
