// The bulk picker as the scenarios drive it: a scripted network, the picker opened and closed, items clicked,
// the recipient field read, a message typed and sent, the error box read.
#pragma once
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ProgramTest.h"
#include "forms/f_Toplu.h"
#include "forms/main.h"

namespace e2e {

using standin::EnumResult;

inline constexpr int kItemHeight = 15;
inline constexpr LRESULT kChecked = 1;

inline standin::Name N(const std::string& cp1254) { return standin::AnsiName(cp1254); }

class TBulkPickerTest : public TProgramTest {
protected:
    void Script(std::vector<EnumResult> enums, std::vector<uint32_t> sends = {})
    {
        standin::Script script;
        script.EnumResults = std::move(enums);
        script.SendResults = std::move(sends);
        Scenario.SetScript(script);
    }

    // Opens the picker with Btn_Toplu and, unless told not to, waits until the enumeration's answer has filled
    // its list (the list takes input again).
    void OpenPicker(bool waitForTheList = true)
    {
        Click(FindChildById(Main, idBtn_Toplu));
        Picker = Process->WaitForTopWindow("TFrm_Toplu", "Frm_Toplu");
        ASSERT_NE(Picker, nullptr) << "the picker did not appear";
        List = FindChildById(Picker, idCL_Computers);
        ASSERT_NE(List, nullptr);
        if (waitForTheList)
            ASSERT_TRUE(WaitUntil([&] { return IsEnabled(List); })) << "the list was never filled";
        ASSERT_TRUE(WaitForSettledForeground(Picker));
    }

    void ClosePicker()
    {
        Click(FindChildById(Picker, idBtn_Kapat_Toplu));
        ASSERT_TRUE(Process->WaitForTopWindowGone("TFrm_Toplu", "Frm_Toplu"));
    }

    void ClickItem(int index) { ClickWindow(List, POINT{80, index * kItemHeight + kItemHeight / 2}); }

    std::vector<LRESULT> States() const
    {
        std::vector<LRESULT> states;
        for (size_t i = 0; i < ListBoxItems(List).size(); ++i)
            states.push_back(ListBoxItemData(List, static_cast<int>(i)));
        return states;
    }
    bool WaitForStates(const std::vector<LRESULT>& expected)
    {
        return WaitUntil([&] { return States() == expected; });
    }

    void TypeAndSend(const std::string& text)
    {
        HWND memo = FindChildById(Main, idMesajMemo);
        ASSERT_TRUE(FocusByClick(memo));
        TypeText(text);
        ASSERT_TRUE(WaitForText(memo, text));
        Click(FindChildById(Main, idBtn_Gonder));
    }

    // The error box of the program's top level ("Varnel"), or a box of the program's own with that caption ("Uyarı",
    // "Hata"): its message, then OK.
    std::vector<std::string> DismissErrorBox(const char* title = "Varnel")
    {
        HWND box = WaitForMessageBox(*Process, title);
        EXPECT_NE(box, nullptr) << "no error box";
        if (!box)
            return {};
        const TDialog d = ReadDialog(box);
        EXPECT_TRUE(d.HasIcon);
        EXPECT_EQ(d.Buttons.size(), 1u);
        if (!d.Buttons.empty())
            Click(d.Buttons[0].Window);
        EXPECT_TRUE(Process->WaitForTopWindowGone("#32770", title));
        return d.Texts;
    }

    HWND Picker = nullptr;
    HWND List = nullptr;
};

} // namespace e2e
