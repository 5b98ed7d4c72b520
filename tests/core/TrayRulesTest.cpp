#include <gtest/gtest.h>

#include <string>

#include "core/TrayRules.h"

namespace {

TEST(TrayRulesTest, TheTipKeepsSixtyThreeCharactersAndItsTerminator)
{
    const std::string longHint(80, 'x');
    const TTrayTip tip = MakeTrayTip(longHint);
    EXPECT_EQ(std::string(tip.data()), std::string(63, 'x'));
    EXPECT_EQ(tip[63], '\0');
    const TTrayTip shortTip = MakeTrayTip("Varnel (Ağ Mesajlaşma)");
    EXPECT_EQ(std::string(shortTip.data()), "Varnel (Ağ Mesajlaşma)");
    EXPECT_EQ(shortTip.back(), '\0') << "the rest of the field is cleared";
}

TEST(TrayRulesTest, ThePictureFallsBackInOrder)
{
    EXPECT_EQ(ChooseTrayPicture(true, true), TTrayPicture::Current);
    EXPECT_EQ(ChooseTrayPicture(false, true), TTrayPicture::Application);
    EXPECT_EQ(ChooseTrayPicture(false, false), TTrayPicture::System);
}

TEST(TrayRulesTest, MouseMessagesMapToClicksDoubleClicksAndTheMenu)
{
    struct TCase {
        uint32_t Message; // WM_LBUTTONDOWN .. WM_MBUTTONDBLCLK as the platform numbers them
        TTrayMouseAction Action;
        TMouseButton Button;
    } const cases[] = {
        {0x201, TTrayMouseAction::Click, TMouseButton::mbLeft},
        {0x207, TTrayMouseAction::Click, TMouseButton::mbMiddle},
        {0x203, TTrayMouseAction::DoubleClick, TMouseButton::mbLeft},
        {0x206, TTrayMouseAction::DoubleClick, TMouseButton::mbRight},
        {0x209, TTrayMouseAction::DoubleClick, TMouseButton::mbMiddle},
        {0x204, TTrayMouseAction::Menu, TMouseButton::mbRight},
    };
    for (const TCase& c : cases) {
        const TTrayMouse mouse = ClassifyTrayMouse(c.Message);
        EXPECT_EQ(mouse.Action, c.Action) << std::hex << c.Message;
        EXPECT_EQ(mouse.Button, c.Button) << std::hex << c.Message;
    }
    for (uint32_t buttonUpOrMove : {0x200u, 0x202u, 0x205u, 0x208u})
        EXPECT_EQ(ClassifyTrayMouse(buttonUpOrMove).Action, TTrayMouseAction::Nothing) << std::hex << buttonUpOrMove;
}

TEST(TrayRulesTest, AMinimisedStartIsHiddenUntilTheOwnerIsSeenNormal)
{
    TTrayStartUpPhase phase;
    EXPECT_TRUE(phase.PlacementChanged(true));
    EXPECT_FALSE(phase.PlacementChanged(false));
    EXPECT_TRUE(phase.Over());
    EXPECT_FALSE(phase.PlacementChanged(true)) << "after a normal showing a minimised owner stays";

    TTrayStartUpPhase minimisedTwice;
    EXPECT_TRUE(minimisedTwice.PlacementChanged(true));
    EXPECT_TRUE(minimisedTwice.PlacementChanged(true));
    EXPECT_TRUE(minimisedTwice.Over()) << "two hidings end the phase";
    EXPECT_FALSE(minimisedTwice.PlacementChanged(true));
}

} // namespace
