// The start-up sequence and the run of the program, with each start-up window's builder replaceable by tests.
#pragma once
#include <functional>

class TApplication;

// Builds one start-up window owned by the application (and stores it in its global); raises when it cannot.
using TWindowBuilder = std::function<void(TApplication&)>;

struct TStartUpWindows {
    TWindowBuilder MainWindow;   // Form1
    TWindowBuilder History;      // Frm_History, whose list the send command records into
    TWindowBuilder BulkPicker;   // Frm_Toplu
};

// The program's own builders.
TStartUpWindows ProgramWindows();

constexpr int kExitStartUpFailed = 1;

// Initialises and titles the application, builds and shows the main window, builds the other start-up windows
// and runs the message loop; returns the process's exit code. Without a main window there is nothing to run: the
// error is shown and the program ends with kExitStartUpFailed. Another window that cannot be built is reported and the program runs without it; the
// commands that open it then answer with an error box.
int RunProgram(TApplication& application, const TStartUpWindows& windows);
