// The send command's input check and what a send leaves in the history.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "core/SendHistory.h"

namespace {
// The history's own part: it trims the probe, keeps the text as sent and asks its comparison, here plain equality.
// The program's comparison (SameEntryText, case ignored the list box's way) is tested under Wine in EcISLbTest.
TSendHistory MakeHistory()
{
    return TSendHistory(std::equal_to<std::string>());
}
}

TEST(CanSend, NeedsATrimmedMessageAndARecipientText)
{
    EXPECT_TRUE(CanSend("Merhaba", "OFIS-PC"));
    EXPECT_FALSE(CanSend(" \r\n\t ", "OFIS-PC"));
    EXPECT_FALSE(CanSend("Merhaba", ""));
    EXPECT_TRUE(CanSend("Merhaba", "TOPLU MESAJ GÖNDERİMİ"));
}

TEST(SendHistory, OneEntryPerTextAndTheBlanksAroundASecondSendDoNotCount)
{
    TSendHistory history = MakeHistory();
    EXPECT_TRUE(history.Record("Toplantı saat 3te"));
    EXPECT_FALSE(history.Record("Toplantı saat 3te"));
    EXPECT_FALSE(history.Record("  Toplantı saat 3te\r\n"));
    EXPECT_TRUE(history.Record("Toplantı saat 4te"));
    EXPECT_EQ(history.Entries(), (std::vector<std::string>{"Toplantı saat 3te", "Toplantı saat 4te"}));
}

TEST(SendHistory, KeepsTheBlanksButProbesTrimmed)
{
    TSendHistory history = MakeHistory();
    EXPECT_TRUE(history.Record("  Çay hazır  "));
    // The probe is trimmed, the stored entry is not: the same blanks again find no equal entry.
    EXPECT_TRUE(history.Record("  Çay hazır  "));
    // The bare words are another entry: entries compare as whole texts.
    EXPECT_TRUE(history.Record("Çay hazır"));
    EXPECT_FALSE(history.Record("Çay hazır "));
    EXPECT_EQ(history.Entries(), (std::vector<std::string>{"  Çay hazır  ", "  Çay hazır  ", "Çay hazır"}));
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
    history.Record("Merhaba");
    history.Clear();
    EXPECT_TRUE(history.Record("merhaba")) << "after clearing the text is new again";
    EXPECT_EQ(heard, (std::vector<std::string>{"Merhaba", "<cleared>", "merhaba"}));
}
