// The search field's typing-pause state machine.
#include "core/SearchState.h"

#include "core/SearchFolding.h"

TSearchState::~TSearchState()
{
    // A destructor cannot report; Stop is documented not to throw, this only keeps a faulty timer from
    // ending the program while a window is torn down.
    try {
        Cancel();
    } catch (...) {
    }
}

void TSearchState::SetKeyDelay(int milliseconds)
{
    if (milliseconds >= 0)
        FKeyDelay = milliseconds;
}

void TSearchState::KeyReleased(std::string_view fieldText, const std::function<void()>& raiseKeyUp)
{
    const bool changed = FoldSearchText(fieldText, FCaseSensitive) != FLastSearchText;
    if (raiseKeyUp)
        raiseKeyUp();
    if (!FAutoSearch || !changed)
        return;
    Cancel();
    // Pending only once the timer is really armed: a failing Start leaves the state idle.
    FTimer.Start(EffectiveDelay());
    FPending = true;
}

TSearchAction TSearchState::TimerExpired(bool modified)
{
    if (!FPending)
        return TSearchAction::None;
    // The one-shot timer is spent whatever happens next, so nothing is left to cancel later.
    FPending = false;
    return modified ? TSearchAction::Search : TSearchAction::None;
}

TSearchAction TSearchState::FocusLost(bool modified)
{
    Cancel();
    return modified ? TSearchAction::Search : TSearchAction::None;
}

TSearchResult TSearchState::Search(const TSearchEntries& entries, std::string_view fieldText, const TListView& view)
{
    TSearchResult result = PlanSearch(entries, fieldText, FCaseSensitive, FShowResults, view);
    if (result.Complete)
        FLastSearchText = result.LastSearchText;
    return result;
}

void TSearchState::Cancel()
{
    if (!FPending)
        return;
    FPending = false;
    FTimer.Stop();
}
