// Bulk sending as a user meets it: the checked computers each get the message once, failures are named in one
// box and retried alone, and the window stays alive while the deliveries wait.
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "BulkPickerScenario.h"
#include "forms/f_history.h"

namespace {

using namespace e2e;

constexpr uint32_t kNameNotFound = 2273;
// The last sentence of every result box with a failure: what the next Gönder does.
const std::string kRetrySentence = "Yalnızca bu bilgisayarlara yeniden göndermek için metni değiştirmeden "
                                   "\"Gönder\" düğmesine basın; metni değiştirirseniz mesaj seçtiğiniz "
                                   "bilgisayarların hepsine gönderilir.";

class BulkSendTest : public TBulkPickerTest {
protected:
    // A network of these computers, every send answering 0 unless `script` says otherwise.
    void Network(const std::vector<std::string>& names, standin::Script script = {})
    {
        std::vector<standin::Name> records;
        for (const std::string& name : names)
            records.push_back(N(name));
        script.EnumResults = {{0, 0, records}};
        Scenario.SetScript(script);
    }

    // Three computers checked, "Çay hazır" sent, and PC02's delivery fails: the box of a partial failure is up.
    void SendWhilePC02IsNotFound()
    {
        standin::Script script;
        script.SendResultsTo = {{u"PC02", kNameNotFound}};
        Network({"PC01", "PC02", "PC03"}, script);
        Launch();
        ChooseInPicker({0, 1, 2});
        TypeAndSend("Çay hazır");
    }

    // Checks the items by clicking them (each click selects and checks) and closes the picker. Like a user, it
    // looks for each check mark before the next click.
    void ChooseInPicker(const std::vector<int>& items, const std::string& screenshot = {})
    {
        OpenPicker();
        for (int item : items) {
            ClickItem(item);
            ASSERT_TRUE(WaitUntil([&] { return States().at(item) == kChecked; }))
                << "item " << item << " not checked; states " << ::testing::PrintToString(States())
                << ", selected " << SendMessageA(List, LB_GETCURSEL, 0, 0);
        }
        if (!screenshot.empty())
            SaveScreenshot(Picker, Scenario.PathOf(screenshot));
        ClosePicker();
        ASSERT_TRUE(WaitUntil([&] { return RecipientField() == kBulkMarker; }));
    }

    // Starts a send to 24 computers whose every delivery takes `sendDelayMs`, chooses Kapat from the main window's
    // menu while the first eight are under way, and returns how long the program took to end (cleanly, with 0).
    DWORD KapatDuringABulkSend(uint32_t sendDelayMs)
    {
        std::vector<std::string> names;
        for (int i = 0; i < 24; ++i)
            names.push_back("PC" + std::to_string(10 + i));
        standin::Script script;
        script.SendDelayMs = sendDelayMs;
        Network(names, script);
        Launch();
        OpenPicker();
        ClickItem(0);
        Click(FindChildById(Picker, idBtn_Hepsini_Sec));
        EXPECT_TRUE(WaitUntil([&] { return ListBoxItemData(List, 23) == kChecked; }));
        ClosePicker();
        TypeAndSend("Herkese");
        EXPECT_TRUE(WaitUntil([&] { return !IsEnabled(FindChildById(Main, idBtn_Gonder)); }));
        const DWORD took = KapatFromThePanelMenu();
        // Only the deliveries under way were finished: at most one round of eight.
        EXPECT_LE(Scenario.Records("NetMessageBufferSend").size(), 8u);
        return took;
    }

    std::multiset<std::string> Recipients() const
    {
        std::multiset<std::string> names;
        for (const auto& call : Scenario.Records("NetMessageBufferSend"))
            names.insert(call.Ansi("msgname"));
        return names;
    }

    std::vector<std::string> HistoryEntries()
    {
        Click(FindChildById(Main, idBtn_History));
        HWND history = Process->WaitForTopWindow("TFrm_History", "Frm_History");
        EXPECT_NE(history, nullptr);
        if (!history)
            return {};
        const std::vector<std::string> entries = ListBoxItems(FindChildById(history, idLB_HistoryList));
        PostMessageA(history, WM_CLOSE, 0, 0);
        EXPECT_TRUE(Process->WaitForTopWindowGone("TFrm_History", "Frm_History"));
        return entries;
    }

    HWND Memo() const { return FindChildById(Main, idMesajMemo); }
};

TEST_F(BulkSendTest, EveryCheckedComputerGetsOneCallAndTheMarkerIsNoRecipient)
{
    Network({"PC01", "PC02", "PC03", "PC04"});
    Launch();
    ChooseInPicker({0, 1, 3}, "bulk-picker-checked.bmp");
    TypeAndSend("  Toplantı saat üçte  ");

    ASSERT_TRUE(WaitForText(Memo(), ""));
    EXPECT_EQ(Recipients(), (std::multiset<std::string>{"PC01", "PC02", "PC04"}));
    for (const auto& call : Scenario.Records("NetMessageBufferSend")) {
        EXPECT_NE(call.Ansi("msgname"), kBulkMarker);
        EXPECT_EQ(call.Ansi("fromname"), Scenario.Records("NetMessageBufferSend")[0].Ansi("fromname"));
        EXPECT_EQ(standin::AnsiFromWide(call.BufferUnits()), std::string("Toplantı saat üçte") + '\0');
    }
    EXPECT_EQ(HistoryEntries(), std::vector<std::string>{"  Toplantı saat üçte  "});
    EXPECT_TRUE(IsEnabled(FindChildById(Main, idBtn_Gonder)));
    EXPECT_EQ(RecipientField(), kBulkMarker); // the group stays chosen for the next message
}

TEST_F(BulkSendTest, OneFailureIsNamedInTheBoxAndTheNextSendRetriesOnlyIt)
{
    SendWhilePC02IsNotFound();

    // Some arrived: a warning, not the stop of the error box.
    HWND box = WaitForMessageBox(*Process, "Uyarı", 15000);
    ASSERT_NE(box, nullptr) << "no result box";
    if (WaitForSettledForeground(box)) // painted by then: the picture is the box, not its blank frame
        SaveScreenshot(box, Scenario.PathOf("bulk-result.bmp"));
    const std::vector<std::string> texts = DismissErrorBox("Uyarı");
    ASSERT_EQ(texts.size(), 1u);
    EXPECT_EQ(texts[0], "Mesaj 3 bilgisayardan 2 tanesine gönderildi.\n\nGönderilemeyen bilgisayarlar:\n"
                        "PC02: bu ad ağda bulunamadı (hata kodu 2273).\n\n" +
                        kRetrySentence);
    EXPECT_EQ(Text(Memo()), "Çay hazır");
    EXPECT_EQ(Recipients(), (std::multiset<std::string>{"PC01", "PC02", "PC03"}));

    // PC02 answers now: Gönder sends to it alone, and the text is in the history once.
    Network({"PC01", "PC02", "PC03"});
    Click(FindChildById(Main, idBtn_Gonder));
    ASSERT_TRUE(WaitForText(Memo(), ""));
    EXPECT_EQ(Recipients(), (std::multiset<std::string>{"PC01", "PC02", "PC02", "PC03"}));
    EXPECT_EQ(HistoryEntries(), std::vector<std::string>{"Çay hazır"});
}

TEST_F(BulkSendTest, TheSameTextRetriesTheFailedOnesWhichThePickerShowsCheckedAChangedTextGoesToAll)
{
    SendWhilePC02IsNotFound();
    ASSERT_EQ(DismissErrorBox("Uyarı").size(), 1u);

    OpenPicker();
    EXPECT_EQ(States(), (std::vector<LRESULT>{0, kChecked, 0})) << "the picker does not show whom Gönder retries";
    ClosePicker();
    ASSERT_EQ(RecipientField(), kBulkMarker);

    Network({"PC01", "PC02", "PC03"});
    SetText(Memo(), "Kahve de var");
    Click(FindChildById(Main, idBtn_Gonder));
    ASSERT_TRUE(WaitForText(Memo(), ""));
    EXPECT_EQ(Recipients(), (std::multiset<std::string>{"PC01", "PC01", "PC02", "PC02", "PC03", "PC03"}));
}

TEST_F(BulkSendTest, AHistoryPickWaitsUntilTheSendHasEndedAndTheHistoryWindowSaysWhy)
{
    Network({"PC01"});
    Launch();
    ChooseInPicker({0});
    TypeAndSend("bir");
    ASSERT_TRUE(WaitForText(Memo(), ""));
    standin::Script slow;
    slow.SendDelayMs = 4000;
    Network({"PC01"}, slow);
    TypeAndSend("iki");
    ASSERT_TRUE(WaitUntil([&] { return !IsEnabled(FindChildById(Main, idBtn_Gonder)); }));

    Click(FindChildById(Main, idBtn_History));
    HWND history = Process->WaitForTopWindow("TFrm_History", "Frm_History");
    ASSERT_NE(history, nullptr);
    ASSERT_TRUE(WaitForSettledForeground(history));
    HWND ok = FindChildById(history, idBtn_Tamam);
    HWND why = FindChildById(history, idLB_SendRunning);
    EXPECT_FALSE(IsEnabled(ok)) << "a pick now would be overwritten by the send's end";
    EXPECT_TRUE(IsVisible(why));
    EXPECT_EQ(Text(why), "Gönderim sürüyor; bitince seçebilirsiniz.");
    const RECT list = ClientRectOnScreen(FindChildById(history, idLB_HistoryList));
    DoubleClickAt(POINT{list.left + 20, list.top + 6});
    EXPECT_TRUE(Scenario.Records("NetMessageBufferSend").size() < 2) << "the double click came after the send";

    ASSERT_TRUE(WaitUntil([&] { return IsEnabled(ok); })) << "Tamam stays disabled after the send";
    EXPECT_FALSE(IsVisible(why));
    ASSERT_TRUE(IsVisible(history)) << "the double click during the send picked";
    EXPECT_TRUE(WaitForText(Memo(), ""));
    Click(ok);
    EXPECT_TRUE(Process->WaitForTopWindowGone("TFrm_History", "Frm_History"));
    EXPECT_TRUE(WaitForText(Memo(), "bir")) << "the pick did not land after the send";
}

TEST_F(BulkSendTest, AllFailedRecordsNothingAndKeepsEveryoneForTheRetry)
{
    standin::Script script;
    script.SendResults = {kNameNotFound};
    Network({"PC01", "PC02"}, script);
    Launch();
    ChooseInPicker({0, 1});
    TypeAndSend("Merhaba");
    const std::vector<std::string> texts = DismissErrorBox("Hata");
    ASSERT_EQ(texts.size(), 1u);
    EXPECT_EQ(texts[0], "Mesaj gönderilemedi.\n\nGönderilemeyen bilgisayarlar:\n"
                        "PC01: bu ad ağda bulunamadı (hata kodu 2273).\n"
                        "PC02: bu ad ağda bulunamadı (hata kodu 2273).\n\n" +
                        kRetrySentence);
    EXPECT_EQ(Text(Memo()), "Merhaba");
    EXPECT_TRUE(HistoryEntries().empty());
}

TEST_F(BulkSendTest, TheWindowPaintsAndMovesWhileTheDeliveriesWaitSideBySide)
{
    standin::Script script;
    script.SendDelayMs = 4000;
    Network({"PC01", "PC02", "PC03"}, script);
    Launch();
    ChooseInPicker({0, 1, 2});
    TypeAndSend("Bekleyin");

    HWND send = FindChildById(Main, idBtn_Gonder);
    ASSERT_TRUE(WaitUntil([&] { return !IsEnabled(send); })) << "Gönder stays enabled during the bulk send";
    // The window answers, paints its background colour and follows a drag while every delivery still waits.
    DWORD_PTR answer = 0;
    EXPECT_NE(SendMessageTimeoutA(Main, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 500, &answer), 0);
    const RECT before = WindowRect(Main);
    Drag(POINT{before.left + 10, before.top + 290}, POINT{before.left + 40, before.top + 310});
    EXPECT_TRUE(WaitUntil([&] { return WindowRect(Main).left == before.left + 30; }, 1000)) << "the window did not move";
    RedrawWindow(Main, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
    EXPECT_TRUE(WaitForClientPixel(Main, 10, 290, RGB(128, 128, 255), 1000));
    EXPECT_TRUE(Scenario.Records("NetMessageBufferSend").empty()) << "the checks above came after the deliveries";
    // Alt+S does nothing meanwhile.
    Chord({VK_MENU, 'S'});

    ASSERT_TRUE(Scenario.WaitForRecords("NetMessageBufferSend", 3, 15000));
    ASSERT_TRUE(WaitUntil([&] { return IsEnabled(send); }, 5000));
    const auto calls = Scenario.Records("NetMessageBufferSend");
    EXPECT_EQ(calls.size(), 3u);
    // Side by side: every call came in before the first one answered.
    uint32_t firstLeft = UINT32_MAX;
    for (const auto& call : calls)
        firstLeft = std::min(firstLeft, call.Number("left"));
    for (const auto& call : calls)
        EXPECT_LT(call.Number("entered"), firstLeft);
    EXPECT_TRUE(WaitForText(Memo(), ""));
}

TEST_F(BulkSendTest, KapatDuringABulkSendEndsTheProgramWithoutWaitingForTheRest)
{
    EXPECT_LT(KapatDuringABulkSend(5000), 9000u) << "it waited for more than the deliveries under way";
}

// Deliveries that never answer hold the end up for their bound (10 s and the 2 s margin) and no longer; the
// helpers left hanging then end with the process instead of waking up to a torn-down runtime.
TEST_F(BulkSendTest, KapatDuringABulkSendThatNeverEndsEndsTheProgramWithinTheBound)
{
    EXPECT_LT(KapatDuringABulkSend(3600000), 12000u + 5000u);
}

} // namespace
