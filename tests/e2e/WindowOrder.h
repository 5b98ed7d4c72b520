// The order of top-level windows, shared by the end-to-end driver and the tests of the single-copy guard.
#pragma once
#include <windows.h>

namespace e2e {

// Whether `upper` lies above `lower` in the order of top-level windows.
inline bool IsAbove(HWND upper, HWND lower)
{
    for (HWND w = GetTopWindow(nullptr); w; w = GetWindow(w, GW_HWNDNEXT)) {
        if (w == upper)
            return true;
        if (w == lower)
            return false;
    }
    return false;
}

} // namespace e2e
