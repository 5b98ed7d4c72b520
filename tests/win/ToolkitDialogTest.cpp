// The toolkit's dispatch point, modal loop, tab order and dialog keys, driven through the application's own loop.
#include <windows.h>

#include <gtest/gtest.h>

#include "TestApplication.h"

#include <string>
#include <vector>

#include "toolkit/Forms.h"
#include "toolkit/Layout.h"
#include "toolkit/StdCtrls.h"

namespace {

// A dialog: a field, a default and a cancel button that end a modal showing, a field inside a box, a memo.
// Tab order: Name, Ok, Cancel, then Box's Inner, then Note.
class TDialogForm : public TForm {
public:
    explicit TDialogForm(TComponent* owner) : TForm(owner, "TDialogForm", 300, 220)
    {
        static const TLayoutRow kRows[] = {
            {"Panel", Make<TPanel>, nullptr, 0, 0, 300, 220, nullptr, 0, TTabStop::No, nullptr, 0},
            {"Name", Make<TEdit>, "Panel", 10, 10, 120, 22, nullptr, 0, TTabStop::Yes, nullptr, 20},
            {"Box", Make<TPanel>, "Panel", 10, 40, 140, 40, nullptr, 3, TTabStop::No, nullptr, 21},
            {"Inner", Make<TEdit>, "Box", 5, 5, 100, 22, nullptr, 0, TTabStop::Yes, nullptr, 22},
            {"Note", Make<TMemo>, "Panel", 10, 90, 200, 60, nullptr, 4, TTabStop::Yes, nullptr, 23},
            {"Ok", Make<TButton>, "Panel", 120, 180, 80, 25, "&Tamam", 1, TTabStop::Yes, nullptr, 24},
            {"Cancel", Make<TButton>, "Panel", 210, 180, 80, 25, "İptal", 2, TTabStop::Yes, nullptr, 25},
        };
        BuildLayout(this, kRows);
        auto* ok = FindAs<TButton>(this, "Ok");
        ok->Default = true;
        ok->ModalResult = mrOk;
        auto* cancel = FindAs<TButton>(this, "Cancel");
        cancel->Cancel = true;
        cancel->ModalResult = mrCancel;
        // Every handler writes what reached it, under the name of the control it belongs to.
        for (const char* name : {"Name", "Inner", "Note", "Ok", "Cancel"}) {
            TControl* c = FindAs<TControl>(this, name);
            c->OnClick = [this, name](TObject*) { Events.push_back(std::string(name) + " click"); };
            c->OnMouseDown = [this, name](TObject*, TMouseButton button, WPARAM, int x, int y) {
                Events.push_back(std::string(name) + " down " + std::to_string(static_cast<int>(button)) + " " +
                                 std::to_string(x) + "," + std::to_string(y));
            };
            c->OnKeyPress = [this, name](TObject*, char& key) { Events.push_back(std::string(name) + " char " + key); };
        }
        NotifyLoaded();
    }
    HWND Window(const char* name) const { return FindAs<TControl>(this, name)->Handle(); }
    std::vector<std::string> Events;
};

class ToolkitDialogTest : public TFormTest<TDialogForm> {
protected:
    // Keys go through the queue and the application's loop, as typed keys do.
    void Key(WPARAM key, bool shift = false)
    {
        BYTE keys[256];
        GetKeyboardState(keys);
        keys[VK_SHIFT] = shift ? 0x80 : 0;
        SetKeyboardState(keys);
        PostMessageA(GetFocus(), WM_KEYDOWN, key, 0);
        App->ProcessMessages();
        keys[VK_SHIFT] = 0;
        SetKeyboardState(keys);
    }
    std::string Focused() const
    {
        const TControl* c = TControl::FromHandle(GetFocus());
        return c ? c->Name() : "(none)";
    }
    // The events of a form that were button clicks.
    static std::vector<std::string> Clicks(const TDialogForm* form)
    {
        std::vector<std::string> clicks;
        for (const std::string& e : form->Events)
            if (e.size() > 6 && e.compare(e.size() - 6, 6, " click") == 0)
                clicks.push_back(e);
        return clicks;
    }
    TDialogForm* NewDialog()
    {
        TDialogForm* dialog = nullptr;
        App->CreateForm(dialog);
        return dialog;
    }
};

TEST_F(ToolkitDialogTest, AMessageReachesTheHandlerOfTheControlItIsFor)
{
    const struct {
        const char* SendTo;
        UINT Message;
        WPARAM WParam;
        const char* About; // a notification to a parent carries this control's window; input carries a point
        const char* Seen;
    } cases[] = {
        {"Name", WM_LBUTTONDOWN, MK_LBUTTON, nullptr, "Name down 0 5,6"},
        {"Note", WM_RBUTTONDOWN, MK_RBUTTON, nullptr, "Note down 1 5,6"},
        {"Inner", WM_MBUTTONDOWN, MK_MBUTTON, nullptr, "Inner down 2 5,6"},
        {"Name", WM_CHAR, 'a', nullptr, "Name char a"},
        {"Inner", WM_CHAR, 'b', nullptr, "Inner char b"},
        // Notifications go to the parent, which hands them to the child they name.
        {"Panel", WM_COMMAND, MAKEWPARAM(24, BN_CLICKED), "Ok", "Ok click"},
        {"Panel", WM_COMMAND, MAKEWPARAM(25, BN_CLICKED), "Cancel", "Cancel click"},
    };
    for (const auto& c : cases) {
        Form->Events.clear();
        const LPARAM lParam = c.About ? reinterpret_cast<LPARAM>(Form->Window(c.About)) : MAKELPARAM(5, 6);
        SendMessageA(Form->Window(c.SendTo), c.Message, c.WParam, lParam);
        ReleaseCapture();
        EXPECT_EQ(Form->Events, std::vector<std::string>{c.Seen}) << c.Seen;
    }
    EXPECT_TRUE(Errors.empty());
}

TEST_F(ToolkitDialogTest, TabAndShiftTabFollowTheOrderSkippingDisabledAndHiddenControls)
{
    const struct {
        const char* Disabled;
        const char* Hidden;
        std::vector<std::string> Order; // Tab from Name on, until the focus is back
    } cases[] = {
        {nullptr, nullptr, {"Ok", "Cancel", "Inner", "Note", "Name"}},
        {"Cancel", nullptr, {"Ok", "Inner", "Note", "Name"}},
        {nullptr, "Ok", {"Cancel", "Inner", "Note", "Name"}},
        {"Box", nullptr, {"Ok", "Cancel", "Note", "Name"}}, // what a box holds goes with it
        {nullptr, "Box", {"Ok", "Cancel", "Note", "Name"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.Disabled ? c.Disabled : "-") + " " + (c.Hidden ? c.Hidden : "-"));
        if (c.Disabled)
            FindAs<TControl>(Form, c.Disabled)->SetEnabled(false);
        if (c.Hidden)
            FindAs<TControl>(Form, c.Hidden)->SetVisible(false);
        ::SetFocus(Form->Window("Name"));
        std::vector<std::string> forward, backward;
        for (size_t i = 0; i < c.Order.size(); ++i) {
            Key(VK_TAB);
            forward.push_back(Focused());
        }
        for (size_t i = 0; i < c.Order.size(); ++i) {
            backward.insert(backward.begin(), Focused());
            Key(VK_TAB, true);
        }
        EXPECT_EQ(forward, c.Order);
        EXPECT_EQ(backward, c.Order);
        if (c.Disabled)
            FindAs<TControl>(Form, c.Disabled)->SetEnabled(true);
        if (c.Hidden)
            FindAs<TControl>(Form, c.Hidden)->SetVisible(true);
    }
}

TEST_F(ToolkitDialogTest, EnterClicksTheDefaultButtonEscapeTheCancelButtonAndShowModalReturnsItsResult)
{
    TDialogForm* dialog = NewDialog();
    const struct {
        const char* Focus;
        WPARAM Key;
        const char* Disabled;
        int Result; // a key that clicks nothing leaves the close request after it to end the showing
        std::vector<std::string> Clicks;
    } cases[] = {
        {"Name", VK_RETURN, nullptr, mrOk, {"Ok click"}},
        {"Inner", VK_ESCAPE, nullptr, mrCancel, {"Cancel click"}},
        {"Cancel", VK_RETURN, nullptr, mrCancel, {"Cancel click"}}, // a focused button takes Enter itself
        {"Note", VK_RETURN, nullptr, mrCancel, {}},                 // the memo keeps Enter as a line break
        {"Name", VK_RETURN, "Ok", mrCancel, {}},                    // a disabled default button is no default
        {"Name", VK_ESCAPE, "Cancel", mrCancel, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.Focus) + " " + std::to_string(c.Key));
        dialog->Events.clear();
        if (c.Disabled)
            FindAs<TControl>(dialog, c.Disabled)->SetEnabled(false);
        dialog->SetActiveControl(FindAs<TControl>(dialog, c.Focus));
        PostMessageA(dialog->Window(c.Focus), WM_KEYDOWN, c.Key, 0);
        PostMessageA(dialog->Handle(), WM_CLOSE, 0, 0);
        EXPECT_EQ(dialog->ShowModal(), c.Result);
        EXPECT_EQ(Clicks(dialog), c.Clicks);
        App->ProcessMessages(); // a close request left over finds the dialog hidden already
        if (c.Disabled)
            FindAs<TControl>(dialog, c.Disabled)->SetEnabled(true);
    }
}

TEST_F(ToolkitDialogTest, NestedModalShowingsDisableTheWindowsBehindAndGiveBackOnlyWhatTheyDisabled)
{
    TDialogForm* outer = NewDialog();
    TDialogForm* inner = NewDialog();
    TDialogForm* bystander = NewDialog(); // shown, and disabled before any modal showing
    bystander->Show();
    EnableWindow(bystander->Handle(), FALSE);
    const auto enabled = [](TForm* f) { return IsWindowEnabled(f->Handle()) != FALSE; };

    int innerResult = mrNone;
    FindAs<TButton>(outer, "Ok")->OnClick = [&](TObject*) {
        inner->OnShow = [&](TObject*) {
            EXPECT_EQ(TForm::ModalForm(), inner);
            EXPECT_FALSE(enabled(outer));
            EXPECT_FALSE(enabled(Form));
        };
        PostMessageA(inner->Window("Name"), WM_KEYDOWN, VK_ESCAPE, 0);
        innerResult = inner->ShowModal();
        EXPECT_EQ(TForm::ModalForm(), outer);
        EXPECT_TRUE(enabled(outer)) << "the inner showing gives the outer dialog back";
        EXPECT_FALSE(enabled(Form)) << "the outer showing still holds the main window";
    };
    PostMessageA(outer->Window("Name"), WM_KEYDOWN, VK_RETURN, 0);
    EXPECT_EQ(outer->ShowModal(), mrOk);
    EXPECT_EQ(innerResult, mrCancel);
    EXPECT_EQ(TForm::ModalForm(), nullptr);
    EXPECT_TRUE(enabled(Form));
    EXPECT_FALSE(enabled(bystander)) << "a window disabled before stays disabled";
    EXPECT_FALSE(IsWindowVisible(outer->Handle()));
    EXPECT_FALSE(IsWindowVisible(inner->Handle()));
    EXPECT_TRUE(Errors.empty());
}

} // namespace
