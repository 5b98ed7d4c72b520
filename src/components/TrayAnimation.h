// The tray icon's animation: a timer on the icon's hidden window, and the list picture it shows next.
#pragma once
#include <windows.h>

#include <cstdint>

class TImageList;

class TTrayAnimation {
public:
    static constexpr UINT_PTR kTimerId = 1;
    static constexpr UINT kZeroIntervalPeriod = 200; // the step when the interval is 0 or less

    bool Running() const { return FRunning; }
    // Starts the timer on `window` at `interval` milliseconds (0 or less: kZeroIntervalPeriod); false with the
    // platform's error in GetLastError when it refuses. Starting a running animation changes nothing.
    bool Start(HWND window, int32_t interval);
    void Stop(HWND window);
    // The next picture of the list, from the first again after the last (a shorter list starts over); the caller
    // owns it. Null when the list is empty.
    HICON NextPicture(const TImageList& images);

private:
    bool FRunning = false;
    int FIndex = 0;
};
