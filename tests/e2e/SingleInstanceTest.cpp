// Starting the program twice: the second start brings the running copy forward (restored when minimised, to the
// top when visible, left alone when hidden in the notification area) and ends without a word; other file names
// run beside it, other folders do not, and a start after the first copy has ended runs normally.
#include <gtest/gtest.h>

#include <string>

#include "Driver.h"
#include "DriverTarget.h"
#include "forms/main.h"

namespace {

using namespace e2e;

constexpr DWORD kSecondStartMs = 15000; // a whole start-up and shut-down under Wine

std::string OwnExe()
{
    char path[MAX_PATH];
    const DWORD n = GetModuleFileNameA(nullptr, path, MAX_PATH);
    return std::string(path, n < MAX_PATH ? n : 0);
}

// What a second start did while it ran.
struct TSecondStart {
    bool Ended = false;
    DWORD ExitCode = 0;
    bool ShowedMessageBox = false;
    bool ShowedMainWindow = false;
};

TSecondStart Watch(TProcess& second)
{
    TSecondStart seen;
    seen.Ended = WaitUntil(
        [&] {
            seen.ShowedMessageBox |= second.FindTopWindow("#32770", nullptr) != nullptr;
            seen.ShowedMainWindow |= second.FindTopWindow("TForm1", nullptr) != nullptr;
            return !second.IsRunning();
        },
        kSecondStartMs, 10);
    seen.ExitCode = second.ExitCode().value_or(STILL_ACTIVE);
    return seen;
}

void ExpectQuietEnd(const TSecondStart& seen)
{
    EXPECT_TRUE(seen.Ended) << "the second copy kept running";
    EXPECT_EQ(seen.ExitCode, 0u);
    EXPECT_FALSE(seen.ShowedMessageBox) << "the second copy showed a message box";
    EXPECT_FALSE(seen.ShowedMainWindow) << "the second copy showed its main window";
}

class SingleInstanceTest : public ::testing::Test {
protected:
    void SetUp() override { DeleteIniFile(); }
    void TearDown() override { DeleteIniFile(); }

    // Starts a copy and waits for its main window; returns the copy and its windows.
    struct TCopy {
        TProcess* Process = nullptr;
        HWND Main = nullptr;
        HWND AppWindow = nullptr;
    };
    TCopy Launch(const std::string& exe = "varnel.exe")
    {
        TCopy copy;
        TStartOptions options;
        options.Exe = exe;
        copy.Process = &Scenario.Start(options);
        copy.Main = copy.Process->WaitForTopWindow("TForm1", "Korvent Soft");
        EXPECT_NE(copy.Main, nullptr) << exe << ": the main window did not appear";
        copy.AppWindow = copy.Process->FindTopWindow("TApplication", "Varnel", false);
        EXPECT_NE(copy.AppWindow, nullptr) << exe;
        return copy;
    }

    // Starts a copy without waiting for any window of it: a second start is not meant to show one.
    TProcess& StartOnly(const std::string& exe = "varnel.exe")
    {
        TStartOptions options;
        options.Exe = exe;
        return Scenario.Start(options);
    }

    // Ends a copy the way the program ends: its application window is asked to close.
    static void Quit(const TCopy& copy)
    {
        PostMessageA(copy.AppWindow, WM_CLOSE, 0, 0);
        EXPECT_TRUE(copy.Process->WaitForExit(kSecondStartMs));
    }

    // A copy of the program (and the network library stand-in beside it) under another name or folder.
    std::string CopyProgram(const std::string& folder, const std::string& fileName)
    {
        CreateDirectoryA(folder.c_str(), nullptr);
        const std::string target = folder + "\\" + fileName;
        EXPECT_TRUE(CopyFileA("varnel.exe", target.c_str(), FALSE)) << target;
        EXPECT_TRUE(CopyFileA("netapi32.dll", (folder + "\\netapi32.dll").c_str(), FALSE));
        return target;
    }

    TScenario Scenario;
};

TEST_F(SingleInstanceTest, ASecondStartRestoresAMinimisedFirstCopyAndEndsQuietly)
{
    const TCopy first = Launch();
    ASSERT_NE(first.AppWindow, nullptr);
    PostSysCommand(first.AppWindow, SC_MINIMIZE); // what the task-bar entry does
    ASSERT_TRUE(WaitUntil([&] { return IsIconic(first.AppWindow) && !IsWindowVisible(first.Main); }));

    ExpectQuietEnd(Watch(StartOnly()));

    EXPECT_TRUE(WaitUntil([&] { return !IsIconic(first.AppWindow) && IsWindowVisible(first.Main); }))
        << "the first copy was not restored";
    EXPECT_EQ(Caption(first.AppWindow), "Varnel") << "the first copy's title changed";
    Quit(first);
}

TEST_F(SingleInstanceTest, ASecondStartBringsACoveredFirstCopyToTheTop)
{
    const TCopy first = Launch();
    TStartOptions options;
    options.Exe = OwnExe();
    options.Arguments = target::kSwitch;
    TProcess& coverProcess = Scenario.Start(options);
    HWND cover = coverProcess.WaitForTopWindow(target::kClass, target::kTitle);
    ASSERT_NE(cover, nullptr);
    ASSERT_TRUE(WaitUntil([&] { return IsAbove(cover, first.Main); })) << "the other window does not cover it";

    ExpectQuietEnd(Watch(StartOnly()));

    EXPECT_TRUE(WaitUntil([&] { return IsAbove(first.Main, cover); })) << "the first copy stayed below";
    EXPECT_TRUE(IsWindowVisible(first.Main));
    EXPECT_FALSE(IsIconic(first.AppWindow));
    Quit(first);
}

TEST_F(SingleInstanceTest, ASecondStartLeavesAFirstCopyHiddenInTheNotificationAreaHidden)
{
    const TCopy first = Launch();
    Click(FindChildById(first.Main, idBtn_Kucult));
    ASSERT_TRUE(WaitUntil([&] { return !IsWindowVisible(first.Main) && !IsWindowVisible(first.AppWindow); }))
        << "the program did not go to the notification area";

    ExpectQuietEnd(Watch(StartOnly()));

    // Give a wrongly shown window the time to appear before concluding it stays hidden.
    EXPECT_FALSE(WaitUntil([&] { return IsWindowVisible(first.Main) || IsWindowVisible(first.AppWindow); }, 1000));
    EXPECT_TRUE(first.Process->IsRunning());
    Quit(first);
}

TEST_F(SingleInstanceTest, ACopyUnderAnotherFileNameRunsBesideTheFirst)
{
    const TCopy first = Launch();
    const TCopy other = Launch(CopyProgram(Scenario.PathOf("kopya"), "varnel-kopya.exe"));
    ASSERT_NE(other.Main, nullptr);
    EXPECT_FALSE(WaitUntil([&] { return !other.Process->IsRunning() || !first.Process->IsRunning(); }, 1500));
    EXPECT_TRUE(IsWindowVisible(first.Main));
    EXPECT_TRUE(IsWindowVisible(other.Main));
    Quit(other);
    Quit(first);
}

TEST_F(SingleInstanceTest, ACopyUnderTheSameNameInAnotherFolderEndsLikeASecondStart)
{
    const TCopy first = Launch();
    ExpectQuietEnd(Watch(StartOnly(CopyProgram(Scenario.PathOf("baska"), "varnel.exe"))));
    EXPECT_TRUE(first.Process->IsRunning());
    EXPECT_TRUE(IsWindowVisible(first.Main));
    Quit(first);
}

TEST_F(SingleInstanceTest, AStartAfterTheFirstCopyHasEndedRunsNormally)
{
    const TCopy first = Launch();
    Quit(first);
    ASSERT_FALSE(first.Process->IsRunning());

    const TCopy again = Launch();
    ASSERT_NE(again.Main, nullptr);
    EXPECT_FALSE(WaitUntil([&] { return !again.Process->IsRunning(); }, 1500)) << "the later start ended";
    EXPECT_TRUE(IsWindowVisible(again.Main));
    EXPECT_EQ(again.Process->FindTopWindow("#32770", nullptr), nullptr);
    Quit(again);
}

} // namespace
