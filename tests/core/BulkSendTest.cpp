// Who a bulk send goes to, what a retry sends to, and what the user is told.
#include <gtest/gtest.h>

#include "core/BulkSend.h"

TEST(PlanBulkRecipients, CheckedComputersInListOrderEachOnce)
{
    struct TCase {
        const char* Name;
        std::vector<TPickerItem> Items;
        std::vector<std::string> Expected;
    };
    const TCase cases[] = {
        {"list order, unchecked left out",
         {{"PC03", true}, {"PC01", false}, {"PC02", true}},
         {"PC03", "PC02"}},
        {"duplicates once, the first spelling kept",
         {{"pc01", true}, {"PC02", true}, {"PC01", true}, {" pc02 ", true}},
         {"pc01", "PC02"}},
        {"a duplicate that is unchecked does not hide the checked one",
         {{"PC01", false}, {"PC01", true}},
         {"PC01"}},
        {"blank names are no computers", {{"", true}, {" \t", true}, {"PC09", true}}, {"PC09"}},
        {"Turkish letters compared byte for byte", {{"\xDD\xDE", true}, {"\xFD\xFE", true}}, {"\xDD\xDE", "\xFD\xFE"}},
        {"nothing checked", {{"PC01", false}}, {}},
    };
    for (const TCase& c : cases)
        EXPECT_EQ(PlanBulkRecipients(c.Items), c.Expected) << c.Name;
}

namespace {
TDeliveryResult Ok(const char* name) { return {name, true, 0, ""}; }
TDeliveryResult Failed(const char* name, int32_t code, const char* text) { return {name, false, code, text}; }
}

TEST(FoldBulkResults, AllDeliveredLeavesNothingToSay)
{
    const TBulkOutcome outcome = FoldBulkResults({Ok("PC01"), Ok("PC02")});
    EXPECT_TRUE(outcome.AllDelivered());
    EXPECT_EQ(outcome.Delivered, 2);
    EXPECT_TRUE(outcome.Failed.empty());
    EXPECT_EQ(outcome.FailureSummary, "");
}

TEST(FoldBulkResults, SomeFailedNamesEachFailureAndKeepsThemForTheRetry)
{
    const TBulkOutcome outcome = FoldBulkResults(
        {Failed("PC01", 2273, "Ad bulunamad\xFD\r\nAl\xFDc\xFD yok \n"), Ok("PC02"), Failed("PC03", 53, "  "), Ok("PC04")});
    EXPECT_TRUE(outcome.AnyDelivered());
    EXPECT_EQ(outcome.Total, 4);
    EXPECT_EQ(outcome.Delivered, 2);
    EXPECT_EQ(outcome.Failed, (std::vector<std::string>{"PC01", "PC03"}));
    EXPECT_EQ(outcome.FailureSummary,
        "Mesaj 4 bilgisayardan 2 tanesine g\xF6nderildi.\n\n"
        "G\xF6nderilemeyen bilgisayarlar:\n"
        "PC01 (2273): Ad bulunamad\xFD - Al\xFDc\xFD yok\n"
        "PC03 (53): Bilinmeyen hata");
}

TEST(FoldBulkResults, NoneDeliveredSaysSoAndRetriesEveryone)
{
    const TBulkOutcome outcome = FoldBulkResults({Failed("PC01", 5, "Eri\xFEim engellendi"), Failed("PC02", -1, "x")});
    EXPECT_FALSE(outcome.AnyDelivered());
    EXPECT_EQ(outcome.Failed, (std::vector<std::string>{"PC01", "PC02"}));
    EXPECT_EQ(outcome.FailureSummary,
        "Mesaj 2 bilgisayar\xFDn hi\xE7" "birine g\xF6nderilemedi.\n\n"
        "G\xF6nderilemeyen bilgisayarlar:\n"
        "PC01 (5): Eri\xFEim engellendi\n"
        "PC02 (-1): x");
}

TEST(BulkProgress, PerMilleStaysWithinBounds)
{
    EXPECT_EQ((TBulkProgress{0, 0}).PerMille(), 0);
    EXPECT_EQ((TBulkProgress{1, 3}).PerMille(), 333);
    EXPECT_EQ((TBulkProgress{3, 3}).PerMille(), 1000);
    EXPECT_EQ((TBulkProgress{5, 3}).PerMille(), 1000);
    EXPECT_EQ((TBulkProgress{2000000, 3000000}).PerMille(), 666);
}
