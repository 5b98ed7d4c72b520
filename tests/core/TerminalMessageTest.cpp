// Which failure a user reads when the direct delivery and the terminal-services road both failed, and in what words.
#include <gtest/gtest.h>

#include "core/TerminalMessage.h"

namespace {

using F = TWinPopupFailure;
using O = TTerminalOutcome;

TEST(TerminalMessage, TheTitleNamesTheProgramAndTheSenderWithTheCodePageDash)
{
    EXPECT_EQ(TerminalMessageTitle("ÇAĞRI-PC"), "Varnel \x97 \xC7" "A\xD0RI-PC");
}

TEST(TerminalMessage, TheRoadsFailureIsReportedOnlyWhenItExplainsMore)
{
    struct Case {
        const char* What;
        F Direct;
        TTerminalResult Terminal;
        int32_t Code; // 0: the direct delivery's failure stands
        bool AdminLine;
    } cases[] = {
        {"access denied wins over a computer not found", F::RecipientUnresolved, {O::Refused, 5}, 5, true},
        {"a refused logon is access denied too", F::SessionRefused, {O::Refused, 1326}, 1326, true},
        {"nobody signed in wins", F::RecipientUnresolved, {O::NoActiveSession, 0}, kErrorNoActiveSession, false},
        {"remote calls refused by a desk that refused the session", F::SessionRefused, {O::Refused, 1722}, 1722, true},
        {"remote calls refused by a desk without NetBIOS", F::ConnectFailed, {O::Refused, 1722}, 1722, true},
        {"no RPC from a computer that is not there", F::RecipientUnresolved, {O::Refused, 1722}, 0, false},
        {"a receiver that refused the message says more than no RPC", F::MessageRefused, {O::Refused, 1722}, 0, false},
        {"no RPC from a receiver that broke off", F::ConnectionLost, {O::Refused, 1722}, 0, false},
        {"no RPC from a name whose port 139 stayed silent", F::ConnectTimedOut, {O::Refused, 1722}, 0, false},
        {"an unreachable network path says less", F::SessionRefused, {O::Refused, 53}, 0, false},
        {"the road ran out of time", F::SessionRefused, {O::TimedOut, 0}, 0, false},
        {"the road is not there", F::MessageRefused, {O::Skipped, 120}, 0, false},
    };
    for (const Case& c : cases) {
        const auto failure = TerminalFailureToReport(c.Direct, c.Terminal);
        EXPECT_EQ(failure ? failure->Code : 0, c.Code) << c.What;
        if (failure) {
            EXPECT_FALSE(failure->Reason.empty()) << c.What;
            EXPECT_EQ(!failure->AdminLine.empty(), c.AdminLine) << c.What;
        }
    }
}

TEST(TerminalMessage, TheAdministratorsLineNamesWhatToAllow)
{
    const auto rpc = TerminalFailureToReport(F::SessionRefused, {O::Refused, 1722});
    ASSERT_TRUE(rpc);
    EXPECT_NE(rpc->AdminLine.find("AllowRemoteRPC = 1"), std::string_view::npos);
    EXPECT_NE(rpc->AdminLine.find("ileti gönderme izni"), std::string_view::npos);
    const auto denied = TerminalFailureToReport(F::SessionRefused, {O::Refused, 5});
    ASSERT_TRUE(denied);
    EXPECT_NE(denied->AdminLine.find("ileti gönderme izni"), std::string_view::npos);
}

TEST(TerminalMessage, TheMessageHasOneLineEachAndLeavesTheLastFullStopToTheBox)
{
    const TTerminalFailure failure{5, "Neden", "Yönetici"};
    EXPECT_EQ(TerminalFailureMessage(failure, "Access is denied"), "Access is denied.\r\nNeden.\r\nYönetici");
    // Without words for the code, the reason comes first.
    EXPECT_EQ(TerminalFailureMessage(failure, ""), "Neden.\r\nYönetici");
    EXPECT_EQ(TerminalFailureMessage({7022, "Kimse yok", {}}, "Bulunamadı"), "Bulunamadı.\r\nKimse yok");
}

} // namespace
