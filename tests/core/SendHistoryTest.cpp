// The send command's input check and what a send leaves in the history.
#include <gtest/gtest.h>

#include <vector>

#include "core/SendHistory.h"
#include "core/Text.h"

namespace {
// A history list with the history window's rule: equal means the whole text, ASCII case ignored.
class TFakeHistory : public TStrings {
public:
    std::vector<std::string> Items;
    int Count() const override { return static_cast<int>(Items.size()); }
    std::string Get(int index) const override { return Items.at(static_cast<size_t>(index)); }
    int IndexOf(const std::string& text) const override
    {
        for (size_t i = 0; i < Items.size(); ++i)
            if (SameTextAscii(Items[i], text))
                return static_cast<int>(i);
        return -1;
    }
    int Add(const std::string& text) override
    {
        Items.push_back(text);
        return Count() - 1;
    }
    void Delete(int index) override { Items.erase(Items.begin() + index); }
    void Clear() override { Items.clear(); }
};
}

TEST(CanSend, NeedsATrimmedMessageAndARecipientText)
{
    EXPECT_TRUE(CanSend("Merhaba", "OFIS-PC"));
    EXPECT_FALSE(CanSend(" \r\n\t ", "OFIS-PC"));
    EXPECT_FALSE(CanSend("Merhaba", ""));
    EXPECT_TRUE(CanSend("Merhaba", "TOPLU MESAJ GÖNDERİMİ"));
}

TEST(RecordSentText, OneEntryPerTextWhateverItsCase)
{
    TFakeHistory history;
    EXPECT_TRUE(RecordSentText(history, "Toplantı saat 3te"));
    EXPECT_FALSE(RecordSentText(history, "Toplantı saat 3te"));
    EXPECT_FALSE(RecordSentText(history, "TOPLANTı SAAT 3TE"));
    EXPECT_EQ(history.Items, std::vector<std::string>{"Toplantı saat 3te"});
}

TEST(RecordSentText, KeepsTheBlanksButProbesTrimmed)
{
    TFakeHistory history;
    EXPECT_TRUE(RecordSentText(history, "  Çay hazır  "));
    // The probe is trimmed, the stored entry is not: the same blanks again find no equal entry.
    EXPECT_TRUE(RecordSentText(history, "  Çay hazır  "));
    // The bare words are no entry either: entries compare as whole texts.
    EXPECT_TRUE(RecordSentText(history, "Çay hazır"));
    EXPECT_FALSE(RecordSentText(history, "Çay HAZıR"));
    // Only a-z fold: the dotted capital İ/ı and Ç/ç are different letters to the comparison.
    EXPECT_TRUE(RecordSentText(history, "çay hazır"));
    EXPECT_EQ(history.Items.size(), 4u);
    EXPECT_EQ(history.Items[0], "  Çay hazır  ");
}

TEST(RecordSentText, MultiLineTextKeepsItsInnerLineBreaks)
{
    TFakeHistory history;
    RecordSentText(history, "birinci\r\nikinci\r\n");
    EXPECT_EQ(history.Items.at(0), "birinci\r\nikinci\r\n");
}
