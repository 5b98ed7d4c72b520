// The incremental search list driven through real window messages, window timers and the platform list box.
#include "components/EcISLb.h"

#include <gtest/gtest.h>

#include "TestApplication.h"

#include <functional>
#include <string>
#include <vector>

#include "core/PrefixSearch.h"
#include "core/SendHistory.h"
#include "toolkit/Application.h"
#include "toolkit/Forms.h"
#include "toolkit/Layout.h"

namespace {

constexpr int kDelay = 150;
enum { idOther = 10, idLabel, idList = 20 };
constexpr TFontSpec kListFont{"Verdana", 11, true, 162};

// A window like the history window: a button before the list in tab order, the caption label and the list.
class TSearchForm : public TForm {
public:
    explicit TSearchForm(TComponent* owner) : TForm(owner, "TSearchForm", 360, 300)
    {
        Controller = new TEcController(this);
        static const TLayoutRow kRows[] = {
            {"Panel", Make<TPanel>, nullptr, 0, 0, 360, 300, nullptr, 0, TTabStop::No, nullptr, 0},
            {"Other", Make<TButton>, "Panel", 16, 260, 80, 25, "Diğer", 0, TTabStop::Yes, nullptr, idOther},
            {"Label", Make<TEcAttachedLabel>, "Panel", 16, 14, 153, 16, "Gönderilen Mesajlar :", -1, TTabStop::No,
                nullptr, idLabel},
            {"List", Make<TEcSearchList>, "Panel", 16, 32, 321, 209, nullptr, 1, TTabStop::Yes, &kListFont, idList},
        };
        BuildLayout(this, kRows);
        List = FindAs<TEcSearchList>(this, "List");
        Label = FindAs<TEcAttachedLabel>(this, "Label");
        List->SetKeyDelay(kDelay);
        Label->SetControl(List);
        List->OnDblClick = [this](TObject* sender) { DblClicks.push_back(sender); };
        List->OnClick = [this](TObject* sender) { Clicks.push_back(sender); };
        NotifyLoaded();
    }
    TEcController* Controller;
    TEcSearchList* List;
    TEcAttachedLabel* Label;
    std::vector<TObject*> DblClicks;
    std::vector<TObject*> Clicks;
};

// The same list on a window that holds no controller.
class TBareForm : public TForm {
public:
    explicit TBareForm(TComponent* owner) : TForm(owner, "TBareForm", 200, 200)
    {
        auto* list = new TEcSearchList(this);
        list->SetParent(this);
    }
};

class EcSearchListTest : public TFormTest<TSearchForm> {
protected:
    void SetUp() override
    {
        TFormTest::SetUp();
        List = Form->List;
        Field = List->SearchEdit();
        Box = List->ListBox();
    }

    void Fill(const std::vector<std::string>& entries)
    {
        for (const std::string& entry : entries)
            List->Items().Add(entry);
    }
    std::vector<std::string> Entries()
    {
        std::vector<std::string> all;
        for (int i = 0; i < List->Items().Count(); ++i)
            all.push_back(List->Items().Get(i));
        return all;
    }
    // One key as the keyboard delivers it, the character and the release, through the application's loop.
    // (A posted key-down would be translated into a second character by the loop.)
    void Key(char c, WORD vk = 0)
    {
        if (!vk)
            vk = static_cast<WORD>(VkKeyScanA(c) & 0xFF);
        HWND focus = GetFocus();
        PostMessageA(focus, WM_CHAR, static_cast<unsigned char>(c), 0);
        PostMessageA(focus, WM_KEYUP, vk, 0xC0000000);
        App->ProcessMessages();
        LastKey = GetTickCount();
    }
    void Type(const std::string& text)
    {
        for (char c : text)
            Key(c);
    }
    void Backspace() { Key('\b', VK_BACK); }
    bool PumpUntil(const std::function<bool()>& done, DWORD timeoutMs = 3000)
    {
        const DWORD start = GetTickCount();
        while (!done()) {
            if (GetTickCount() - start > timeoutMs)
                return false;
            MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
            App->ProcessMessages();
        }
        return true;
    }
    // Lets the pause run out (and a little more) without expecting anything to happen.
    void Pause() { PumpUntil([] { return false; }, kDelay + 150); }
    bool WaitForSearch() { return PumpUntil([this] { return Field->TimerHandle() == -1; }); }
    std::string FieldText() { return Field->Text(); }
    std::pair<int, int> Selection() { return {Field->SelStart(), Field->SelLength()}; }

    TEcSearchList* List = nullptr;
    TEcSearchEdit* Field = nullptr;
    TEcSearchListBox* Box = nullptr;
    DWORD LastKey = 0;
};

TEST_F(EcSearchListTest, FieldAndListFollowTheRowHeightThroughResizesAndFontChanges)
{
    auto expectLayout = [this](const char* when) {
        RECT client;
        GetClientRect(List->Handle(), &client);
        const int row = List->ItemHeight();
        EXPECT_EQ(row, SendMessageA(Box->Handle(), LB_GETITEMHEIGHT, 0, 0)) << when;
        EXPECT_EQ((std::vector<int>{Field->Left(), Field->Top(), Field->Width(), Field->Height()}),
            (std::vector<int>{3, 1, client.right - 6, row})) << when;
        EXPECT_EQ((std::vector<int>{Box->Left(), Box->Top(), Box->Width(), Box->Height()}),
            (std::vector<int>{0, row + 5, client.right, client.bottom - row - 5})) << when;
    };
    expectLayout("as built");
    // The separator runs between field and list, across the whole control, in the default (black) pen.
    const int row = List->ItemHeight();
    UpdateWindow(List->Handle());
    HDC dc = GetDC(List->Handle());
    EXPECT_EQ(GetPixel(dc, 2, row + 4), RGB(0, 0, 0));
    EXPECT_EQ(GetPixel(dc, 300, row + 4), RGB(0, 0, 0));
    EXPECT_NE(GetPixel(dc, 300, row + 3), RGB(0, 0, 0));
    ReleaseDC(List->Handle(), dc);
    const int before = List->ItemHeight();
    List->SetBounds(10, 40, 250, 150);
    expectLayout("resized");
    List->Font().SetHeight(22);
    EXPECT_GT(List->ItemHeight(), before);
    expectLayout("bigger font");
    // A border change alters the client area: the children must fit the new one.
    List->SetBorderStyle(TBorderStyle::bsNone);
    expectLayout("no border");
}

TEST_F(EcSearchListTest, LoadingMovesTheTabStopToBothChildrenAndHandsThemTheHandlers)
{
    EXPECT_FALSE(List->TabStop());
    std::vector<HWND> order;
    for (int i = 0; i < 3; ++i) {
        PostMessageA(GetFocus(), WM_KEYDOWN, VK_TAB, 0);
        App->ProcessMessages();
        order.push_back(GetFocus());
    }
    HWND other = FindAs<TControl>(Form, "Other")->Handle();
    EXPECT_EQ(order, (std::vector<HWND>{Field->Handle(), Box->Handle(), other}));

    SendMessageA(Field->Handle(), WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(5, 5));
    SendMessageA(Box->Handle(), WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(5, 5));
    EXPECT_EQ(Form->DblClicks, (std::vector<TObject*>{Field, Box}));
}

TEST_F(EcSearchListTest, APauseAfterTypingSelectsAndCompletesTheLowestMatchingEntry)
{
    Fill({"Selam", "merhaba dünya", "Merhaba"});
    EXPECT_EQ(Entries(), (std::vector<std::string>{"Merhaba", "merhaba dünya", "Selam"}));
    Field->SetFocus();
    Type("me");
    const int first = Field->TimerHandle();
    Type("r");
    // Typing within the delay replaces the pending timer: only one search is waiting.
    EXPECT_NE(Field->TimerHandle(), -1);
    EXPECT_NE(Field->TimerHandle(), first);
    EXPECT_EQ(Form->Controller->TimerPool().ActiveCount(), 1);
    EXPECT_EQ(List->ItemIndex(), -1);
    EXPECT_EQ(FieldText(), "mer");

    ASSERT_TRUE(WaitForSearch());
    EXPECT_GE(GetTickCount() - LastKey, static_cast<DWORD>(kDelay - 20));
    EXPECT_EQ(List->ItemIndex(), 0);
    EXPECT_EQ(FieldText(), "Merhaba");
    EXPECT_EQ(Selection(), std::make_pair(3, 4));
    EXPECT_FALSE(Field->Modified());
}

TEST_F(EcSearchListTest, BackspaceOverTheCompletionStartsNoSearchButTheNextOneDoes)
{
    Fill({"Merhaba", "merhaba dünya", "Selam"});
    Field->SetFocus();
    Type("mer");
    ASSERT_TRUE(WaitForSearch());
    ASSERT_EQ(FieldText(), "Merhaba");

    Backspace();
    EXPECT_EQ(FieldText(), "Mer");
    EXPECT_EQ(Field->TimerHandle(), -1);
    Pause();
    EXPECT_EQ(FieldText(), "Mer");

    Backspace();
    EXPECT_NE(Field->TimerHandle(), -1);
    ASSERT_TRUE(WaitForSearch());
    EXPECT_EQ(FieldText(), "Merhaba");
    EXPECT_EQ(Selection(), std::make_pair(2, 5));
}

TEST_F(EcSearchListTest, SearchOutcomesForTypedTexts)
{
    struct Case {
        const char* Typed;
        int Selected;
        const char* Field;
    };
    const Case cases[] = {
        {"sel", 3, "Selam"},
        {"MERHABA D", 2, "merhaba dünya"},
        {"ş", -1, "ş"},       // only ASCII letters fold: "ş" does not find "Şeker"
        {"Ş", 4, "Şeker"},
        {"xyz", -1, "xyz"},  // nothing found: the field keeps what was typed
    };
    for (const Case& c : cases) {
        List->Items().Clear();
        Fill({"Ali", "Merhaba", "merhaba dünya", "Selam", "Şeker"});
        Field->SetFocus();
        Field->Clear();
        Type(c.Typed);
        ASSERT_TRUE(WaitForSearch()) << c.Typed;
        EXPECT_EQ(List->ItemIndex(), c.Selected) << c.Typed;
        EXPECT_EQ(FieldText(), c.Field) << c.Typed;
    }
}

TEST_F(EcSearchListTest, AnEmptiedFieldSelectsTheFirstEntry)
{
    Fill({"Merhaba", "Selam"});
    Field->SetFocus();
    Type("sel");
    ASSERT_TRUE(WaitForSearch());
    ASSERT_EQ(List->ItemIndex(), 1);
    Field->SelectAll();
    Backspace();
    ASSERT_TRUE(WaitForSearch());
    EXPECT_EQ(List->ItemIndex(), 0);
    EXPECT_EQ(FieldText(), "");
}

TEST_F(EcSearchListTest, TheScanFindsWhatTheBisectionMissesInTheListBoxOrder)
{
    // The list box sorts Ş beside S; in byte order it comes after Z, so the bisection runs past it.
    Fill({"Zeki", "Tamam", "Şeker", "Deniz", "Cem", "Bora", "Ali"});
    ASSERT_EQ(Entries(), (std::vector<std::string>{"Ali", "Bora", "Cem", "Deniz", "Şeker", "Tamam", "Zeki"}));
    ASSERT_EQ(BisectPrefix(List->Items(), "Ş", false), -1);

    Field->SetFocus();
    Type("Şe");
    ASSERT_TRUE(WaitForSearch());
    EXPECT_EQ(List->ItemIndex(), 4);
    EXPECT_EQ(FieldText(), "Şeker");
}

TEST_F(EcSearchListTest, LeavingTheFieldWithinTheDelaySearchesAtOnce)
{
    Fill({"Merhaba", "Selam"});
    Field->SetFocus();
    Type("se");
    ASSERT_NE(Field->TimerHandle(), -1);
    PostMessageA(Field->Handle(), WM_KEYDOWN, VK_TAB, 0);
    App->ProcessMessages();
    EXPECT_EQ(GetFocus(), Box->Handle());
    EXPECT_EQ(Field->TimerHandle(), -1);
    EXPECT_EQ(Form->Controller->TimerPool().ActiveCount(), 0);
    EXPECT_EQ(List->ItemIndex(), 1);
    EXPECT_EQ(FieldText(), "Selam");
}

TEST_F(EcSearchListTest, ClickingAnEntryCopiesItIntoTheFieldWithoutSearching)
{
    Fill({"Merhaba", "merhaba dünya", "Selam"});
    const int row = List->ItemHeight();
    const LPARAM second = MAKELPARAM(10, row + row / 2);
    SendMessageA(Box->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, second);
    SendMessageA(Box->Handle(), WM_LBUTTONUP, 0, second);
    App->ProcessMessages();
    EXPECT_EQ(List->ItemIndex(), 1);
    EXPECT_EQ(FieldText(), "merhaba dünya");
    EXPECT_FALSE(Field->Modified());
    EXPECT_EQ(Field->TimerHandle(), -1);
    EXPECT_EQ(Form->Clicks, (std::vector<TObject*>{Box}));

    // Writing the index selects silently: no click event, the field keeps its text.
    List->SetItemIndex(2);
    EXPECT_EQ(FieldText(), "merhaba dünya");
    EXPECT_EQ(Form->Clicks.size(), 1u);
}

TEST_F(EcSearchListTest, IndexOfComparesWholeTextsTheWayTheListBoxDoes)
{
    Fill({"Merhaba", "merhaba dünya", "Selam", "şeker"});
    struct Case {
        const char* Text;
        int Index;
    };
    const Case cases[] = {
        {"MERHABA", 0},
        {" Merhaba", -1},   // a blank makes it another text
        {"Merh", -1},       // never a prefix match
        {"MERHABA DÜNYA", 1}, // the list box ignores the case of Turkish letters too
        {"ŞEKER", 3},
        {"", -1},
    };
    // The program's history decides "already there" without a list box: its rule must give the same answers.
    const auto firstSame = [&](const std::string& text) {
        for (int i = 0; i < List->Items().Count(); ++i)
            if (SameEntryText(List->Items().Get(i), text))
                return i;
        return -1;
    };
    for (const Case& c : cases) {
        EXPECT_EQ(List->Items().IndexOf(c.Text), c.Index) << c.Text;
        EXPECT_EQ(firstSame(c.Text), c.Index) << c.Text;
    }
    List->SetCaseSensitive(true);
    EXPECT_EQ(List->Items().IndexOf("selam"), 2);
}

// The program's history with the program's comparison: a text sent again, in other case or with blanks around it,
// is no new entry.
TEST(SendHistoryWithTheListsComparison, ATextSentAgainInOtherCaseIsNoNewEntry)
{
    TSendHistory history(SameEntryText);
    EXPECT_TRUE(history.Record("Merhaba dünya"));
    EXPECT_FALSE(history.Record("MERHABA DÜNYA"));
    EXPECT_FALSE(history.Record(" merhaba dünya\r\n"));
    EXPECT_TRUE(history.Record("Merhaba"));
    EXPECT_TRUE(history.Record("ŞEKER"));
    EXPECT_FALSE(history.Record("şeker")) << "the case of Turkish letters is ignored too";
    EXPECT_EQ(history.Entries(), (std::vector<std::string>{"Merhaba dünya", "Merhaba", "ŞEKER"}));
}

TEST_F(EcSearchListTest, AddReturnsTheSortedPlaceAndKeepsDuplicates)
{
    auto& items = List->Items();
    EXPECT_EQ(items.Add("beta"), 0);
    EXPECT_EQ(items.Add("Alfa"), 0);
    EXPECT_EQ(items.Add("gama"), 2);
    const int duplicate = items.Add("Beta");
    EXPECT_TRUE(duplicate == 1 || duplicate == 2) << duplicate;
    EXPECT_EQ(items.Get(duplicate), "Beta");
    EXPECT_EQ(items.Count(), 4);
    EXPECT_EQ(items.Get(0), "Alfa");
    EXPECT_THROW(items.Get(4), Exception);
    items.Delete(0);
    EXPECT_EQ(items.Get(0).size(), 4u);
    items.Clear();
    EXPECT_EQ(items.Count(), 0);
    EXPECT_EQ(List->ItemIndex(), -1);
}

TEST_F(EcSearchListTest, TheFoundEntryStandsInTheMiddleOfTheList)
{
    for (int i = 0; i < 100; ++i) {
        char entry[8];
        snprintf(entry, sizeof entry, "e%03d", i);
        List->Items().Add(entry);
    }
    RECT client;
    GetClientRect(Box->Handle(), &client);
    const int visible = client.bottom / List->ItemHeight();
    Field->SetFocus();
    Type("e060");
    ASSERT_TRUE(WaitForSearch());
    EXPECT_EQ(List->ItemIndex(), 60);
    EXPECT_EQ(Box->TopIndex(), 60 - visible / 2);
}

TEST_F(EcSearchListTest, TheLabelKeepsItsPlaceAboveTheListAndShowsWithIt)
{
    TEcAttachedLabel* label = Form->Label;
    const TEcLabelInfo& info = List->LabelInfo();
    ASSERT_EQ(info.Label, label);
    EXPECT_TRUE(info.Visible);
    EXPECT_EQ(info.OffsetX, 0);
    EXPECT_EQ(info.OffsetY, label->Top() + label->Height() - List->Top());
    EXPECT_LT(label->Height(), 30);
    EXPECT_GT(label->Width(), 0);

    const int width = label->Width();
    const int height = label->Height();
    List->SetBounds(40, 80, 200, 150);
    EXPECT_EQ(label->Left(), 40 + info.OffsetX);
    EXPECT_EQ(label->Top() + label->Height(), 80 + info.OffsetY);
    EXPECT_EQ(std::make_pair(label->Width(), label->Height()), std::make_pair(width, height));

    List->SetVisible(false);
    EXPECT_FALSE(IsWindowVisible(label->Handle()));
    List->SetVisible(true);
    EXPECT_TRUE(IsWindowVisible(label->Handle()));
}

TEST_F(EcSearchListTest, KeyboardEntrySelectsTheWholeFieldButAClickDoesNot)
{
    Field->SetText("Selam");
    SetFocus(Box->Handle());
    Field->SetFocus();
    EXPECT_EQ(Selection(), std::make_pair(0, 5));

    SetFocus(Box->Handle());
    SendMessageA(Field->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(1, 3));
    SendMessageA(Field->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(1, 3));
    EXPECT_EQ(GetFocus(), Field->Handle());
    EXPECT_EQ(Selection().second, 0);
}

TEST_F(EcSearchListTest, ShowingTheSelectionWithoutFocusKeepsTheFieldsTextAndSelection)
{
    EXPECT_FALSE(GetWindowLongA(Field->Handle(), GWL_STYLE) & ES_NOHIDESEL);
    Field->SetText("Selam");
    Field->SetSelection(1, 3);
    List->SetHideSelection(false);
    EXPECT_TRUE(GetWindowLongA(Field->Handle(), GWL_STYLE) & ES_NOHIDESEL);
    EXPECT_EQ(FieldText(), "Selam");
    EXPECT_EQ(Selection(), std::make_pair(1, 3));
    // The new window is still the composite's child, in the same place.
    EXPECT_EQ(GetParent(Field->Handle()), List->Handle());
    EXPECT_EQ(FindWindowExA(List->Handle(), nullptr, "Edit", nullptr), Field->Handle());
}

TEST_F(EcSearchListTest, WithoutItsControllerTheFieldReportsInsteadOfCrashing)
{
    Fill({"Merhaba"});
    Field->SetFocus();
    Type("m");
    ASSERT_NE(Field->TimerHandle(), -1);
    delete Form->Controller;
    EXPECT_EQ(Field->TimerHandle(), -1);
    Type("e");
    EXPECT_EQ(Errors, (std::vector<std::string>{"No Controller assigned."}));
}

TEST_F(EcSearchListTest, AWindowWithoutAControllerCannotHoldTheList)
{
    TBareForm* bare = nullptr;
    try {
        App->CreateForm(bare);
        FAIL() << "created without a controller";
    } catch (const ENoControllerAssigned& e) {
        EXPECT_EQ(e.Message(), "No Controller assigned");
    }
}

TEST(EcTimerPoolTest, EachTimerFiresOnceAndACancelledOneNever)
{
    TApplication app;
    app.Initialize();
    TEcTimerPool pool;
    std::vector<int> fired;
    const int a = pool.StartOneShot(60, [&] { fired.push_back(1); });
    const int b = pool.StartOneShot(60, [&] { fired.push_back(2); });
    EXPECT_NE(a, b);
    EXPECT_NE(a, -1);
    pool.Cancel(a);
    pool.Cancel(a); // a second cancel, or an unknown handle, is harmless
    pool.Cancel(12345);
    const DWORD start = GetTickCount();
    while (GetTickCount() - start < 400) {
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
        app.ProcessMessages();
    }
    EXPECT_EQ(fired, (std::vector<int>{2}));
    EXPECT_EQ(pool.ActiveCount(), 0);
}

} // namespace

