// The bulk picker as a user meets it: the network's computers from the stand-in's scripted enumeration,
// select-all and clear, the marker in the recipient field, and what closing with a selection leaves for a send.
#include <windows.h>
#include <lm.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "BulkPickerScenario.h"
#include "DriverChecks.h"

namespace {

using namespace e2e;

class BulkPickerTest : public TBulkPickerTest {};

TEST_F(BulkPickerTest, ListsTheBrowseListWithoutBackslashesInTheMainWindowsColours)
{
    WriteIniFile("[AYARLAR]\r\nRENK=$00408000\r\n");
    // The first answer says more is coming; the enumeration goes on with the resume handle.
    Script({{234, 7, {N("PC01"), N("PC02")}}, {0, 0, {N("ŞUBE-İŞLEM")}}});
    Launch();
    OpenPicker();

    EXPECT_EQ(ListBoxItems(List), (std::vector<std::string>{"PC01", "PC02", "ŞUBE-İŞLEM"}));
    EXPECT_EQ(States(), (std::vector<LRESULT>{0, 0, 0}));
    EXPECT_EQ(ListBoxCurrent(List), -1);
    const auto calls = Scenario.Records("NetServerEnum");
    ASSERT_EQ(calls.size(), 2u);
    for (const auto& call : calls) {
        EXPECT_FALSE(call.IsNull("servername"));  // the empty text stands for this computer
        EXPECT_TRUE(call.Wide("servername").empty());
        EXPECT_EQ(call.Number("level"), 100u);
        EXPECT_EQ(call.Number("servertype"), static_cast<uint32_t>(SV_TYPE_ALL));
    }
    EXPECT_TRUE(standin::UnfreedBuffers(Scenario.Records()).empty());

    ExpectCentredBorderless(Picker, 350, 301);
    const RECT r = WindowRect(Picker);
    const RECT list = WindowRect(List);
    EXPECT_EQ(list.left - r.left, 20);
    EXPECT_EQ(list.top - r.top, 16);
    EXPECT_EQ(list.right - list.left, 302);
    EXPECT_EQ(list.bottom - list.top, 234);
    EXPECT_EQ(SendMessageA(List, LB_GETITEMHEIGHT, 0, 0), kItemHeight);
    EXPECT_EQ(Text(FindChildById(Picker, idBtn_Hepsini_Sec)), "Hepsini Seç");
    EXPECT_EQ(Text(FindChildById(Picker, idBtn_Hepsini_Temizle)), "Temizle");
    EXPECT_EQ(Text(FindChildById(Picker, idBtn_Kapat_Toplu)), "&Kapat");
    // The background takes the main window's form colour, here the one from the settings file.
    EXPECT_TRUE(WaitUntil([&] { return ClientPixel(Picker, 10, 150) == RGB(0, 0x80, 0x40); }));
    // The window opens on Kapat, then Tab walks list, select-all, clear.
    const HWND kapat = FindChildById(Picker, idBtn_Kapat_Toplu);
    ASSERT_TRUE(WaitForFocus(kapat));
    EXPECT_EQ(TabOrder(Picker), (std::vector<HWND>{List, FindChildById(Picker, idBtn_Hepsini_Sec),
                                                   FindChildById(Picker, idBtn_Hepsini_Temizle), kapat}));
}

TEST_F(BulkPickerTest, SelectAllAndClearChangeOnlyTheMarksAndClosingWithoutSelectionKeepsTheField)
{
    Script({{0, 0, {N("PC01"), N("PC02"), N("PC03")}}});
    Launch();
    const std::string recipient = BrowseAndConfirm();
    OpenPicker();

    Click(FindChildById(Picker, idBtn_Hepsini_Sec));
    EXPECT_TRUE(WaitForStates({kChecked, kChecked, kChecked}));
    Click(FindChildById(Picker, idBtn_Hepsini_Temizle));
    EXPECT_TRUE(WaitForStates({0, 0, 0}));
    Click(FindChildById(Picker, idBtn_Hepsini_Sec));
    EXPECT_TRUE(WaitForStates({kChecked, kChecked, kChecked}));
    EXPECT_EQ(ListBoxCurrent(List), -1);

    // Alt+K closes the window like the button; with nothing selected the field stays as it was.
    ASSERT_TRUE(WaitUntil([&] { return Foreground() == Picker; }));
    Chord({VK_MENU, 'K'});
    ASSERT_TRUE(Process->WaitForTopWindowGone("TFrm_Toplu", "Frm_Toplu"));
    EXPECT_EQ(RecipientField(), recipient);
    EXPECT_TRUE(IsEnabled(Main));
}

TEST_F(BulkPickerTest, ClickingAnItemMarksTheFieldAndWithNothingCheckedTheSendOnlyWarns)
{
    Script({{0, 0, {N("PC01"), N("PC02")}}}, {0});
    Launch();
    const std::string recipient = BrowseAndConfirm();
    ASSERT_NE(recipient, kBulkMarker);
    OpenPicker();

    ClickItem(1);
    EXPECT_TRUE(WaitForStates({0, kChecked}));
    EXPECT_EQ(ListBoxCurrent(List), 1);
    SaveScreenshot(Picker, Scenario.PathOf("bulk-picker.bmp"));
    // The space bar flips the selected item back; the selection, not the mark, decides what Kapat does.
    PressKey(VK_SPACE);
    EXPECT_TRUE(WaitForStates({0, 0}));
    EXPECT_EQ(ListBoxCurrent(List), 1);
    ClosePicker();
    EXPECT_TRUE(WaitUntil([&] { return RecipientField() == kBulkMarker; }));

    // The marker stands for the checked computers, and there are none: neither they nor the browsed one get it.
    TypeAndSend("Toplantı saat üçte");
    HWND box = WaitForMessageBox(*Process, "Uyarı");
    ASSERT_NE(box, nullptr) << "no warning";
    EXPECT_EQ(ReadDialog(box).Texts, std::vector<std::string>{"Lütfen Kime göndereceğinizi seçin ve mesajınızı yazın"});
    Click(ReadDialog(box).Buttons.at(0).Window);
    EXPECT_TRUE(Process->WaitForTopWindowGone("#32770", "Uyarı"));
    EXPECT_TRUE(Scenario.Records("NetMessageBufferSend").empty());
    EXPECT_EQ(Text(FindChildById(Main, idMesajMemo)), "Toplantı saat üçte");

    // The browse dialog ends bulk mode: the next send goes to the browsed computer alone.
    EXPECT_EQ(BrowseAndConfirm(), recipient);
    Click(FindChildById(Main, idBtn_Gonder));
    ASSERT_TRUE(Scenario.WaitForRecords("NetMessageBufferSend", 1));
    const auto sends = Scenario.Records("NetMessageBufferSend");
    ASSERT_EQ(sends.size(), 1u);
    EXPECT_EQ(sends[0].Ansi("msgname"), recipient);
}

TEST_F(BulkPickerTest, ShowingAgainStartsUncheckedAndUnselected)
{
    Script({{0, 0, {N("PC01"), N("PC02")}}});
    Launch();
    OpenPicker();
    ClickItem(0);
    ASSERT_TRUE(WaitForStates({kChecked, 0}));
    Click(FindChildById(Picker, idBtn_Hepsini_Sec));
    ASSERT_TRUE(WaitForStates({kChecked, kChecked}));
    ASSERT_EQ(ListBoxCurrent(List), 0);
    ClosePicker();

    OpenPicker();
    EXPECT_EQ(ListBoxItems(List), (std::vector<std::string>{"PC01", "PC02"}));
    EXPECT_EQ(States(), (std::vector<LRESULT>{0, 0}));
    EXPECT_EQ(ListBoxCurrent(List), -1);
    EXPECT_EQ(Scenario.Records("NetServerEnum").size(), 2u);  // enumerated afresh
    ClosePicker();
}

TEST_F(BulkPickerTest, AFailingEnumerationShowsTheErrorBoxAndTheWindowOpensEmpty)
{
    // Records arrive first, then the failure: none of them may be listed, and every buffer is freed.
    Script({{234, 5, {N("PC01")}}, {2114, 0, {}}});
    Launch();
    Click(FindChildById(Main, idBtn_Toplu));
    const auto texts = DismissErrorBox();
    EXPECT_EQ(texts, std::vector<std::string>{"2114:  The Server service is not started."});

    Picker = Process->WaitForTopWindow("TFrm_Toplu", "Frm_Toplu");
    ASSERT_NE(Picker, nullptr) << "the picker must open after the error";
    List = FindChildById(Picker, idCL_Computers);
    EXPECT_TRUE(ListBoxItems(List).empty());
    EXPECT_TRUE(standin::UnfreedBuffers(Scenario.Records()).empty());
    EXPECT_FALSE(IsEnabled(Main));  // still shown modally after the error box
    ClosePicker();
    EXPECT_EQ(RecipientField(), "");
    EXPECT_TRUE(IsEnabled(Main));
}

TEST_F(BulkPickerTest, ItOpensAtOnceWhileTheEnumerationIsSlowAndALateAnswerForAClosedOneIsDropped)
{
    standin::Script script;
    script.EnumResults = {{0, 0, {N("PC01"), N("PC02")}}};
    script.EnumDelayMs = 5000;
    Scenario.SetScript(script);
    Launch();
    OpenPicker(false);
    EXPECT_EQ(ListBoxItems(List), std::vector<std::string>{"Ağdaki bilgisayarlar aranıyor..."});
    EXPECT_FALSE(IsEnabled(List));
    EXPECT_FALSE(IsEnabled(FindChildById(Picker, idBtn_Hepsini_Sec)));
    ASSERT_TRUE(WaitUntil([&] { return IsEnabled(List); }));
    EXPECT_EQ(ListBoxItems(List), (std::vector<std::string>{"PC01", "PC02"}));
    ClosePicker();

    // Closed while it looks: the answer, a failure this time, comes to nobody.
    script.EnumResults = {{2114, 0, {}}};
    Scenario.SetScript(script);
    OpenPicker(false);
    ClosePicker();
    ASSERT_TRUE(Scenario.WaitForRecords("NetServerEnum", 2));
    EXPECT_EQ(WaitForMessageBox(*Process, "Varnel", 1500), nullptr) << "the late failure was shown";
    EXPECT_EQ(Process->FindTopWindow("TFrm_Toplu", "Frm_Toplu"), nullptr);
    EXPECT_TRUE(IsEnabled(Main));
}

TEST_F(BulkPickerTest, ALargeNetworkIsListedAndCheckedWithinSeconds)
{
    constexpr int kNames = 10000;
    std::vector<standin::Name> names;
    for (int i = 0; i < kNames; ++i)
        names.push_back(N("PC" + std::to_string(100000 + i)));
    Script({{0, 0, names}});
    Launch();

    const DWORD start = GetTickCount();
    Click(FindChildById(Main, idBtn_Toplu));
    Picker = Process->WaitForTopWindow("TFrm_Toplu", "Frm_Toplu", 15000);
    ASSERT_NE(Picker, nullptr) << "the picker did not appear within 15 s";
    List = FindChildById(Picker, idCL_Computers);
    ASSERT_TRUE(WaitUntil([&] { return IsEnabled(List); }, 15000)) << "the list was not filled within 15 s";
    RecordProperty("OpenMilliseconds", static_cast<int>(GetTickCount() - start));
    ASSERT_EQ(SendMessageA(List, LB_GETCOUNT, 0, 0), kNames);

    Click(FindChildById(Picker, idBtn_Hepsini_Sec));
    EXPECT_TRUE(WaitUntil([&] { return ListBoxItemData(List, kNames - 1) == kChecked; }, 15000));
    EXPECT_EQ(ListBoxItemData(List, 0), kChecked);
    RecordProperty("OpenAndSelectAllMilliseconds", static_cast<int>(GetTickCount() - start));
    ClosePicker();
}

TEST_F(BulkPickerTest, AnyMouseButtonOnTheBackgroundDragsTheWindow)
{
    Launch();
    OpenPicker();
    ExpectBackgroundDragMoves(Picker, POINT{10, 150}, POINT{40, 30});
}

TEST_F(BulkPickerTest, EscapeDuringARightDragPutsTheWindowBack)
{
    Launch();
    OpenPicker();
    const RECT before = WindowRect(Picker);
    ASSERT_TRUE(SetCursorPos(before.left + 10, before.top + 150));
    PressButton(e2e::TMouseButton::Right, true);
    Sleep(100);
    SetCursorPos(before.left + 50, before.top + 180);
    EXPECT_TRUE(WaitUntil([&] { return WindowRect(Picker).left == before.left + 40; }));
    PressKey(VK_ESCAPE);
    const auto atStart = [&] {
        const RECT now = WindowRect(Picker);
        return now.left == before.left && now.top == before.top;
    };
    EXPECT_TRUE(WaitUntil(atStart));
    PressButton(e2e::TMouseButton::Right, false);
    SetCursorPos(before.left + 90, before.top + 100);
    Sleep(100);
    EXPECT_TRUE(atStart()) << "the window follows the mouse after the drag was called off";
    EXPECT_TRUE(IsWindowVisible(Picker)) << "the Escape that ended the drag closed the window";
}

}  // namespace
