// The check every movable borderless window shares: a drag on its background with the left and with the right
// button moves it by the mouse's way, and the move ends with that button's release.
#pragma once
#include <gtest/gtest.h>

#include "Driver.h"

namespace e2e {

// `spot` is a background point in window coordinates (from the window's top-left corner).
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
