// Every failure text the program builds itself, read as a Turkish office user reads it: no English word, a next
// step, the code last, and bytes that are code page 1254.
#include <gtest/gtest.h>

#include <cctype>
#include <optional>
#include <string>
#include <vector>

#include "core/BulkSend.h"
#include "core/ProgramTexts.h"
#include "core/SendFailure.h"
#include "core/TerminalMessage.h"
#include "core/WinPopupFailure.h"

namespace {

struct TFailureCase {
    std::string What;
    std::string Text;
    std::optional<int64_t> Code; // the code the box must end with, when the failure has one
};

using F = TWinPopupFailure;
using O = TTerminalOutcome;

// The codes a messenger send meets in practice, and one the program has no words for.
const uint32_t kMessengerCodes[] = {5, 8, 53, 87, 1722, 2102, 2106, 2114, 2136, 2137, 2138, 2141, 2273, 2281, 2282,
    2284, 2287, 12345};
const F kDirectFailures[] = {F::RecipientUnresolved, F::ConnectFailed, F::ConnectTimedOut, F::SessionRefused,
    F::MessageRefused, F::ConnectionLost, F::TimedOut, F::MalformedReply, F::UnexpectedStatus, F::LocalFault};
const TTerminalResult kSessionRoadResults[] = {{O::NoActiveSession, 0}, {O::Refused, 5}, {O::Refused, 1326},
    {O::Refused, 1385}, {O::Refused, 7045}, {O::Refused, 1717}, {O::Refused, 1722}, {O::Refused, 1726},
    {O::Refused, 1727}, {O::Refused, 1753}};

std::vector<TFailureCase> SendRoadTexts()
{
    std::vector<TFailureCase> cases;
    // A Turkish Windows's own text may stand under the program's sentence; without it the box is whole too.
    for (const std::string detail : {"", "A\xF0 yolu bulunamad\xFD"}) {
        for (const uint32_t code : kMessengerCodes)
            cases.push_back({"messenger " + std::to_string(code), SendFailureBox("PC02", MessengerFailure(code, detail)),
                code});
    }
    cases.push_back({"library", SendFailureBox("PC02", NetworkLibraryMissing(126, "", "netapi32.dll")), 126});
    cases.push_back({"operation", SendFailureBox("PC02", MessengerOperationMissing(127, "")), 127});
    for (const F failure : kDirectFailures)
        cases.push_back({"direct delivery " + std::to_string(static_cast<int>(failure)),
            SendFailureBox("\\\\PC02", DirectDeliveryFailure(failure)), WinPopupErrorCode(failure)});
    for (const TTerminalResult& result : kSessionRoadResults) {
        const auto failure = TerminalFailureToReport(F::SessionRefused, result);
        EXPECT_TRUE(failure) << result.Code;
        if (failure)
            cases.push_back({"session road " + std::to_string(result.Code), SendFailureBox("PC02", *failure),
                failure->Code});
    }
    return cases;
}

std::vector<TFailureCase> BulkTexts()
{
    std::vector<TFailureCase> cases;
    for (const int delivered : {0, 1}) {
        for (const int failed : {1, 12}) {
            std::vector<TDeliveryResult> results(static_cast<size_t>(delivered), TDeliveryResult{"PC00", true, 0, ""});
            for (int i = 0; i < failed; ++i)
                results.push_back({"PC" + std::to_string(i + 1), false, 2273,
                    i % 2 ? DirectDeliveryFailure(F::RecipientUnresolved).Reason : std::string()});
            cases.push_back({"bulk " + std::to_string(delivered) + "/" + std::to_string(failed),
                FoldBulkResults(results).FailureSummary, std::nullopt});
        }
    }
    cases.push_back({"bulk send still running", BulkSendRunningText(), std::nullopt});
    // The enumeration's own English text stands above it, as the enumeration has always shown it.
    cases.push_back({"browse list", BrowseListUnavailableText(), std::nullopt});
    return cases;
}

std::vector<TFailureCase> ProgramTexts()
{
    std::vector<TFailureCase> cases = {
        {"window", WindowNotCreatedText("Form1", 1400), 1400},
        {"tray picture", TrayPictureNotCopiedText(6), 6},
        {"tray animation", TrayAnimationNotStartedText(1405), 1405},
        {"settings too long", SettingsValueTooLongText("C:\\windows\\Varnel.Ini", "RENK", 4096), std::nullopt},
        {"settings directory", SettingsDirectoryUnknownText("\\Varnel.Ini"), std::nullopt},
        {"event", SyncObjectNotCreatedText(TSyncObject::Event, 8), 8},
        {"semaphore", SyncObjectNotCreatedText(TSyncObject::Semaphore, 8), 8},
        {"thread", ThreadNotStartedText(11), 11},
        {"history window", StartUpWindowMissingText(TStartUpWindow::History), std::nullopt},
        {"picker window", StartUpWindowMissingText(TStartUpWindow::BulkPicker), std::nullopt},
        {"catch-all", UnexpectedFailureText(), std::nullopt},
        {"out of memory", OutOfMemoryText(), std::nullopt},
        {"internal fault", InternalFaultText("pencerede Panel1 yok"), std::nullopt},
        {"no such item", NoSuchItemText(7), std::nullopt},
        {"list full", ListFullText(), std::nullopt},
    };
    for (const TSettingsPart part : {TSettingsPart::Section, TSettingsPart::Key, TSettingsPart::Value})
        for (const TRefusedCharacter refused : {TRefusedCharacter::LineBreak, TRefusedCharacter::EqualsSign})
            cases.push_back({"settings text refused", SettingsTextRefusedText("C:\\windows\\Varnel.Ini", part,
                refused), std::nullopt});
    return cases;
}

std::vector<TFailureCase> EveryFailureText()
{
    std::vector<TFailureCase> all = SendRoadTexts();
    for (auto part : {BulkTexts(), ProgramTexts()})
        all.insert(all.end(), part.begin(), part.end());
    return all;
}

std::string Lower(std::string word)
{
    for (char& c : word)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return word;
}

// Words of ASCII letters only: a Turkish word holds letters outside ASCII or none of these.
std::vector<std::string> AsciiWords(const std::string& text)
{
    std::vector<std::string> words;
    std::string word;
    bool pure = true;
    for (size_t i = 0; i <= text.size(); ++i) {
        const unsigned char c = i < text.size() ? static_cast<unsigned char>(text[i]) : ' ';
        if (std::isalpha(c) || c >= 0x80 || c == '\'') {
            word += static_cast<char>(c);
            pure = pure && c < 0x80;
            continue;
        }
        if (!word.empty() && pure)
            words.push_back(Lower(word));
        word.clear();
        pure = true;
    }
    return words;
}

std::string EnglishWordIn(const std::string& text)
{
    static const char* const kEnglish[] = {"the", "could", "not", "cannot", "failed", "error", "unknown", "window",
        "exception"};
    for (const std::string& word : AsciiWords(text))
        for (const char* english : kEnglish)
            if (word == english)
                return word;
    return {};
}

std::vector<std::string> Lines(const std::string& text)
{
    std::vector<std::string> lines;
    size_t start = 0;
    while (start <= text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos)
            end = text.size();
        std::string line = text.substr(start, end - start);
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (!line.empty())
            lines.push_back(line);
        start = end + 1;
    }
    return lines;
}

// A polite imperative ends a clause: "deneyin.", "başlatın;", "emin olun." ("için" is no verb).
bool EndsWithImperative(const std::string& clause)
{
    const std::string word = clause.substr(clause.find_last_of(' ') == std::string::npos ? 0 : clause.find_last_of(' ') + 1);
    if (word.size() < 4 || word == "için" || word.find('(') != std::string::npos)
        return false;
    for (const char* ending : {"in", "ın", "un", "ün"})
        if (word.size() >= std::string(ending).size() && word.ends_with(ending))
            return true;
    return false;
}

// After what happened comes what to do: a line after the first with a clause that ends in an imperative.
bool HasNextStep(const std::string& text)
{
    const std::vector<std::string> lines = Lines(text);
    for (size_t i = 1; i < lines.size(); ++i) {
        std::string clause;
        for (const char c : lines[i] + ".") {
            if (c == '.' || c == ';' || c == ':' || c == ',') {
                if (EndsWithImperative(clause))
                    return true;
                clause.clear();
            } else {
                clause += c;
            }
        }
    }
    return false;
}

// Bytes code page 1254 leaves undefined, control characters other than line breaks, and UTF-8 sequences (which
// show as "Ä±" where "ı" was meant).
std::string CodePageFault(const std::string& text)
{
    for (size_t i = 0; i < text.size(); ++i) {
        const auto c = static_cast<unsigned char>(text[i]);
        if (c == 0x81 || c == 0x8D || c == 0x8E || c == 0x8F || c == 0x90 || c == 0x9D || c == 0x9E)
            return "undefined byte at " + std::to_string(i);
        if (c < 0x20 && c != '\r' && c != '\n')
            return "control character at " + std::to_string(i);
        const auto next = i + 1 < text.size() ? static_cast<unsigned char>(text[i + 1]) : 0;
        if (c >= 0xC2 && c <= 0xF4 && next >= 0x80 && next <= 0xBF)
            return "UTF-8 sequence at " + std::to_string(i);
    }
    return {};
}

TEST(FailureTexts, EveryFailureTextIsTurkishSaysWhatToDoAndEndsWithItsCode)
{
    for (const TFailureCase& c : EveryFailureText()) {
        SCOPED_TRACE(c.What + ": [" + c.Text + "]");
        EXPECT_EQ(EnglishWordIn(c.Text), "");
        EXPECT_TRUE(HasNextStep(c.Text)) << "no next step";
        EXPECT_EQ(CodePageFault(c.Text), "");
        if (c.Code) {
            const std::vector<std::string> lines = Lines(c.Text);
            EXPECT_EQ(lines.empty() ? std::string() : lines.back(), "(hata kodu " + std::to_string(*c.Code) + ")");
        }
    }
}

TEST(FailureTexts, TurkishLettersAreTheCodePagesBytes)
{
    // "ı" 0xFD, "ğ" 0xF0, "İ" 0xDD, "Ö" 0xD6, "ö" 0xF6: where Latin-1 has other letters.
    EXPECT_EQ(SendFailureLine("PC02", DirectDeliveryFailure(F::RecipientUnresolved)),
        "PC02: bu ad a\xF0" "da bulunamad\xFD (hata kodu 2273).");
    EXPECT_NE(DirectDeliveryFailure(F::SessionRefused).Next.find("BEN\xDDOKU"), std::string::npos);
    EXPECT_NE(BulkSendRunningText().find("\xD6nceki toplu g\xF6nderim"), std::string::npos);
}

// Each box names what went wrong, not only a sentence of the right shape.
TEST(FailureTexts, EachBoxNamesItsOwnCause)
{
    EXPECT_EQ(MessengerFailure(2273, "").Reason, "bu ad a\xF0" "da bulunamad\xFD");
    const auto refused = [](TSettingsPart part) {
        return SettingsTextRefusedText("V.Ini", part, TRefusedCharacter::LineBreak).substr(0, 60);
    };
    EXPECT_NE(refused(TSettingsPart::Section).find("b\xF6l\xFCm ad\xFD"), std::string::npos);
    EXPECT_NE(refused(TSettingsPart::Key).find("ayar ad\xFD"), std::string::npos);
    EXPECT_NE(refused(TSettingsPart::Value).find("de\xF0" "er"), std::string::npos);
    EXPECT_EQ(SettingsDirectoryUnknownText("\\Varnel.Ini").rfind("Ayarlar kaydedilemedi: Varnel.Ini dosyas", 0), 0u);
}

TEST(FailureTexts, TheChecksCatchWhatTheyAreFor)
{
    EXPECT_EQ(EnglishWordIn("Cannot create window Form1"), "cannot");
    EXPECT_EQ(EnglishWordIn("Bilgisayar ağda bulunamadı (hata kodu 2273)"), "");
    EXPECT_FALSE(HasNextStep("Mesaj gönderilemedi.\r\nBilgisayar ağda bulunamadı"));
    EXPECT_TRUE(HasNextStep("Mesaj gönderilemedi.\r\nBilgisayarın adını denetleyin.\r\n(hata kodu 2273)"));
    EXPECT_FALSE(HasNextStep("Mesaj gönderilemedi.\r\nBu iş için."));
    EXPECT_NE(CodePageFault("Mesaj g\xC3\xB6nderilemedi"), "");
    EXPECT_NE(CodePageFault("Mesaj \x81"), "");
    EXPECT_EQ(CodePageFault("Ağ, ılık, İş, şu, Ğ, ğ"), "");
}

}  // namespace
