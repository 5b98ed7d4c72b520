// A press on a window's background that may become a move: the pointer has to leave a small box around the press
// before the window follows it; a release inside the box was a click.
#pragma once
#include <optional>

struct TScreenPoint {
    int X = 0;
    int Y = 0;
};

enum class TGestureEnd { None, Click, Drag };

class TDragGesture {
public:
    // slopX, slopY: how far the pointer may wander (either way) and the press still count as a click.
    TDragGesture(int slopX, int slopY) : FSlopX(slopX), FSlopY(slopY) {}

    void Press(TScreenPoint at);
    bool Pressed() const { return FPressed; }
    // The way the window has to go from where it stood at the press; nothing while the gesture is still a click.
    std::optional<TScreenPoint> Move(TScreenPoint at);
    // Ends the gesture at the release point: a click, a drag, or nothing when no press was under way.
    TGestureEnd Release(TScreenPoint at);
    // Ends the gesture without a click (the capture was lost, or the user put the window back).
    void Cancel() { FPressed = FDragging = false; }

private:
    int FSlopX;
    int FSlopY;
    bool FPressed = false;
    bool FDragging = false;
    TScreenPoint FStart;
};
