// The settings window as a user meets it: its layout, the pickers and the live preview, the colour dialog behind
// the custom item, what Tamam writes and applies, what İptal leaves alone, and a settings file that cannot be written.
#include <windows.h>

#include <colordlg.h>
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "Driver.h"
#include "DriverChecks.h"
#include "components/WsTrIcon.h"
#include "forms/f_Toplu.h"
#include "forms/f_about.h"
#include "forms/f_ayarlar.h"
#include "forms/f_history.h"
#include "forms/main.h"

namespace {

using namespace e2e;

constexpr COLORREF kDesignPanel = RGB(128, 128, 255);
constexpr int kRed = 10, kYellow = 12, kGreen = 3, kWindow = 22, kWindowText = 25, kCustom = 42;
const POINT kMainPanelSpot{200, 290};
const POINT kSettingsPanelSpot{10, 250};  // Panel1 left of the buttons
const POINT kPreviewSpot{300, 70};        // the preview right of its recipient row

const std::vector<std::string> kItemTexts = {"Default", "Black", "Maroon", "Green", "Olive", "Navy", "Purple", "Teal",
    "Gray", "Silver", "Red", "Lime", "Yellow", "Blue", "Fuchsia", "Aqua", "White", "ScrollBar", "Background",
    "ActiveCaption", "InactiveCaption", "Menu", "Window", "WindowFrame", "MenuText", "WindowText", "CaptionText",
    "ActiveBorder", "InactiveBorder", "AppWorkSpace", "Highlight", "HighlightText", "BtnFace", "BtnShadow",
    "GrayText", "BtnText", "InactiveCaptionText", "BtnHighlight", "3DDkShadow", "3DLight", "InfoText", "InfoBk",
    "Custom"};

bool Contains(const e2e::TImage& image, COLORREF colour)
{
    for (COLORREF c : image.Pixels)
        if (c == colour)
            return true;
    return false;
}

class SettingsWindowTest : public ::testing::Test {
protected:
    void TearDown() override
    {
        if (Process)
            Process->Terminate();
    }

    void Launch(COLORREF panel = kDesignPanel)
    {
        standin::Script script;
        script.EnumResults = {{0, 0, {}}};  // the bulk picker finds no computer
        Scenario.SetScript(script);
        Process = &Scenario.Start();
        Main = Process->WaitForTopWindow("TForm1", "Korvent Soft");
        ASSERT_NE(Main, nullptr) << "the main window did not appear";
        ASSERT_TRUE(WaitForFocus(FindChildById(Main, idMesajMemo)));
        // In the corner the main window stays in view beside the centred settings window.
        ASSERT_TRUE(SetWindowPos(Main, nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE));
        ASSERT_TRUE(WaitForMainPanel(panel));
    }

    static HWND Item(HWND window, int id)
    {
        HWND w = FindChildById(window, id);
        if (!w)
            ADD_FAILURE() << "no control " << id;
        return w;
    }
    HWND Item(int id) const { return Item(Settings, id); }

    void OpenSettings()
    {
        Click(Item(Main, idBtn_Ayarlar));
        Settings = Process->WaitForTopWindow("TFrm_Ayarlar", "Ayarlar");
        ASSERT_NE(Settings, nullptr) << "the settings window did not appear";
        ASSERT_TRUE(WaitForSettledForeground(Settings));
    }
    bool WaitForSettingsClosed() { return Process->WaitForTopWindowGone("TFrm_Ayarlar", "Ayarlar"); }

    static LRESULT Ask(HWND w, UINT msg, WPARAM wParam = 0)
    {
        DWORD_PTR result = 0;
        SendMessageTimeoutA(w, msg, wParam, 0, SMTO_ABORTIFHUNG, kTimeoutMs, &result);
        return static_cast<LRESULT>(result);
    }
    static bool Dropped(HWND combo) { return Ask(combo, CB_GETDROPPEDSTATE) != 0; }
    static TColor ItemColour(HWND combo, int index) { return static_cast<TColor>(Ask(combo, CB_GETITEMDATA, index)); }

    // Opens the picker's list with the mouse and walks to the item with the keys; `finish` closes the list.
    void DropAndWalk(HWND combo, int index)
    {
        ClickWindow(combo);
        // Under load Wine may still be closing the previous picker's list when the click arrives and drop it;
        // a second click then opens the list as the first would have.
        if (!WaitUntil([&] { return Dropped(combo); }, 2000))
            ClickWindow(combo);
        ASSERT_TRUE(WaitUntil([&] { return Dropped(combo); })) << "the list did not open";
        PressKey(VK_HOME);
        for (int i = 0; i < index; ++i)
            PressKey(VK_DOWN);
        ASSERT_TRUE(WaitUntil([&] { return ComboCurrent(combo) == index; }));
    }
    void Pick(HWND combo, int index)
    {
        DropAndWalk(combo, index);
        PressKey(VK_RETURN);
        ASSERT_TRUE(WaitUntil([&] { return !Dropped(combo); }));
    }

    bool WaitForPreview(COLORREF colour) const
    {
        return WaitForClientPixel(Item(Settings, idAyarlarPreview_Panel), kPreviewSpot.x, kPreviewSpot.y, colour);
    }
    bool WaitForMainPanel(COLORREF colour) const
    {
        return WaitForClientPixel(Item(Main, idPanel1), kMainPanelSpot.x, kMainPanelSpot.y, colour);
    }

    std::optional<std::string> Ini(const char* key) const { return IniValue("AYARLAR", key); }

    // The popup menu as the notification-area icon opens it (a press on the window's background drags instead);
    // its items: Aç, Kapat, Ayarlar, Program Hakkında..., separators skipped by the arrow keys.
    void ChoosePopupItem(int downs, HWND inFront = nullptr)
    {
        HWND tray = Process->FindTopWindow(trayicon::kWindowClass, nullptr, false);
        ASSERT_NE(tray, nullptr);
        ASSERT_TRUE(WaitForSettledForeground(inFront ? inFront : Main));
        PostMessageA(tray, trayicon::kCallbackMessage, trayicon::kIconId, WM_RBUTTONDOWN);
        PostMessageA(tray, trayicon::kCallbackMessage, trayicon::kIconId, WM_RBUTTONUP);
        HWND menu = Process->WaitForTopWindow("#32768", nullptr);
        ASSERT_NE(menu, nullptr) << "no popup menu";
        for (int i = 0; i < downs; ++i)
            PostMessageA(menu, WM_KEYDOWN, VK_DOWN, 0);
        PostMessageA(menu, WM_KEYDOWN, VK_RETURN, 0);
        ASSERT_TRUE(Process->WaitForTopWindowGone("#32768", nullptr));
    }

    // The font colour shows in the captions of the glyph buttons, which take the panel's font.
    bool MainFontShows(COLORREF colour) const
    {
        return Contains(CaptureWindow(Item(Main, idBtn_Ayarlar)), colour);
    }

    TSettingsFileAside IniAside;
    TScenario Scenario;
    TProcess* Process = nullptr;
    HWND Main = nullptr;
    HWND Settings = nullptr;
};

TEST_F(SettingsWindowTest, OpensAsLaidOutWithThePickersOnTheMainWindowsColours)
{
    Launch();
    OpenSettings();
    ExpectCentredBorderless(Settings, 457, 312);
    EXPECT_FALSE(IsEnabled(Main)) << "shown modally";

    struct Row {
        int id;
        int parent;
        RECT bounds;  // left, top, width, height
        const char* caption;
    };
    const Row rows[] = {
        {idAyarlarLabel1, idAyarlarPanel1, {29, 8, 72, 16}, "Ön izleme"},
        {idAyarlarPreview_Panel, idAyarlarPanel1, {24, 31, 409, 89}, ""},
        {idAyarlarLabel2, idAyarlarPreview_Panel, {20, 8, 45, 16}, "Kime :"},
        {idAyarlarEdt_Bilgisayar, idAyarlarPreview_Panel, {20, 32, 139, 24}, ""},
        {idAyarlarBtn_Kime, idAyarlarPreview_Panel, {168, 32, 30, 25}, ""},
        {idAyarlarBtn_Tamam, idAyarlarPanel1, {267, 270, 86, 25}, "&Tamam"},
        {idAyarlarBtn_iptal, idAyarlarPanel1, {355, 270, 86, 25}, "İptal"},
        {idAyarlarUcGroupBox1, idAyarlarPanel1, {15, 136, 425, 55}, " Renk "},
        {idAyarlarLabel3, idAyarlarUcGroupBox1, {16, 25, 42, 13}, "Form :"},
        {idAyarlarLabel4, idAyarlarUcGroupBox1, {136, 25, 29, 13}, "Edit:"},
        {idAyarlarLabel5, idAyarlarUcGroupBox1, {266, 25, 59, 13}, "YazıTipi :"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.caption);
        const HWND w = Item(row.id);
        ASSERT_EQ(GetParent(w), Item(row.parent));
        const RECT box = WindowRect(w);
        const RECT parent = ClientRectOnScreen(Item(row.parent));
        EXPECT_EQ(box.left - parent.left, row.bounds.left);
        EXPECT_EQ(box.top - parent.top, row.bounds.top);
        EXPECT_EQ(box.right - box.left, row.bounds.right);
        EXPECT_EQ(box.bottom - box.top, row.bounds.bottom);
        EXPECT_EQ(Text(w), row.caption);
    }
    EXPECT_FALSE(IsEnabled(Item(idAyarlarEdt_Bilgisayar)));
    EXPECT_FALSE(IsEnabled(Item(idAyarlarBtn_Kime)));

    // The pickers: drop-down lists of 43 items, left edges as laid out, on the main window's three colours.
    const int pickerLefts[] = {66, 178, 338};
    const int pickers[] = {idAyarlarCB_Color, idAyarlarCC_Edit, idAyarlarCC_Font};
    for (int i = 0; i < 3; ++i) {
        const HWND combo = Item(pickers[i]);
        EXPECT_EQ(WindowRect(combo).left - ClientRectOnScreen(Item(idAyarlarUcGroupBox1)).left, pickerLefts[i]);
        EXPECT_EQ(WindowRect(combo).right - WindowRect(combo).left, 59);
        const LONG type = GetWindowLongA(combo, GWL_STYLE) & (CBS_SIMPLE | CBS_DROPDOWN | CBS_DROPDOWNLIST);
        EXPECT_EQ(type, CBS_DROPDOWNLIST);
        EXPECT_EQ(ComboItems(combo), kItemTexts);
    }
    const HWND form = Item(idAyarlarCB_Color);
    EXPECT_EQ(ComboCurrent(form), kCustom) << "the design colour is in no list";
    EXPECT_EQ(ItemColour(form, kCustom), 0xFF8080);
    EXPECT_EQ(ComboCurrent(Item(idAyarlarCC_Edit)), kWindow);
    EXPECT_EQ(ComboCurrent(Item(idAyarlarCC_Font)), kWindowText);
    EXPECT_TRUE(WaitForClientPixel(Settings, kSettingsPanelSpot.x, kSettingsPanelSpot.y, kDesignPanel));
    EXPECT_TRUE(WaitForPreview(kDesignPanel));
    EXPECT_TRUE(WaitForClientPixel(Item(idAyarlarEdt_Bilgisayar), 60, 10, GetSysColor(COLOR_WINDOW)));

    // The focus starts on Tamam; Tab walks İptal and the three pickers.
    ASSERT_TRUE(WaitForFocus(Item(idAyarlarBtn_Tamam)));
    EXPECT_EQ(TabOrder(Settings), (std::vector<HWND>{Item(idAyarlarBtn_iptal), form, Item(idAyarlarCC_Edit),
                                      Item(idAyarlarCC_Font), Item(idAyarlarBtn_Tamam)}));
    SaveScreenshot(Settings, Scenario.PathOf("settings-window.bmp"));

    // The open list shows eight items.
    ClickWindow(form);
    ASSERT_TRUE(WaitUntil([&] { return Dropped(form); }));
    HWND list = Process->WaitForTopWindow("ComboLBox", nullptr);
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(ClientSize(list).cy / Ask(list, LB_GETITEMHEIGHT, 0), 8);
    RECT shot = WindowRect(Settings);
    const RECT listRect = WindowRect(list);
    UnionRect(&shot, &shot, &listRect);
    SaveBmp(CaptureScreen(shot), Scenario.PathOf("settings-window-open-picker.bmp"));
    PressKey(VK_ESCAPE);
    EXPECT_TRUE(WaitUntil([&] { return !Dropped(form); }));
}

TEST_F(SettingsWindowTest, ConfirmingTheDesignColoursWritesTheirTextsInOrder)
{
    Launch();
    OpenSettings();
    Click(Item(idAyarlarBtn_Tamam));
    ASSERT_TRUE(WaitForSettingsClosed());
    EXPECT_EQ(Ini("RENK"), "$00FF8080");
    EXPECT_EQ(Ini("EDIT_RENK"), "clWindow");
    EXPECT_EQ(Ini("FONT_RENK"), "clWindowText");
    const std::string file = ReadIniFile().value_or("");
    EXPECT_LT(file.find("RENK="), file.find("EDIT_RENK=")) << file;
    EXPECT_LT(file.find("EDIT_RENK="), file.find("FONT_RENK=")) << file;
    EXPECT_TRUE(IsEnabled(Main));
    EXPECT_TRUE(WaitForMainPanel(kDesignPanel));
}

TEST_F(SettingsWindowTest, PickingRedShowsInThePreviewOnlyAndCancelChangesNothing)
{
    Launch();
    OpenSettings();
    Pick(Item(idAyarlarCB_Color), kRed);
    EXPECT_TRUE(WaitForPreview(RGB(255, 0, 0)));
    EXPECT_EQ(ClientPixel(Settings, kSettingsPanelSpot.x, kSettingsPanelSpot.y), kDesignPanel);
    Pick(Item(idAyarlarCC_Edit), kYellow);
    EXPECT_TRUE(WaitForClientPixel(Item(idAyarlarEdt_Bilgisayar), 60, 10, RGB(255, 255, 0)));
    Pick(Item(idAyarlarCC_Font), kGreen);
    EXPECT_TRUE(WaitUntil([&] { return Contains(CaptureWindow(Item(idAyarlarLabel2)), RGB(0, 128, 0)); }))
        << "the preview's label takes the font colour";
    EXPECT_EQ(ClientPixel(Main, kMainPanelSpot.x, kMainPanelSpot.y), kDesignPanel);
    EXPECT_FALSE(MainFontShows(RGB(0, 128, 0)));

    Click(Item(idAyarlarBtn_iptal));
    ASSERT_TRUE(WaitForSettingsClosed());
    EXPECT_FALSE(ReadIniFile().has_value()) << "nothing written";
    EXPECT_TRUE(WaitForMainPanel(kDesignPanel));
    // The main window repaints where the settings window lay: wait for its memo before reading the rest.
    EXPECT_TRUE(WaitForClientPixel(Item(Main, idMesajMemo), 100, 100, GetSysColor(COLOR_WINDOW)));
    EXPECT_FALSE(MainFontShows(RGB(0, 128, 0)));

    // The next opening starts again from the main window's colours.
    OpenSettings();
    EXPECT_EQ(ComboCurrent(Item(idAyarlarCB_Color)), kCustom);
    EXPECT_EQ(ComboCurrent(Item(idAyarlarCC_Edit)), kWindow);
}

TEST_F(SettingsWindowTest, TamamWritesIdentifiersAndTheMainWindowAndOtherWindowsTakeTheColours)
{
    Launch();
    OpenSettings();
    Pick(Item(idAyarlarCB_Color), kGreen);
    Pick(Item(idAyarlarCC_Edit), kWindow);
    Pick(Item(idAyarlarCC_Edit), kYellow);
    Pick(Item(idAyarlarCC_Font), kRed);
    Click(Item(idAyarlarBtn_Tamam));
    ASSERT_TRUE(WaitForSettingsClosed());
    EXPECT_EQ(Ini("RENK"), "clGreen");
    EXPECT_EQ(Ini("EDIT_RENK"), "clYellow");
    EXPECT_EQ(Ini("FONT_RENK"), "clRed");

    const COLORREF green = RGB(0, 128, 0), yellow = RGB(255, 255, 0), red = RGB(255, 0, 0);
    EXPECT_TRUE(WaitForMainPanel(green));
    EXPECT_TRUE(WaitForClientPixel(Item(Main, idMesajMemo), 100, 100, yellow));
    EXPECT_TRUE(WaitForClientPixel(Item(Main, idEdt_Bilgisayar), 100, 10, yellow));
    EXPECT_TRUE(WaitUntil([&] { return MainFontShows(red); }));

    // The secondary windows copy the colours at their next showing.
    Click(Item(Main, idBtn_History));
    HWND history = Process->WaitForTopWindow("TFrm_History", "Frm_History");
    ASSERT_NE(history, nullptr);
    EXPECT_TRUE(WaitForClientPixel(Item(history, idHistoryPanel1), 120, 272, green));
    HWND entries = Item(history, idLB_HistoryList);
    EXPECT_TRUE(WaitForClientPixel(entries, 10, ClientSize(entries).cy - 4, yellow));
    PressKey(VK_ESCAPE);
    ASSERT_TRUE(Process->WaitForTopWindowGone("TFrm_History", "Frm_History"));

    Click(Item(Main, idBtn_Toplu));
    HWND bulk = Process->WaitForTopWindow("TFrm_Toplu", "Frm_Toplu");
    ASSERT_NE(bulk, nullptr);
    EXPECT_TRUE(WaitForClientPixel(bulk, 10, 150, green));
    Click(Item(bulk, idBtn_Kapat_Toplu));
    ASSERT_TRUE(Process->WaitForTopWindowGone("TFrm_Toplu", "Frm_Toplu"));

    ChoosePopupItem(4);  // Program Hakkında...
    HWND about = Process->WaitForTopWindow("TFrm_about", "Hakkında...");
    ASSERT_NE(about, nullptr);
    EXPECT_TRUE(WaitForClientPixel(about, 20, 140, green));
}

TEST_F(SettingsWindowTest, PickingASystemColourWritesItsIdentifier)
{
    WriteIniFile("[AYARLAR]\r\nRENK=clRed\r\nEDIT_RENK=clWindow\r\nFONT_RENK=clBlack\r\n");
    Launch(RGB(255, 0, 0));
    // The popup menu's item opens the window as the button does.
    ChoosePopupItem(3);
    Settings = Process->WaitForTopWindow("TFrm_Ayarlar", "Ayarlar");
    ASSERT_NE(Settings, nullptr);
    ASSERT_TRUE(WaitForSettledForeground(Settings));

    // A standard form colour selects its own item; the custom item keeps 0; black is the default item.
    const HWND form = Item(idAyarlarCB_Color);
    EXPECT_EQ(ComboCurrent(form), kRed);
    EXPECT_EQ(ItemColour(form, kCustom), 0);
    EXPECT_EQ(ComboCurrent(Item(idAyarlarCC_Font)), 0);
    EXPECT_TRUE(WaitForPreview(RGB(255, 0, 0)));

    Pick(form, kWindow);
    EXPECT_TRUE(WaitForPreview(GetSysColor(COLOR_WINDOW)));
    Click(Item(idAyarlarBtn_Tamam));
    ASSERT_TRUE(WaitForSettingsClosed());
    EXPECT_EQ(Ini("RENK"), "clWindow");
    EXPECT_EQ(Ini("FONT_RENK"), "clBlack") << "the default item holds 0, which is black";
    EXPECT_TRUE(WaitForMainPanel(GetSysColor(COLOR_WINDOW)));
}

TEST_F(SettingsWindowTest, ACustomColourConfirmedInTheDialogIsPreviewedWrittenAndApplied)
{
    Launch();
    OpenSettings();
    const HWND form = Item(idAyarlarCB_Color);
    Pick(form, kCustom);
    HWND dialog = WaitForMessageBox(*Process, nullptr, 15000);
    ASSERT_NE(dialog, nullptr) << "no colour dialog";
    // It opens expanded, on the colour being replaced.
    EXPECT_TRUE(IsWindowVisible(GetDlgItem(dialog, COLOR_RED)));
    EXPECT_EQ(Text(GetDlgItem(dialog, COLOR_RED)), "128");
    EXPECT_EQ(Text(GetDlgItem(dialog, COLOR_BLUE)), "255");
    SetText(GetDlgItem(dialog, COLOR_RED), "10");
    SetText(GetDlgItem(dialog, COLOR_GREEN), "20");
    SetText(GetDlgItem(dialog, COLOR_BLUE), "30");
    Click(GetDlgItem(dialog, IDOK));
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(dialog); }, 15000));

    const COLORREF chosen = RGB(10, 20, 30);
    EXPECT_EQ(ItemColour(form, kCustom), static_cast<TColor>(chosen));
    EXPECT_TRUE(WaitForPreview(chosen)) << "the preview shows the colour chosen in the dialog";
    Click(Item(idAyarlarBtn_Tamam));
    ASSERT_TRUE(WaitForSettingsClosed());
    EXPECT_EQ(Ini("RENK"), "$001E140A");
    EXPECT_TRUE(WaitForMainPanel(chosen)) << "the main window shows what the file says";
}

TEST_F(SettingsWindowTest, EscapeOnTheCustomItemOpensNoDialog)
{
    Launch();
    OpenSettings();
    const HWND form = Item(idAyarlarCB_Color);
    ASSERT_EQ(ComboCurrent(form), kCustom);
    DropAndWalk(form, kCustom);
    PressKey(VK_ESCAPE);
    ASSERT_TRUE(WaitUntil([&] { return !Dropped(form); }));
    EXPECT_EQ(WaitForMessageBox(*Process, nullptr, 1500), nullptr) << "a dialog opened after Esc";
    EXPECT_TRUE(IsWindow(Settings));

    // Enter on the same item does open it; its own cancel changes nothing.
    DropAndWalk(form, kCustom);
    PressKey(VK_RETURN);
    HWND dialog = WaitForMessageBox(*Process, nullptr, 15000);
    ASSERT_NE(dialog, nullptr);
    Click(GetDlgItem(dialog, IDCANCEL));
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(dialog); }, 15000));
    EXPECT_EQ(ItemColour(form, kCustom), 0xFF8080);
    EXPECT_TRUE(WaitForPreview(kDesignPanel));
}

// The Windows folder holds a directory named like the settings file, so the profile writer cannot write it.
TEST_F(SettingsWindowTest, AFailedWriteShowsTheErrorAndKeepsTheWindowOpenAndTheMainWindowUnchanged)
{
    Launch();
    ASSERT_TRUE(CreateDirectoryA(IniPath().c_str(), nullptr)) << IniPath();
    OpenSettings();
    Pick(Item(idAyarlarCB_Color), kRed);
    Click(Item(idAyarlarBtn_Tamam));
    HWND box = WaitForMessageBox(*Process, "Varnel");
    ASSERT_NE(box, nullptr) << "no error box";
    const TDialog error = ReadDialog(box);
    EXPECT_EQ(error.Texts, std::vector<std::string>{"Unable to write to " + IniPath() + "."});
    EXPECT_TRUE(error.HasIcon);
    ASSERT_EQ(error.Buttons.size(), 1u);
    Click(error.Buttons[0].Window);
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(box); }));

    EXPECT_TRUE(IsVisible(Settings)) << "the settings window stays open";
    EXPECT_TRUE(WaitForPreview(RGB(255, 0, 0)));
    EXPECT_EQ(ClientPixel(Main, kMainPanelSpot.x, kMainPanelSpot.y), kDesignPanel) << "the main window is unchanged";

    // Once the file can be written, Tamam goes through.
    ASSERT_TRUE(RemoveDirectoryA(IniPath().c_str()));
    Click(Item(idAyarlarBtn_Tamam));
    ASSERT_TRUE(WaitForSettingsClosed());
    EXPECT_EQ(Ini("RENK"), "clRed");
    EXPECT_TRUE(WaitForMainPanel(RGB(255, 0, 0)));
}

TEST_F(SettingsWindowTest, AnyMouseButtonOnTheBackgroundDragsTheWindow)
{
    Launch();
    OpenSettings();
    ExpectBackgroundDragMoves(Settings, kSettingsPanelSpot, POINT{40, 20});
}

TEST_F(SettingsWindowTest, TheIconsMenuBringsAnOpenWindowForwardAndKapatEndsWithoutWritingWhatWasNotConfirmed)
{
    Launch();
    const auto count = [&](const char* className) {
        size_t n = 0;
        for (HWND w : Process->TopWindows(true))
            n += ClassName(w) == className;
        return n;
    };
    const struct {
        int Downs;
        const char* Class;
        const char* Title;
        int CloseButton;
    } windows[] = {
        {3, "TFrm_Ayarlar", "Ayarlar", idAyarlarBtn_iptal},
        {4, "TFrm_about", "Hakkında...", idAboutUcBitBtn1},
    };
    for (const auto& w : windows) {
        ChoosePopupItem(w.Downs);
        HWND open = Process->WaitForTopWindow(w.Class, w.Title);
        ASSERT_NE(open, nullptr) << w.Class;
        ChoosePopupItem(w.Downs, open);
        EXPECT_TRUE(WaitForSettledForeground(open)) << w.Class << ": the open window comes forward";
        EXPECT_EQ(count(w.Class), 1u) << "a second " << w.Class;
        ChoosePopupItem(1, open); // Aç
        EXPECT_TRUE(WaitForSettledForeground(open)) << w.Class << ": still the window in front after Aç";
        EXPECT_EQ(count(w.Class), 1u) << w.Class;
        EXPECT_FALSE(IsEnabled(Main)) << w.Class << ": the main window waits for the open one";
        Click(Item(open, w.CloseButton));
        ASSERT_TRUE(Process->WaitForTopWindowGone(w.Class, w.Title)) << w.Class;
        EXPECT_TRUE(WaitUntil([&] { return IsEnabled(Main); })) << w.Class;
    }

    // With the about box open over the settings window, "Ayarlar" keeps the about box in front: it is the one
    // that takes input. Closing it gives the keyboard back to the settings window.
    ChoosePopupItem(3);
    Settings = Process->WaitForTopWindow("TFrm_Ayarlar", "Ayarlar");
    ASSERT_NE(Settings, nullptr);
    ChoosePopupItem(4, Settings);
    HWND about = Process->WaitForTopWindow("TFrm_about", "Hakkında...");
    ASSERT_NE(about, nullptr);
    ChoosePopupItem(3, about);
    EXPECT_TRUE(WaitForSettledForeground(about)) << "the about box stays in front";
    EXPECT_EQ(count("TFrm_Ayarlar"), 1u);
    Click(Item(about, idAboutUcBitBtn1));
    ASSERT_TRUE(Process->WaitForTopWindowGone("TFrm_about", "Hakkında..."));
    EXPECT_TRUE(WaitForSettledForeground(Settings)) << "the settings window takes the keyboard back";
    EXPECT_FALSE(IsEnabled(Main));

    // Kapat while a picked colour waits for confirmation: the program ends cleanly and writes nothing.
    HWND tray = Process->FindTopWindow(trayicon::kWindowClass, nullptr, false);
    Pick(Item(idAyarlarCB_Color), kRed);
    ASSERT_TRUE(WaitForPreview(RGB(255, 0, 0)));
    ChoosePopupItem(2, Settings);
    ASSERT_TRUE(Process->WaitForExit());
    EXPECT_EQ(Process->ExitCode(), 0u);
    EXPECT_FALSE(ReadIniFile().has_value()) << "nothing written";
    NOTIFYICONDATAA icon{};
    icon.cbSize = trayicon::kRecordSize;
    icon.hWnd = tray;
    icon.uID = trayicon::kIconId;
    EXPECT_FALSE(Shell_NotifyIconA(NIM_MODIFY, &icon)) << "the icon outlived the program";
}

}  // namespace
