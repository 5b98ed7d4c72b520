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
        {Failed("PC01", 2273, " bu ad a\xF0" "da bulunamad\xFD "), Ok("PC02"), Failed("PC03", 0, "  "), Ok("PC04")});
    EXPECT_TRUE(outcome.AnyDelivered());
    EXPECT_EQ(outcome.Total, 4);
    EXPECT_EQ(outcome.Delivered, 2);
    EXPECT_EQ(outcome.Failed, (std::vector<std::string>{"PC01", "PC03"}));
    EXPECT_EQ(outcome.FailureSummary,
        "Mesaj 4 bilgisayardan 2 tanesine g\xF6nderildi.\n\n"
        "G\xF6nderilemeyen bilgisayarlar:\n"
        "PC01: bu ad a\xF0" "da bulunamad\xFD (hata kodu 2273).\n"
        "PC03: beklenmeyen bir sorun olu\xFEtu.\n\n"
        "Yaln\xFDzca bu bilgisayarlara yeniden g\xF6ndermek i\xE7in metni de\xF0i\xFEtirmeden \"G\xF6nder\" d\xFC\xF0mesine "
        "bas\xFDn; metni de\xF0i\xFEtirirseniz mesaj se\xE7ti\xF0iniz bilgisayarlar\xFDn hepsine g\xF6nderilir.");
}

TEST(FoldBulkResults, NoneDeliveredSaysSoAndRetriesEveryone)
{
    const TBulkOutcome outcome = FoldBulkResults({Failed("PC01", 5, "x"), Failed("PC02", -1, "y")});
    EXPECT_FALSE(outcome.AnyDelivered());
    EXPECT_EQ(outcome.Failed, (std::vector<std::string>{"PC01", "PC02"}));
    EXPECT_EQ(outcome.FailureSummary.rfind("Mesaj g\xF6nderilemedi.\n\n", 0), 0u) << outcome.FailureSummary;
    EXPECT_NE(outcome.FailureSummary.find("\nPC02: y (hata kodu -1).\n"), std::string::npos);
}

TEST(FoldBulkResults, TheBoxListsTenFailuresAndCountsTheRestButRetriesAll)
{
    for (const int failed : {10, 11, 40}) {
        std::vector<TDeliveryResult> results{Ok("PC00")};
        for (int i = 1; i <= failed; ++i)
            results.push_back(Failed(("PC" + std::to_string(i)).c_str(), 2273, "z"));
        const TBulkOutcome outcome = FoldBulkResults(results);
        EXPECT_EQ(outcome.Failed.size(), static_cast<size_t>(failed));
        EXPECT_NE(outcome.FailureSummary.find("\nPC10: z"), std::string::npos) << failed;
        EXPECT_EQ(outcome.FailureSummary.find("\nPC11: z"), std::string::npos) << failed;
        const std::string more = "\n\x85 ve " + std::to_string(failed - 10) + " bilgisayar daha\n";
        EXPECT_EQ(outcome.FailureSummary.find(more) != std::string::npos, failed > 10) << outcome.FailureSummary;
    }
}

TEST(BulkProgress, PerMilleStaysWithinBounds)
{
    EXPECT_EQ((TBulkProgress{0, 0}).PerMille(), 0);
    EXPECT_EQ((TBulkProgress{1, 0}).PerMille(), 0);
    EXPECT_EQ((TBulkProgress{-1, 3}).PerMille(), 0);
    EXPECT_EQ((TBulkProgress{1, 3}).PerMille(), 333);
    EXPECT_EQ((TBulkProgress{3, 3}).PerMille(), 1000);
    EXPECT_EQ((TBulkProgress{5, 3}).PerMille(), 1000);
    EXPECT_EQ((TBulkProgress{2000000, 3000000}).PerMille(), 666);
}
