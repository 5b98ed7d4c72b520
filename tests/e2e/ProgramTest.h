// The fixture most scenarios share: no settings file around them, one scenario, the program and its main window.
#pragma once
#include <gtest/gtest.h>

#include "Driver.h"
#include "forms/main.h"

namespace e2e {

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

    TScenario Scenario;
    TProcess* Process = nullptr;
    HWND Main = nullptr;
};

} // namespace e2e
