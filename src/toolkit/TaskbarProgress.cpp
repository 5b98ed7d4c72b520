// The task-bar progress through ITaskbarList3, asked for at run time: older systems answer no and are left alone.
#include "toolkit/TaskbarProgress.h"

#include <objbase.h>
#include <shobjidl.h>

// Asked for at the first progress shown, not at start-up: creating it loads the shell's task-bar code.
ITaskbarList3* TTaskbarProgress::Taskbar()
{
    if (FAsked)
        return FTaskbar;
    FAsked = true;
    ITaskbarList3* taskbar = nullptr;
    if (FAILED(CoCreateInstance(CLSID_TaskbarList, nullptr, CLSCTX_INPROC_SERVER, IID_ITaskbarList3,
            reinterpret_cast<void**>(&taskbar))) || !taskbar)
        return nullptr;
    if (FAILED(taskbar->HrInit())) {
        taskbar->Release();
        return nullptr;
    }
    FTaskbar = taskbar;
    return FTaskbar;
}

TTaskbarProgress::~TTaskbarProgress()
{
    if (FTaskbar)
        FTaskbar->Release();
}

void TTaskbarProgress::Show(HWND window, unsigned done, unsigned total)
{
    if (!window)
        return;
    if (total == 0) {
        Clear(window);
        return;
    }
    ITaskbarList3* taskbar = Taskbar();
    if (!taskbar)
        return;
    taskbar->SetProgressState(window, TBPF_NORMAL);
    taskbar->SetProgressValue(window, done, total);
}

void TTaskbarProgress::Clear(HWND window)
{
    if (FTaskbar && window)
        FTaskbar->SetProgressState(window, TBPF_NOPROGRESS);
}
