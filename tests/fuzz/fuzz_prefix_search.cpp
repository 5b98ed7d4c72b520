// Fuzzes the prefix search and the completion over stores in any order and in folded byte order.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "core/PrefixSearch.h"
#include "core/SearchCompletion.h"
#include "core/SearchFolding.h"

namespace {

int Lowest(const std::vector<std::string>& store, const std::string& probe, bool caseSensitive)
{
    for (size_t i = 0; i < store.size(); ++i)
        if (BeginsWith(FoldSearchText(store[i], caseSensitive), probe))
            return static_cast<int>(i);
    return -1;
}

void Check(bool condition)
{
    if (!condition)
        abort();
}

}

// Input: a flag byte, then texts separated by '\n'; the first text is what the user typed.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 1)
        return 0;
    const bool caseSensitive = data[0] & 1;
    const bool showResults = data[0] & 2;
    std::vector<std::string> texts(1);
    for (size_t i = 1; i < size; ++i) {
        if (data[i] == '\n')
            texts.emplace_back();
        else
            texts.back() += static_cast<char>(data[i]);
    }
    const std::string typed = texts.front();
    std::vector<std::string> store(texts.begin() + 1, texts.end());
    const std::string probe = FoldSearchText(typed, caseSensitive);

    // Any order, as a list box with another collation may keep it: whatever exists is found.
    TVectorEntries entries(store);
    const int found = FindPrefix(entries, typed, caseSensitive);
    const int lowest = Lowest(store, probe, caseSensitive);
    Check((found < 0) == (lowest < 0));
    if (found >= 0)
        Check(BeginsWith(FoldSearchText(store[found], caseSensitive), probe));
    if (BisectPrefix(entries, typed, caseSensitive) < 0)
        Check(found == lowest);

    const TSearchResult r = PlanSearch(entries, typed, caseSensitive, showResults, {int(size), int(data[0] >> 2), 3});
    if (r.Complete) {
        Check(r.SelStart + r.SelLength == r.FieldText.size());
        Check(r.SelStart == typed.size());
        Check(BeginsWith(FoldSearchText(r.FieldText, caseSensitive), r.LastSearchText));
    }

    // Folded byte order: the bisection alone is exact.
    std::stable_sort(store.begin(), store.end(), [&](const std::string& a, const std::string& b) {
        return FoldedLess(FoldSearchText(a, caseSensitive), FoldSearchText(b, caseSensitive));
    });
    Check(BisectPrefix(TVectorEntries(store), typed, caseSensitive) == Lowest(store, probe, caseSensitive));
    return 0;
}
