// The send command's input check and what a send leaves in the history.
#include <gtest/gtest.h>

#include <vector>

#include "core/SendHistory.h"
#include "core/Text.h"

namespace {
// The history list's comparison as the tests assume it: the whole text, ASCII case ignored.
TSendHistory MakeHistory()
{
    return TSendHistory(SameTextAscii);
}
}

TEST(CanSend, NeedsATrimmedMessageAndARecipientText)
{
    EXPECT_TRUE(CanSend("Merhaba", "OFIS-PC"));
    EXPECT_FALSE(CanSend(" \r\n\t ", "OFIS-PC"));
    EXPECT_FALSE(CanSend("Merhaba", ""));
    EXPECT_TRUE(CanSend("Merhaba", "TOPLU MESAJ GÖNDERİMİ"));
}

TEST(SendHistory, OneEntryPerTextWhateverItsCase)
{
    TSendHistory history = MakeHistory();
    EXPECT_TRUE(history.Record("Toplantı saat 3te"));
    EXPECT_FALSE(history.Record("Toplantı saat 3te"));
    EXPECT_FALSE(history.Record("TOPLANTı SAAT 3TE"));
    EXPECT_EQ(history.Entries(), std::vector<std::string>{"Toplantı saat 3te"});
}

TEST(SendHistory, KeepsTheBlanksButProbesTrimmed)
{
    TSendHistory history = MakeHistory();
    EXPECT_TRUE(history.Record("  Çay hazır  "));
    // The probe is trimmed, the stored entry is not: the same blanks again find no equal entry.
    EXPECT_TRUE(history.Record("  Çay hazır  "));
    // The bare words are no entry either: entries compare as whole texts.
    EXPECT_TRUE(history.Record("Çay hazır"));
    EXPECT_FALSE(history.Record("Çay HAZıR"));
    // Only a-z fold: the dotted capital İ/ı and Ç/ç are different letters to the comparison.
    EXPECT_TRUE(history.Record("çay hazır"));
    EXPECT_EQ(history.Entries().size(), 4u);
    EXPECT_EQ(history.Entries()[0], "  Çay hazır  ");
}

TEST(SendHistory, MultiLineTextKeepsItsInnerLineBreaks)
{
    TSendHistory history = MakeHistory();
    history.Record("birinci\r\nikinci\r\n");
    EXPECT_EQ(history.Entries().at(0), "birinci\r\nikinci\r\n");
}

TEST(SendHistory, TheWindowHearsOfEachAddedTextAndOfTheClearing)
{
    TSendHistory history = MakeHistory();
    std::vector<std::string> heard;
    history.OnAdded = [&](const std::string& text) { heard.push_back(text); };
    history.OnCleared = [&] { heard.push_back("<cleared>"); };
    history.Record("Merhaba");
    history.Record("MERHABA");
    history.Clear();
    EXPECT_TRUE(history.Record("merhaba")) << "after clearing the text is new again";
    EXPECT_EQ(heard, (std::vector<std::string>{"Merhaba", "<cleared>", "merhaba"}));
}
