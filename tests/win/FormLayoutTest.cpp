// Every window of the program as its layout builds it: each control lies wholly inside its parent's client area
// (or wholly outside it, a button kept out of view for its Alt+letter), visible neighbours do not overlap, and no
// two controls of a window answer the same Alt+letter.
#include <windows.h>

#include <gtest/gtest.h>

#include "TestApplication.h"

#include <algorithm>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "core/Text.h"
#include "forms/f_Toplu.h"
#include "forms/f_about.h"
#include "forms/f_ayarlar.h"
#include "forms/f_history.h"
#include "forms/main.h"

namespace {

std::string Describe(HWND w)
{
    const TControl* c = TControl::FromHandle(w);
    return c && !c->Name().empty() ? c->Name() : "control " + std::to_string(GetDlgCtrlID(w));
}

RECT RectInParent(HWND w)
{
    RECT r;
    GetWindowRect(w, &r);
    MapWindowPoints(nullptr, GetParent(w), reinterpret_cast<POINT*>(&r), 2);
    return r;
}

bool HasVisibleStyle(HWND w) { return (GetWindowLongA(w, GWL_STYLE) & WS_VISIBLE) != 0; }

// The letter after the first single '&' of a caption ("&&" is a plain ampersand); 0 when there is none.
char AcceleratorOf(const std::string& caption)
{
    for (size_t i = 0; i + 1 < caption.size(); ++i) {
        if (caption[i] != '&')
            continue;
        if (caption[i + 1] != '&')
            return AsciiUpper(caption[i + 1]);
        ++i;
    }
    return 0;
}

BOOL CALLBACK Collect(HWND w, LPARAM list)
{
    reinterpret_cast<std::vector<HWND>*>(list)->push_back(w);
    return TRUE;
}

std::vector<std::string> LayoutProblems(TForm& form)
{
    std::vector<HWND> all;
    EnumChildWindows(form.Handle(), Collect, reinterpret_cast<LPARAM>(&all));
    std::vector<std::string> problems;
    std::map<char, HWND> accelerators;
    for (size_t i = 0; i < all.size(); ++i) {
        const HWND w = all[i];
        RECT client, cut;
        GetClientRect(GetParent(w), &client);
        const RECT r = RectInParent(w);
        const bool inside = r.left >= 0 && r.top >= 0 && r.right <= client.right && r.bottom <= client.bottom;
        if (!inside && IntersectRect(&cut, &r, &client))
            problems.push_back(Describe(w) + " is cut by the edge of " + Describe(GetParent(w)));
        for (size_t j = i + 1; j < all.size(); ++j) {
            const HWND other = all[j];
            const RECT o = RectInParent(other);
            if (GetParent(other) == GetParent(w) && HasVisibleStyle(w) && HasVisibleStyle(other) &&
                IntersectRect(&cut, &r, &o))
                problems.push_back(std::min(Describe(w), Describe(other)) + " overlaps " +
                                   std::max(Describe(w), Describe(other)));
        }
        const TControl* c = TControl::FromHandle(w);
        if (const char letter = c && c->IsAcceleratorTarget() ? AcceleratorOf(c->Caption()) : 0) {
            const auto [known, fresh] = accelerators.emplace(letter, w);
            if (!fresh)
                problems.push_back(std::min(Describe(w), Describe(known->second)) + " and " +
                                   std::max(Describe(w), Describe(known->second)) + " share Alt+" + letter);
        }
    }
    std::sort(problems.begin(), problems.end());
    return problems;
}

class FormLayoutTest : public ::testing::Test {
protected:
    void SetUp() override { App = MakeTestApplication(Errors); }
    void TearDown() override { App.reset(); }

    std::unique_ptr<TApplication> App;
    std::vector<std::string> Errors;
};

TEST_F(FormLayoutTest, EveryWindowKeepsItsControlsInsideApartAndWithTheirOwnAccelerators)
{
    const struct {
        const char* Window;
        std::function<TForm*(TComponent*)> Make;
    } windows[] = {
        {"main", [](TComponent* owner) -> TForm* { return new TForm1(owner); }},
        {"settings", [](TComponent* owner) -> TForm* { return new TFrm_Ayarlar(owner); }},
        {"history", [](TComponent* owner) -> TForm* { return new TFrm_History(owner); }},
        {"bulk picker", [](TComponent* owner) -> TForm* { return new TFrm_Toplu(owner); }},
        {"about", [](TComponent* owner) -> TForm* { return new TFrm_about(owner); }},
    };
    for (const auto& window : windows) {
        TForm* form = window.Make(App.get());
        EXPECT_EQ(LayoutProblems(*form), std::vector<std::string>{}) << window.Window;
        EXPECT_EQ(GetWindowLongA(form->Handle(), GWL_STYLE) & (WS_CAPTION | WS_THICKFRAME), 0) << window.Window;
    }
    EXPECT_TRUE(Errors.empty());
}

// The checks themselves find what they look for.
TEST_F(FormLayoutTest, TheChecksFindACutAnOverlapAndASharedAccelerator)
{
    TFrm_about* about = new TFrm_about(App.get());
    EXPECT_TRUE(LayoutProblems(*about).empty());
    about->UcBitBtn1->SetBounds(250, 120, 90, 25);
    auto* second = new TButton(about);
    second->SetName("Second");
    second->SetCaption("Ta&mam");
    second->SetBounds(10, 60, 80, 25);
    second->SetParent(about->ProgramIcon->Parent());
    auto* third = new TButton(about);
    third->SetName("Third");
    third->SetCaption("&Tekrar");
    third->SetBounds(200, 140, 60, 25);
    third->SetParent(about->ProgramIcon->Parent());
    EXPECT_EQ(LayoutProblems(*about), (std::vector<std::string>{"ProgramIcon overlaps Second",
        "Third and UcBitBtn1 share Alt+T", "Third overlaps UcBitBtn1", "UcBitBtn1 is cut by the edge of Panel1"}));
}

} // namespace
