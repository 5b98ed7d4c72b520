// Proves the driver against its own ANSI target program and against Wine's notepad.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <fstream>

#include "Driver.h"
#include "DriverTarget.h"

namespace {

using namespace e2e;
namespace t = e2e::target;

std::string OwnExe() {
    char path[MAX_PATH];
    const DWORD n = GetModuleFileNameA(nullptr, path, MAX_PATH);
    return std::string(path, n < MAX_PATH ? n : 0);
}

// One running target per test, started through the scenario like the program itself.
class DriverTest : public ::testing::Test {
protected:
    void SetUp() override {
        TStartOptions options;
        options.Exe = OwnExe();
        options.Arguments = t::kSwitch;
        options.Environment = {{t::kProbeVariable, "değer ĞÜŞİÖÇ"}};
        Process = &Scenario.Start(options);
        Main = Process->WaitForTopWindow(t::kClass, t::kTitle);
        ASSERT_NE(Main, nullptr) << "the target window did not appear";
        // Without a window manager Wine drops now and then a click that comes while it still settles the first
        // activation (a quiet run lost one), so the tests start once the window holds the foreground.
        ASSERT_TRUE(WaitForSettledForeground(Main));
    }

    HWND Item(int id) const {
        HWND w = FindChildById(Main, id);
        if (!w) ADD_FAILURE() << "no control " << id;
        return w;
    }

    TScenario Scenario;
    TProcess* Process = nullptr;
    HWND Main = nullptr;
};

TEST_F(DriverTest, StartsWithItsEnvironmentAndReportsHowItEnded) {
    EXPECT_EQ(Text(Item(t::kProbe)), "değer ĞÜŞİÖÇ");
    EXPECT_TRUE(Process->IsRunning());
    EXPECT_FALSE(Process->ExitCode().has_value());
    EXPECT_EQ(Process->TopWindows(true), std::vector<HWND>{Main});
    const RECT r = WindowRect(Main);
    EXPECT_EQ(r.right - r.left, t::kWidth);
    EXPECT_EQ(r.left, (GetSystemMetrics(SM_CXSCREEN) - t::kWidth) / 2);

    PostSysCommand(Main, SC_CLOSE);
    ASSERT_TRUE(Process->WaitForExit());
    EXPECT_EQ(Process->ExitCode(), static_cast<DWORD>(t::kExitCode));
    EXPECT_FALSE(Process->IsRunning());
}

TEST_F(DriverTest, TypedTurkishLettersReachAnAnsiWindowAsCp1254Codes) {
    HWND edit = Item(t::kEdit);
    ASSERT_TRUE(FocusByClick(edit)) << "focus is on " << FocusOf(Main);
    const std::string text = "Gönderİş ğüşıöç";
    TypeText(text);
    ASSERT_TRUE(WaitForText(edit, text)) << "edit holds \"" << Text(edit) << "\"";
    std::string codes;
    for (unsigned char c : text) {
        char hex[4];
        std::snprintf(hex, sizeof hex, "%02X ", c);
        codes += hex;
    }
    EXPECT_EQ(Text(Item(t::kCharCodes)), codes);

    SetText(edit, "");
    TypeText("ab\bc");
    EXPECT_TRUE(WaitForText(edit, "ac"));
}

TEST_F(DriverTest, ButtonsReactToMessagesMouseAndAccelerators) {
    HWND count = Item(t::kCount);
    Click(Item(t::kCountButton));
    EXPECT_TRUE(WaitForText(count, "1"));
    ClickWindow(Item(t::kCountButton));
    EXPECT_TRUE(WaitForText(count, "2"));
    ASSERT_TRUE(FocusByClick(Item(t::kEdit)));
    Chord({VK_MENU, 'T'});
    EXPECT_TRUE(WaitForText(count, "3"));
}

TEST_F(DriverTest, TabOrderIsReadByPressingTab) {
    ASSERT_TRUE(FocusByClick(Item(t::kEdit)));
    const std::vector<HWND> expected = {Item(t::kCountButton), Item(t::kList), Item(t::kCombo),
                                        Item(t::kMessageButton), Item(t::kNetButton), Item(t::kEdit)};
    EXPECT_EQ(TabOrder(Main), expected);
    const std::vector<HWND> backwards(expected.rbegin() + 1, expected.rend());
    std::vector<HWND> back = TabOrder(Main, true);
    ASSERT_FALSE(back.empty());
    back.pop_back();
    EXPECT_EQ(back, backwards);
}

TEST_F(DriverTest, ListAndComboContentsAreReadAcrossProcesses) {
    EXPECT_EQ(ListBoxItems(Item(t::kList)),
              (std::vector<std::string>{"Ağ", "Çalışma İşi", std::string(300, 'x'), ""}));
    EXPECT_EQ(ListBoxCurrent(Item(t::kList)), -1);
    ClickWindow(Item(t::kList), POINT{20, 4});
    EXPECT_TRUE(WaitUntil([&] { return ListBoxCurrent(Item(t::kList)) == 0; }));
    EXPECT_EQ(ListBoxSelected(Item(t::kList)), std::vector<int>{0});
    EXPECT_EQ(ComboItems(Item(t::kCombo)), (std::vector<std::string>{"Kırmızı", "Yeşil"}));
    EXPECT_EQ(ComboCurrent(Item(t::kCombo)), 1);
    EXPECT_EQ(ListBoxItemData(Item(t::kOwnerDrawnList), 1), 22);
    EXPECT_THROW(ListBoxItems(Item(t::kOwnerDrawnList)), std::runtime_error);
}

TEST_F(DriverTest, MessageBoxIsFoundReadAndAnswered) {
    Click(Item(t::kMessageButton));
    HWND box = WaitForMessageBox(*Process, "Başlık");
    ASSERT_NE(box, nullptr);
    const TDialog d = ReadDialog(box);
    EXPECT_EQ(d.ClassName, "#32770");
    EXPECT_EQ(d.Texts, std::vector<std::string>{"İleti metni\nikinci satır"});
    EXPECT_TRUE(d.HasIcon);
    ASSERT_EQ(d.Buttons.size(), 2u);
    EXPECT_EQ(d.Buttons[0].Id, IDOK);
    EXPECT_EQ(d.Buttons[1].Id, IDCANCEL);
    Click(d.Buttons[1].Window);
    EXPECT_TRUE(Process->WaitForTopWindowGone("#32770", "Başlık"));
    EXPECT_TRUE(WaitForText(Item(t::kResult), "mb=2"));
}

TEST_F(DriverTest, ScenarioGivesTheProgramTheStandinAndItsScript) {
    Click(Item(t::kNetButton));
    ASSERT_TRUE(WaitForText(Item(t::kResult), "standin:0")) << Text(Item(t::kResult));
    ASSERT_TRUE(Scenario.WaitForRecords("NetMessageBufferSend", 1));
    const standin::Record r = Scenario.Records("NetMessageBufferSend").at(0);
    EXPECT_EQ(r.Number("pid"), Process->Id());
    EXPECT_EQ(r.Ansi("servername"), "SUNUCU");
    EXPECT_EQ(r.Ansi("fromname"), "GÖNDEREN");

    standin::Script s;
    s.SendResults = {2273};
    Scenario.SetScript(s);
    Click(Item(t::kNetButton));
    EXPECT_TRUE(WaitForText(Item(t::kResult), "standin:2273")) << Text(Item(t::kResult));
    EXPECT_TRUE(Scenario.WaitForRecords("NetMessageBufferSend", 2));
}

TEST_F(DriverTest, CopyUnderAnotherNameAndFolderStillUsesTheStandin) {
    const std::string copy = Scenario.CopyProgram("hedef kopya.exe", "baska", OwnExe());
    TStartOptions options;
    options.Exe = copy;
    options.Arguments = t::kSwitch;
    TProcess& second = Scenario.Start(options);
    EXPECT_EQ(&Scenario.Program(), &second);
    HWND window = nullptr;
    ASSERT_TRUE(WaitUntil([&] {
        for (HWND w : second.TopWindows(true))
            if (ClassName(w) == t::kClass) window = w;
        return window != nullptr;
    }));
    Click(FindChildById(window, t::kNetButton));
    EXPECT_TRUE(WaitForText(FindChildById(window, t::kResult), "standin:0"));
    ASSERT_TRUE(Scenario.WaitForRecords("NetMessageBufferSend", 1));
    EXPECT_EQ(Scenario.Records("NetMessageBufferSend").at(0).Number("pid"), second.Id());
    EXPECT_TRUE(Process->IsRunning());  // the first copy is untouched
}

TEST_F(DriverTest, PixelsAndScreenshotsShowWhatIsOnTheScreen) {
    ASSERT_TRUE(WaitForClientPixel(Main, t::kWidth - 5, t::kHeight - 5, t::kBackground))
        << std::hex << ClientPixel(Main, t::kWidth - 5, t::kHeight - 5);
    EXPECT_NE(ClientPixel(Main, 12, 12), t::kBackground);  // the edit control's frame
    const TImage shot = CaptureWindow(Main);
    ASSERT_EQ(shot.Width, t::kWidth);
    ASSERT_EQ(shot.Height, t::kHeight);
    const std::string path = Scenario.PathOf("target.bmp");
    SaveBmp(shot, path);

    // Read the file back: a 24-bit bottom-up BMP whose pixels are the captured ones.
    std::ifstream in(path, std::ios::binary);
    std::string data((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    ASSERT_GT(data.size(), sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER));
    BITMAPFILEHEADER fh;
    BITMAPINFOHEADER ih;
    std::memcpy(&fh, data.data(), sizeof fh);
    std::memcpy(&ih, data.data() + sizeof fh, sizeof ih);
    EXPECT_EQ(fh.bfType, 0x4D42);
    EXPECT_EQ(fh.bfSize, data.size());
    EXPECT_EQ(ih.biBitCount, 24);
    EXPECT_EQ(ih.biWidth, t::kWidth);
    EXPECT_EQ(ih.biHeight, t::kHeight);
    const size_t row = (t::kWidth * 3 + 3) & ~3u;
    for (POINT p : {POINT{0, 0}, POINT{t::kWidth - 1, t::kHeight - 1}, POINT{15, 15}, POINT{123, 45}}) {
        const auto* px = reinterpret_cast<const unsigned char*>(data.data() + fh.bfOffBits +
                                                                 (t::kHeight - 1 - p.y) * row + p.x * 3);
        EXPECT_EQ(RGB(px[2], px[1], px[0]), shot.At(p.x, p.y)) << p.x << "," << p.y;
    }
}

// The settings file is shared by the whole prefix: keep whatever was there.
TEST(DriverIniTest, SettingsFileIsWrittenReadAndDeleted) {
    const std::optional<std::string> saved = ReadIniFile();
    WriteIniFile("[AYARLAR]\r\nRENK=clRed\r\nBOS=\r\n");
    EXPECT_EQ(IniValue("AYARLAR", "RENK"), "clRed");
    EXPECT_EQ(IniValue("AYARLAR", "BOS"), "");
    EXPECT_EQ(IniValue("AYARLAR", "YOK"), std::nullopt);
    EXPECT_EQ(IniValue("BASKA", "RENK"), std::nullopt);
    WriteIniFile("[AYARLAR]\r\nRENK=$00FF8080\r\n");
    EXPECT_EQ(IniValue("AYARLAR", "RENK"), "$00FF8080");
    EXPECT_EQ(ReadIniFile(), "[AYARLAR]\r\nRENK=$00FF8080\r\n");
    DeleteIniFile();
    EXPECT_EQ(ReadIniFile(), std::nullopt);
    EXPECT_EQ(IniValue("AYARLAR", "RENK"), std::nullopt);
    if (saved) WriteIniFile(*saved);
}

TEST(DriverProcessTest, MissingProgramIsReportedNotStarted) {
    TStartOptions options;
    options.Exe = "no-such-program.exe";
    EXPECT_THROW(TProcess{options}, std::runtime_error);
}

}  // namespace

// A real program that the driver did not write: Wine's (or Windows') notepad.
TEST(DriverNotepadTest, TypesReadsPhotographsAndClosesNotepad) {
    char windows[MAX_PATH];
    const UINT n = GetWindowsDirectoryA(windows, MAX_PATH);
    ASSERT_TRUE(n > 0 && n < MAX_PATH);
    TScenario scenario;
    TStartOptions options;
    options.Exe = std::string(windows, n) + "\\notepad.exe";
    TProcess& notepad = scenario.Start(options);
    HWND main = notepad.WaitForTopWindow("Notepad", nullptr);
    ASSERT_NE(main, nullptr);
    HWND edit = FindChild(main, "Edit", nullptr);
    ASSERT_NE(edit, nullptr);

    ASSERT_TRUE(FocusByClick(edit));
    const std::string text = "Gönderİş ğüşıöç";
    TypeText(text);
    ASSERT_TRUE(WaitForText(edit, text)) << "notepad holds \"" << Text(edit) << "\"";

    const SIZE size = ClientSize(edit);
    EXPECT_TRUE(WaitForClientPixel(edit, size.cx - 3, size.cy - 3, GetSysColor(COLOR_WINDOW)));
    const RECT client = ClientRectOnScreen(edit);
    const auto inkInFirstLine = [&] {
        const TImage line = CaptureScreen({client.left, client.top, client.left + 100, client.top + 14});
        return std::count_if(line.Pixels.begin(), line.Pixels.end(),
                             [](COLORREF c) { return c != GetSysColor(COLOR_WINDOW); });
    };
    EXPECT_TRUE(WaitUntil([&] { return inkInFirstLine() > 30; })) << "no text drawn in the first line";
    SaveScreenshot(main, scenario.PathOf("notepad.bmp"));

    // Closing with unsaved text asks whether to save; answer no.
    ASSERT_TRUE(PostMessageA(main, WM_CLOSE, 0, 0));
    HWND box = WaitForMessageBox(notepad, nullptr);
    ASSERT_NE(box, nullptr);
    const TDialog question = ReadDialog(box);
    EXPECT_FALSE(question.Texts.empty());
    const auto no = std::find_if(question.Buttons.begin(), question.Buttons.end(),
                                 [](const TDialogButton& b) { return b.Id == IDNO; });
    ASSERT_NE(no, question.Buttons.end());
    Click(no->Window);
    EXPECT_TRUE(notepad.WaitForExit());
}
