// Moving a borderless form by its background: the left button hands the move to the platform as if the title bar
// were dragged; the right and middle buttons move it under the mouse capture until their release, and a release
// that never left the press's small box is an ordinary click (a right click then asks for the context menu).
#pragma once
#include <windows.h>

#include "core/DragGesture.h"

class TBackgroundDrag {
public:
    TBackgroundDrag();

    // A mouse message of a background control; true when the drag used it up (the control does nothing more).
    // The window that moves is the background's top-level window.
    bool MouseMessage(HWND background, UINT msg);
    // Escape during a drag puts the form back where the press found it; true when a drag was under way.
    bool PutBack(HWND form);

private:
    void Follow(HWND form);

    TDragGesture FGesture;
    UINT FReleaseMessage = 0;
    RECT FOrigin{};
};
