// Tests of the search's case folding, the prefix search with its linear fallback, and the whole-text lookup.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <random>
#include <string>
#include <vector>

#include "core/PrefixSearch.h"
#include "core/SearchEntries.h"
#include "core/SearchFolding.h"

namespace {

// The order a sorted list box gave these entries under Wine (code page 1254): hyphen and apostrophe are
// ignored, other punctuation and digits come first, Ç/Ş/Ö/Ü/ı/İ stand beside their ASCII neighbours, and
// entries equal without case keep the newest first.
const std::vector<std::string> kListBoxOrder = {
    "(parantez", "_x",       "1abc",   "ab",      "ab.x",   "abc",  "a-c",           "ad",
    "ALPHA",     "alpha",    "Alpha",  "cam",     "Cem",    "Çay",  "Deniz",         "Ece",
    "Ilık",      "ılık",     "Irmak",  "istanbul", "İzmir", "Merhaba", "merhaba dünya", "Oben",
    "O'Brien",   "Ocak",     "Oya",    "Öykü",    "Sarp",   "Selam", "şeker",        "Şule",
    "Uğur",      "Ural",     "Ümit",   "Zeki",    "zz"};

int LowestWithPrefix(const std::vector<std::string>& entries, const std::string& text, bool caseSensitive)
{
    const std::string probe = FoldSearchText(text, caseSensitive);
    for (size_t i = 0; i < entries.size(); ++i)
        if (BeginsWith(FoldSearchText(entries[i], caseSensitive), probe))
            return static_cast<int>(i);
    return -1;
}

// Counts fetches, to show that the bisection stays logarithmic where the store agrees with byte order.
class TCountingEntries : public TVectorEntries {
public:
    using TVectorEntries::TVectorEntries;
    std::string Entry(int index) const override
    {
        ++Fetches;
        return TVectorEntries::Entry(index);
    }
    mutable int Fetches = 0;
};

TEST(SearchFolding, FoldsOnlyAsciiLettersAndOnlyWithoutCaseSensitivity)
{
    struct Case {
        std::string text;
        bool caseSensitive;
        std::string folded;
    };
    const Case cases[] = {
        {"merhaba Dünya", false, "MERHABA DüNYA"},
        {"şeker ŞEKER ılık İzmir", false, "şEKER ŞEKER ıLıK İZMIR"},
        {"çğöü ÇĞÖÜ", false, "çğöü ÇĞÖÜ"},
        {"a-z_{}@[`", false, "A-Z_{}@[`"},
        {std::string("x\0y", 3), false, std::string("X\0Y", 3)},
        {"MiXeD", true, "MiXeD"},
        {"", false, ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(FoldSearchText(c.text, c.caseSensitive), c.folded) << c.text;
}

TEST(SearchFolding, ComparesBytesUnsignedWithAProperBeginningSmaller)
{
    struct Case {
        std::string a, b;
        bool less;
    };
    const Case cases[] = {
        {"AB", "AB.", true}, {"AB.", "AB", false}, {"A-", "AB", true},  {"ZZ", "Ç", true},
        {"Ç", "ZZ", false},  {"", "A", true},      {"A", "", false},    {"ABC", "ABC", false},
        {"Ş", "ş", true},    {"A\x7f", "A\x80", true},
    };
    for (const Case& c : cases)
        EXPECT_EQ(FoldedLess(c.a, c.b), c.less) << c.a << " < " << c.b;
}

// The entry a typed text should find in a store, -1 for none.
struct TPrefixCase {
    const std::vector<std::string>* store;
    std::string text;
    bool caseSensitive;
    int expected;
};

TEST(PrefixSearch, FindsTheLowestEntryThatBeginsWithTheTypedText)
{
    const std::vector<std::string> greetings = {"Merhaba", "merhaba dünya", "Selam"};
    const std::vector<std::string> twins = {"ALPHA", "alpha", "Alpha", "beta"};
    const std::vector<std::string> turkish = {"şeker", "Şule", "Ümit"};
    const std::vector<std::string> empty;
    const TPrefixCase cases[] = {
        {&greetings, "mer", false, 0},
        {&greetings, "MERHABA D", false, 1},
        {&greetings, "merhaba dünya", false, 1},
        {&greetings, "merhaba dünyası", false, -1},
        {&greetings, "sel", false, 2},
        {&greetings, "x", false, -1},
        {&greetings, "", false, 0},
        {&greetings, "mer", true, 1},
        {&greetings, "Mer", true, 0},
        {&twins, "alp", false, 0},
        {&twins, "Alp", true, 2},
        {&twins, "alp", true, 1},
        {&twins, "B", false, 3},
        {&turkish, "Ş", false, 1},
        {&turkish, "ş", false, 0},
        {&turkish, "ü", false, -1},
        {&turkish, "ÜmI", false, 2},
        {&empty, "a", false, -1},
        {&empty, "", false, -1},
    };
    for (const TPrefixCase& c : cases) {
        TVectorEntries entries(*c.store);
        EXPECT_EQ(FindPrefix(entries, c.text, c.caseSensitive), c.expected) << c.text;
    }
}

// Where the list box's collation and the folded byte order disagree, the bisection alone loses entries
// that exist; each case asserts that the bisection does miss, so the fallback is what finds them.
TEST(PrefixSearch, FallsBackToAScanWhenTheListBoxOrderMisleadsTheBisection)
{
    const std::vector<std::string> cased = {"alpha", "Bravo", "charlie", "delta", "echo"};
    const std::vector<std::string> hyphen = {"ab", "ab.x", "abc", "a-c", "ad"};
    const std::vector<std::string> cedilla = {"Cem", "Çay", "Deniz", "Ece", "Oya", "Zeki"};
    const TPrefixCase cases[] = {
        {&kListBoxOrder, "a-", false, 6},     {&kListBoxOrder, "Ç", false, 13},
        {&kListBoxOrder, "ş", false, 30},     {&kListBoxOrder, "Ş", false, 31},
        {&kListBoxOrder, "ı", false, 17},     {&kListBoxOrder, "İ", false, 20},
        {&kListBoxOrder, "_", false, 1},      {&kListBoxOrder, "1", false, 2},
        {&kListBoxOrder, "zz", false, 36},    {&kListBoxOrder, "selam", false, 29},
        {&kListBoxOrder, "IL", false, 16},    {&kListBoxOrder, "İZ", false, 20},
        {&cased, "Br", true, 1},              {&hyphen, "a-", false, 3},
        {&cedilla, "Ç", false, 1},
    };
    for (const TPrefixCase& c : cases) {
        TVectorEntries entries(*c.store);
        EXPECT_EQ(BisectPrefix(entries, c.text, c.caseSensitive), -1) << c.text;
        EXPECT_EQ(FindPrefix(entries, c.text, c.caseSensitive), c.expected) << c.text;
    }
}

// Over stores in folded byte order the bisection is exact: it returns the lowest index, never needs the
// scan, and reads about log2(Count) entries plus the run it steps back over.
TEST(PrefixSearch, BisectionIsExactAndLogarithmicOverByteOrderedStores)
{
    std::mt19937 random(20240607);
    const std::string alphabet[] = {"a", "A", "b", "B", "-", ".", "Ç", "ç", "ş", "z", " "};
    std::uniform_int_distribution<int> letter(0, 10), length(0, 4), size(0, 40);
    auto randomText = [&] {
        std::string text;
        for (int n = length(random); n > 0; --n)
            text += alphabet[letter(random)];
        return text;
    };
    for (int round = 0; round < 400; ++round) {
        std::vector<std::string> store;
        for (int n = size(random); n > 0; --n)
            store.push_back(randomText());
        std::stable_sort(store.begin(), store.end(), [](const std::string& a, const std::string& b) {
            return FoldedLess(FoldSearchText(a, false), FoldSearchText(b, false));
        });
        TVectorEntries entries(store);
        for (int probe = 0; probe < 10; ++probe) {
            const std::string text = randomText();
            const int lowest = LowestWithPrefix(store, text, false);
            ASSERT_EQ(BisectPrefix(entries, text, false), lowest) << text;
            ASSERT_EQ(FindPrefix(entries, text, false), lowest) << text;
        }
    }

    std::vector<std::string> large;
    for (int i = 0; i < 4096; ++i) {
        char text[16];
        snprintf(text, sizeof text, "MSG%05d", i);
        large.push_back(text);
    }
    TCountingEntries counted(large);
    EXPECT_EQ(FindPrefix(counted, "msg01234", false), 1234);
    EXPECT_LE(counted.Fetches, 15);
    counted.Fetches = 0;
    EXPECT_EQ(FindPrefix(counted, "msg0123", false), 1230);
    EXPECT_LE(counted.Fetches, 13 + 1 + 10);
}

TEST(EntryLookup, IndexOfMatchesTheWholeTextWithAsciiCaseIgnored)
{
    const std::vector<std::string> withEmpty = {"", "a"};
    struct Case {
        const std::vector<std::string>* store;
        std::string text;
        int expected;
    };
    const Case cases[] = {
        {&kListBoxOrder, "MERHABA", 21},   {&kListBoxOrder, "merhaba", 21},
        {&kListBoxOrder, " Merhaba", -1},  {&kListBoxOrder, "Merhaba ", -1},
        {&kListBoxOrder, "mer", -1},       {&kListBoxOrder, "merhaba dünyası", -1},
        {&kListBoxOrder, "alpha", 8},      {&kListBoxOrder, "şEKER", 30},
        {&kListBoxOrder, "ŞEKER", -1},     {&kListBoxOrder, "a-c", 6},
        {&kListBoxOrder, "ac", -1},        {&withEmpty, "", 0},
        {&withEmpty, "A", 1},              {&kListBoxOrder, "", -1},
    };
    for (const Case& c : cases) {
        TVectorEntries entries(*c.store);
        EXPECT_EQ(IndexOf(entries, c.text), c.expected) << c.text;
    }
    const std::vector<std::string> none;
    EXPECT_EQ(IndexOf(TVectorEntries(none), "x"), -1);
}

TEST(EntryLookup, VectorEntriesRefuseIndicesOutsideTheStore)
{
    const std::vector<std::string> store = {"a", "b"};
    TVectorEntries entries(store);
    EXPECT_EQ(entries.Count(), 2);
    EXPECT_EQ(entries.Entry(1), "b");
    EXPECT_THROW(entries.Entry(2), std::out_of_range);
    EXPECT_THROW(entries.Entry(-1), std::out_of_range);
}

}
