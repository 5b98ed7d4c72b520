// The link label: what a click opens and in which order, its colours, the hand cursor, and the label options.
#include "components/UcLabel.h"

#include <windows.h>

#include <gtest/gtest.h>

#include "TestApplication.h"

#include <memory>
#include <string>
#include <vector>

#include "toolkit/Application.h"
#include "toolkit/Forms.h"

namespace {

constexpr TColor kPurple = 0x800080;

// Records what a click asks of the shell instead of asking it.
class TRecordingLink : public TUcURLLabel {
public:
    using TUcURLLabel::TUcURLLabel;
    std::vector<std::string>* Events = nullptr;
    bool OpenSucceeds = false;

protected:
    bool OpenTarget(const std::string& target) override
    {
        Events->push_back("open:" + target);
        return OpenSucceeds;
    }
    void OfferOpenWith() override { Events->push_back("open-with"); }
};

// Asks the real shell, but only records the open-with offer (which would start a dialog program).
class TShellLink : public TUcURLLabel {
public:
    using TUcURLLabel::TUcURLLabel;
    int OpenWithOffers = 0;

protected:
    void OfferOpenWith() override { ++OpenWithOffers; }
};

class THost : public TForm {
public:
    explicit THost(TComponent* owner) : TForm(owner, "TUcLabelHost", 320, 240) {}
};

class UcLabelTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        FApp = MakeTestApplication(Errors);
        FApp->CreateForm(FHost);
        FHost->SetColor(0xFF8080);
        FHost->Show();
    }
    void TearDown() override { FApp.reset(); }

    template <typename T>
    T* Place(const std::string& caption, int width = 200)
    {
        auto* label = new T(FHost);
        label->SetBounds(10, 10 + 30 * static_cast<int>(FHost->Controls().size()), width, 20);
        label->SetCaption(caption);
        label->SetParent(FHost);
        return label;
    }

    COLORREF Pixel(TControl* control, int x, int y)
    {
        control->Repaint();
        HDC dc = GetDC(control->Handle());
        const COLORREF color = GetPixel(dc, x, y);
        ReleaseDC(control->Handle(), dc);
        return color;
    }

    // Whether any pixel of the control shows that colour.
    bool Shows(TControl* control, TColor color)
    {
        control->Repaint();
        const COLORREF wanted = ColorToRGB(color);
        HDC dc = GetDC(control->Handle());
        bool found = false;
        for (int y = 0; y < control->Height() && !found; ++y)
            for (int x = 0; x < control->Width() && !found; ++x)
                found = GetPixel(dc, x, y) == wanted;
        ReleaseDC(control->Handle(), dc);
        return found;
    }

    std::unique_ptr<TApplication> FApp;
    THost* FHost = nullptr;
    std::vector<std::string> Errors;
};

TEST_F(UcLabelTest, AClickRaisesOnClickThenOpensUrlOrCaptionAndMarksOnlyASuccess)
{
    const struct {
        const char* Url;
        const char* Caption;
        bool OpenSucceeds;
        std::vector<std::string> Events;
        bool Visited;
    } cases[] = {
        {"https://varnel.example.org", "varnel.example.org", true,
            {"click", "open:https://varnel.example.org"}, true},
        {"https://varnel.example.org", "x", false, {"click", "open:https://varnel.example.org"}, false},
        {"", "C:\\site\\index.htm", true, {"click", "open:C:\\site\\index.htm"}, true},
        {"", "C:\\site\\index.htm", false, {"click", "open:C:\\site\\index.htm", "open-with"}, false},
        {" \t", "index.HTM", false, {"click", "open:index.HTM", "open-with"}, false},
        {" padded.htm ", "x", false, {"click", "open: padded.htm "}, false}, // untrimmed: ".htm " is no page
        {"page.html", "", false, {"click", "open:page.html"}, false},
        {"  ", " \t ", true, {"click"}, false},
        {"", "", true, {"click"}, false},
    };
    for (const auto& c : cases) {
        std::vector<std::string> events;
        auto* link = Place<TRecordingLink>(c.Caption);
        link->URL = c.Url;
        link->Events = &events;
        link->OpenSucceeds = c.OpenSucceeds;
        link->OnClick = [&](TObject* sender) {
            EXPECT_EQ(sender, link);
            events.push_back("click");
        };
        link->Click();
        EXPECT_EQ(events, c.Events) << '[' << c.Url << "] [" << c.Caption << ']';
        EXPECT_EQ(link->Visited(), c.Visited) << c.Url;
        EXPECT_EQ(link->Font().Color(), c.Visited ? kPurple : clHighlight) << c.Url;
        delete link;
    }
}

TEST_F(UcLabelTest, TheMouseClicksOnlyWhenPressedAndReleasedOverTheLabel)
{
    std::vector<std::string> events;
    auto* link = Place<TRecordingLink>("varnel.example.org");
    link->Events = &events;
    link->OnClick = [&](TObject*) { events.push_back("click"); };
    HWND w = link->Handle();

    SendMessageA(w, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    EXPECT_EQ(GetCapture(), w);
    SendMessageA(w, WM_LBUTTONUP, 0, MAKELPARAM(6, 5));
    EXPECT_EQ(events, (std::vector<std::string>{"click", "open:varnel.example.org"}));
    EXPECT_NE(GetCapture(), w);

    events.clear();
    SendMessageA(w, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    SendMessageA(w, WM_LBUTTONUP, 0, MAKELPARAM(5, 400)); // released below the label
    SendMessageA(w, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));   // a release without a press of its own
    EXPECT_TRUE(events.empty());
}

TEST_F(UcLabelTest, TheTextColourFollowsVisitedAndBothColours)
{
    auto* link = Place<TUcURLLabel>("varnel.example.org");
    EXPECT_EQ(link->Font().Color(), clHighlight);
    EXPECT_TRUE(link->Font().Underline());
    EXPECT_EQ(link->TextStyle(), tsNormal);

    link->SetVisitedColor(clRed); // not visited: the unvisited colour stays
    EXPECT_EQ(link->Font().Color(), clHighlight);
    link->SetVisited(true);
    EXPECT_EQ(link->Font().Color(), clRed);
    link->SetUnvisitedColor(clBlack); // visited: the visited colour stays
    EXPECT_EQ(link->Font().Color(), clRed);
    link->SetVisitedColor(kPurple);
    EXPECT_EQ(link->Font().Color(), kPurple);
    link->SetVisited(false);
    EXPECT_EQ(link->Font().Color(), clBlack);
    EXPECT_TRUE(Shows(link, clBlack));
    EXPECT_FALSE(Shows(link, kPurple));
    link->SetVisited(true);
    EXPECT_TRUE(Shows(link, kPurple));
}

TEST_F(UcLabelTest, TheRealShellReportsAMissingTargetAndOpensAnExistingProgram)
{
    auto* link = Place<TShellLink>("");
    link->URL = "C:\\varnel-no-such-folder\\missing.txt";
    link->Click();
    EXPECT_FALSE(link->Visited());
    EXPECT_EQ(link->OpenWithOffers, 0);

    link->URL = "C:\\varnel-no-such-folder\\missing.htm";
    link->Click();
    EXPECT_FALSE(link->Visited());
    EXPECT_EQ(link->OpenWithOffers, 1);

    char system[MAX_PATH] = "";
    const UINT length = GetSystemDirectoryA(system, MAX_PATH);
    ASSERT_TRUE(length > 0 && length < MAX_PATH);
    link->URL = std::string(system) + "\\hostname.exe";
    ASSERT_NE(GetFileAttributesA(link->URL.c_str()), INVALID_FILE_ATTRIBUTES);
    link->Click();
    EXPECT_TRUE(link->Visited());
    EXPECT_EQ(link->OpenWithOffers, 1);
    EXPECT_TRUE(Errors.empty());
}

TEST_F(UcLabelTest, TheLinkShowsTheRegisteredHandOverItsClientArea)
{
    auto* link = Place<TUcURLLabel>("varnel.example.org");
    EXPECT_EQ(link->Cursor, crUcHand);
    HCURSOR hand = Screen::Cursor(crUcHand);
    ASSERT_NE(hand, nullptr);
    HCURSOR arrow = LoadCursorA(nullptr, IDC_ARROW);
    SetCursor(arrow);
    EXPECT_TRUE(SendMessageA(link->Handle(), WM_SETCURSOR, reinterpret_cast<WPARAM>(link->Handle()),
        MAKELPARAM(HTCLIENT, WM_MOUSEMOVE)));
    EXPECT_EQ(GetCursor(), hand);

    auto* plain = Place<TUcLabel>("plain");
    SetCursor(arrow);
    SendMessageA(plain->Handle(), WM_SETCURSOR, reinterpret_cast<WPARAM>(plain->Handle()),
        MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
    EXPECT_NE(GetCursor(), hand);
}

TEST_F(UcLabelTest, BlinkingHidesAndShowsTheTextAndStoppingShowsIt)
{
    auto* label = Place<TUcLabel>("Varnel");
    label->SetTextStyle(tsNormal);
    label->Font().SetColor(clBlack);
    EXPECT_TRUE(Shows(label, clBlack));
    label->SetBlinking(true);
    SendMessageA(label->Handle(), WM_TIMER, 1, 0);
    EXPECT_FALSE(label->TextShown());
    EXPECT_FALSE(Shows(label, clBlack));
    SendMessageA(label->Handle(), WM_TIMER, 1, 0);
    EXPECT_TRUE(label->TextShown());
    SendMessageA(label->Handle(), WM_TIMER, 1, 0);
    label->SetBlinking(false);
    EXPECT_TRUE(label->TextShown());
    EXPECT_TRUE(Shows(label, clBlack));
}

TEST_F(UcLabelTest, HoverColourOnlyWhenEnabledAndOnlyWhileTheMouseIsOver)
{
    auto* label = Place<TUcLabel>("Varnel");
    label->Font().SetColor(clBlack);
    label->SetFlyByColor(clRed);
    SendMessageA(label->Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(3, 3));
    EXPECT_EQ(label->TextColor(), clBlack);
    SendMessageA(label->Handle(), WM_MOUSELEAVE, 0, 0);

    label->SetFlyByEnabled(true);
    SendMessageA(label->Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(3, 3));
    EXPECT_EQ(label->TextColor(), clRed);
    SendMessageA(label->Handle(), WM_MOUSELEAVE, 0, 0);
    EXPECT_EQ(label->TextColor(), clBlack);
}

TEST_F(UcLabelTest, FrameSidesAndTextStylesPaintWhatTheyName)
{
    const COLORREF shadow = GetSysColor(COLOR_BTNSHADOW);
    const COLORREF light = GetSysColor(COLOR_BTNHIGHLIGHT);
    auto* label = Place<TUcLabel>("");
    EXPECT_EQ(label->FrameSides(), kAllFrameSides);
    EXPECT_EQ(label->TextStyle(), tsRecessed);
    const int w = label->Width(), h = label->Height();
    EXPECT_EQ(Pixel(label, 0, h / 2), shadow);
    EXPECT_EQ(Pixel(label, w - 1, h / 2), light);

    label->SetFrameSides(fsLeft);
    EXPECT_EQ(Pixel(label, 0, h / 2), shadow);
    EXPECT_EQ(Pixel(label, w - 1, h / 2), ColorToRGB(0xFF8080));
    EXPECT_EQ(Pixel(label, w / 2, 0), ColorToRGB(0xFF8080));

    label->SetFrameSides(0);
    label->SetCaption("WWWW");
    label->Font().SetColor(clBlack);
    EXPECT_TRUE(Shows(label, light)) << "recessed text has a light edge";
    label->SetTextStyle(tsNormal);
    EXPECT_FALSE(Shows(label, light));
    EXPECT_TRUE(Shows(label, clBlack));
}

} // namespace
