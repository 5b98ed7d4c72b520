// The colour picker in a real window: items, selection and its events, the cancelled flag around the colour
// dialog, names, heights, the open list and the drawing.
#include <windows.h>

#include <colordlg.h>
#include <gtest/gtest.h>

#include "TestApplication.h"

#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "components/UcCmboBx.h"
#include "core/ColorNames.h"
#include "toolkit/Application.h"
#include "toolkit/Forms.h"
#include "toolkit/StdCtrls.h"

namespace {

constexpr int kPickerId = 50;
constexpr TColor kDesignColor = 0xFF8080;

class THostForm : public TForm {
public:
    explicit THostForm(TComponent* owner) : TForm(owner, "TPickerHost", 300, 200)
    {
        Panel = new TPanel(this);
        Panel->SetBounds(0, 0, 300, 200);
        Panel->SetParent(this);
        Picker = new TUcColorComboBox(this);
        Picker->SetName("Picker");
        Picker->SetControlId(kPickerId);
        Picker->SetBounds(20, 20, 59, 24);
        Picker->SetParent(Panel);
        NotifyLoaded();
    }
    TPanel* Panel;
    TUcColorComboBox* Picker;
};

// What the colour dialog showed and how it is to be answered.
struct TDialogScript {
    bool Seen = false;
    COLORREF Shown = 0;
    bool FullOpen = false;
    bool Confirm = true;
    int Red = 0, Green = 0, Blue = 0;
};
TDialogScript* gScript = nullptr;

std::string DlgText(HWND dialog, int id)
{
    char text[32] = "";
    GetDlgItemTextA(dialog, id, text, sizeof text);
    return text;
}

// Answers the colour dialog as soon as it is activated: the answer is posted, so it is read before the dialog
// ever paints (painting its colour graph under Wine takes seconds).
LRESULT CALLBACK DriveColorDialog(int code, WPARAM wParam, LPARAM lParam)
{
    HWND dialog = reinterpret_cast<HWND>(wParam);
    char cls[16] = "";
    if (code == HCBT_ACTIVATE && gScript && !gScript->Seen && GetClassNameA(dialog, cls, sizeof cls) &&
        std::string(cls) == "#32770") {
        gScript->Seen = true;
        gScript->Shown = RGB(atoi(DlgText(dialog, COLOR_RED).c_str()), atoi(DlgText(dialog, COLOR_GREEN).c_str()),
                             atoi(DlgText(dialog, COLOR_BLUE).c_str()));
        // The red/green/blue fields lie in the expanded part, which is shown only when the dialog opens full.
        gScript->FullOpen = (GetWindowLongA(GetDlgItem(dialog, COLOR_RED), GWL_STYLE) & WS_VISIBLE) != 0;
        if (gScript->Confirm) {
            SetDlgItemTextA(dialog, COLOR_RED, std::to_string(gScript->Red).c_str());
            SetDlgItemTextA(dialog, COLOR_GREEN, std::to_string(gScript->Green).c_str());
            SetDlgItemTextA(dialog, COLOR_BLUE, std::to_string(gScript->Blue).c_str());
        }
        const int button = gScript->Confirm ? IDOK : IDCANCEL;
        PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED),
                     reinterpret_cast<LPARAM>(GetDlgItem(dialog, button)));
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

// Runs `action` with the dialog script in force.
template <typename F>
void WithDialogScript(TDialogScript& script, F action)
{
    gScript = &script;
    HHOOK hook = SetWindowsHookExA(WH_CBT, DriveColorDialog, nullptr, GetCurrentThreadId());
    action();
    UnhookWindowsHookEx(hook);
    gScript = nullptr;
}

class UcCmboBxTest : public TFormTest<THostForm> {
protected:
    void SetUp() override
    {
        TFormTest::SetUp();
        Picker = Form->Picker;
        Picker->OnChange = [this](TObject* sender) {
            EXPECT_EQ(sender, Picker);
            Events.push_back("change " + ColorToString(Picker->SelectedColor()));
        };
        Picker->OnCloseUp = [this](TObject*) { Events.push_back("closeup"); };
    }
    void TearDown() override
    {
        gScript = nullptr;
        TFormTest::TearDown();
    }

    HWND Combo() { return Picker->Handle(); }

    std::vector<std::string> WindowTexts()
    {
        std::vector<std::string> texts;
        const int count = static_cast<int>(SendMessageA(Combo(), CB_GETCOUNT, 0, 0));
        for (int i = 0; i < count; ++i)
            texts.push_back(Picker->ItemText(i));
        return texts;
    }

    // A notification as the combo box sends it to its parent.
    void Notify(WORD code)
    {
        SendMessageA(Form->Panel->Handle(), WM_COMMAND, MAKEWPARAM(kPickerId, code),
                     reinterpret_cast<LPARAM>(Combo()));
    }

    // The user's choice of an item: the selection moves, then the change notification arrives.
    void UserSelects(int index)
    {
        SendMessageA(Combo(), CB_SETCURSEL, static_cast<WPARAM>(index), 0);
        Notify(CBN_SELCHANGE);
    }

    // Closes the list as the combo box does; the dialog, if it opens, is answered by the script.
    void CloseUp(bool cancelled, TDialogScript& script)
    {
        WithDialogScript(script, [&] {
            Notify(cancelled ? CBN_SELENDCANCEL : CBN_SELENDOK);
            Notify(CBN_CLOSEUP);
        });
    }

    TUcColorComboBox* Picker = nullptr;
    std::vector<std::string> Events;
};

TEST_F(UcCmboBxTest, TheWindowHoldsTheModelsItemsInOrderAndReCreationRebuildsThem)
{
    const LONG style = GetWindowLongA(Combo(), GWL_STYLE);
    EXPECT_EQ(style & (CBS_SIMPLE | CBS_DROPDOWN | CBS_DROPDOWNLIST), CBS_DROPDOWNLIST) << "no edit field";
    EXPECT_TRUE(style & CBS_OWNERDRAWVARIABLE);

    struct Case {
        bool def, sys, custom;
        size_t count;
        bool recreated;
    };
    // The picker starts with all three options on, so the first case changes nothing.
    const Case cases[] = {{true, true, true, 43, false}, {true, false, true, 18, true}, {false, false, true, 17, true},
                          {false, false, false, 16, true}, {false, true, false, 41, true}, {true, true, true, 43, true}};
    for (const Case& c : cases) {
        Picker->SetSelectedColor(clRed);
        const HWND before = Combo();
        Picker->SetShowDefaultColor(c.def);
        Picker->SetShowSysColors(c.sys);
        Picker->SetShowCustomColor(c.custom);
        const auto& items = Picker->Items().Items();
        ASSERT_EQ(items.size(), c.count);
        std::vector<std::string> expected;
        for (size_t i = 0; i < items.size(); ++i) {
            expected.push_back(items[i].Text);
            EXPECT_EQ(static_cast<TColor>(Picker->ItemData(static_cast<int>(i))), items[i].Color) << items[i].Text;
        }
        EXPECT_EQ(WindowTexts(), expected);
        EXPECT_EQ(WindowTexts().front(), c.def ? "Default" : "Black");
        EXPECT_EQ(WindowTexts().back(), c.custom ? "Custom" : c.sys ? "InfoBk" : "White");
        EXPECT_EQ(Combo() != before, c.recreated) << c.count;
        // A re-created window selects its first item; a kept one keeps Red (after Default and nine colours).
        EXPECT_EQ(Picker->ItemIndex(), c.recreated ? 0 : 10) << c.count;
    }
    // Only the three item-list options re-create the window; names shown or hidden only repaint.
    const HWND window = Combo();
    Picker->SetShowColorNames(false);
    EXPECT_EQ(Combo(), window);
    Picker->SetShowSysColors(false);
    EXPECT_NE(Combo(), window);
}

TEST_F(UcCmboBxTest, SelectingAColourPicksTheFirstItemHoldingItElseTheCustomItemAndAlwaysRaisesOnChange)
{
    struct Case {
        TColor color;
        const char* item;
        TColor customAfter;
    };
    const Case cases[] = {
        {0, "Default", 0},                    // the default item holds 0 before "Black" does
        {clRed, "Red", 0},                    // a standard colour leaves the custom colour alone
        {clWindow, "Window", 0},              // a system colour
        {kDesignColor, "Custom", kDesignColor},  // in neither list: the custom item takes it
        {kDesignColor, "Custom", kDesignColor},  // the same again still raises OnChange
        {0x123456, "Custom", 0x123456},
        {kDesignColor, "Custom", kDesignColor},  // now found in the custom item itself
        {clBlack, "Default", kDesignColor},
    };
    std::vector<std::string> expectedEvents;
    for (const Case& c : cases) {
        Picker->SetSelectedColor(c.color);
        expectedEvents.push_back("change " + ColorToString(c.color));
        EXPECT_EQ(Picker->ItemText(Picker->ItemIndex()), c.item) << ColorToString(c.color);
        EXPECT_EQ(Picker->SelectedColor(), c.color);
        EXPECT_EQ(Picker->CustomColor(), c.customAfter);
        EXPECT_EQ(static_cast<TColor>(Picker->ItemData(42)), c.customAfter) << "the window's custom item follows";
    }
    EXPECT_EQ(Events, expectedEvents);

    // Without a custom item an unlisted colour selects nothing rather than some unrelated last item.
    Picker->SetShowCustomColor(false);
    Picker->SetDefaultColor(clWhite);
    Picker->SetSelectedColor(0x123456);
    EXPECT_EQ(Picker->ItemIndex(), -1);
    EXPECT_EQ(Picker->SelectedColor(), clWhite) << "nothing selected reads the default colour";
}

TEST_F(UcCmboBxTest, DefaultAndCustomColoursChangeTheirItemsWithoutOnChange)
{
    Picker->SetSelectedColor(kDesignColor);
    Events.clear();
    Picker->SetCustomColor(clRed);
    Picker->SetDefaultColor(0x00AA00);
    EXPECT_TRUE(Events.empty());
    EXPECT_EQ(Picker->SelectedColor(), clRed) << "the selected custom item now holds the new colour";
    EXPECT_EQ(static_cast<TColor>(Picker->ItemData(0)), 0x00AA00);
    // Selecting red now finds "Red" first, not the custom item that also holds it.
    Picker->SetSelectedColor(clRed);
    EXPECT_EQ(Picker->ItemText(Picker->ItemIndex()), "Red");
}

TEST_F(UcCmboBxTest, ClosingOnTheCustomItemOpensTheDialogUnlessCancelled)
{
    Picker->SetCustomColors({"ColorA=ff0000", "ColorC=00ff00"});
    Picker->SetSelectedColor(kDesignColor);
    Events.clear();

    // Esc: the cancel notification comes right before the close-up one.
    TDialogScript cancelled;
    CloseUp(true, cancelled);
    EXPECT_FALSE(cancelled.Seen);
    EXPECT_EQ(Events, std::vector<std::string>{"closeup"});

    // Any other notification in between clears the flag again.
    Events.clear();
    TDialogScript afterOther;
    afterOther.Confirm = false;
    WithDialogScript(afterOther, [&] {
        Notify(CBN_SELENDCANCEL);
        Notify(CBN_SELCHANGE);
        Notify(CBN_CLOSEUP);
    });
    EXPECT_TRUE(afterOther.Seen);

    // Confirmed with a colour in no list: the custom item takes it and the change is announced.
    Events.clear();
    TDialogScript confirmed;
    confirmed.Red = 10;
    confirmed.Green = 20;
    confirmed.Blue = 30;
    CloseUp(false, confirmed);
    ASSERT_TRUE(confirmed.Seen);
    EXPECT_EQ(confirmed.Shown, static_cast<COLORREF>(kDesignColor)) << "the dialog starts at the selected colour";
    EXPECT_TRUE(confirmed.FullOpen);
    const TColor chosen = RGB(10, 20, 30);
    EXPECT_EQ(Picker->CustomColor(), chosen);
    EXPECT_EQ(Picker->SelectedColor(), chosen);
    EXPECT_EQ(Events, (std::vector<std::string>{"closeup", "change " + ColorToString(chosen)}));
    ASSERT_EQ(Picker->CustomColors().size(), 16u);
    EXPECT_EQ(Picker->CustomColors()[0], "ColorA=FF0000") << "the boxes handed in come back";
    EXPECT_EQ(Picker->CustomColors()[1], "ColorB=FFFFFF");
    EXPECT_EQ(Picker->CustomColors()[2], "ColorC=00FF00");

    // A dialog closed with its cancel button changes nothing.
    Events.clear();
    TDialogScript dismissed;
    dismissed.Confirm = false;
    CloseUp(false, dismissed);
    EXPECT_TRUE(dismissed.Seen);
    EXPECT_EQ(Picker->CustomColor(), chosen);
    EXPECT_EQ(Events, std::vector<std::string>{"closeup"});

    // A user's choice of another item, or of the last item of a list without the custom item, opens nothing.
    Events.clear();
    TDialogScript none;
    UserSelects(10);
    CloseUp(false, none);
    Picker->SetShowCustomColor(false);
    UserSelects(Picker->ItemCount() - 1);
    CloseUp(false, none);
    EXPECT_FALSE(none.Seen);
    EXPECT_EQ(Events, (std::vector<std::string>{"change clRed", "closeup", "change clInfoBk", "closeup"}));
    EXPECT_TRUE(Errors.empty());
}

TEST_F(UcCmboBxTest, RenamingReplacesTheItemTextKeepsTheSelectionAndSurvivesReCreation)
{
    Picker->SetSelectedColor(clRed);
    Picker->ColorNames().Set(TUcColorName::Red, "Kırmızı");
    Picker->ColorNames().Set("DkShadow3D", "Koyu gölge");
    EXPECT_EQ(Picker->ItemText(10), "Kırmızı") << "shifted by one for the default item";
    EXPECT_EQ(Picker->ItemText(38), "Koyu gölge");
    EXPECT_EQ(Picker->ItemIndex(), 10);
    EXPECT_EQ(Picker->ColorNames().Get("Red"), "Kırmızı");
    EXPECT_THROW(Picker->ColorNames().Set("3DDkShadow", "x"), Exception) << "the text is no published name";

    Picker->SetShowDefaultColor(false);
    EXPECT_EQ(Picker->ItemText(9), "Kırmızı");
    Picker->SetShowSysColors(false);
    Picker->ColorNames().Set(TUcColorName::Light3D, "Açık");  // hidden now: taken when shown again
    Picker->SetShowSysColors(true);
    EXPECT_EQ(Picker->ItemText(38), "Açık");
}

TEST_F(UcCmboBxTest, CustomColorListIsNormalisedAndABadLineKeepsTheOldList)
{
    Picker->SetCustomColors({"ColorA=ff8080", "ColorB=1ABCDEF0", "ColorC=0"});
    const std::vector<std::string> normalised{"ColorA=FF8080", "ColorB=BCDEF0", "ColorC=000000"};
    EXPECT_EQ(Picker->CustomColors(), normalised);
    EXPECT_THROW(Picker->SetCustomColors({"ColorA=12", "ColorB=zz"}), EConvertError);
    EXPECT_EQ(Picker->CustomColors(), normalised);
}

TEST_F(UcCmboBxTest, HeightsComeFromTheFontAndTheOpenListShowsEightItems)
{
    HDC dc = GetDC(nullptr);
    HGDIOBJ old = SelectObject(dc, Picker->Font().Handle());
    TEXTMETRICA metrics{};
    GetTextMetricsA(dc, &metrics);
    SelectObject(dc, old);
    ReleaseDC(nullptr, dc);
    // What the picker answers when the system measures the closed field (-1) and a list item.
    for (UINT itemId : {static_cast<UINT>(-1), 5u}) {
        MEASUREITEMSTRUCT measure{};
        measure.CtlType = ODT_COMBOBOX;
        measure.CtlID = kPickerId;
        measure.itemID = itemId;
        SendMessageA(Form->Panel->Handle(), WM_MEASUREITEM, kPickerId, reinterpret_cast<LPARAM>(&measure));
        EXPECT_EQ(static_cast<int>(measure.itemHeight), metrics.tmHeight + (itemId == 5 ? 6 : 2));
    }
    EXPECT_EQ(SendMessageA(Combo(), CB_GETITEMHEIGHT, 5, 0), metrics.tmHeight + 6);

    Picker->SetDroppedDown(true);
    App->ProcessMessages();
    COMBOBOXINFO info{};
    info.cbSize = sizeof(info);
    ASSERT_TRUE(GetComboBoxInfo(Combo(), &info));
    RECT list;
    GetClientRect(info.hwndList, &list);
    EXPECT_EQ(list.bottom / (metrics.tmHeight + 6), 8);
    Picker->SetDroppedDown(false);
}

// Draws one item through the parent, as the system asks for it, into a bitmap.
class TItemCanvas {
public:
    TItemCanvas(int width, int height) : FWidth(width), FHeight(height)
    {
        HDC screen = GetDC(nullptr);
        FDc = CreateCompatibleDC(screen);
        FBitmap = CreateCompatibleBitmap(screen, width, height);
        ReleaseDC(nullptr, screen);
        FOld = SelectObject(FDc, FBitmap);
    }
    ~TItemCanvas()
    {
        SelectObject(FDc, FOld);
        DeleteObject(FBitmap);
        DeleteDC(FDc);
    }
    void Draw(HWND parent, HWND combo, int index, UINT state)
    {
        DRAWITEMSTRUCT item{};
        item.CtlType = ODT_COMBOBOX;
        item.CtlID = kPickerId;
        item.itemID = static_cast<UINT>(index);
        item.itemAction = ODA_DRAWENTIRE;
        item.itemState = state;
        item.hwndItem = combo;
        item.hDC = FDc;
        item.rcItem = {0, 0, FWidth, FHeight};
        SendMessageA(parent, WM_DRAWITEM, kPickerId, reinterpret_cast<LPARAM>(&item));
    }
    COLORREF At(int x, int y) const { return GetPixel(FDc, x, y); }

private:
    int FWidth, FHeight;
    HDC FDc;
    HBITMAP FBitmap;
    HGDIOBJ FOld;
};

TEST_F(UcCmboBxTest, ItemsAreDrawnAsSwatchesWithMarksOnTheCustomItem)
{
    Picker->SetShowColorNames(false);
    Picker->SetCustomColor(0x123456);
    const COLORREF window = GetSysColor(COLOR_WINDOW);
    const COLORREF highlight = GetSysColor(COLOR_HIGHLIGHT);
    const COLORREF shadow = GetSysColor(COLOR_BTNSHADOW);
    constexpr int W = 60, H = 22;
    TItemCanvas canvas(W, H);

    // A list item: swatch inset by 4, outlined in the shadow colour, the rest in the picker's colour.
    canvas.Draw(Form->Panel->Handle(), Combo(), 10, 0);
    EXPECT_EQ(canvas.At(W / 2, H / 2), RGB(255, 0, 0));
    EXPECT_EQ(canvas.At(4, 4), shadow);
    EXPECT_EQ(canvas.At(W - 5, H - 5), shadow) << "names hidden: the swatch fills the item";
    EXPECT_EQ(canvas.At(1, 1), window);

    // The closed field: inset by 2 only.
    canvas.Draw(Form->Panel->Handle(), Combo(), 10, ODS_COMBOBOXEDIT);
    EXPECT_EQ(canvas.At(2, 2), shadow);
    EXPECT_EQ(canvas.At(3, 3), RGB(255, 0, 0));

    // The custom item: the swatch ends 20 pixels earlier; three marks stand at the right, black on the
    // picker's colour, or in the highlight text colour on the highlight when selected.
    canvas.Draw(Form->Panel->Handle(), Combo(), 42, 0);
    EXPECT_EQ(canvas.At(W - 4 - 20 - 1, H / 2), shadow);
    EXPECT_EQ(canvas.At(W - 4 - 20 - 2, H / 2), RGB(0x56, 0x34, 0x12));
    EXPECT_EQ(canvas.At(W - 18, H / 2), window) << "the room for the marks";
    for (int fromRight : {16, 12, 8}) {
        EXPECT_EQ(canvas.At(W - fromRight, H - 7), RGB(0, 0, 0)) << fromRight;
        EXPECT_EQ(canvas.At(W - fromRight + 1, H - 5), RGB(0, 0, 0)) << fromRight;
        EXPECT_EQ(canvas.At(W - fromRight + 2, H - 6), window) << "two pixels wide";
        EXPECT_EQ(canvas.At(W - fromRight, H - 4), window) << "three pixels high";
    }
    canvas.Draw(Form->Panel->Handle(), Combo(), 42, ODS_SELECTED);
    EXPECT_EQ(canvas.At(W - 16, H - 7), GetSysColor(COLOR_HIGHLIGHTTEXT));
    EXPECT_EQ(canvas.At(W - 14, H - 6), highlight);
    EXPECT_EQ(canvas.At(1, 1), highlight);

    // Names shown: a 14-pixel swatch, then the name on the item background from 24 pixels.
    Picker->SetShowColorNames(true);
    canvas.Draw(Form->Panel->Handle(), Combo(), 10, ODS_SELECTED);
    EXPECT_EQ(canvas.At(4 + 7, H / 2), RGB(255, 0, 0));
    EXPECT_EQ(canvas.At(4 + 16, H / 2), window);
    EXPECT_EQ(canvas.At(W - 2, 1), highlight);
    bool textDrawn = false;
    for (int x = 26; x < W && !textDrawn; ++x)
        for (int y = 0; y < H && !textDrawn; ++y)
            textDrawn = canvas.At(x, y) == GetSysColor(COLOR_HIGHLIGHTTEXT);
    EXPECT_TRUE(textDrawn) << "the name is drawn in the selected text colour";
}

}  // namespace
