// Direct delivery to a real Samba receiver on 127.0.0.1:139, which with-smbd.sh starts, freezes and stops around
// each phase; the phase and the receiver's folder come in VARNEL_SMB_PHASE and VARNEL_SMB_DIR.
#include <winsock2.h>
#include <windows.h>

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "../e2e/standin/StandinProtocol.h"
#include "../win/SendAsTheWindow.h"
#include "../win/WinPopupPeers.h"
#include "net/WinPopup.h"
#include "core/WinPopupFailure.h"

namespace {

constexpr const char* kSender = "çağrı-pc";
constexpr const char* kRecipient = "şükrü-pc";
constexpr const char* kRecipientOem = "\x9E\x9A" "KR\x9A" "-PC"; // ŞÜKRÜ-PC in cp857

std::string Variable(const char* name)
{
    char value[1024];
    const DWORD n = GetEnvironmentVariableA(name, value, sizeof(value));
    return n > 0 && n < sizeof(value) ? std::string(value, n) : std::string();
}

// The receiver's folder as Wine sees a Unix path: on drive Z.
std::string SambaFolder()
{
    std::string path = Variable("VARNEL_SMB_DIR");
    for (char& c : path)
        if (c == '/')
            c = '\\';
    return path.empty() || path[0] != '\\' ? path : "Z:" + path;
}

std::string ReadFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

std::wstring Wide(const std::string& bytes, UINT codePage)
{
    if (bytes.empty())
        return {};
    const int n = MultiByteToWideChar(codePage, 0, bytes.data(), static_cast<int>(bytes.size()), nullptr, 0);
    std::wstring out(static_cast<size_t>(n), L'\0');
    MultiByteToWideChar(codePage, 0, bytes.data(), static_cast<int>(bytes.size()), out.data(), n);
    return out;
}

std::string Narrow(const std::wstring& text)
{
    const int n = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<size_t>(n), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), out.data(), n, nullptr, nullptr);
    return out;
}

std::vector<std::string> MessageFiles()
{
    std::vector<std::string> names;
    WIN32_FIND_DATAA found;
    HANDLE h = FindFirstFileA((SambaFolder() + "\\msgs\\msg-*").c_str(), &found);
    if (h == INVALID_HANDLE_VALUE)
        return names;
    do
        names.push_back(SambaFolder() + "\\msgs\\" + found.cFileName);
    while (FindNextFileA(h, &found));
    FindClose(h);
    return names;
}

// The saved messages once there is one, or none after 5 s.
std::vector<std::string> WaitForMessageFiles()
{
    std::vector<std::string> files;
    const DWORD start = GetTickCount();
    while ((files = MessageFiles()).empty() && GetTickCount() - start < 5000)
        Sleep(20);
    return files;
}

// Sends through the message sender as the program does; the recording stand-in answers 50, as Windows without
// the messenger service does, so every send takes the direct road.
class SambaTest : public ::testing::Test {
protected:
    // A receiver on loopback is found by a name responder of the test's own; one on the test network
    // (tests/lan/with-lan.sh) by the broadcast query the program sends there.
    explicit SambaTest(const char* phase, bool onLoopback = true) : FPhase(phase), FOnLoopback(onLoopback) {}

    void SetUp() override
    {
        ASSERT_EQ(Variable("VARNEL_SMB_PHASE"), FPhase) << "run through tests/winpopup/with-smbd.sh";
        ASSERT_EQ(GetOEMCP(), 857u) << "the receiver reads cp857";
        FSaved = WinPopupNetwork();
        if (FOnLoopback) {
            WinPopupNetwork().PlatformResolver = false; // keep every query on loopback
            WinPopupNetwork().NameQueryAddress = "127.0.0.1";
            WinPopupNetwork().NameQueryPort = FNames.Port();
        }
        FScript = SambaFolder() + "\\netapi32.script";
        standin::Script script;
        script.SendResults = {50};
        standin::WriteScript(FScript, script);
        SetEnvironmentVariableA(standin::kScriptVariable, FScript.c_str());
        SetEnvironmentVariableA(standin::kLogVariable, (SambaFolder() + "\\netapi32.log").c_str());
        for (const std::string& f : MessageFiles())
            DeleteFileA(f.c_str());
    }
    void TearDown() override
    {
        WinPopupNetwork() = FSaved;
        SetEnvironmentVariableA(standin::kScriptVariable, nullptr);
    }

    // Sends and returns the raised code (0 after OnMessageSent) and the time it took.
    int32_t Send(const std::string& to, const std::string& text, DWORD& elapsedMs)
    {
        const TSendResult result = SendAsTheWindow(kSender, to, text);
        FMessage = result.Message;
        elapsedMs = result.ElapsedMs;
        return result.Code;
    }

    std::string FPhase;
    bool FOnLoopback;
    peers::TNameResponder FNames{{kRecipientOem, "BOB"}};
    TWinPopupNetwork FSaved;
    std::string FScript;
    std::string FMessage; // of the last failed send
};

class SambaReceiving : public SambaTest {
protected:
    SambaReceiving() : SambaTest("receiving") {}
};

class SambaFrozen : public SambaTest {
protected:
    SambaFrozen() : SambaTest("frozen") {}
};

class SambaWithoutMessageCommand : public SambaTest {
protected:
    SambaWithoutMessageCommand() : SambaTest("no-message-command") {}
};

class SambaStopped : public SambaTest {
protected:
    SambaStopped() : SambaTest("stopped") {}
};

class SambaOnTheLan : public SambaTest {
protected:
    SambaOnTheLan() : SambaTest("lan", false) {}
};

std::string LongText()
{
    std::string text;
    const std::string words[] = {"Öğle ", "yemeği ", "saat ", "12:30'da ", "ışık ", "Çarşı ", "Ümraniye ", "İzmir "};
    for (size_t i = 0; text.size() < 1000; ++i)
        text += words[i % std::size(words)];
    text.resize(999);
    return text + "!";
}

TEST_F(SambaReceiving, TextsArriveExactWithSenderAndRecipient)
{
    struct Case {
        const char* What;
        std::string Text;
        std::string Saved; // as Samba writes it: cp857, the CR before each LF dropped, Turkish letters intact
    } cases[] = {
        {"Turkish letters", "  ĞÜŞİÖÇ ğüşıöç: Işık ılık, öğün çağrı!  ", "ĞÜŞİÖÇ ğüşıöç: Işık ılık, öğün çağrı!"},
        {"line breaks", "birinci satır\r\nikinci satır\r\n\r\nsonuncu", "birinci satır\nikinci satır\n\nsonuncu"},
        {"a thousand characters", LongText(), LongText()},
    };
    ASSERT_EQ(LongText().size(), 1000u);
    for (const auto& c : cases) {
        for (const std::string& f : MessageFiles())
            DeleteFileA(f.c_str());
        DWORD elapsed = 0;
        ASSERT_EQ(Send(kRecipient, c.Text, elapsed), 0) << c.What << ": " << FMessage;
        const std::vector<std::string> files = WaitForMessageFiles();
        ASSERT_EQ(files.size(), 1u) << c.What << ": Samba saved no message";
        const std::wstring saved = Wide(ReadFile(files[0]), 857);
        EXPECT_EQ(Narrow(saved), Narrow(Wide(c.Saved, 1254))) << c.What;
        EXPECT_EQ(saved.size(), Wide(c.Saved, 1254).size()) << c.What;
    }
    // Samba's log names the sender and the recipient of every message it took, in cp857.
    const std::string log = ReadFile(SambaFolder() + "\\log.smbd");
    const std::string line = "SMBsendstrt (from \x80" "A\xA6" "RI-PC to " + std::string(kRecipientOem) + ")";
    size_t count = 0;
    for (size_t at = log.find(line); at != std::string::npos; at = log.find(line, at + 1))
        ++count;
    EXPECT_EQ(count, std::size(cases)) << "sender or recipient not as sent";
}

TEST_F(SambaReceiving, AnUnresolvableRecipientGives2273WithinTheBound)
{
    DWORD elapsed = 0;
    EXPECT_EQ(Send("yok-boyle-biri", "merhaba", elapsed), 2273) << FMessage;
    EXPECT_EQ(FMessage, DirectDeliveryBox("yok-boyle-biri", TWinPopupFailure::RecipientUnresolved));
    EXPECT_LE(elapsed, 10000u);
    EXPECT_GT(FNames.Queries(), 0);
    EXPECT_TRUE(MessageFiles().empty());
}

TEST_F(SambaFrozen, AReceiverThatTakesTheConnectionButNeverAnswersIsLeftAfterTenSeconds)
{
    DWORD elapsed = 0;
    EXPECT_EQ(Send(kRecipient, "merhaba", elapsed), 2136) << FMessage;
    EXPECT_EQ(FMessage, DirectDeliveryBox(kRecipient, TWinPopupFailure::TimedOut));
    EXPECT_GE(elapsed, 9500u);
    EXPECT_LE(elapsed, 11000u);
}

TEST_F(SambaWithoutMessageCommand, TheRefusalIsReportedAsNotReceiving)
{
    DWORD elapsed = 0;
    EXPECT_EQ(Send(kRecipient, "merhaba", elapsed), 2273) << FMessage;
    EXPECT_EQ(FMessage, DirectDeliveryBox(kRecipient, TWinPopupFailure::MessageRefused));
    EXPECT_LE(elapsed, 10000u);
}

// The single send of the main window's Gönder, on the test network: nothing redirected, the computer is found by
// broadcast name query. (Wine's browse dialog offers no network computer, so the window cannot be driven there.)
TEST_F(SambaOnTheLan, ASingleSendFindsTheComputerByBroadcastAndArrives)
{
    DWORD elapsed = 0;
    ASSERT_EQ(Send("ofis1", "Ağdan merhaba", elapsed), 0) << FMessage;
    const std::vector<std::string> files = WaitForMessageFiles();
    ASSERT_EQ(files.size(), 1u) << "the receiver saved no message";
    // That receiver decodes the cp857 of the wire and saves UTF-8.
    EXPECT_EQ(ReadFile(files[0]), Narrow(Wide("Ağdan merhaba", 1254)));
}

// A computer whose port 139 refuses the connection looks like a desk with NetBIOS off, and the wtsapi32 stand-in
// beside the tests answers as a computer that refuses remote calls (1722): the user reads whom to ask and where
// the details are.
TEST_F(SambaStopped, ASendToAStoppedReceiverFailsWithinTheBound)
{
    DWORD elapsed = 0;
    EXPECT_EQ(Send(kRecipient, "merhaba", elapsed), 1722) << FMessage;
    EXPECT_NE(FMessage.find("yöneticisinden uzaktan mesaj almayı açmasını isteyin; ayrıntılar BENİOKU dosyasında."),
        std::string::npos) << FMessage;
    EXPECT_TRUE(FMessage.ends_with("\r\n(hata kodu 1722)")) << FMessage;
    EXPECT_LE(elapsed, 10000u);
}

} // namespace
