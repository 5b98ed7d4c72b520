// The screen's cursor table: controls name their mouse cursor by number, programs register their own cursors.
#pragma once
#include <windows.h>

// The window class's own cursor (normally the arrow).
inline constexpr int crDefault = 0;

namespace Screen {
// Registers (or replaces) the cursor shown for number `id`; a null cursor removes the entry.
void SetCursor(int id, HCURSOR cursor);
// The cursor registered for `id`, or null (the class cursor then applies).
HCURSOR Cursor(int id);
}

// Shows `cursor` for a WM_SETCURSOR in the client area; false when the default handling should run.
bool ApplyCursor(int cursor, LPARAM hitTestAndMessage);
