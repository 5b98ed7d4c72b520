// Progress on a window's task-bar button, where the platform has it (Windows 7 on); elsewhere nothing happens.
#pragma once
#include <windows.h>

struct ITaskbarList3;

class TTaskbarProgress {
public:
    // Looks for the task-bar interface at run time; COM must be initialised on this thread.
    TTaskbarProgress();
    ~TTaskbarProgress();
    TTaskbarProgress(const TTaskbarProgress&) = delete;
    TTaskbarProgress& operator=(const TTaskbarProgress&) = delete;

    bool Available() const { return FTaskbar != nullptr; }
    // Shows done of total on the button of `window`; total 0 shows nothing.
    void Show(HWND window, unsigned done, unsigned total);
    void Clear(HWND window);

private:
    ITaskbarList3* FTaskbar = nullptr;
};
