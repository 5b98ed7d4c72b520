// The task-bar progress through ITaskbarList3, asked for at run time: older systems answer no and are left alone.
#include "toolkit/TaskbarProgress.h"

#include <objbase.h>
#include <shobjidl.h>

TTaskbarProgress::TTaskbarProgress()
{
    ITaskbarList3* taskbar = nullptr;
    if (FAILED(CoCreateInstance(CLSID_TaskbarList, nullptr, CLSCTX_INPROC_SERVER, IID_ITaskbarList3,
            reinterpret_cast<void**>(&taskbar))) || !taskbar)
        return;
    if (FAILED(taskbar->HrInit())) {
        taskbar->Release();
        return;
    }
    FTaskbar = taskbar;
}

TTaskbarProgress::~TTaskbarProgress()
{
    if (FTaskbar)
        FTaskbar->Release();
}

void TTaskbarProgress::Show(HWND window, unsigned done, unsigned total)
{
    if (!FTaskbar || !window)
        return;
    if (total == 0) {
        Clear(window);
        return;
    }
    FTaskbar->SetProgressState(window, TBPF_NORMAL);
    FTaskbar->SetProgressValue(window, done, total);
}

void TTaskbarProgress::Clear(HWND window)
{
    if (FTaskbar && window)
        FTaskbar->SetProgressState(window, TBPF_NOPROGRESS);
}
