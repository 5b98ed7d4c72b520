// The click-or-move decision of a background press.
#include "core/DragGesture.h"

#include <cstdlib>

void TDragGesture::Press(TScreenPoint at)
{
    FPressed = true;
    FDragging = false;
    FStart = at;
}

std::optional<TScreenPoint> TDragGesture::Move(TScreenPoint at)
{
    if (!FPressed)
        return std::nullopt;
    const TScreenPoint way{at.X - FStart.X, at.Y - FStart.Y};
    FDragging = FDragging || std::abs(way.X) > FSlopX || std::abs(way.Y) > FSlopY;
    if (!FDragging)
        return std::nullopt;
    return way;
}

TGestureEnd TDragGesture::Release(TScreenPoint at)
{
    if (!FPressed)
        return TGestureEnd::None;
    Move(at);
    const TGestureEnd end = FDragging ? TGestureEnd::Drag : TGestureEnd::Click;
    Cancel();
    return end;
}
