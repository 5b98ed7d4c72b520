// What a successful send leaves in the history of sent texts.
#include "core/SendHistory.h"

#include <algorithm>

#include "core/Text.h"

bool TSendHistory::Record(const std::string& memoText)
{
    const std::string probe = Trim(memoText);
    const bool known = std::any_of(
        FEntries.begin(), FEntries.end(), [&](const std::string& entry) { return FSameText(entry, probe); });
    if (known)
        return false;
    FEntries.push_back(memoText);
    if (OnAdded)
        OnAdded(memoText);
    return true;
}

void TSendHistory::Clear()
{
    FEntries.clear();
    if (OnCleared)
        OnCleared();
}

bool CanSend(const std::string& memoText, const std::string& recipientField)
{
    return !Trim(memoText).empty() && !recipientField.empty();
}
