// varnelc.exe as a script meets it: the calls it makes, its exit codes, its lines in the console's code page.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <set>
#include <string>
#include <vector>

#include "ConsoleRun.h"
#include "Driver.h"
#include "standin/StandinProtocol.h"

namespace {

using namespace e2e;

constexpr uint32_t kNameNotFound = 2273;

std::string ThisComputer()
{
    char name[MAX_COMPUTERNAME_LENGTH + 1] = "";
    DWORD size = sizeof name;
    GetComputerNameA(name, &size);
    return name;
}

// The text of one logged call, without the terminating zero the length counts.
std::string SentText(const standin::Record& call)
{
    std::string text = standin::AnsiFromWide(call.BufferUnits());
    if (!text.empty() && text.back() == '\0')
        text.pop_back();
    return text;
}

class ConsoleProgramTest : public ::testing::Test {
protected:
    TConsoleRun Run(const std::string& arguments, const std::string& input = {})
    {
        return RunConsoleProgram(Scenario, "varnelc.exe", arguments, input);
    }

    std::multiset<std::string> Recipients() const
    {
        std::multiset<std::string> names;
        for (const auto& call : Scenario.Records("NetMessageBufferSend"))
            names.insert(call.Ansi("msgname"));
        return names;
    }

    // The program's lines as a redirected file holds them: no console, so the OEM code page.
    static std::string Lines(std::initializer_list<std::string> lines)
    {
        std::string text;
        for (const std::string& line : lines)
            text += InCodePage(line, GetOEMCP()) + "\r\n";
        return text;
    }

    TScenario Scenario;
};

TEST_F(ConsoleProgramTest, NamedComputersEachGetOneCallAndTheExitCodeSaysHowItWent)
{
    struct TCase {
        const char* Name;
        std::vector<std::pair<const char*, uint32_t>> Refusing;
        DWORD Code;
        const char* Summary;
    };
    const TCase cases[] = {
        {"all delivered", {}, 0, "Mesaj 2 bilgisayarın hepsine gönderildi."},
        {"one refused", {{"PC02", kNameNotFound}}, 1, "Mesaj 2 bilgisayardan 1 tanesine gönderildi, 1 tanesine gönderilemedi."},
        {"both refused", {{"PC01", kNameNotFound}, {"PC02", kNameNotFound}}, 2, "Mesaj 2 bilgisayarın hiçbirine gönderilemedi."},
    };
    for (const TCase& c : cases) {
        standin::Script script;
        for (const auto& [name, result] : c.Refusing)
            script.SendResultsTo.push_back({standin::WideFromAnsi(name), result});
        Scenario.SetScript(script);
        DeleteFileA(Scenario.LogPath().c_str());

        const TConsoleRun run = Run("/KIME:\" PC01 ,PC02, pc02\" -mesaj:\"Sunucu 10 dakika sonra yeniden başlayacak\"");
        EXPECT_EQ(run.Code, c.Code) << c.Name << "\n" << run.Err;
        EXPECT_EQ(Recipients(), (std::multiset<std::string>{"PC01", "PC02"})) << c.Name;
        for (const auto& call : Scenario.Records("NetMessageBufferSend")) {
            EXPECT_EQ(SentText(call), "Sunucu 10 dakika sonra yeniden başlayacak") << c.Name;
            EXPECT_EQ(call.Ansi("fromname"), ThisComputer()) << c.Name;
        }
        // One line per recipient in the order they ended, then the summary.
        const std::string summary = InCodePage(c.Summary, GetOEMCP()) + "\r\n";
        ASSERT_GE(run.Out.size(), summary.size()) << c.Name;
        EXPECT_EQ(run.Out.substr(run.Out.size() - summary.size()), summary) << c.Name;
        for (const char* name : {"PC01", "PC02"}) {
            bool refused = false;
            for (const auto& r : c.Refusing)
                refused = refused || lstrcmpiA(r.first, name) == 0;
            const std::string line = InCodePage(std::string(name) + (refused ? ": gönderilemedi — " : ": gönderildi\r\n"), GetOEMCP());
            EXPECT_NE(run.Out.find(line), std::string::npos) << c.Name << ": " << name << "\n" << run.Out;
        }
        if (!c.Refusing.empty())
            EXPECT_NE(run.Out.find("(hata kodu 2273)\r\n"), std::string::npos) << run.Out;
    }
}

TEST_F(ConsoleProgramTest, TheWorkgroupIsTheEnumerationsListWithoutThisComputer)
{
    const std::string self = ThisComputer();
    standin::Script script;
    script.EnumResults = {{0, 0, {standin::AnsiName("PC01"), standin::AnsiName(self), standin::AnsiName("PC02")}}};
    Scenario.SetScript(script);

    const TConsoleRun list = Run("/liste");
    EXPECT_EQ(list.Code, 0u) << list.Err;
    EXPECT_EQ(list.Out, Lines({"PC01", "PC02"}));
    EXPECT_TRUE(Scenario.Records("NetMessageBufferSend").empty());

    // Standard input comes as `echo` in a console writes it: in the console's code page (OEM without a console).
    const TConsoleRun send = Run("/kime:*", InCodePage("Yedekleme başarısız oldu\r\n", GetOEMCP()));
    EXPECT_EQ(send.Code, 0u) << send.Err;
    EXPECT_EQ(Recipients(), (std::multiset<std::string>{"PC01", "PC02"}));
    ASSERT_FALSE(Scenario.Records("NetMessageBufferSend").empty());
    // ... and trimmed on the way out.
    EXPECT_EQ(SentText(Scenario.Records("NetMessageBufferSend")[0]), "Yedekleme başarısız oldu");
}

TEST_F(ConsoleProgramTest, WrongCallsAndNobodyToSendToExitWithThreeAndSendNothing)
{
    standin::Script script;
    script.EnumResults = {{0, 0, {standin::AnsiName(ThisComputer())}}};
    Scenario.SetScript(script);
    struct TCase {
        const char* Arguments;
        const char* Input;
        const char* Says;
    };
    const TCase cases[] = {
        {"/kime:PC01 /mesaj:Merhaba dünya", "", "Anlaşılmayan bölüm: dünya"},
        {"/gonder", "", "Bilinmeyen anahtar: /gonder"},
        {"/kime:PC01", "  \r\n", "Mesaj boş"},
        {"/kime:@yok.txt /mesaj:x", "", "Ad dosyası okunamadı: yok.txt"},
        {"/kime:* /mesaj:x", "", "Çalışma grubunda bu bilgisayardan başka bilgisayar bulunamadı."},
    };
    for (const TCase& c : cases) {
        const TConsoleRun run = Run(c.Arguments, c.Input);
        EXPECT_EQ(run.Code, 3u) << c.Arguments;
        EXPECT_NE(run.Err.find(InCodePage(c.Says, GetOEMCP())), std::string::npos) << c.Arguments << "\n" << run.Err;
        EXPECT_TRUE(run.Out.empty()) << c.Arguments;
    }
    EXPECT_TRUE(Scenario.Records("NetMessageBufferSend").empty());

    const TConsoleRun usage = Run("-?");
    EXPECT_EQ(usage.Code, 0u);
    EXPECT_EQ(usage.Out.rfind(InCodePage("Varnel komut satırı: ağdaki bilgisayarlara mesaj gönderir.\r\n", GetOEMCP()), 0), 0u)
        << usage.Out;
}

TEST_F(ConsoleProgramTest, NamesComeFromAFileAndTurkishLettersReachTheFileInTheOemCodePage)
{
    // Notepad's UTF-8 with its byte-order mark; a comment, a blank line and a name twice.
    standin::WriteScriptText(Scenario.PathOf("muhasebe.txt"),
        "\xEF\xBB\xBF; muhasebe\r\nPC01\r\n\r\n  pc01  \r\nPC03\r\n");
    const TConsoleRun run = Run("/kime:@\"" + Scenario.PathOf("muhasebe.txt") + "\" /mesaj:Yazıcıda kâğıt bitti");
    EXPECT_EQ(run.Code, 3u) << "the message must be quoted";
    const TConsoleRun quoted = Run("/kime:@\"" + Scenario.PathOf("muhasebe.txt") + "\" \"/mesaj:Yazıcıda kâğıt bitti\"");
    EXPECT_EQ(quoted.Code, 0u) << quoted.Err;
    EXPECT_EQ(Recipients(), (std::multiset<std::string>{"PC01", "PC03"}));
    EXPECT_EQ(SentText(Scenario.Records("NetMessageBufferSend")[0]), "Yazıcıda kâğıt bitti");
    // Code page 857, the OEM code page of a Turkish Windows: ö is 0x94, ı 0x8D.
    ASSERT_EQ(GetOEMCP(), 857u);
    EXPECT_NE(quoted.Out.find("PC01: g\x94nderildi\r\n"), std::string::npos) << quoted.Out;
    EXPECT_NE(quoted.Out.find("Mesaj 2 bilgisayar\x8Dn hepsine g\x94nderildi.\r\n"), std::string::npos) << quoted.Out;
}

TEST_F(ConsoleProgramTest, FiftySlowRecipientsGoEightAtATime)
{
    // Seven rounds of at most eight calls of 500 ms each: 3.5 s is the floor, whatever runs around them.
    standin::Script script;
    script.SendDelayMs = 500;
    Scenario.SetScript(script);
    std::string names;
    for (int i = 0; i < 50; ++i)
        names += (names.empty() ? "" : ",") + std::string("PC") + std::to_string(100 + i);
    const DWORD start = GetTickCount();
    const TConsoleRun run = Run("/kime:" + names + " /mesaj:Toplantı");
    const DWORD wall = GetTickCount() - start;
    EXPECT_EQ(run.Code, 0u) << run.Err;

    const auto calls = Scenario.Records("NetMessageBufferSend");
    ASSERT_EQ(calls.size(), 50u);
    DWORD first = calls[0].Number("entered"), last = 0;
    size_t mostAtOnce = 0;
    for (const auto& call : calls) {
        first = std::min<DWORD>(first, call.Number("entered"));
        last = std::max<DWORD>(last, call.Number("left"));
        size_t atOnce = 0;
        for (const auto& other : calls)
            atOnce += other.Number("entered") <= call.Number("entered") && call.Number("entered") < other.Number("left");
        mostAtOnce = std::max(mostAtOnce, atOnce);
    }
    EXPECT_LE(mostAtOnce, 8u);
    EXPECT_GE(last - first, 3500u - 50u) << "more than eight at once";
    // The deliveries themselves: the floor and what the workers and the posted results add to it.
    EXPECT_LE(last - first, 3800u);
    // The whole run, with Wine starting a process and the program binding its libraries.
    EXPECT_LE(wall, 5500u);
    std::printf("50 recipients x 500 ms: deliveries %lu ms, whole run %lu ms, at most %u at once\n",
        static_cast<unsigned long>(last - first), static_cast<unsigned long>(wall), static_cast<unsigned>(mostAtOnce));
}

} // namespace
