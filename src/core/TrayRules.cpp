// The notification icon's record contents, mouse messages and start-up phase.
#include "core/TrayRules.h"

#include <algorithm>

namespace {
// The platform's mouse message numbers as the icon's callback passes them.
constexpr uint32_t kLeftDown = 0x201, kLeftDouble = 0x203, kRightDown = 0x204, kRightDouble = 0x206;
constexpr uint32_t kMiddleDown = 0x207, kMiddleDouble = 0x209;
}

TTrayTip MakeTrayTip(const std::string& hint)
{
    TTrayTip tip{};
    std::copy_n(hint.begin(), std::min(hint.size(), kTrayTipSize - 1), tip.begin());
    return tip;
}

TTrayPicture ChooseTrayPicture(bool hasCurrent, bool hasApplication)
{
    if (hasCurrent)
        return TTrayPicture::Current;
    return hasApplication ? TTrayPicture::Application : TTrayPicture::System;
}

TTrayMouse ClassifyTrayMouse(uint32_t mouseMessage)
{
    static constexpr struct {
        uint32_t Message;
        TTrayMouse Mouse;
    } kMeanings[] = {
        {kLeftDown, {TTrayMouseAction::Click, TMouseButton::mbLeft}},
        {kMiddleDown, {TTrayMouseAction::Click, TMouseButton::mbMiddle}},
        {kLeftDouble, {TTrayMouseAction::DoubleClick, TMouseButton::mbLeft}},
        {kRightDouble, {TTrayMouseAction::DoubleClick, TMouseButton::mbRight}},
        {kMiddleDouble, {TTrayMouseAction::DoubleClick, TMouseButton::mbMiddle}},
        {kRightDown, {TTrayMouseAction::Menu, TMouseButton::mbRight}},
    };
    for (const auto& meaning : kMeanings)
        if (meaning.Message == mouseMessage)
            return meaning.Mouse;
    return {};
}

bool TTrayStartUpPhase::PlacementChanged(bool minimised)
{
    if (Over())
        return false;
    if (!minimised) {
        FCounter = 2;
        return false;
    }
    ++FCounter;
    return true;
}
