// A bounded wait that lets WM_PAINT through and nothing else from the queue.
#include "toolkit/PaintingWait.h"

bool WaitWhilePainting(HANDLE object, DWORD timeoutMs)
{
    const DWORD start = GetTickCount();
    for (;;) {
        const DWORD spent = GetTickCount() - start; // unsigned: right across the 49-day wrap
        const DWORD left = spent < timeoutMs ? timeoutMs - spent : 0;
        const DWORD woke = MsgWaitForMultipleObjects(1, &object, FALSE, left, QS_PAINT);
        if (woke == WAIT_OBJECT_0)
            return true;
        if (woke != WAIT_OBJECT_0 + 1)
            return false;
        MSG msg;
        while (PeekMessageA(&msg, nullptr, WM_PAINT, WM_PAINT, PM_REMOVE))
            DispatchMessageA(&msg);
        if (left == 0)
            return WaitForSingleObject(object, 0) == WAIT_OBJECT_0;
    }
}
