// The notification icon's decisions that need no window: the record's tip and picture, what a mouse message on
// the icon asks for, and the start-up phase in which a minimised first showing is hidden.
#pragma once
#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

#include "core/MouseButton.h"

// The first-version record holds 64 bytes of tip, its terminating NUL included.
inline constexpr size_t kTrayTipSize = 64;
using TTrayTip = std::array<char, kTrayTipSize>;

// The hint cut to what the field holds (63 characters), NUL-terminated, the rest of the field zero.
TTrayTip MakeTrayTip(const std::string& hint);

// Which picture the record carries: the icon's own, else the application's, else the platform's standard one.
enum class TTrayPicture { Current, Application, System };
TTrayPicture ChooseTrayPicture(bool hasCurrent, bool hasApplication);

// What the icon's callback reports (the mouse message numbers of the platform) asks for.
enum class TTrayMouseAction { Nothing, Click, DoubleClick, Menu };
struct TTrayMouse {
    TTrayMouseAction Action = TTrayMouseAction::Nothing;
    TMouseButton Button = TMouseButton::mbLeft;
};
TTrayMouse ClassifyTrayMouse(uint32_t mouseMessage);

// Until the owner has once been seen in its normal state, a position change that finds it minimised hides it
// (at most twice); afterwards nothing is hidden and a restore also un-minimises it.
class TTrayStartUpPhase {
public:
    // True when the owner, minimised at this position change, is to be hidden.
    bool PlacementChanged(bool minimised);
    bool Over() const { return FCounter >= 2; }
    uint8_t Counter() const { return FCounter; }

private:
    uint8_t FCounter = 0;
};
