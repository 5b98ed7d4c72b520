// Tests of what one search does to the list and the field: selection, centring scroll and completion.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/SearchCompletion.h"

namespace {

const std::vector<std::string> kGreetings = {"Merhaba", "merhaba dünya", "Selam"};
const std::vector<std::string> kPunctuated = {"ab", "ab.x", "abc", "a-c", "ad"};
const std::vector<std::string> kNone;
const TListView kHistoryList{182, 13, 0};

TEST(SearchCompletion, CompletesTheFieldAndSelectsTheCompletedRest)
{
    struct Case {
        const std::vector<std::string>* store;
        std::string typed;
        bool caseSensitive;
        int select;
        std::string field;
        size_t selStart, selLength;
        std::string remembered;
    };
    const Case cases[] = {
        {&kGreetings, "mer", false, 0, "Merhaba", 3, 4, "MER"},
        {&kGreetings, "MERHABA D", false, 1, "merhaba dünya", 9, 4, "MERHABA D"},
        {&kGreetings, "selam", false, 2, "Selam", 5, 0, "SELAM"},
        {&kGreetings, "mer", true, 1, "merhaba dünya", 3, 10, "mer"},
        {&kPunctuated, "A-", false, 3, "a-c", 2, 1, "A-"},
    };
    for (const Case& c : cases) {
        const TSearchResult r = PlanSearch(TVectorEntries(*c.store), c.typed, c.caseSensitive, true, kHistoryList);
        EXPECT_EQ(r.SelectIndex, c.select) << c.typed;
        EXPECT_TRUE(r.Complete) << c.typed;
        EXPECT_EQ(r.FieldText, c.field) << c.typed;
        EXPECT_EQ(r.SelStart, c.selStart) << c.typed;
        EXPECT_EQ(r.SelLength, c.selLength) << c.typed;
        EXPECT_EQ(r.LastSearchText, c.remembered) << c.typed;
    }
}

TEST(SearchCompletion, LeavesFieldAndRememberedTextAloneWhenItMustNotComplete)
{
    struct Case {
        const char* name;
        const std::vector<std::string>* store;
        std::string typed;
        bool showResults;
        int select;
    };
    const Case cases[] = {
        {"no match keeps the typed text and the selection", &kGreetings, "xyz", true, -1},
        {"Turkish letters are not folded", &kGreetings, "ş", true, -1},
        {"empty store", &kNone, "mer", true, -1},
        {"empty field selects the first entry", &kGreetings, "", true, 0},
        {"empty field over an empty store", &kNone, "", true, -1},
        {"results hidden: select only", &kGreetings, "sel", false, 2},
    };
    for (const Case& c : cases) {
        const TSearchResult r = PlanSearch(TVectorEntries(*c.store), c.typed, false, c.showResults, kHistoryList);
        EXPECT_EQ(r.SelectIndex, c.select) << c.name;
        EXPECT_FALSE(r.Complete) << c.name;
        EXPECT_TRUE(r.FieldText.empty()) << c.name;
        EXPECT_TRUE(r.LastSearchText.empty()) << c.name;
    }
    EXPECT_EQ(PlanSearch(TVectorEntries(kGreetings), "", false, true, {182, 13, 5}).ScrollTo, -1)
        << "an empty field does not scroll";
}

TEST(SearchCompletion, CentresTheFoundRowWhereTheListAllows)
{
    struct Case {
        int index;
        TListView view;
        int expected;
    };
    const Case cases[] = {
        {20, {182, 13, 0}, 13},   // 14 rows visible: 7 above the found one
        {20, {182, 13, 13}, -1},  // already there
        {7, {182, 13, 0}, -1},    // top 0 is where the list stands
        {7, {182, 13, 3}, 0},
        {5, {182, 13, 2}, -1},    // would start above row 0: left alone
        {10, {195, 13, 0}, 3},    // 15 rows: 7 above
        {10, {12, 13, 4}, 10},    // no full row visible
        {10, {0, 13, 0}, 10},
        {10, {-40, 13, 0}, 10},   // a squeezed list counts as no rows, never as negative ones
        {10, {20, 0, 3}, 0},      // an item height below 1 counts as 1
    };
    for (const Case& c : cases)
        EXPECT_EQ(CentredTopRow(c.index, c.view), c.expected)
            << c.index << " in " << c.view.Height << "/" << c.view.ItemHeight << " from " << c.view.TopIndex;

    std::vector<std::string> many;
    for (char c = 'a'; c <= 'z'; ++c)
        many.push_back(std::string(1, c) + "-mesaj");
    const TSearchResult r = PlanSearch(TVectorEntries(many), "t", false, true, {182, 13, 0});
    EXPECT_EQ(r.SelectIndex, 19);
    EXPECT_EQ(r.ScrollTo, 12);
}

// A store that answers with a shorter text than the one it was searched with must not make the
// selection run past the end of the field.
TEST(SearchCompletion, KeepsTheSelectionInsideTheFieldWhenTheStoreChangesUnderIt)
{
    class TShrinking : public TSearchEntries {
    public:
        int Count() const override { return 1; }
        std::string Entry(int) const override { return FFetches++ == 0 ? "merhaba" : "me"; }

    private:
        mutable int FFetches = 0;
    };
    const TSearchResult r = PlanSearch(TShrinking(), "mer", false, true, kHistoryList);
    ASSERT_TRUE(r.Complete);
    EXPECT_EQ(r.FieldText, "me");
    EXPECT_EQ(r.SelStart, 2u);
    EXPECT_EQ(r.SelLength, 0u);
}

}
