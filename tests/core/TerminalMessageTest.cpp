// Which failure a user reads when the direct delivery and the terminal-services road both failed, and in what words.
#include <gtest/gtest.h>

#include <utility>
#include <vector>

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
        bool AskTheAdministrator;
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
        {"a code without a refusal", F::SessionRefused, {O::TimedOut, 5}, 0, false},
        {"the road is not there", F::MessageRefused, {O::Skipped, 120}, 0, false},
    };
    for (const Case& c : cases) {
        const auto failure = TerminalFailureToReport(c.Direct, c.Terminal);
        EXPECT_EQ(failure ? failure->Code : 0, c.Code) << c.What;
        if (failure) {
            EXPECT_FALSE(failure->Reason.empty()) << c.What;
            EXPECT_EQ(failure->Next.find("yöneticisinden") != std::string::npos, c.AskTheAdministrator) << c.What;
        }
    }
}

TEST(TerminalMessage, EveryCodeOfARefusalIsReportedWithItsReason)
{
    // Access denied, logon failure, logon type not granted, station access denied: the recipient said no.
    const auto denied = TerminalFailureToReport(F::RecipientUnresolved, {O::Refused, 5});
    // Unknown interface, server unavailable, call failed (twice), endpoint not registered, from a desk without
    // NetBIOS: no remote calls.
    const auto noCalls = TerminalFailureToReport(F::ConnectFailed, {O::Refused, 1722});
    ASSERT_TRUE(denied && noCalls);
    EXPECT_NE(denied->Reason, noCalls->Reason);
    const std::pair<std::vector<uint32_t>, TSendFailure> lists[] = {
        {{1326, 1385, 7045}, *denied}, {{1717, 1726, 1727, 1753}, *noCalls}};
    for (const auto& [codes, expected] : lists) {
        for (uint32_t code : codes) {
            const auto failure = TerminalFailureToReport(F::ConnectFailed, {O::Refused, code});
            ASSERT_TRUE(failure) << code;
            EXPECT_EQ(failure->Code, static_cast<int32_t>(code));
            EXPECT_EQ(failure->Reason, expected.Reason) << code;
        }
    }
}

TEST(TerminalMessage, WhereTheAdministratorMustAllowItTheBoxSaysWhomToAskAndNamesNoSetting)
{
    for (const TTerminalResult result : {TTerminalResult{O::Refused, 1722}, TTerminalResult{O::Refused, 5}}) {
        const auto failure = TerminalFailureToReport(F::SessionRefused, result);
        ASSERT_TRUE(failure);
        EXPECT_NE(failure->Next.find("yöneticisinden"), std::string::npos) << result.Code;
        EXPECT_NE(failure->Next.find("BENİOKU"), std::string::npos) << result.Code;
        EXPECT_EQ(failure->Next.find("AllowRemoteRPC"), std::string::npos) << result.Code;
    }
}

} // namespace
