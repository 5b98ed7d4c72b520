// The toolkit's forms: dialog keys through the real message loop, modal showing and reported errors.
#include <windows.h>

#include <gtest/gtest.h>

#include "TestApplication.h"

#include <memory>
#include <string>
#include <vector>

#include "toolkit/Application.h"
#include "toolkit/ExceptionHandler.h"
#include "toolkit/Forms.h"
#include "toolkit/Layout.h"
#include "toolkit/StdCtrls.h"

namespace {

enum { idEdit = 10, idOk, idHidden, idCancel, idMemo };

// A form like the program's: a field, a memo, an accelerated button, one outside the client area, a cancel button.
class TKeysForm : public TForm {
public:
    explicit TKeysForm(TComponent* owner) : TForm(owner, "TKeysForm", 300, 200)
    {
        static const TLayoutRow kRows[] = {
            {"Panel", Make<TPanel>, nullptr, 0, 0, 300, 200, nullptr, 0, TTabStop::No, nullptr, 0},
            {"Edit", Make<TEdit>, "Panel", 10, 10, 100, 22, nullptr, 2, TTabStop::Yes, nullptr, idEdit},
            {"Ok", Make<TButton>, "Panel", 10, 40, 80, 25, "&Tamam", 1, TTabStop::Yes, nullptr, idOk},
            {"Hidden", Make<TButton>, "Panel", 10, 400, 80, 25, "Gizli_&S", 3, TTabStop::No, nullptr, idHidden},
            {"Cancel", Make<TButton>, "Panel", 100, 40, 80, 25, "Kapat", 4, TTabStop::Yes, nullptr, idCancel},
            {"Memo", Make<TMemo>, "Panel", 10, 80, 200, 60, nullptr, 0, TTabStop::Yes, nullptr, idMemo},
        };
        BuildLayout(this, kRows);
        FindAs<TButton>(this, "Cancel")->Cancel = true;
        for (const char* name : {"Ok", "Hidden", "Cancel"})
            FindAs<TButton>(this, name)->OnClick = [this, name](TObject*) { Clicks.push_back(name); };
        NotifyLoaded();
    }
    std::vector<std::string> Clicks;
};

class ToolkitTest : public TFormTest<TKeysForm> {
protected:
    HWND Control(const char* name) { return FindAs<TControl>(Form, name)->Handle(); }
    // Keys go through the queue and the application's loop, as typed keys do.
    void Key(UINT message, WPARAM key)
    {
        PostMessageA(GetFocus(), message, key, 0);
        App->ProcessMessages();
    }
};

TEST_F(ToolkitTest, FocusStartsAtTabOrderZeroAndTabFollowsTheOrderSkippingNonStops)
{
    EXPECT_EQ(GetFocus(), Control("Memo"));
    const char* expected[] = {"Ok", "Edit", "Cancel", "Memo"};
    for (const char* name : expected) {
        Key(WM_KEYDOWN, VK_TAB);
        EXPECT_EQ(GetFocus(), Control(name)) << name;
    }
    // Shift+Tab goes back: simulated by the keyboard state the form reads.
    BYTE keys[256];
    GetKeyboardState(keys);
    keys[VK_SHIFT] = 0x80;
    SetKeyboardState(keys);
    Key(WM_KEYDOWN, VK_TAB);
    keys[VK_SHIFT] = 0;
    SetKeyboardState(keys);
    EXPECT_EQ(GetFocus(), Control("Cancel"));
}

TEST_F(ToolkitTest, AltLetterEscapeAndEnterClickTheRightButtons)
{
    Key(WM_SYSCHAR, 's'); // the button below the client area still answers
    Key(WM_SYSCHAR, 'T');
    Key(WM_SYSCHAR, 'q'); // no such accelerator
    Key(WM_KEYDOWN, VK_ESCAPE);
    EXPECT_EQ(Form->Clicks, (std::vector<std::string>{"Hidden", "Ok", "Cancel"}));

    // Enter stays in the memo as a line break; on a focused button it clicks that button.
    SetFocus(Control("Memo"));
    Key(WM_KEYDOWN, VK_RETURN);
    EXPECT_EQ(Form->Clicks.size(), 3u);
    SetFocus(Control("Ok"));
    Key(WM_KEYDOWN, VK_RETURN);
    EXPECT_EQ(Form->Clicks.back(), "Ok");

    // A hidden or disabled button does not answer its accelerator.
    FindAs<TControl>(Form, "Hidden")->SetEnabled(false);
    Key(WM_SYSCHAR, 's');
    EXPECT_EQ(Form->Clicks.size(), 4u);
}

TEST_F(ToolkitTest, AFailingHandlerIsReportedWithAFullStopAndTheLoopGoesOn)
{
    FindAs<TButton>(Form, "Ok")->OnClick = [](TObject*) { throw Exception("Ağ yolu bulunamadı"); };
    PostMessageA(Control("Ok"), BM_CLICK, 0, 0);
    App->ProcessMessages();
    Key(WM_SYSCHAR, 't');
    EXPECT_EQ(Errors, (std::vector<std::string>{"Ağ yolu bulunamadı.", "Ağ yolu bulunamadı."}));
    EXPECT_FALSE(App->Terminated());
}

class TModalForm : public TForm {
public:
    explicit TModalForm(TComponent* owner) : TForm(owner, "TModalForm", 120, 80)
    {
        Ok = new TButton(this);
        Ok->SetBounds(10, 10, 80, 25);
        Ok->SetCaption("&Tamam");
        Ok->ModalResult = mrOk;
        Ok->SetParent(this);
        NotifyLoaded();
    }
    TButton* Ok;
};

TEST_F(ToolkitTest, ModalShowingDisablesTheOtherWindowsUntilAButtonGivesTheResult)
{
    TModalForm* modal = nullptr;
    App->CreateForm(modal);
    bool mainEnabledMeanwhile = true;
    int shows = 0;
    modal->OnShow = [&](TObject*) { ++shows; };
    modal->Ok->OnClick = [&](TObject*) { mainEnabledMeanwhile = IsWindowEnabled(Form->Handle()) != FALSE; };
    PostMessageA(modal->Ok->Handle(), BM_CLICK, 0, 0);
    EXPECT_EQ(modal->ShowModal(), mrOk);
    EXPECT_FALSE(mainEnabledMeanwhile);
    EXPECT_TRUE(IsWindowEnabled(Form->Handle()));
    EXPECT_FALSE(IsWindowVisible(modal->Handle()));

    // Escape-less close request ends it with mrCancel; every showing runs the show handler again.
    PostMessageA(modal->Handle(), WM_CLOSE, 0, 0);
    EXPECT_EQ(modal->ShowModal(), mrCancel);
    EXPECT_EQ(shows, 2);
}

TEST_F(ToolkitTest, AFailingShowHandlerIsReportedAndTheWindowShownAnyway)
{
    TModalForm* other = nullptr;
    App->CreateForm(other);
    bool after = false;
    other->OnShow = [&](TObject*) {
        throw Exception("'clBlue x' is not a valid integer value");
        after = true;
    };
    other->Show();
    App->ProcessMessages();
    EXPECT_TRUE(IsWindowVisible(other->Handle()));
    EXPECT_FALSE(after);
    EXPECT_EQ(Errors, (std::vector<std::string>{"'clBlue x' is not a valid integer value."}));
}

TEST_F(ToolkitTest, TerminateEndsTheLoopAndTheApplicationWindowCarriesTheTitle)
{
    char title[32] = "";
    GetWindowTextA(App->Handle(), title, sizeof(title));
    char cls[32] = "";
    GetClassNameA(App->Handle(), cls, sizeof(cls));
    EXPECT_STREQ(title, "Varnel");
    EXPECT_STREQ(cls, "TApplication");
    EXPECT_EQ(GetWindow(Form->Handle(), GW_OWNER), App->Handle());
    App->Terminate();
    App->Run(); // returns at once
    EXPECT_TRUE(App->Terminated());
}

// Without an application object a form and its controls still work, and an error in a handler reaches the handler
// registered for it; closing a form then only hides it, since no form is the program's main window.
TEST(ToolkitWithoutApplication, AHandlersErrorReachesTheRegisteredHandler)
{
    ASSERT_EQ(Application, nullptr);
    std::vector<std::string> reported;
    SetExceptionHandler([&](TObject*) { reported.push_back(CurrentExceptionMessage()); });
    {
        TForm form(nullptr, "TNoApplicationForm", 200, 100);
        auto* button = new TButton(&form);
        button->SetBounds(10, 10, 80, 25);
        button->SetParent(&form);
        button->OnClick = [](TObject*) { throw Exception("Düğme bozuk"); };
        form.Show();
        SendMessageA(form.Handle(), WM_COMMAND, MAKEWPARAM(0, BN_CLICKED), reinterpret_cast<LPARAM>(button->Handle()));
        form.Close();
        EXPECT_FALSE(IsWindowVisible(form.Handle()));
    }
    SetExceptionHandler(nullptr);
    EXPECT_EQ(reported, std::vector<std::string>{"Düğme bozuk"});
}

} // namespace
