// Finds the first entry of the sorted store that begins with a typed text.
#pragma once
#include <string_view>

#include "core/SearchEntries.h"

// Bisection over the store, stepping back to the lowest index of the run that shares the prefix.
// It trusts the store's order to agree with the byte order of folded texts; -1 when it finds nothing.
int BisectPrefix(const TSearchEntries& entries, std::string_view text, bool caseSensitive);

// The list box sorts with the platform's collation, which places punctuation, non-ASCII letters and (when
// case counts) capitals elsewhere than byte order does, so the bisection can miss an entry that exists.
// When it finds nothing, a linear scan returns the lowest index whose folded entry begins with the text.
int FindPrefix(const TSearchEntries& entries, std::string_view text, bool caseSensitive);
