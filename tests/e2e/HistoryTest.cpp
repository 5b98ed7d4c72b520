// End-to-end scenarios of the send history: what a send records, searching it, taking an entry back, clearing.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "Driver.h"
#include "forms/f_history.h"
#include "forms/main.h"

namespace {

using namespace e2e;

constexpr const char* kWarning = "Hiç bir mesajı seçmediniz!";

class HistoryTest : public ::testing::Test {
protected:
    void SetUp() override { StartProgram(); }

    void StartProgram()
    {
        Program = &Scenario.Start();
        Main = Program->WaitForTopWindow("TForm1", "Korvent Soft");
        ASSERT_NE(Main, nullptr) << "the main window did not appear";
        // The send command only needs some text in the recipient field.
        SetText(Item(Main, idEdt_Bilgisayar), "OFIS-PC");
    }

    static HWND Item(HWND window, int id)
    {
        HWND w = FindChildById(window, id);
        if (!w)
            ADD_FAILURE() << "no control " << id;
        return w;
    }

    void Send(const std::string& text)
    {
        HWND memo = Item(Main, idMesajMemo);
        SetText(memo, text);
        const size_t before = Scenario.Records("NetMessageBufferSend").size();
        Click(Item(Main, idBtn_Gonder));
        ASSERT_TRUE(Scenario.WaitForRecords("NetMessageBufferSend", before + 1)) << "not sent: " << text;
        ASSERT_TRUE(WaitForText(memo, "")) << "the memo kept: " << text;
    }

    // Sends each text, then opens the history window.
    HWND OpenHistoryAfterSending(const std::vector<std::string>& texts)
    {
        for (const std::string& text : texts)
            Send(text);
        return OpenHistory();
    }

    HWND OpenHistory()
    {
        Click(Item(Main, idBtn_History));
        HWND history = Program->WaitForTopWindow("TFrm_History", "Frm_History");
        if (!history)
            ADD_FAILURE() << "the history window did not appear";
        else if (!WaitForSettledForeground(history))
            ADD_FAILURE() << "the history window did not stay in the foreground";
        return history;
    }

    bool WaitForClosed() { return Program->WaitForTopWindowGone("TFrm_History", "Frm_History"); }

    // The status picture's centre: the red ball while typing, the green one after a send.
    bool StatusIsTyping()
    {
        const COLORREF c = ClientPixel(Item(Main, idImage1), 8, 8);
        return GetRValue(c) > GetGValue(c) + 60;
    }
    bool StatusIsSent()
    {
        const COLORREF c = ClientPixel(Item(Main, idImage1), 8, 8);
        return GetGValue(c) > GetRValue(c) + 60;
    }

    void ExpectWarningThenDismiss(HWND field)
    {
        HWND box = WaitForMessageBox(*Program, "Uyarı");
        ASSERT_NE(box, nullptr) << "no warning";
        const TDialog dialog = ReadDialog(box);
        EXPECT_EQ(dialog.Texts, std::vector<std::string>{kWarning});
        ASSERT_EQ(dialog.Buttons.size(), 1u);
        EXPECT_EQ(dialog.Buttons[0].Text, "Tamam");
        Click(dialog.Buttons[0].Window);
        EXPECT_TRUE(Program->WaitForTopWindowGone("#32770", "Uyarı"));
        EXPECT_TRUE(WaitForFocus(field)) << "the focus did not go back to the search field";
    }

    TSettingsFileAside IniAside;
    TScenario Scenario;
    TProcess* Program = nullptr;
    HWND Main = nullptr;
};

TEST_F(HistoryTest, EachSentTextIsRecordedOnceAndTheListAscendsWithoutRegardToCase)
{
    const std::vector<std::string> sent = {"Selam", "merhaba", "MERHABA", "  Çay hazır  ", "birinci\r\nikinci",
        "selam", "Ali geldi", "şeker", "ŞEKER"};
    for (const std::string& text : sent)
        Send(text);
    EXPECT_EQ(Scenario.Records("NetMessageBufferSend").size(), sent.size());

    HWND history = OpenHistory();
    ASSERT_NE(history, nullptr);
    std::vector<std::string> entries = ListBoxItems(Item(history, idLB_HistoryList));
    // Ascending by the platform's own case-insensitive collation, whatever the send order was.
    for (size_t i = 1; i < entries.size(); ++i)
        EXPECT_LE(CompareStringA(LOCALE_USER_DEFAULT, NORM_IGNORECASE, entries[i - 1].c_str(), -1,
                      entries[i].c_str(), -1), CSTR_EQUAL)
            << entries[i - 1] << " before " << entries[i];
    std::sort(entries.begin(), entries.end());
    // The first spelling stays; blanks and inner line breaks are kept as sent.
    std::vector<std::string> expected = {"Selam", "merhaba", "  Çay hazır  ", "birinci\r\nikinci", "Ali geldi", "şeker"};
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(entries, expected);

    // The search field starts empty with the focus, and nothing is selected yet.
    HWND field = Item(history, idLB_HistoryEdit);
    EXPECT_EQ(Text(field), "");
    EXPECT_TRUE(WaitForFocus(field));
    EXPECT_EQ(ListBoxCurrent(Item(history, idLB_HistoryList)), -1);
    // Tab moves between field and list, never onto the composite, then through the buttons in their order.
    EXPECT_EQ(TabOrder(history), (std::vector<HWND>{Item(history, idLB_HistoryList), Item(history, idBtn_Tamam),
                                     Item(history, idBtn_iptal), Item(history, idBtn_Temizle), field}));
    SaveScreenshot(history, Scenario.PathOf("history.bmp"));
}

TEST_F(HistoryTest, APausedPrefixSelectsTheEntryAndEnterPutsItIntoTheMemo)
{
    Send("Merhaba dünya");
    Send("  Toplantı saat üçte  ");
    EXPECT_TRUE(WaitUntil([&] { return StatusIsSent(); }));

    HWND history = OpenHistory();
    ASSERT_NE(history, nullptr);
    HWND field = Item(history, idLB_HistoryEdit);
    HWND list = Item(history, idLB_HistoryList);
    ASSERT_TRUE(FocusByClick(field));
    TypeText("  top");
    // The completion comes after the typing pause: the typed part stays, the rest is the entry's own.
    ASSERT_TRUE(WaitForText(field, "  Toplantı saat üçte  ")) << Text(field);
    EXPECT_EQ(ListBoxItems(list).at(static_cast<size_t>(ListBoxCurrent(list))), "  Toplantı saat üçte  ");

    PressKey(VK_RETURN);
    ASSERT_TRUE(WaitForClosed());
    HWND memo = Item(Main, idMesajMemo);
    EXPECT_TRUE(WaitForText(memo, "  Toplantı saat üçte  "));
    EXPECT_TRUE(WaitForFocus(memo));
    EXPECT_TRUE(WaitUntil([&] { return StatusIsTyping(); }));
}

TEST_F(HistoryTest, ADoubleClickedEntryGoesBackIntoTheMemo)
{
    HWND history = OpenHistoryAfterSending({"birinci\r\nikinci", "Selam"});
    ASSERT_NE(history, nullptr);
    HWND list = Item(history, idLB_HistoryList);
    const int row = static_cast<int>(SendMessageA(list, LB_GETITEMHEIGHT, 0, 0));
    const RECT r = ClientRectOnScreen(list);
    DoubleClickAt({r.left + 20, r.top + row + row / 2});
    ASSERT_TRUE(WaitForClosed());
    EXPECT_TRUE(WaitForText(Item(Main, idMesajMemo), "Selam"));
}

TEST_F(HistoryTest, EnterOnAnEmptyListWarnsAndKeepsTheWindowOpen)
{
    HWND history = OpenHistory();
    ASSERT_NE(history, nullptr);
    HWND field = Item(history, idLB_HistoryEdit);
    ASSERT_TRUE(FocusByClick(field));
    PressKey(VK_RETURN);
    ExpectWarningThenDismiss(field);
    EXPECT_TRUE(IsVisible(history));
}

TEST_F(HistoryTest, TemizleEmptiesTheListButKeepsTheSearchText)
{
    HWND history = OpenHistoryAfterSending({"Selam", "Merhaba"});
    ASSERT_NE(history, nullptr);
    HWND field = Item(history, idLB_HistoryEdit);
    HWND list = Item(history, idLB_HistoryList);
    ASSERT_TRUE(FocusByClick(field));
    TypeText("sel");
    ASSERT_TRUE(WaitForText(field, "Selam"));

    Click(Item(history, idBtn_Temizle));
    ASSERT_TRUE(WaitUntil([&] { return ListBoxItems(list).empty(); }));
    EXPECT_EQ(Text(field), "Selam");
    EXPECT_TRUE(IsVisible(history));

    // Nothing is selected any more: OK warns.
    Click(Item(history, idBtn_Tamam));
    ExpectWarningThenDismiss(field);

    // The list stays empty for the rest of the run.
    Click(Item(history, idBtn_iptal));
    ASSERT_TRUE(WaitForClosed());
    history = OpenHistory();
    ASSERT_NE(history, nullptr);
    EXPECT_TRUE(ListBoxItems(Item(history, idLB_HistoryList)).empty());
}

TEST_F(HistoryTest, EscapeClosesWithoutTouchingTheMemo)
{
    Send("Selam");
    HWND memo = Item(Main, idMesajMemo);
    SetText(memo, "yarım kalan");
    HWND history = OpenHistory();
    ASSERT_NE(history, nullptr);
    HWND field = Item(history, idLB_HistoryEdit);
    ASSERT_TRUE(FocusByClick(field));
    TypeText("s");
    ASSERT_TRUE(WaitForText(field, "Selam"));
    PressKey(VK_ESCAPE);
    ASSERT_TRUE(WaitForClosed());
    EXPECT_EQ(Text(memo), "yarım kalan");
    EXPECT_TRUE(WaitForFocus(memo));
}

TEST_F(HistoryTest, EachOpeningTakesTheMainWindowsCurrentColours)
{
    auto writeColours = [](const char* form, const char* edit, const char* font) {
        WriteIniFile(std::string("[AYARLAR]\r\nRENK=") + form + "\r\nEDIT_RENK=" + edit + "\r\nFONT_RENK=" + font +
                     "\r\n");
    };
    // Background points: the panel beside the buttons, and the empty part of the entry list.
    auto panelColour = [&](HWND history) { return ClientPixel(Item(history, idHistoryPanel1), 120, 272); };
    auto listColour = [&](HWND history) {
        HWND list = Item(history, idLB_HistoryList);
        return ClientPixel(list, 10, ClientSize(list).cy - 4);
    };

    HWND history = OpenHistory();
    ASSERT_NE(history, nullptr);
    EXPECT_TRUE(WaitUntil([&] { return panelColour(history) == RGB(128, 128, 255); }));
    PressKey(VK_ESCAPE);
    ASSERT_TRUE(WaitForClosed());

    // The main window reads the settings at each of its showings; the history window copies them at its next one.
    writeColours("$00008000", "$0080FFFF", "$000000FF");
    SendMessageA(Main, WM_SHOWWINDOW, TRUE, 0);
    ASSERT_TRUE(WaitForClientPixel(Item(Main, idPanel1), 120, 290, RGB(0, 128, 0)));
    history = OpenHistory();
    ASSERT_NE(history, nullptr);
    EXPECT_TRUE(WaitUntil([&] { return panelColour(history) == RGB(0, 128, 0); }));
    EXPECT_TRUE(WaitUntil([&] { return listColour(history) == RGB(255, 255, 128); }));
}

} // namespace
