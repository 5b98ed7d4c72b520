// What one search of the search field does: which entry to select, where to scroll, how the field completes.
#pragma once
#include <cstddef>
#include <string>
#include <string_view>

#include "core/SearchEntries.h"

// The entry list as the search needs to see it.
struct TListView {
    int Height = 0;      // client height of the list, pixels
    int ItemHeight = 1;  // one row, pixels
    int TopIndex = 0;    // first visible row
};

// Every field is an instruction; -1 and false mean "leave it alone".
struct TSearchResult {
    int SelectIndex = -1;  // entry to select
    int ScrollTo = -1;     // row to make the first visible one
    // When set: the field shows FieldText with [SelStart, SelStart + SelLength) selected, the field's
    // modified flag is cleared and LastSearchText becomes the remembered search text.
    bool Complete = false;
    std::string FieldText;
    size_t SelStart = 0;
    size_t SelLength = 0;
    std::string LastSearchText;
};

// The row to scroll to so that the found entry stands in the middle, or -1 to leave the list where it is:
// when the middle placement would start above row 0 or the list already starts there.
int CentredTopRow(int index, const TListView& view);

// An empty field selects the first entry; otherwise the first entry that begins with the folded field text
// is selected, centred and, with showResults, written into the field with the typed part kept and the
// completed rest selected. A text that matches nothing changes nothing.
TSearchResult PlanSearch(const TSearchEntries& entries, std::string_view fieldText, bool caseSensitive,
                         bool showResults, const TListView& view);
