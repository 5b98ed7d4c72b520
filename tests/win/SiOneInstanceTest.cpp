// The single-copy marker's mutex, the one-guard rule, and how the guard finds and brings forward the first copy.
#include "components/SiOneInstance.h"
#include "components/siclass.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "../e2e/WindowOrder.h"
#include "core/ShellTargets.h"
#include "toolkit/Application.h"

namespace {

using e2e::IsAbove;

std::string Unique(const std::string& what)
{
    return "varnel-si-" + std::to_string(GetCurrentProcessId()) + "-" + what + "-" +
           ::testing::UnitTest::GetInstance()->current_test_info()->name();
}

bool MutexExists(const std::string& name)
{
    HANDLE h = OpenMutexA(SYNCHRONIZE, FALSE, name.c_str());
    if (h)
        CloseHandle(h);
    return h != nullptr;
}

TEST(SiApplication, TheProgramsMarkerIsNamedAfterItsFileAndHeld)
{
    const TSiApplication marker;
    EXPECT_EQ(marker.MutexName(), ProgramFileName(OwnProgramPath()));
    EXPECT_EQ(CompareStringA(LOCALE_INVARIANT, NORM_IGNORECASE, marker.MutexName().c_str(), -1, "win_tests.exe", -1),
        CSTR_EQUAL)
        << marker.MutexName();
    EXPECT_TRUE(marker.HoldsMutex());
    EXPECT_TRUE(MutexExists(marker.MutexName()));
    EXPECT_FALSE(RunsInsideLibrary());
}

TEST(SiApplication, SameFileNameAnywhereIsAnotherInstanceOtherNamesAreNot)
{
    const std::string name = Unique("a") + ".exe";
    const std::string other = Unique("b") + ".exe";
    ASSERT_FALSE(MutexExists(name));
    {
        TSiApplication first("C:\\Program Files\\Varnel\\" + name);
        EXPECT_EQ(first.MutexName(), name);
        EXPECT_FALSE(first.AnotherInstance());
        EXPECT_TRUE(MutexExists(name));

        const struct {
            std::string Path;
            bool Another;
        } cases[] = {
            {"D:\\elsewhere\\deeper\\" + name, true},
            {"E:" + name, true},
            {"\\\\server\\share\\" + name, true},
            {"C:\\Program Files\\Varnel\\" + other, false},
        };
        for (const auto& c : cases) {
            TSiApplication later(c.Path);
            EXPECT_EQ(later.AnotherInstance(), c.Another) << c.Path;
            EXPECT_TRUE(later.HoldsMutex()) << c.Path;
        }
    }
    // Once every holder has gone, the name is free again: a later start runs as the only copy.
    EXPECT_FALSE(MutexExists(name));
    TSiApplication afterwards("C:\\again\\" + name);
    EXPECT_FALSE(afterwards.AnotherInstance());
}

TEST(SiApplication, APathWithoutAFileNameMarksNothing)
{
    TSiApplication marker("C:\\folder\\");
    EXPECT_EQ(marker.MutexName(), "");
    EXPECT_FALSE(marker.HoldsMutex());
    EXPECT_FALSE(marker.AnotherInstance());
}

TEST(SiOneInstanceGuard, OnlyOneGuardMayExistAndARefusedOneIsNotCounted)
{
    TComponent owner(nullptr);
    auto* first = new TSiOneInstance(&owner);
    EXPECT_TRUE(first->Enabled);
    EXPECT_EQ(first->Mode, oiActivateOnly);
    for (int attempt = 0; attempt < 300; ++attempt) { // more than the 8-bit counter could hold
        try {
            new TSiOneInstance(&owner);
            FAIL() << "a second guard was accepted at attempt " << attempt;
        } catch (const SiEOneInstError& e) {
            if (attempt == 0) {
                EXPECT_EQ(e.Message(), "TSiOneInstance:\rAlready one TSiOneInstance control in this project!");
            }
        }
    }
    EXPECT_EQ(owner.Components().size(), 1u) << "a refused guard stayed with its owner";
    delete first;
    EXPECT_TRUE(owner.Components().empty());
    EXPECT_NO_THROW(TSiOneInstance again(nullptr));
    EXPECT_NO_THROW(TSiOneInstance yetAgain(&owner));
}

// A stand-in for the first copy's application window: same class, given title, no object behind it.
HWND CreateOtherCopyWindow(const std::string& title, bool visible)
{
    return CreateWindowExA(0, kApplicationWindowClass, title.c_str(), WS_POPUP | (visible ? WS_VISIBLE : 0), 50, 50,
        200, 100, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
}

// A second copy: its marker finds the name taken, and its application carries the shared title. The other
// copy's windows live for the whole suite: Wine takes seconds to take a shown window off the screen.
class GuardTest : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        sTitle = "varnel-si-" + std::to_string(GetCurrentProcessId()) + "-title";
        // The class is the toolkit's; an application object registers it.
        TApplication registrar;
        registrar.Initialize();
        sOther = CreateOtherCopyWindow(sTitle, true);
        sDifferentTitle = CreateOtherCopyWindow(sTitle + "-x", true);
        sHidden = CreateOtherCopyWindow(sTitle + "-hidden", false);
        sCover = CreateWindowExA(0, "STATIC", "cover", WS_POPUP | WS_VISIBLE, 40, 40, 300, 200, nullptr, nullptr,
            GetModuleHandleA(nullptr), nullptr);
    }

    static void TearDownTestSuite()
    {
        for (HWND w : {sOther, sDifferentTitle, sHidden, sCover})
            DestroyWindow(w);
    }

    void SetUp() override
    {
        ASSERT_NE(sOther, nullptr);
        for (HWND w : {sOther, sDifferentTitle})
            ShowWindow(w, SW_SHOWNOACTIVATE);
        ASSERT_FALSE(IsIconic(sOther));
        ASSERT_FALSE(IsWindowVisible(sHidden));

        FMarkerName = Unique("marker") + ".exe";
        FFirstMarker = std::make_unique<TSiApplication>("C:\\first\\" + FMarkerName);
        FSecondMarker = std::make_unique<TSiApplication>("C:\\second\\" + FMarkerName);
        ASSERT_TRUE(FSecondMarker->AnotherInstance());
        FSavedMarker = SiApplication;
        SiApplication = FSecondMarker.get();

        Title = sTitle;
        FApp = std::make_unique<TApplication>();
        FApp->Initialize();
        FApp->SetTitle(Title);
        FOwner = std::make_unique<TComponent>(nullptr);
        Guard = new TSiOneInstance(FOwner.get());
    }

    void TearDown() override
    {
        FOwner.reset();
        FApp.reset();
        // Terminate posted a quit message; later tests must not find it in their loops.
        MSG msg;
        while (PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
        }
        SiApplication = FSavedMarker;
    }

    // This copy is the only one after all.
    void BecomeTheOnlyCopy() { SiApplication = FFirstMarker.get(); }

    std::string OwnWindowText() const
    {
        char text[256] = "";
        GetWindowTextA(FApp->Handle(), text, sizeof text);
        return text;
    }

    static inline std::string sTitle;
    static inline HWND sOther = nullptr;
    static inline HWND sDifferentTitle = nullptr;
    static inline HWND sHidden = nullptr;
    static inline HWND sCover = nullptr;

    std::string Title;
    std::unique_ptr<TApplication> FApp;
    TSiOneInstance* Guard = nullptr;

private:
    std::string FMarkerName;
    std::unique_ptr<TSiApplication> FFirstMarker;
    std::unique_ptr<TSiApplication> FSecondMarker;
    TSiApplication* FSavedMarker = nullptr;
    std::unique_ptr<TComponent> FOwner;
};

TEST_F(GuardTest, ActivationRestoresAMinimisedFirstCopyAndBlanksTheOwnWindow)
{
    ShowWindow(sOther, SW_MINIMIZE);
    ShowWindow(sDifferentTitle, SW_MINIMIZE);
    ASSERT_TRUE(IsIconic(sOther));

    Guard->ActivatePreviousInstance();

    EXPECT_FALSE(IsIconic(sOther));
    EXPECT_TRUE(IsWindowVisible(sOther));
    EXPECT_TRUE(IsIconic(sDifferentTitle)) << "a window with another title was touched";
    EXPECT_EQ(OwnWindowText(), "");
}

TEST_F(GuardTest, ActivationBringsAVisibleFirstCopyToTheTopAndLeavesAHiddenOneHidden)
{
    SetWindowPos(sCover, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    ASSERT_TRUE(IsAbove(sCover, sOther));
    Guard->ActivatePreviousInstance();
    EXPECT_TRUE(IsAbove(sOther, sCover));
    EXPECT_FALSE(IsIconic(sOther));

    FApp->SetTitle(sTitle + "-hidden");
    Guard->ActivatePreviousInstance();
    EXPECT_FALSE(IsWindowVisible(sHidden));
    EXPECT_FALSE(IsIconic(sHidden));
}

TEST_F(GuardTest, ActivationNeverPicksTheOwnWindow)
{
    // No other copy under this title: the own window (same class and title) must stay as it is, minimised.
    FApp->SetTitle(sTitle + "-alone");
    ShowWindow(FApp->Handle(), SW_MINIMIZE);
    ASSERT_TRUE(IsIconic(FApp->Handle()));
    Guard->ActivatePreviousInstance();
    EXPECT_TRUE(IsIconic(FApp->Handle()));
    // A second call searches for the now empty title; the own window has it and is still left alone.
    Guard->ActivatePreviousInstance();
    EXPECT_TRUE(IsIconic(FApp->Handle()));
}

TEST_F(GuardTest, ActivationDoesNothingWithoutAnotherCopyMarked)
{
    BecomeTheOnlyCopy();
    ShowWindow(sOther, SW_MINIMIZE);
    Guard->ActivatePreviousInstance();
    EXPECT_TRUE(IsIconic(sOther));
    EXPECT_EQ(OwnWindowText(), Title);
}

TEST_F(GuardTest, LoadedInASecondCopyActivatesTheFirstAndRequestsTermination)
{
    ShowWindow(sOther, SW_MINIMIZE);
    Guard->NotifyLoaded();
    EXPECT_FALSE(IsIconic(sOther));
    EXPECT_TRUE(FApp->Terminated());
    MSG msg;
    EXPECT_TRUE(PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_NOREMOVE)) << "the loop would not end";
}

TEST_F(GuardTest, DisabledOrOnlyCopyTheGuardDoesNothing)
{
    ShowWindow(sOther, SW_MINIMIZE);

    Guard->Enabled = false;
    Guard->NotifyLoaded();
    EXPECT_TRUE(IsIconic(sOther));
    EXPECT_FALSE(FApp->Terminated());
    EXPECT_EQ(OwnWindowText(), Title);

    delete Guard;
    Guard = nullptr;
    TSiOneInstance fresh(nullptr);
    BecomeTheOnlyCopy();
    fresh.NotifyLoaded();
    EXPECT_TRUE(IsIconic(sOther));
    EXPECT_FALSE(FApp->Terminated());
}

TEST_F(GuardTest, CustomModeCallsItsHandlerInsteadOfActivatingAndStillTerminates)
{
    ShowWindow(sOther, SW_MINIMIZE);
    std::vector<TObject*> senders;
    Guard->Mode = oiCustom;
    Guard->OnCustom = [&](TObject* sender) {
        senders.push_back(sender);
        EXPECT_FALSE(FApp->Terminated()) << "termination came before the handler";
    };
    Guard->NotifyLoaded();
    EXPECT_EQ(senders, std::vector<TObject*>{Guard});
    EXPECT_TRUE(IsIconic(sOther));
    EXPECT_EQ(OwnWindowText(), Title);
    EXPECT_TRUE(FApp->Terminated());
}

TEST_F(GuardTest, CustomModeWithoutAHandlerActivates)
{
    ShowWindow(sOther, SW_MINIMIZE);
    Guard->Mode = oiCustom;
    Guard->NotifyLoaded();
    EXPECT_FALSE(IsIconic(sOther));
    EXPECT_TRUE(FApp->Terminated());
}

// What the information box showed, and what had happened by then; filled from a timer inside its modal loop.
struct TBoxSeen {
    int Count = 0;
    std::string Caption;
    std::string Text;
    bool OtherStillMinimised = false;
    bool TerminatedAlready = false;
    HWND Other = nullptr;
};
TBoxSeen* gBoxSeen = nullptr;

BOOL CALLBACK CloseInformationBox(HWND w, LPARAM)
{
    char cls[32] = "", caption[64] = "", text[256] = "";
    GetClassNameA(w, cls, sizeof cls);
    if (std::string(cls) != "#32770" || !IsWindowVisible(w))
        return TRUE;
    GetWindowTextA(w, caption, sizeof caption);
    GetDlgItemTextA(w, 101, text, sizeof text);
    ++gBoxSeen->Count;
    gBoxSeen->Caption = caption;
    gBoxSeen->Text = text;
    gBoxSeen->OtherStillMinimised = IsIconic(gBoxSeen->Other) != FALSE;
    gBoxSeen->TerminatedAlready = Application->Terminated();
    PostMessageA(w, WM_COMMAND, IDOK, 0);
    return FALSE;
}

void CALLBACK InspectBox(HWND, UINT, UINT_PTR, DWORD)
{
    if (gBoxSeen->Count == 0)
        EnumThreadWindows(GetCurrentThreadId(), CloseInformationBox, 0);
}

TEST_F(GuardTest, DefaultMessageModeTellsTheUserFirstThenActivatesAndTerminates)
{
    ShowWindow(sOther, SW_MINIMIZE);
    TBoxSeen seen;
    seen.Other = sOther;
    gBoxSeen = &seen;
    const UINT_PTR timer = SetTimer(nullptr, 0, 50, InspectBox);
    Guard->Mode = oiDefaultMessage;
    Guard->NotifyLoaded();
    KillTimer(nullptr, timer);
    gBoxSeen = nullptr;

    EXPECT_EQ(seen.Count, 1);
    EXPECT_EQ(seen.Caption, "Bilgi");
    EXPECT_EQ(seen.Text, "\"" + Title + "\" was already started...");
    EXPECT_TRUE(seen.OtherStillMinimised) << "activated before the box was closed";
    EXPECT_FALSE(seen.TerminatedAlready);
    EXPECT_FALSE(IsIconic(sOther));
    EXPECT_TRUE(FApp->Terminated());
}

} // namespace
