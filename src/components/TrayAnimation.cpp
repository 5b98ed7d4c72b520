// The tray icon's animation timer and picture cycle.
#include "components/TrayAnimation.h"

#include "toolkit/ExtCtrls.h"

bool TTrayAnimation::Start(HWND window, int32_t interval)
{
    if (FRunning)
        return true;
    const UINT period = interval > 0 ? static_cast<UINT>(interval) : kZeroIntervalPeriod;
    if (!SetTimer(window, kTimerId, period, nullptr))
        return false;
    FRunning = true;
    return true;
}

void TTrayAnimation::Stop(HWND window)
{
    if (!FRunning)
        return;
    if (window)
        KillTimer(window, kTimerId);
    FRunning = false;
}

HICON TTrayAnimation::NextPicture(const TImageList& images)
{
    const int count = images.Count();
    if (count <= 0)
        return nullptr;
    if (FIndex >= count)
        FIndex = 0;
    HICON picture = images.GetIcon(FIndex);
    FIndex = (FIndex + 1) % count;
    return picture;
}
