// The single-copy marker's name, the link label's target and the extension behind its open-with fallback.
#include <gtest/gtest.h>

#include "TextCases.h"
#include "core/ShellTargets.h"

TEST(ProgramFileName, KeepsWhatFollowsTheLastBackslashOrColon)
{
    ExpectEachText(ProgramFileName, {
        {"C:\\Program Files\\Varnel\\varnel.exe", "varnel.exe"},
        {"D:\\a\\b\\c\\Varnel.EXE", "Varnel.EXE"},
        {"\\\\server\\share\\tools\\varnel.exe", "varnel.exe"},
        {"C:varnel.exe", "varnel.exe"},
        {"varnel.exe", "varnel.exe"},
        {"C:\\dir.with.dots\\prog", "prog"},
        {"C:\\x\\y:z.exe", "z.exe"}, // a colon later than the last backslash still cuts
        {"C:\\dir\\", ""},
        {"", ""},
        {"C:\\Uygulamalar\\Gönderici\\mesajcı.exe", "mesajcı.exe"},
        {"C:/forward/slashes/are/kept.exe", "/forward/slashes/are/kept.exe"}, // slashes do not cut
    });
}

TEST(ProgramFileName, SameNameInAnotherFolderGivesTheSameMarker)
{
    EXPECT_EQ(ProgramFileName("C:\\one\\varnel.exe"), ProgramFileName("E:\\two\\deeper\\varnel.exe"));
    EXPECT_NE(ProgramFileName("C:\\one\\varnel.exe"), ProgramFileName("C:\\one\\varnel2.exe"));
}

TEST(LinkTarget, UrlFirstCaptionSecondBlanksNothing)
{
    const struct {
        std::string Url;
        std::string Caption;
        std::optional<std::string> Target;
    } cases[] = {
        {"https://varnel.example.org", "caption", "https://varnel.example.org"},
        {"", "https://varnel.example.org", "https://varnel.example.org"},
        {"  \t", "page.htm", "page.htm"},               // a blank URL falls back to the caption
        {" padded ", "caption", " padded "},            // the target itself is not trimmed
        {"", "  padded caption\t", "  padded caption\t"},
        {"", "", std::nullopt},
        {" \r\n", " \t ", std::nullopt},
        {std::string("\0\x1f", 2), "\x01 ", std::nullopt},
    };
    for (const auto& c : cases)
        EXPECT_EQ(LinkTarget(c.Url, c.Caption), c.Target) << '[' << c.Url << "] [" << c.Caption << ']';
}

TEST(OpenWithFallback, OnlyAnExactHtmExtensionInAnyLetterCase)
{
    const struct {
        const char* Target;
        const char* Extension;
        bool Offers;
    } cases[] = {
        {"C:\\docs\\index.htm", ".htm", true},
        {"http://varnel.example.org/index.HTM", ".HTM", true},
        {"page.hTm", ".hTm", true},
        {"index.html", ".html", false},
        {"index.htm.txt", ".txt", false},
        {"C:\\site.htm\\readme", "", false},       // the dot belongs to a folder name
        {"C:x.htm", ".htm", true},
        {"http://varnel.example.org", ".org", false},
        {"http://varnel.example.org/a", ".org/a", false}, // a slash does not end the extension
        {"noextension", "", false},
        {"trailingdot.", ".", false},
        {".htm", ".htm", true},
        {"", "", false},
        {"sayfa.hıtm", ".hıtm", false},             // only ASCII letters fold
    };
    for (const auto& c : cases) {
        EXPECT_EQ(FileExtension(c.Target), c.Extension) << c.Target;
        EXPECT_EQ(OffersOpenWith(c.Target), c.Offers) << c.Target;
    }
}
