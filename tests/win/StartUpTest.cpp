// The start-up sequence with a window that cannot be built: without the main window the program ends after the
// error box; without another window it runs on, and the command that needs that window answers with an error.
#include "app/StartUp.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/Exceptions.h"
#include "forms/f_Toplu.h"
#include "forms/f_history.h"
#include "core/ProgramTexts.h"
#include "forms/main.h"
#include "toolkit/Application.h"

namespace {

TWindowBuilder CannotBuild(const std::string& name)
{
    return [name](TApplication&) { throw Exception(WindowNotCreatedText(name, ERROR_NOT_ENOUGH_MEMORY)); };
}

class StartUpTest : public ::testing::Test {
protected:
    // The application destroys the windows; their globals must not outlive it into the next test.
    void SetUp() override { Forget(); }
    void TearDown() override { Forget(); }
    static void Forget()
    {
        Form1 = nullptr;
        Frm_History = nullptr;
        Frm_Toplu = nullptr;
    }
};

TEST_F(StartUpTest, WithoutTheMainWindowTheErrorIsShownAndTheProgramEndsWithAFailure)
{
    std::vector<std::string> errors;
    int laterWindows = 0;
    {
        TApplication application;
        application.OnShowException = [&](const std::string& text) { errors.push_back(text); };
        TStartUpWindows windows = ProgramWindows();
        windows.MainWindow = CannotBuild("Form1");
        windows.History = windows.BulkPicker = [&](TApplication&) { ++laterWindows; };
        // Should the loop run after all, this ends it rather than the test's time.
        PostQuitMessage(0);
        EXPECT_EQ(RunProgram(application, windows), kExitStartUpFailed);
        MSG quit;
        EXPECT_TRUE(PeekMessageA(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) << "the message loop ran";
        EXPECT_EQ(application.MainForm(), nullptr);
    }
    EXPECT_EQ(errors, std::vector<std::string>{"Windows, Varnel'in bir penceresini (Form1) açamadı.\r\n"
                                               "Açık programlardan birkaçını kapatın ve yeniden deneyin.\r\n"
                                               "(hata kodu 8)"});
    EXPECT_EQ(laterWindows, 0);
}

// Clicks the button of the missing window once the loop runs, then ends the program.
struct TClickThenEnd {
    static inline HWND Button = nullptr;
    static void CALLBACK Tick(HWND, UINT, UINT_PTR id, DWORD)
    {
        KillTimer(nullptr, id);
        SendMessageA(Button, BM_CLICK, 0, 0);
        Application->Terminate();
    }
};

TEST_F(StartUpTest, WithoutAnotherWindowTheProgramRunsAndItsCommandSaysWhyItCannotOpen)
{
    const struct {
        const char* Window;
        bool History;
        const char* Answer;
    } cases[] = {
        {"Frm_History", true, "Geçmiş penceresi açılamıyor: program başlarken oluşturulamadı.\r\n"
                              "Varnel'i kapatıp yeniden başlatın."},
        {"Frm_Toplu", false, "Toplu gönderim penceresi açılamıyor: program başlarken oluşturulamadı.\r\n"
                             "Varnel'i kapatıp yeniden başlatın."},
    };
    for (const auto& c : cases) {
        Forget();
        std::vector<std::string> errors;
        TApplication application;
        application.OnShowException = [&](const std::string& text) { errors.push_back(text); };
        TStartUpWindows windows = ProgramWindows();
        (c.History ? windows.History : windows.BulkPicker) = CannotBuild(c.Window);
        windows.MainWindow = [&, buildMain = windows.MainWindow](TApplication& app) {
            buildMain(app);
            TClickThenEnd::Button =
                GetDlgItem(GetDlgItem(Form1->Handle(), idPanel1), c.History ? idBtn_History : idBtn_Toplu);
            SetTimer(nullptr, 0, 10, TClickThenEnd::Tick);
        };
        EXPECT_EQ(RunProgram(application, windows), 0) << c.Window;
        MSG quit; // the end of the program's loop leaves its quit message for the next case's loop
        PeekMessageA(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE);
        EXPECT_EQ(errors, (std::vector<std::string>{WindowNotCreatedText(c.Window, ERROR_NOT_ENOUGH_MEMORY), c.Answer}));
        EXPECT_EQ(application.MainForm(), Form1) << c.Window;
        // The window that could be built is there; the program records its history with or without the window,
        // and the window, when there, shows what is recorded.
        EXPECT_EQ(Frm_History != nullptr, !c.History) << c.Window;
        EXPECT_EQ(Frm_Toplu != nullptr, c.History) << c.Window;
        EXPECT_TRUE(Form1->History->Record("Toplantı")) << c.Window;
        if (Frm_History)
            EXPECT_EQ(Frm_History->LB_History->Items().Get(0), "Toplantı");
    }
}

} // namespace
