// The start-up sequence: which failure ends the program and which one it runs on without.
#include "app/StartUp.h"

#include <memory>

#include "forms/f_Toplu.h"
#include "forms/f_history.h"
#include "forms/main.h"
#include "toolkit/Application.h"

TStartUpWindows ProgramWindows()
{
    // The texts sent in this run belong to the program: the main window records them, the history window shows them.
    auto history = std::make_shared<TSendHistory>(SameEntryText);
    return {
        [history](TApplication& application) {
            application.CreateForm(Form1);
            Form1->History = history;
            // Resolved once: the Windows directory does not move while the program runs.
            ReadWindowsDirectory();
            Form1->Settings = std::make_shared<TSettingsStore>(SettingsFilePath());
        },
        [history](TApplication& application) {
            application.CreateForm(Frm_History);
            Frm_History->ShowHistory(history);
            Frm_History->SetMainWindow(Form1);
        },
        [](TApplication& application) {
            application.CreateForm(Frm_Toplu);
            Frm_Toplu->SetMainWindow(Form1);
        },
    };
}

int RunProgram(TApplication& application, const TStartUpWindows& windows)
{
    try {
        application.Initialize();
        application.SetTitle("Varnel");
        windows.MainWindow(application);
    } catch (...) {
        // Running a loop without a window would leave an invisible copy that holds the single-copy marker.
        application.HandleException(&application);
        return kExitStartUpFailed;
    }
    // The windows that are not shown at start-up are built once the main window is on the screen (they took a
    // third of the time to it), still before the first click or key is handled.
    application.Run([&] {
        for (const TWindowBuilder* build : {&windows.History, &windows.BulkPicker}) {
            try {
                (*build)(application);
            } catch (...) {
                application.HandleException(&application);
            }
        }
    });
    return 0;
}
