// Direct delivery through Winsock against loopback peers, and when the sender takes that road at all.
#include <winsock2.h>
#include <windows.h>
#include <lm.h>

#include <gtest/gtest.h>

#include <string>

#include "../e2e/standin/StandinProtocol.h"
#include "SendAsTheWindow.h"
#include "StandinFiles.h"
#include "WinPopupPeers.h"
#include "net/WinPopup.h"
#include "net/WsNetMsg.h"
#include "core/WinPopupFailure.h"

namespace {

using peers::TBytes;
using peers::TNameResponder;
using peers::TReceiver;

std::string Bytes(const TBytes& b, size_t from, size_t count) { return std::string(b.begin() + from, b.begin() + from + count); }

// Every test keeps its packets on loopback: no DNS, name queries to its own responder or to a silent port.
class WinPopupTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        FSaved = WinPopupNetwork();
        TWinPopupNetwork& n = WinPopupNetwork();
        n.PlatformResolver = false;
        n.NameQueryAddress = "127.0.0.1";
        n.NameQueryPort = peers::UnusedPort();
        n.SessionPort = peers::UnusedPort();
    }
    void TearDown() override { WinPopupNetwork() = FSaved; }

    // Delivers and returns the error code (0 for success) and how long it took.
    int32_t Deliver(const std::string& from, const std::string& to, const std::string& text, DWORD& elapsedMs)
    {
        const DWORD start = GetTickCount();
        int32_t code = 0;
        FProblem.clear();
        if (const std::optional<TWinPopupFault> fault = TryDeliverWinPopup(from, to, text)) {
            FProblem = fault->Problem;
            try {
                RaiseWinPopupFailure(to, fault->Failure);
            } catch (const EWsNetException& e) {
                code = e.ErrorCode();
                FMessage = e.Message();
            }
        }
        elapsedMs = GetTickCount() - start;
        return code;
    }

    TWinPopupNetwork FSaved;
    std::string FMessage; // of the last failed delivery
    std::string FProblem; // what went wrong there, in words
};

TEST_F(WinPopupTest, ReachesAReceiverFoundByNameQueryWithOemNamesAndText)
{
    ASSERT_EQ(GetOEMCP(), 857u) << "the tests expect the Turkish OEM code page";
    TNameResponder names({"\x9E\x9A" "KR\x9A" "-PC"}); // ŞÜKRÜ-PC in cp857
    TReceiver receiver(TReceiver::TMode::Receive);
    WinPopupNetwork().NameQueryPort = names.Port();
    WinPopupNetwork().SessionPort = receiver.Port();

    DWORD elapsed = 0;
    ASSERT_EQ(Deliver(" çağrı-pc", "şükrü-pc ", "Öğle yemeği\r\nsaat 12:30", elapsed), 0) << FProblem;
    const auto packets = receiver.Packets();
    ASSERT_EQ(packets.size(), 4u); // session request, start, one block, end
    EXPECT_EQ(TBytes(packets[0].begin() + 4, packets[0].begin() + 38), peers::EncodedName("\x9E\x9A" "KR\x9A" "-PC", 3));
    EXPECT_EQ(TBytes(packets[0].begin() + 38, packets[0].end()), peers::EncodedName("\x80" "A\xA6" "RI-PC", 0));
    EXPECT_EQ(Bytes(packets[1], 4 + 35, packets[1].size() - 39),
        std::string("\x04\x80" "A\xA6" "RI-PC\0\x04\x9E\x9A" "KR\x9A" "-PC\0", 20));
    EXPECT_EQ(Bytes(packets[2], 4 + 40, packets[2].size() - 44), "\x99\xA7le yeme\xA7i\r\nsaat 12:30");
    EXPECT_EQ(packets[3][8], 0xD6);
}

TEST_F(WinPopupTest, FailuresReportTheirCodeWithinTheBound)
{
    struct Case {
        const char* What;
        TReceiver::TMode Mode;
        bool Listening;
        bool Known;
        uint32_t TotalMs;
        int32_t Code;
        TWinPopupFailure Reason;
        DWORD AtLeastMs, AtMostMs;
    } cases[] = {
        // The name query asks three times over 1.5 s, then gives up.
        {"nobody answers the name query", TReceiver::TMode::Receive, true, false, 10000, 2273,
            TWinPopupFailure::RecipientUnresolved, 1300, 2500},
        {"nothing listens on the session port", TReceiver::TMode::Receive, false, true, 10000, 2273,
            TWinPopupFailure::ConnectFailed, 0, 1500},
        {"the receiver hangs up after the session", TReceiver::TMode::HangUpAfterSession, true, true, 10000, 2136,
            TWinPopupFailure::ConnectionLost, 0, 1500},
        // Waiting for a reply may give up to 0.2 s before the bound, never after it.
        {"the receiver never answers", TReceiver::TMode::Silent, true, true, 1500, 2136, TWinPopupFailure::TimedOut,
            1200, 1700},
    };
    for (const auto& c : cases) {
        TNameResponder names({"BOB"});
        TReceiver receiver(c.Mode);
        WinPopupNetwork().NameQueryPort = c.Known ? names.Port() : peers::UnusedPort();
        WinPopupNetwork().SessionPort = c.Listening ? receiver.Port() : peers::UnusedPort();
        WinPopupNetwork().TotalTimeoutMs = c.TotalMs;
        DWORD elapsed = 0;
        EXPECT_EQ(Deliver("ALICE", "bob", "merhaba", elapsed), c.Code) << c.What << ": " << FProblem;
        EXPECT_EQ(FMessage, DirectDeliveryBox("bob", c.Reason)) << c.What;
        EXPECT_GE(elapsed, c.AtLeastMs) << c.What;
        EXPECT_LE(elapsed, c.AtMostMs) << c.What;
    }
}

TEST_F(WinPopupTest, AnEmptyRecipientIsRefusedWithoutTouchingTheNetwork)
{
    TNameResponder names({""});
    WinPopupNetwork().NameQueryPort = names.Port();
    DWORD elapsed = 0;
    EXPECT_EQ(Deliver("ALICE", " \t ", "merhaba", elapsed), 2273);
    EXPECT_EQ(names.Queries(), 0);
}

TEST_F(WinPopupTest, AMistypedNameQueryAddressFailsInsteadOfBroadcasting)
{
    WinPopupNetwork().NameQueryAddress = "127.0.0.x";
    DWORD elapsed = 0;
    EXPECT_EQ(Deliver("ALICE", "bob", "merhaba", elapsed), 2136);
    EXPECT_NE(FProblem.find("127.0.0.x"), std::string::npos) << FProblem;
}

TEST_F(WinPopupTest, ThePlatformResolverFindsAHostsFileName)
{
    // "localhost" is answered from the hosts file, so no query leaves the machine.
    TReceiver receiver(TReceiver::TMode::Receive);
    TNameResponder names({});
    WinPopupNetwork().PlatformResolver = true;
    WinPopupNetwork().NameQueryPort = names.Port();
    WinPopupNetwork().SessionPort = receiver.Port();
    DWORD elapsed = 0;
    ASSERT_EQ(Deliver("ALICE", "localhost", "merhaba", elapsed), 0) << FProblem;
    EXPECT_EQ(names.Queries(), 0);
    const auto packets = receiver.Packets();
    ASSERT_FALSE(packets.empty());
    EXPECT_EQ(TBytes(packets[0].begin() + 4, packets[0].begin() + 38), peers::EncodedName("LOCALHOST", 3));
}

// The sender with the recording stand-in: only a 50 from the platform opens the direct road.
class SenderRoadTest : public WinPopupTest {
protected:
    void SetUp() override
    {
        WinPopupTest::SetUp();
        SetNetApiLibraryNameForTesting("netapi32.dll");
    }
    void Script(uint32_t result)
    {
        standin::Script script;
        script.SendResults = {result};
        standin::WriteScript(FFiles.Script, script);
        FFiles.NameScript();
    }

    TStandinFiles FFiles{standin::kLogVariable, standin::kScriptVariable, "varnel-winpopup-road", false};
};

TEST_F(SenderRoadTest, OnlyNotSupportedTakesTheDirectRoad)
{
    struct Case {
        uint32_t Platform;
        int32_t Raised; // 0: OnMessageSent
        bool Direct;
    } cases[] = {{0, 0, false}, {53, 53, false}, {2273, 2273, false}, {2136, 2136, false}, {5, 5, false}, {50, 0, true}};
    for (const auto& c : cases) {
        TNameResponder names({"BOB-PC"});
        TReceiver receiver(TReceiver::TMode::Receive);
        WinPopupNetwork().NameQueryPort = names.Port();
        WinPopupNetwork().SessionPort = receiver.Port();
        Script(c.Platform);
        TWsNetMessage sender(nullptr);
        int sent = 0;
        sender.OnMessageSent = [&](TObject*) { ++sent; };
        sender.SetServer("ALICE");
        sender.MsgFrom = "ALICE";
        sender.MsgTo = "bob-pc";
        sender.MsgText = " Merhaba ";
        const TSendResult result = Outcome(sender);
        const int32_t raised = result.Code;
        if (raised != 0) {
            EXPECT_EQ(result.Message, SendFailureBox("bob-pc", MessengerFailure(static_cast<uint32_t>(raised),
                SystemErrorText(static_cast<uint32_t>(raised)))));
        }
        EXPECT_EQ(raised, c.Raised) << c.Platform << ": " << result.Message;
        EXPECT_EQ(sent, c.Raised == 0 ? 1 : 0) << c.Platform;
        EXPECT_EQ(names.Queries() > 0, c.Direct) << c.Platform;
        EXPECT_EQ(receiver.Connections(), c.Direct ? 1 : 0) << c.Platform;
        if (c.Direct) {
            const auto packets = receiver.Packets();
            ASSERT_EQ(packets.size(), 4u);
            EXPECT_EQ(Bytes(packets[2], 4 + 40, packets[2].size() - 44), "Merhaba");
        }
        // The platform saw exactly the call it always did.
        const auto sends = FFiles.Records("NetMessageBufferSend");
        ASSERT_FALSE(sends.empty());
        EXPECT_EQ(sends.back().Ansi("msgname"), "bob-pc");
        EXPECT_EQ(sends.back().Number("result"), c.Platform);
    }
}

TEST_F(SenderRoadTest, AFailedDirectDeliveryRaisesItsCodeAndNoSentEvent)
{
    Script(50);
    TWsNetMessage sender(nullptr);
    bool sent = false;
    sender.OnMessageSent = [&](TObject*) { sent = true; };
    sender.MsgFrom = "ALICE";
    sender.MsgTo = "KIMSE";
    sender.MsgText = "Merhaba";
    const TSendResult unknown = Outcome(sender);
    EXPECT_EQ(unknown.Code, NERR_NameNotFound) << "an unknown recipient must raise";
    EXPECT_EQ(unknown.Message, "Mesaj KIMSE bilgisayarına gönderilemedi: bu ad ağda bulunamadı.\r\n"
                               "Bilgisayarın adını denetleyin ve açık olduğundan emin olun.\r\n(hata kodu 2273)");
    EXPECT_FALSE(sent);
}

} // namespace
