// Checks the program's borderless windows share: where they open, and how a drag on their background moves them.
#pragma once
#include <gtest/gtest.h>

#include "Driver.h"

namespace e2e {

// A window without caption and sizing frame, of this outer size, centred on the screen.
inline void ExpectCentredBorderless(HWND window, int width, int height)
{
    const RECT r = WindowRect(window);
    EXPECT_EQ(r.right - r.left, width);
    EXPECT_EQ(r.bottom - r.top, height);
    EXPECT_EQ(r.left, (GetSystemMetrics(SM_CXSCREEN) - width) / 2);
    EXPECT_EQ(r.top, (GetSystemMetrics(SM_CYSCREEN) - height) / 2);
    EXPECT_EQ(GetWindowLongA(window, GWL_STYLE) & (WS_CAPTION | WS_THICKFRAME), 0);
}

// A drag on the background with the left and with the right button moves the window by the mouse's way, and
// the move ends with that button's release. `spot` is a background point in window coordinates (from the
// window's top-left corner).
inline void ExpectBackgroundDragMoves(HWND window, POINT spot, POINT by)
{
    for (const auto button : {TMouseButton::Left, TMouseButton::Right}) {
        SCOPED_TRACE(button == TMouseButton::Left ? "left" : "right");
        const RECT before = WindowRect(window);
        const POINT from{before.left + spot.x, before.top + spot.y};
        Drag(from, POINT{from.x + by.x, from.y + by.y}, button);
        EXPECT_TRUE(WaitUntil([&] {
            const RECT now = WindowRect(window);
            return now.left == before.left + by.x && now.top == before.top + by.y;
        }));
        // After the release the window no longer follows the mouse.
        const RECT dropped = WindowRect(window);
        SetCursorPos(dropped.left + 100, dropped.top + 100);
        Sleep(100);
        EXPECT_EQ(WindowRect(window).left, dropped.left);
        EXPECT_EQ(WindowRect(window).top, dropped.top);
    }
}

} // namespace e2e
