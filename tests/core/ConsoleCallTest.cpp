// The console program's command line, name files, recipients, result lines and exit codes.
#include <gtest/gtest.h>

#include "CommandLineCases.h"
#include "core/CommandLine.h"
#include "core/ConsoleCall.h"
#include "core/ConsoleReport.h"
#include "core/ConsoleTexts.h"

TEST(SplitCommandLine, SplitsAsThePlatformDoes)
{
    for (const TCommandLineCase& c : kCommandLineCases)
        EXPECT_EQ(SplitCommandLine(c.Line), c.Args) << '[' << c.Line << ']';
}

namespace {

using TArgs = std::vector<std::string>;

TConsoleCall Parse(const char* line)
{
    TArgs args = SplitCommandLine(std::string("varnelc ") + line);
    args.erase(args.begin());
    return ParseConsoleCall(args);
}

} // namespace

TEST(ParseConsoleCall, ReadsEverySwitchInEitherCaseAndWithEitherMark)
{
    struct TCase {
        const char* Line;
        TConsoleAction Action;
        TRecipientSource Source;
        TArgs Names;
        const char* File;
        const char* Message; // nullptr: from standard input
    };
    const TCase cases[] = {
        {"/kime:PC1,PC2 /mesaj:\"Sunucu yeniden başlayacak\"", TConsoleAction::Send, TRecipientSource::Names,
         {"PC1", "PC2"}, "", "Sunucu yeniden başlayacak"},
        {"-KIME:PC1 -Mesaj:x", TConsoleAction::Send, TRecipientSource::Names, {"PC1"}, "", "x"},
        {"/mesaj:x /Kime:\" PC1 , ,PC2 ,\"", TConsoleAction::Send, TRecipientSource::Names, {"PC1", "PC2"}, "", "x"},
        {"/kime:pc1,PC1", TConsoleAction::Send, TRecipientSource::Names, {"pc1", "PC1"}, "", nullptr},
        {"/kime:*", TConsoleAction::Send, TRecipientSource::Workgroup, {}, "", nullptr},
        {"/kime:\" * \" /mesaj:a", TConsoleAction::Send, TRecipientSource::Workgroup, {}, "", "a"},
        {"/kime:@\"C:\\Grup Adları\\muhasebe.txt\"", TConsoleAction::Send, TRecipientSource::File, {},
         "C:\\Grup Adları\\muhasebe.txt", nullptr},
        {"/kime:\"@ adlar.txt\"", TConsoleAction::Send, TRecipientSource::File, {}, "adlar.txt", nullptr},
        {"/mesaj:\"saat: 10:30\" /kime:PC1", TConsoleAction::Send, TRecipientSource::Names, {"PC1"}, "", "saat: 10:30"},
        {"/liste", TConsoleAction::List, TRecipientSource::None, {}, "", nullptr},
        {"-LİSTE", TConsoleAction::Wrong, TRecipientSource::None, {}, "", nullptr}, // İ is no ASCII letter
        {"/?", TConsoleAction::Usage, TRecipientSource::None, {}, "", nullptr},
        {"/kime:PC1 /bilinmeyen -?", TConsoleAction::Usage, TRecipientSource::None, {}, "", nullptr},
    };
    for (const TCase& c : cases) {
        const TConsoleCall call = Parse(c.Line);
        EXPECT_EQ(call.Action, c.Action) << c.Line << ": " << call.Error;
        if (call.Action != TConsoleAction::Send)
            continue;
        EXPECT_EQ(call.Source, c.Source) << c.Line;
        EXPECT_EQ(call.Names, c.Names) << c.Line;
        EXPECT_EQ(call.FilePath, c.File) << c.Line;
        EXPECT_EQ(call.Message.has_value(), c.Message != nullptr) << c.Line;
        if (call.Message && c.Message) {
            EXPECT_EQ(*call.Message, c.Message) << c.Line;
        }
    }
}

TEST(ParseConsoleCall, WrongCallsSayWhatIsWrong)
{
    const std::string tooLong = "/kime:PC1 /mesaj:" + std::string(kMaxMessageLength + 1, 'a');
    struct TCase {
        std::string Line;
        std::string Error;
    };
    const TCase cases[] = {
        {"", kConsoleNoRecipientSwitch},
        {"/mesaj:merhaba", kConsoleNoRecipientSwitch},
        {"/kime:PC1 /mesaj:Merhaba dünya",
         "Anlaşılmayan bölüm: dünya (boşluk içeren bir mesajı tırnak içine alın: /mesaj:\"...\")"},
        {"/kime:PC1 /gonder", "Bilinmeyen anahtar: /gonder"},
        {"/kime", "Bu anahtarın ardından iki nokta ve bir değer gelmeli: /kime"},
        {"/kime:PC1 -MESAJ", "Bu anahtarın ardından iki nokta ve bir değer gelmeli: -MESAJ"},
        {"/kime:", kConsoleNoNames},
        {"/kime:\" , ,\"", kConsoleNoNames},
        {"/kime:@", kConsoleNoFileName},
        {"/kime:PC1 /kime:PC2", "Bu anahtar bir kez verilebilir: /kime"},
        {"/kime:PC1 /mesaj:a /mesaj:b", "Bu anahtar bir kez verilebilir: /mesaj"},
        {"/liste /liste", "Bu anahtar bir kez verilebilir: /liste"},
        {"/liste:x", "Bu anahtar değer almaz: /liste"},
        {"/liste /kime:PC1", kConsoleListAlone},
        {"/kime:PC1 /mesaj:", kConsoleEmptyMessage},
        {"/kime:PC1 \"/mesaj: \t \"", kConsoleEmptyMessage},
        {tooLong, "Mesaj çok uzun: en çok 65535 karakter gönderilebilir. Mesajı kısaltın."},
        {"/", "Anlaşılmayan bölüm: / (boşluk içeren bir mesajı tırnak içine alın: /mesaj:\"...\")"},
    };
    for (const TCase& c : cases) {
        const TConsoleCall call = Parse(c.Line.c_str());
        EXPECT_EQ(call.Action, TConsoleAction::Wrong) << c.Line.substr(0, 60);
        EXPECT_EQ(call.Error, c.Error) << c.Line.substr(0, 60);
    }
}

TEST(CheckMessageText, TakesTheLongestTextButNotOneMore)
{
    EXPECT_EQ(CheckMessageText(std::string(kMaxMessageLength, 'a')), "");
    EXPECT_NE(CheckMessageText(std::string(kMaxMessageLength + 1, 'a')), "");
    EXPECT_EQ(CheckMessageText("\r\n\t "), kConsoleEmptyMessage);
}

TEST(ReadNameList, OneNameALineWithoutBlanksAndComments)
{
    struct TCase {
        const char* Name;
        std::string Text;
        TArgs Names;
    };
    const TCase cases[] = {
        {"LF and CR LF", "PC01\nPC02\r\nPC03", {"PC01", "PC02", "PC03"}},
        {"blank lines and blanks around", "\r\n  PC01 \t\r\n\r\n\tPC02\r\n", {"PC01", "PC02"}},
        {"comments, also indented", "; muhasebe\nPC01\n   ;PC02\nPC03 ; not a comment", {"PC01", "PC03 ; not a comment"}},
        {"empty file", "", {}},
        {"only comments", ";a\n;b\n", {}},
        {"Turkish letters kept", "MUHASEBE-\xDE\xDD\n", {"MUHASEBE-\xDE\xDD"}},
        {"a NUL is a control character and trimmed", std::string("PC01\0\n", 6), {"PC01"}},
    };
    for (const TCase& c : cases)
        EXPECT_EQ(ReadNameList(c.Text), c.Names) << c.Name;
}

TEST(PlanConsoleRecipients, EachComputerOnceThisOneLeftOut)
{
    struct TCase {
        const char* Name;
        TArgs Names;
        const char* LeaveOut;
        TArgs Plan;
    };
    const TCase cases[] = {
        {"duplicates once, letter case ignored, first spelling kept", {"pc01", "PC02", "PC01", " pc02"}, "",
         {"pc01", "PC02"}},
        {"this computer left out whatever its case", {"PC01", "benim-pc", "PC02"}, "BENIM-PC", {"PC01", "PC02"}},
        {"only this computer", {"BENIM-PC"}, "benim-pc", {}},
        {"nothing to leave out", {"PC01"}, "", {"PC01"}},
    };
    for (const TCase& c : cases)
        EXPECT_EQ(PlanConsoleRecipients(c.Names, c.LeaveOut), c.Plan) << c.Name;
}

TEST(ConsoleReport, OneLinePerRecipientSummaryAndExitCode)
{
    const TDeliveryResult ok1{"PC01", true, 0, ""};
    const TDeliveryResult ok2{"PC03", true, 0, ""};
    const TDeliveryResult failed{"PC02", false, 2273,
        "Mesaj PC02 bilgisayarına gönderilemedi: bu ad ağda bulunamadı\nBilgisayarın adını denetleyin."};
    const TDeliveryResult wordless{"PC04", false, 0, ""};
    EXPECT_EQ(ConsoleResultLine(ok1), "PC01: gönderildi");
    EXPECT_EQ(ConsoleResultLine(failed), "PC02: gönderilemedi — Mesaj PC02 bilgisayarına gönderilemedi: bu ad ağda "
                                         "bulunamadı. Bilgisayarın adını denetleyin. (hata kodu 2273)");
    EXPECT_EQ(ConsoleResultLine(wordless), "PC04: gönderilemedi — nedeni bilinmiyor");

    struct TCase {
        std::vector<TDeliveryResult> Results;
        std::string Summary;
        TConsoleExitCode Code;
    };
    const TCase cases[] = {
        {{ok1}, "Mesaj gönderildi.", kExitAllDelivered},
        {{ok1, ok2}, "Mesaj 2 bilgisayarın hepsine gönderildi.", kExitAllDelivered},
        {{ok1, failed, ok2}, "Mesaj 3 bilgisayardan 2 tanesine gönderildi, 1 tanesine gönderilemedi.", kExitSomeFailed},
        {{failed}, "Mesaj gönderilemedi.", kExitNoneDelivered},
        {{failed, wordless}, "Mesaj 2 bilgisayarın hiçbirine gönderilemedi.", kExitNoneDelivered},
    };
    for (const TCase& c : cases) {
        EXPECT_EQ(ConsoleSummaryLine(c.Results), c.Summary);
        EXPECT_EQ(ConsoleExitCode(c.Results), c.Code) << c.Summary;
    }
    EXPECT_EQ(ConsoleExitCode({}), kExitWrongCall);
}

TEST(ConsoleTexts, AreCodePage1254BytesAndTheUsageFitsAConsoleWindow)
{
    std::string usage = kConsoleUsage;
    for (size_t start = 0, end; start < usage.size(); start = end + 1) {
        end = usage.find('\n', start);
        end = end == std::string::npos ? usage.size() : end;
        EXPECT_LT(end - start, 80u) << usage.substr(start, end - start);
    }
    EXPECT_EQ(std::string(kConsoleDelivered), ": g\xF6nderildi");
    EXPECT_EQ(std::string(kConsoleNotDelivered), ": g\xF6nderilemedi \x97 ");
    EXPECT_EQ(std::string(kConsoleWorkgroupEmpty).substr(0, 10), "\xC7\x61l\xFD\xFEma gr");
}
