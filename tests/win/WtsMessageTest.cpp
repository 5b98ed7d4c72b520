// The terminal-services road against the recording wtsapi32 stand-in, on its own and behind the sender.
#include <winsock2.h>
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "../e2e/standin/WtsStandinProtocol.h"
#include "SendAsTheWindow.h"
#include "StandinFiles.h"
#include "WinPopupPeers.h"
#include "net/WinPopup.h"
#include "net/WsBulkSend.h"
#include "net/WtsApi.h"
#include "net/WtsMessage.h"
#include "toolkit/Threads.h"

namespace {

using O = TTerminalOutcome;
using standin::Record;

template <typename Condition>
bool WaitUntil(Condition condition, DWORD timeoutMs)
{
    for (const DWORD start = GetTickCount(); GetTickCount() - start < timeoutMs; Sleep(20))
        if (condition())
            return true;
    return condition();
}

constexpr uint32_t kDisconnected = 4, kListen = 6;

class WtsMessageTest : public ::testing::Test {
protected:
    void SetUp() override { SetWtsApiLibraryNameForTesting("wtsapi32.dll"); }
    void TearDown() override
    {
        // A call left hanging by a test ends before the next test reads its own log.
        EXPECT_TRUE(WaitUntil([&] { return OpenServers() == Calls("WTSCloseServer").size(); }, 10000));
    }
    void Script(const wtsstandin::Script& script) { wtsstandin::WriteScript(FFiles.Script, script); }
    std::vector<Record> Calls(const char* function) { return FFiles.Records(function); }
    size_t OpenServers()
    {
        size_t handles = 0;
        for (const Record& r : Calls("WTSOpenServerA"))
            handles += r.Raw("result") != "NULL";
        return handles;
    }

    TStandinFiles FFiles{wtsstandin::kLogVariable, wtsstandin::kScriptVariable, "varnel-wts-test", true};
};

// The route comes trimmed (DeliverNetMessage trims it once); a recipient written with backslashes loses them.
TEST_F(WtsMessageTest, OnlyActiveSessionsGetTheTextUnderTheSendersTitle)
{
    wtsstandin::Script script;
    script.Sessions = {{0, kDisconnected}, {1, wtsstandin::kActive}, {65536, kListen}, {3, wtsstandin::kActive}};
    Script(script);
    const TTerminalResult result =
        SendTerminalMessage("ÇAĞRI-PC", "\\\\ŞÜKRÜ-PC", "Öğle yemeği\r\nsaat 12:30", 5000);
    EXPECT_EQ(result.Outcome, O::Delivered);

    const auto opens = Calls("WTSOpenServerA");
    ASSERT_EQ(opens.size(), 1u);
    EXPECT_EQ(wtsstandin::TextBytes(opens[0], "name"), "ŞÜKRÜ-PC");
    const std::string server = opens[0].Raw("result");
    const auto sends = Calls("WTSSendMessageA");
    ASSERT_EQ(sends.size(), 2u);
    const std::string title = "Varnel \x97 ÇAĞRI-PC"; // the em dash of code page 1254
    const std::string text = "Öğle yemeği\r\nsaat 12:30";
    for (size_t i = 0; i < sends.size(); ++i) {
        const Record& r = sends[i];
        EXPECT_EQ(r.Number("session"), i == 0 ? 1u : 3u);
        EXPECT_EQ(r.Raw("server"), server); // never NULL: that would be this computer's own sessions
        EXPECT_EQ(wtsstandin::TextBytes(r, "title"), title);
        EXPECT_EQ(r.Number("titlelen"), title.size());
        EXPECT_EQ(wtsstandin::TextBytes(r, "message"), text);
        EXPECT_EQ(r.Number("messagelen"), text.size());
        EXPECT_EQ(r.Number("style"), static_cast<uint32_t>(MB_OK | MB_ICONINFORMATION));
        EXPECT_EQ(r.Number("timeout"), 0u);
        EXPECT_EQ(r.Number("bwait"), 0u);
        EXPECT_EQ(r.Raw("response"), "nonnull");
    }
    const auto frees = Calls("WTSFreeMemory");
    ASSERT_EQ(frees.size(), 1u);
    EXPECT_EQ(frees[0].Raw("ours"), "yes");
    const auto closes = Calls("WTSCloseServer");
    ASSERT_EQ(closes.size(), 1u);
    EXPECT_EQ(closes[0].Raw("server"), server);
    EXPECT_EQ(closes[0].Number("open"), 0u);
}

TEST_F(WtsMessageTest, EachAnswerOfThePlatformEndsTheRoadAsItShould)
{
    struct Case {
        const char* What;
        uint32_t OpenError, SessionsError;
        std::vector<wtsstandin::Session> Sessions;
        std::vector<uint32_t> SendErrors;
        TTerminalResult Expected;
        size_t Sends;
    } cases[] = {
        {"one of two sessions takes it", 0, 0, {{1, 0}, {2, 0}}, {5, 0}, {O::Delivered, 0}, 2},
        {"every session refuses", 0, 0, {{1, 0}, {2, 0}}, {5}, {O::Refused, 5}, 2},
        {"nobody signed in", 0, 0, {{0, kDisconnected}, {65536, kListen}}, {}, {O::NoActiveSession, 0}, 0},
        {"remote calls refused", 0, 1722, {}, {}, {O::Refused, 1722}, 0},
        {"an emulation without the service", 0, 120, {}, {}, {O::Skipped, 120}, 0},
        {"no server handle", 1722, 0, {{1, 0}}, {}, {O::Skipped, 1722}, 0},
    };
    for (const Case& c : cases) {
        DeleteFileA(FFiles.Log.c_str());
        wtsstandin::Script script;
        script.OpenError = c.OpenError;
        script.SessionsError = c.SessionsError;
        script.Sessions = c.Sessions;
        script.SendErrors = c.SendErrors;
        Script(script);
        const TTerminalResult result = SendTerminalMessage("ALICE", "BOB-PC", "merhaba", 5000);
        EXPECT_EQ(result.Outcome, c.Expected.Outcome) << c.What;
        EXPECT_EQ(result.Code, c.Expected.Code) << c.What;
        EXPECT_EQ(Calls("WTSSendMessageA").size(), c.Sends) << c.What;
        // Without a server handle nothing else is called; with one it is closed again.
        EXPECT_EQ(Calls("WTSEnumerateSessionsA").size(), c.OpenError ? 0u : 1u) << c.What;
        EXPECT_EQ(Calls("WTSCloseServer").size(), c.OpenError ? 0u : 1u) << c.What;
    }
}

TEST_F(WtsMessageTest, AMissingLibraryOrEntryPointSkipsTheRoad)
{
    for (const char* library : {"varnel-no-such-library.dll", "kernel32.dll"}) {
        SetWtsApiLibraryNameForTesting(library);
        EXPECT_EQ(SendTerminalMessage("ALICE", "BOB-PC", "merhaba", 5000).Outcome, O::Skipped) << library;
    }
    SetWtsApiLibraryNameForTesting("wtsapi32.dll");
    wtsstandin::Script script;
    script.Sessions = {{1, 0}};
    Script(script);
    EXPECT_EQ(SendTerminalMessage("ALICE", "BOB-PC", "merhaba", 5000).Outcome, O::Delivered);
}

TEST_F(WtsMessageTest, AHangingCallIsLeftBehindAtTheBoundAndSendsNothingLater)
{
    wtsstandin::Script script;
    script.Sessions = {{1, 0}};
    script.DelaysMs["WTSEnumerateSessionsA"] = 1500;
    Script(script);
    const LONG runningBefore = TWorkerThread::Running();
    const DWORD start = GetTickCount();
    EXPECT_EQ(SendTerminalMessage("ALICE", "BOB-PC", "merhaba", 300).Outcome, O::TimedOut);
    const DWORD elapsed = GetTickCount() - start;
    EXPECT_GE(elapsed, 250u);
    EXPECT_LT(elapsed, 1200u);
    // The program's end asks this count before the runtime tears down what the helper still uses.
    EXPECT_GT(TWorkerThread::Running(), runningBefore) << "the helper left behind is not counted";
    ASSERT_TRUE(WaitUntil([&] { return Calls("WTSCloseServer").size() == 1; }, 10000)) << "the late call never ended";
    EXPECT_TRUE(WaitUntil([&] { return TWorkerThread::Running() <= runningBefore; }, 5000))
        << "the ended helper is still counted";
    EXPECT_TRUE(Calls("WTSSendMessageA").empty()) << "a message went out after the caller had given up";
}

TEST_F(WtsMessageTest, NoMoreThanAFewCallsHangAtOnce)
{
    wtsstandin::Script script;
    script.Sessions = {{1, 0}};
    script.DelaysMs["WTSEnumerateSessionsA"] = 3000;
    Script(script);
    std::vector<O> outcomes;
    for (int i = 0; i < kMaxTerminalCalls + 2; ++i)
        outcomes.push_back(SendTerminalMessage("ALICE", "BOB-PC", "merhaba", 100).Outcome);
    for (int i = 0; i < kMaxTerminalCalls + 2; ++i)
        EXPECT_EQ(outcomes[i], i < kMaxTerminalCalls ? O::TimedOut : O::Skipped) << i;
    ASSERT_TRUE(WaitUntil([&] { return Calls("WTSCloseServer").size() == kMaxTerminalCalls; }, 15000));
    EXPECT_EQ(Calls("WTSEnumerateSessionsA").size(), static_cast<size_t>(kMaxTerminalCalls));
    // The places come back once the hanging calls have ended.
    script.DelaysMs.clear();
    Script(script);
    EXPECT_TRUE(WaitUntil([&] { return SendTerminalMessage("ALICE", "BOB-PC", "merhaba", 2000).Outcome == O::Delivered; },
        5000));
}

// The sender when the platform answers 50: the direct delivery first, this road after it, one failure reported.
class SenderWithoutMessengerTest : public WtsMessageTest {
protected:
    void SetUp() override
    {
        WtsMessageTest::SetUp();
        FSaved = WinPopupNetwork();
        TWinPopupNetwork& n = WinPopupNetwork();
        n.PlatformResolver = false;
        n.NameQueryAddress = "127.0.0.1";
        n.NameQueryPort = FNames.Port();
        n.SessionPort = peers::UnusedPort(); // the computer is found, nothing listens: a refused connection
        n.TotalTimeoutMs = 2500;
        standin::Script platform;
        platform.SendResults = {50};
        standin::WriteScript(FNetFiles.Script, platform);
        SetNetApiLibraryNameForTesting("netapi32.dll");
    }
    void TearDown() override
    {
        WinPopupNetwork() = FSaved;
        WtsMessageTest::TearDown();
    }
    // The code raised (0 for OnMessageSent) and the message; the time it took in elapsedMs.
    int32_t Send(const std::string& to, std::string& message, DWORD& elapsedMs)
    {
        const TSendResult result = SendAsTheWindow("ALICE", to, " Merhaba ");
        message = result.Message;
        elapsedMs = result.ElapsedMs;
        return result.Code;
    }

    // bob-pc has one active session to show the message in.
    int32_t SendToOneActiveSession(std::string& message)
    {
        wtsstandin::Script script;
        script.Sessions = {{2, 0}};
        Script(script);
        DWORD elapsed = 0;
        return Send("bob-pc", message, elapsed);
    }

    peers::TNameResponder FNames{{"BOB-PC"}};
    TWinPopupNetwork FSaved;
    TStandinFiles FNetFiles{standin::kLogVariable, standin::kScriptVariable, "varnel-wts-netapi", true};
};

TEST_F(SenderWithoutMessengerTest, TheRoadDeliversWhereTheDirectDeliveryCannot)
{
    std::string message;
    EXPECT_EQ(SendToOneActiveSession(message), 0) << message;
    EXPECT_GT(FNames.Queries(), 0) << "the direct delivery comes first";
    const auto sends = Calls("WTSSendMessageA");
    ASSERT_EQ(sends.size(), 1u);
    EXPECT_EQ(wtsstandin::TextBytes(sends[0], "message"), "Merhaba");
    EXPECT_EQ(wtsstandin::TextBytes(sends[0], "title"), "Varnel \x97 ALICE");
}

TEST_F(SenderWithoutMessengerTest, ADirectDeliveryLeavesTheRoadUntouched)
{
    peers::TReceiver receiver(peers::TReceiver::TMode::Receive);
    WinPopupNetwork().SessionPort = receiver.Port();
    std::string message;
    EXPECT_EQ(SendToOneActiveSession(message), 0) << message;
    EXPECT_EQ(receiver.Connections(), 1);
    EXPECT_TRUE(Calls("WTSOpenServerA").empty()) << "an XP receiver that answers both would see the message twice";
}

TEST_F(SenderWithoutMessengerTest, WhenBothFailTheMoreInformativeFailureIsRaised)
{
    const std::string remoteCallsAdmin = "yöneticisinden uzaktan mesaj almayı açmasını isteyin";
    const std::string permissionAdmin = "yöneticisinden hesabınıza mesaj gönderme izni vermesini isteyin";
    struct Case {
        const char* What;
        const char* To; // BOB-PC is found and refuses the connection; KIMSE is found nowhere
        uint32_t SessionsError;
        std::vector<uint32_t> SendErrors;
        int32_t Code;
        std::string AdminLine;
    } cases[] = {
        {"remote calls refused by a computer that is there", "bob-pc", 1722, {}, 1722, remoteCallsAdmin},
        {"remote calls refused by no computer at all", "kimse", 1722, {}, 2273, ""},
        {"access denied to every session", "kimse", 0, {5}, 5, permissionAdmin},
        {"nobody signed in", "bob-pc", 0, {}, 7022, ""},
    };
    for (const Case& c : cases) {
        wtsstandin::Script script;
        script.SessionsError = c.SessionsError;
        if (c.SessionsError == 0 && !c.SendErrors.empty())
            script.Sessions = {{1, 0}};
        script.SendErrors = c.SendErrors;
        Script(script);
        std::string message;
        DWORD elapsed = 0;
        EXPECT_EQ(Send(c.To, message, elapsed), c.Code) << c.What;
        EXPECT_EQ(message.rfind("Mesaj " + std::string(c.To) + " bilgisayarına gönderilemedi: ", 0), 0u)
            << c.What << ": " << message;
        const std::string code = "(hata kodu " + std::to_string(c.Code) + ")";
        EXPECT_TRUE(message.ends_with(code)) << c.What << ": " << message;
        if (c.AdminLine.empty())
            EXPECT_EQ(message.find("yöneticisinden"), std::string::npos) << c.What << ": " << message;
        else
            EXPECT_NE(message.find(c.AdminLine), std::string::npos) << c.What << ": " << message;
    }
}

TEST_F(SenderWithoutMessengerTest, BothRoadsTogetherKeepTheDirectDeliverysBound)
{
    wtsstandin::Script script;
    script.Sessions = {{1, 0}};
    script.DelaysMs["WTSEnumerateSessionsA"] = 4000;
    Script(script);
    std::string message;
    DWORD elapsed = 0;
    EXPECT_EQ(Send("bob-pc", message, elapsed), 2273) << message; // the road ran out of time: the direct failure stands
    EXPECT_LE(elapsed, 2500u + 500u);
}

// Eight bulk workers share the road's four places: those that find them taken wait their turn within the bound.
TEST_F(SenderWithoutMessengerTest, EightSlowSessionRoadsInABulkSendAllGetTheMessage)
{
    WinPopupNetwork().TotalTimeoutMs = 8000;
    wtsstandin::Script script;
    script.Sessions = {{1, 0}};
    script.DelaysMs["WTSEnumerateSessionsA"] = 1000;
    Script(script);
    TWsBulkSender sender(nullptr);
    std::vector<TDeliveryResult> results;
    sender.OnFinished = [&](TObject*, const std::vector<TDeliveryResult>& r) { results = r; };
    sender.Start("", "ALICE", "Merhaba", std::vector<std::string>(8, "bob-pc"));
    for (const DWORD start = GetTickCount(); results.empty() && GetTickCount() - start < 20000;) {
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 100, QS_ALLINPUT);
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
            DispatchMessageA(&msg);
    }
    ASSERT_EQ(results.size(), 8u) << "the send never finished";
    for (const TDeliveryResult& r : results)
        EXPECT_TRUE(r.Delivered) << r.ErrorCode << " " << r.ErrorText;
    EXPECT_EQ(Calls("WTSSendMessageA").size(), 8u);
}

} // namespace
