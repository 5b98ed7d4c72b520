// What a successful send leaves in the history of sent texts.
#include "core/SendHistory.h"

#include "core/Text.h"

bool RecordSentText(TStrings& history, const std::string& memoText)
{
    const std::string probe = Trim(memoText);
    if (history.Count() > 0 && history.IndexOf(probe) >= 0)
        return false;
    history.Add(memoText);
    return true;
}

bool CanSend(const std::string& memoText, const std::string& recipientField)
{
    return !Trim(memoText).empty() && !recipientField.empty();
}
