// Bisection prefix search over the sorted entry store, with a linear scan when the bisection misses.
#include "core/PrefixSearch.h"

#include "core/SearchFolding.h"

namespace {

bool EntryBeginsWith(const TSearchEntries& entries, int index, std::string_view probe, bool caseSensitive)
{
    return BeginsWith(FoldSearchText(entries.Entry(index), caseSensitive), probe);
}

int LinearPrefix(const TSearchEntries& entries, std::string_view probe, bool caseSensitive)
{
    const int count = entries.Count();
    for (int i = 0; i < count; ++i)
        if (EntryBeginsWith(entries, i, probe, caseSensitive))
            return i;
    return -1;
}

int BisectFolded(const TSearchEntries& entries, std::string_view probe, bool caseSensitive)
{
    int lo = 0;
    int hi = entries.Count() - 1;
    if (hi < 0)
        return -1;
    int mid = 0;
    bool found = false;
    do {
        mid = lo + (hi - lo) / 2;
        const std::string folded = FoldSearchText(entries.Entry(mid), caseSensitive);
        if (FoldedLess(probe, folded))
            hi = mid - 1;
        else
            lo = mid + 1;
        found = BeginsWith(folded, probe);
    } while (!found && lo <= hi);
    if (!found)
        return -1;
    while (mid > 0 && EntryBeginsWith(entries, mid - 1, probe, caseSensitive))
        --mid;
    return mid;
}

}

int BisectPrefix(const TSearchEntries& entries, std::string_view text, bool caseSensitive)
{
    return BisectFolded(entries, FoldSearchText(text, caseSensitive), caseSensitive);
}

int FindPrefix(const TSearchEntries& entries, std::string_view text, bool caseSensitive)
{
    const std::string probe = FoldSearchText(text, caseSensitive);
    const int index = BisectFolded(entries, probe, caseSensitive);
    return index >= 0 ? index : LinearPrefix(entries, probe, caseSensitive);
}
