// The vector-backed entry store and the whole-text lookup.
#include "core/SearchEntries.h"

#include <climits>
#include <stdexcept>

#include "core/Text.h"

int TVectorEntries::Count() const
{
    return FEntries.size() > static_cast<size_t>(INT_MAX) ? INT_MAX : static_cast<int>(FEntries.size());
}

std::string TVectorEntries::Entry(int index) const
{
    if (index < 0 || index >= Count())
        throw std::out_of_range("entry index out of range");
    return FEntries[static_cast<size_t>(index)];
}

int IndexOf(const TSearchEntries& entries, std::string_view text)
{
    const int count = entries.Count();
    for (int i = 0; i < count; ++i)
        if (SameTextAscii(entries.Entry(i), text))
            return i;
    return -1;
}
