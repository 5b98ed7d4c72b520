// The main window as a user meets it: start-up, colours from the settings file, the send command, the
// browse dialog, accelerators and the tab order.
#include <gtest/gtest.h>

#include "DriverChecks.h"
#include "ProgramTest.h"
#include "forms/main.h"

namespace {

using namespace e2e;

constexpr COLORREF kDesignPanel = RGB(128, 128, 255);

class MainWindowTest : public TProgramTest {
protected:
    void Type(const std::string& text)
    {
        ASSERT_TRUE(FocusByClick(Item(idMesajMemo)));
        TypeText(text);
        ASSERT_TRUE(WaitForText(Item(idMesajMemo), text));
    }
    void ExpectWarningAndClose()
    {
        HWND box = WaitForMessageBox(*Process, "Uyarı");
        ASSERT_NE(box, nullptr) << "no warning";
        const TDialog d = ReadDialog(box);
        EXPECT_EQ(d.Texts, std::vector<std::string>{"Lütfen Kime göndereceğinizi seçin ve mesajınızı yazın"});
        EXPECT_TRUE(d.HasIcon);
        ASSERT_EQ(d.Buttons.size(), 1u);
        EXPECT_EQ(d.Buttons[0].Text, "Tamam");
        Click(d.Buttons[0].Window);
        EXPECT_TRUE(Process->WaitForTopWindowGone("#32770", "Uyarı"));
    }

    // Sends a text to a computer that answers `result` only after `delayMs`, and checks the window while it
    // waits: it answers, moves, repaints, shows that a send runs and takes no second send.
    void SendToALateComputer(uint32_t result, uint32_t delayMs = 4000)
    {
        standin::Script script;
        script.SendResults = {result};
        script.SendDelayMs = delayMs;
        Scenario.SetScript(script);
        Launch();
        BrowseAndConfirm();
        Type("Geç kalan");
        Click(Item(idBtn_Gonder));

        ASSERT_TRUE(WaitUntil([&] { return !IsEnabled(Item(idBtn_Gonder)); })) << "Gönder stays enabled";
        // Gönder and the memo change one after the other: the driver may see the first before the second.
        EXPECT_TRUE(WaitUntil([&] { return (GetWindowLongA(Item(idMesajMemo), GWL_STYLE) & ES_READONLY) != 0; }))
            << "the memo takes typing";
        EXPECT_TRUE(WaitUntil([&] { return !IsRedBall(Pixel(kStatusSpot)) && !IsGreenBall(Pixel(kStatusSpot)); }))
            << "the status picture does not show the send";
        DWORD_PTR answer = 0;
        EXPECT_NE(SendMessageTimeoutA(Main, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 500, &answer), 0) << "no answer";
        const RECT before = WindowRect(Main);
        Drag(POINT{before.left + 10, before.top + 290}, POINT{before.left + 40, before.top + 310});
        EXPECT_TRUE(WaitUntil([&] { return WindowRect(Main).left == before.left + 30; }, 1000)) << "it did not move";
        RedrawWindow(Main, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
        EXPECT_TRUE(WaitForClientPixel(Main, 10, 290, kDesignPanel, 1000)) << "it did not repaint";
        Chord({VK_MENU, 'S'});
        EXPECT_TRUE(Scenario.Records("NetMessageBufferSend").empty()) << "the checks above came after the answer";
        if (delayMs < kNever) {
            ASSERT_TRUE(Scenario.WaitForRecords("NetMessageBufferSend", 1));
        }
    }
    static constexpr uint32_t kNever = 3600000;
};

TEST_F(MainWindowTest, StartsCentredBorderlessWithTheDesignColoursAndTheTypingPicture)
{
    Launch();
    ExpectCentredBorderless(Main, 350, 300);
    EXPECT_TRUE(WaitUntil([&] { return Pixel(kPanelSpot) == kDesignPanel; }));
    EXPECT_TRUE(WaitForStatus(IsRedBall));
    EXPECT_TRUE(WaitForClientPixel(Item(idMesajMemo), 100, 100, GetSysColor(COLOR_WINDOW)));
    HWND application = Process->FindTopWindow("TApplication", "Varnel", false);
    ASSERT_NE(application, nullptr);
    EXPECT_EQ(GetWindow(Main, GW_OWNER), application);
    EXPECT_EQ(Text(Item(idBtn_Gonder)), "&Gönder");
    SaveScreenshot(Main, Scenario.PathOf("main-window.bmp"));
}

TEST_F(MainWindowTest, BlankMessageOrNoRecipientGivesTheWarningAndKeepsTheMemo)
{
    Launch();
    Type("  \r\n  ");
    Click(Item(idBtn_Gonder));
    ExpectWarningAndClose();
    EXPECT_EQ(Text(Item(idMesajMemo)), "  \r\n  ");

    SetText(Item(idMesajMemo), "");
    Type("Merhaba");
    Click(Item(idBtn_Gonder));
    ExpectWarningAndClose();
    EXPECT_EQ(Text(Item(idMesajMemo)), "Merhaba");
    EXPECT_TRUE(Scenario.Records("NetMessageBufferSend").empty());
}

TEST_F(MainWindowTest, ASendReachesThePlatformTrimmedClearsTheMemoAndShowsTheSentPicture)
{
    Launch();
    ASSERT_EQ(Text(Item(idEdt_Bilgisayar)), "");
    const std::string recipient = BrowseAndConfirm();
    ASSERT_FALSE(recipient.empty());
    EXPECT_TRUE(WaitForFocus(Item(idMesajMemo)));
    Type("  Öğleden sonra toplantı var  ");
    Click(Item(idBtn_Gonder));
    ASSERT_TRUE(Scenario.WaitForRecords("NetMessageBufferSend", 1));
    const auto r = Scenario.Records("NetMessageBufferSend").at(0);
    char computer[64] = "";
    DWORD size = sizeof(computer);
    GetComputerNameA(computer, &size);
    EXPECT_EQ(r.Ansi("servername"), computer);
    EXPECT_EQ(r.Ansi("fromname"), computer);
    EXPECT_EQ(r.Ansi("msgname"), recipient);
    EXPECT_EQ(r.BufferUnits(), standin::WideFromAnsi("Öğleden sonra toplantı var") + u'\0');
    EXPECT_TRUE(WaitForText(Item(idMesajMemo), ""));
    EXPECT_TRUE(WaitForStatus(IsGreenBall));
    // The next character typed turns the picture back.
    Type("a");
    EXPECT_TRUE(WaitForStatus(IsRedBall));
}

TEST_F(MainWindowTest, ARefusedSendShowsTheErrorBoxAndKeepsTheMemo)
{
    standin::Script script;
    script.SendResults = {53};
    Scenario.SetScript(script);
    Launch();
    BrowseAndConfirm();
    Type("Yarın görüşürüz");
    Click(Item(idBtn_Gonder));
    HWND box = WaitForMessageBox(*Process, "Varnel");
    ASSERT_NE(box, nullptr) << "no error box";
    const TDialog d = ReadDialog(box);
    ASSERT_EQ(d.Texts.size(), 1u);
    // What happened, Wine's own text for 53 as a detail line, what to do, the code last.
    const std::string& text = d.Texts[0];
    const std::string what = "Mesaj " + Text(Item(idEdt_Bilgisayar)) +
        " bilgisayarına gönderilemedi: alıcı bilgisayara ağ üzerinden ulaşılamadı.\r\n";
    const std::string next = "\r\nBilgisayarın adını denetleyin ve açık olduğundan emin olun.\r\n(hata kodu 53)";
    EXPECT_EQ(text.rfind(what, 0), 0u) << text;
    EXPECT_TRUE(text.ends_with(next)) << text;
    EXPECT_GT(text.size(), what.size() + next.size()) << "no detail line: " << text;
    Click(d.Buttons.at(0).Window);
    EXPECT_TRUE(Process->WaitForTopWindowGone("#32770", "Varnel"));
    EXPECT_EQ(Text(Item(idMesajMemo)), "Yarın görüşürüz");
    EXPECT_TRUE(IsRedBall(Pixel(kStatusSpot)));
    EXPECT_TRUE(Process->IsRunning());
}

TEST_F(MainWindowTest, ALateSuccessLeavesTheWindowAliveMeanwhileThenClearsTheMemo)
{
    SendToALateComputer(0);
    EXPECT_TRUE(WaitForText(Item(idMesajMemo), ""));
    EXPECT_TRUE(WaitForStatus(IsGreenBall));
    EXPECT_TRUE(WaitUntil([&] { return IsEnabled(Item(idBtn_Gonder)); }));
    EXPECT_EQ(GetWindowLongA(Item(idMesajMemo), GWL_STYLE) & ES_READONLY, 0);
    EXPECT_EQ(Scenario.Records("NetMessageBufferSend").size(), 1u) << "Alt+S sent a second time";
}

TEST_F(MainWindowTest, ALateFailureLeavesTheWindowAliveMeanwhileThenShowsTheBoxAndKeepsTheMemo)
{
    SendToALateComputer(53);
    HWND box = WaitForMessageBox(*Process, "Varnel");
    ASSERT_NE(box, nullptr) << "no error box";
    const TDialog d = ReadDialog(box);
    ASSERT_EQ(d.Texts.size(), 1u);
    EXPECT_TRUE(d.Texts[0].ends_with("(hata kodu 53)")) << d.Texts[0];
    Click(d.Buttons.at(0).Window);
    EXPECT_TRUE(Process->WaitForTopWindowGone("#32770", "Varnel"));
    EXPECT_EQ(Text(Item(idMesajMemo)), "Geç kalan");
    EXPECT_TRUE(WaitForStatus(IsRedBall));
    EXPECT_TRUE(IsEnabled(Item(idBtn_Gonder)));
    EXPECT_EQ(Scenario.Records("NetMessageBufferSend").size(), 1u) << "Alt+S sent a second time";
}

// Kapat while the computer never answers: the window takes the command, and the program ends cleanly once the
// delivery's bound (10 s and a 2 s margin) has passed, the worker still hanging in the platform's call.
TEST_F(MainWindowTest, KapatDuringASingleSendThatNeverEndsEndsTheProgramWithinTheBound)
{
    SendToALateComputer(0, kNever);
    EXPECT_LT(KapatFromThePanelMenu(), 12000u + 5000u);
}

TEST_F(MainWindowTest, AltSAndAltGBothSendAndTabNeverStopsOnTheHiddenButton)
{
    Launch();
    BrowseAndConfirm();
    Type("bir");
    Chord({VK_MENU, 'S'});
    ASSERT_TRUE(Scenario.WaitForRecords("NetMessageBufferSend", 1));
    EXPECT_TRUE(WaitForText(Item(idMesajMemo), ""));
    Type("iki");
    Chord({VK_MENU, 'G'});
    ASSERT_TRUE(Scenario.WaitForRecords("NetMessageBufferSend", 2));

    ASSERT_TRUE(FocusByClick(Item(idMesajMemo)));
    const std::vector<HWND> expected = {Item(idBtn_Gonder), Item(idBtn_Toplu), Item(idBtn_Kucult),
        Item(idBtn_Kapat), Item(idBtn_History), Item(idEdt_Bilgisayar), Item(idBtn_Ayarlar), Item(idBtn_Tek),
        Item(idMesajMemo)};
    EXPECT_EQ(TabOrder(Main), expected);
}

TEST_F(MainWindowTest, TheBrowseDialogIsCaptionedAndCancellingPutsTheRecipientBack)
{
    Launch();
    HWND dialog = OpenBrowseDialog(*Process, Item(idBtn_Tek));
    ASSERT_NE(dialog, nullptr);
    EXPECT_NE(FindChild(dialog, "Static", "Mesaj Göndereceğiniz Bilgisayarı Seçin"), nullptr);
    const RECT r = WindowRect(dialog);
    EXPECT_NEAR((r.left + r.right) / 2, GetSystemMetrics(SM_CXSCREEN) / 2, 1);
    EXPECT_NEAR((r.top + r.bottom) / 2, GetSystemMetrics(SM_CYSCREEN) / 2, 1);
    SaveScreenshot(dialog, Scenario.PathOf("browse-dialog.bmp"));
    ASSERT_TRUE(AnswerBrowseDialog(*Process, dialog, IDCANCEL));
    EXPECT_EQ(Text(Item(idEdt_Bilgisayar)), "");

    const std::string recipient = BrowseAndConfirm();
    SetText(Item(idEdt_Bilgisayar), "TOPLU MESAJ GÖNDERİMİ");
    dialog = OpenBrowseDialog(*Process, Item(idBtn_Tek));
    ASSERT_NE(dialog, nullptr);
    Click(GetDlgItem(dialog, IDCANCEL));
    EXPECT_TRUE(WaitForText(Item(idEdt_Bilgisayar), recipient));
}

TEST_F(MainWindowTest, ColoursComeFromTheSettingsFileWithItsDefaults)
{
    WriteIniFile("[AYARLAR]\r\nRENK=clRed\r\n");
    Launch();
    EXPECT_TRUE(WaitUntil([&] { return Pixel(kPanelSpot) == RGB(255, 0, 0); }));
    EXPECT_TRUE(WaitForClientPixel(Item(idMesajMemo), 100, 100, GetSysColor(COLOR_WINDOW)));
    EXPECT_TRUE(WaitForStatus(IsRedBall));
}

TEST_F(MainWindowTest, AnEmptySectionChangesNothingAndABadValueIsReportedWithTheRestSkipped)
{
    WriteIniFile("[AYARLAR]\r\n");
    Launch();
    EXPECT_TRUE(WaitUntil([&] { return Pixel(kPanelSpot) == kDesignPanel; }));
    EXPECT_EQ(WaitForMessageBox(*Process, nullptr, 300), nullptr);
    Process->Terminate();

    WriteIniFile("[AYARLAR]\r\nRENK=clBlue x\r\nEDIT_RENK=clRed\r\n");
    Process = &Scenario.Start();
    HWND box = WaitForMessageBox(*Process, "Varnel");
    ASSERT_NE(box, nullptr) << "no error box for a bad colour";
    EXPECT_EQ(ReadDialog(box).Texts, std::vector<std::string>{"'clBlue x' is not a valid integer value."});
    Click(ReadDialog(box).Buttons.at(0).Window);
    Main = Process->WaitForTopWindow("TForm1", "Korvent Soft");
    ASSERT_NE(Main, nullptr) << "the window is shown all the same";
    EXPECT_TRUE(WaitUntil([&] { return Pixel(kPanelSpot) == kDesignPanel; }));
    EXPECT_TRUE(WaitForClientPixel(Item(idMesajMemo), 100, 100, GetSysColor(COLOR_WINDOW)));
    // The status picture was never drawn: the spot shows the panel behind it.
    EXPECT_TRUE(WaitUntil([&] { return Pixel(kStatusSpot) == kDesignPanel; }));
}

TEST_F(MainWindowTest, AValueChangedWhileRunningTakesEffectAtTheNextShow)
{
    Launch();
    ASSERT_TRUE(WaitUntil([&] { return Pixel(kPanelSpot) == kDesignPanel; }));
    WriteIniFile("[AYARLAR]\r\nRENK=$0000FF00\r\nEDIT_RENK=clYellow\r\nFONT_RENK=clWhite\r\n");
    ShowWindow(Main, SW_HIDE);
    ShowWindow(Main, SW_SHOW);
    EXPECT_TRUE(WaitUntil([&] { return Pixel(kPanelSpot) == RGB(0, 255, 0); }));
    EXPECT_TRUE(WaitUntil([&] { return ClientPixel(Item(idMesajMemo), 100, 100) == RGB(255, 255, 0); }));
}

} // namespace

namespace {

TEST_F(MainWindowTest, ARightClickOnTheBackgroundOpensThePopupMenuAtTheCursor)
{
    Launch();
    const RECT client = ClientRectOnScreen(Main);
    ClickWindow(Main, POINT{kPanelSpot.x, kPanelSpot.y}, e2e::TMouseButton::Right);
    HWND menu = Process->WaitForTopWindow("#32768", nullptr);
    ASSERT_NE(menu, nullptr) << "no popup menu after a right click on the background";
    const RECT r = WindowRect(menu);
    EXPECT_NEAR(r.left, client.left + kPanelSpot.x, 2);
    PressKey(VK_ESCAPE);
    EXPECT_TRUE(Process->WaitForTopWindowGone("#32768", nullptr));
    // The window did not move: a click is not a drag.
    EXPECT_EQ(ClientRectOnScreen(Main).left, client.left);
}

} // namespace
