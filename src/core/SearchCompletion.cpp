// The search field's search: selection, centring scroll and completion of the typed text.
#include "core/SearchCompletion.h"

#include <algorithm>

#include "core/PrefixSearch.h"
#include "core/SearchFolding.h"

int CentredTopRow(int index, const TListView& view)
{
    // Item heights below 1 are refused by the list; a list squeezed to nothing shows no rows.
    const int itemHeight = view.ItemHeight < 1 ? 1 : view.ItemHeight;
    const int visible = view.Height > 0 ? view.Height / itemHeight : 0;
    const int top = index - visible / 2;
    return (top >= 0 && top != view.TopIndex) ? top : -1;
}

TSearchResult PlanSearch(const TSearchEntries& entries, std::string_view fieldText, bool caseSensitive,
                         bool showResults, const TListView& view)
{
    TSearchResult result;
    if (fieldText.empty()) {
        if (entries.Count() > 0)
            result.SelectIndex = 0;
        return result;
    }
    const int index = FindPrefix(entries, fieldText, caseSensitive);
    if (index < 0)
        return result;
    result.SelectIndex = index;
    result.ScrollTo = CentredTopRow(index, view);
    if (showResults) {
        result.Complete = true;
        result.FieldText = entries.Entry(index);
        result.LastSearchText = FoldSearchText(fieldText, caseSensitive);
        // The found entry begins with the folded text and so is never shorter than it; the guard only
        // protects against a store that changed between the search and the fetch.
        result.SelStart = std::min(fieldText.size(), result.FieldText.size());
        result.SelLength = result.FieldText.size() - result.SelStart;
    }
    return result;
}
