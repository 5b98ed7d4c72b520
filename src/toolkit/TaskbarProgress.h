// Progress on a window's task-bar button, where the platform has it (Windows 7 on); elsewhere nothing happens.
#pragma once
#include <windows.h>

struct ITaskbarList3;

class TTaskbarProgress {
public:
    // The task-bar interface is looked for at run time, at the first progress shown; COM must be initialised on
    // this thread by then.
    TTaskbarProgress() = default;
    ~TTaskbarProgress();
    TTaskbarProgress(const TTaskbarProgress&) = delete;
    TTaskbarProgress& operator=(const TTaskbarProgress&) = delete;

    // Shows done of total on the button of `window`; total 0 shows nothing.
    void Show(HWND window, unsigned done, unsigned total);
    void Clear(HWND window);

private:
    ITaskbarList3* Taskbar();

    ITaskbarList3* FTaskbar = nullptr;
    bool FAsked = false;
};
