// The search field's typing-pause state: when a search runs, with the platform timer behind an interface.
#pragma once
#include <functional>
#include <string>
#include <string_view>

#include "core/SearchCompletion.h"
#include "core/SearchEntries.h"

// A one-shot timer. Start arms it (the state always stops a running one first) and may throw when the
// platform has no timer to give; Stop disarms it, does nothing when it is not armed, and must not throw.
// When it fires, its owner disarms it and calls TSearchState::TimerExpired once.
class TSearchTimer {
public:
    virtual ~TSearchTimer() = default;
    virtual void Start(int milliseconds) = 0;
    virtual void Stop() = 0;
};

enum class TSearchAction {
    None,
    Search,  // clear the field's modified flag, then run the search (TSearchState::Search) now
};

// Idle or pending (one timer armed). A key release that leaves the folded text different from the last
// completed search (re)starts the pause; its expiry or leaving the field ends it and searches when the user
// changed the text meanwhile. The modified flag stays the edit's own: callers pass it in.
class TSearchState {
public:
    static constexpr int kDefaultKeyDelay = 500;
    static constexpr int kMinimumDelay = 55;

    explicit TSearchState(TSearchTimer& timer) : FTimer(timer) {}
    ~TSearchState();
    TSearchState(const TSearchState&) = delete;
    TSearchState& operator=(const TSearchState&) = delete;

    bool AutoSearch() const { return FAutoSearch; }
    void SetAutoSearch(bool value) { FAutoSearch = value; }
    bool CaseSensitive() const { return FCaseSensitive; }
    void SetCaseSensitive(bool value) { FCaseSensitive = value; }
    bool ShowResults() const { return FShowResults; }
    void SetShowResults(bool value) { FShowResults = value; }
    int KeyDelay() const { return FKeyDelay; }
    void SetKeyDelay(int milliseconds);  // a negative delay is ignored
    // The delay the timer is armed with: short pauses are raised to the minimum.
    int EffectiveDelay() const { return FKeyDelay < kMinimumDelay ? kMinimumDelay : FKeyDelay; }

    const std::string& LastSearchText() const { return FLastSearchText; }
    bool Pending() const { return FPending; }

    // Any key released in the field. raiseKeyUp fires the field's key-up event between the comparison and
    // the timer, so a handler sees the field before the pause starts.
    void KeyReleased(std::string_view fieldText, const std::function<void()>& raiseKeyUp = {});
    // The armed timer fired. A late message from a timer already stopped finds nothing pending and is ignored.
    TSearchAction TimerExpired(bool modified);
    // The field lost the focus: the pause ends at once. The caller raises the exit event afterwards.
    TSearchAction FocusLost(bool modified);
    // Runs the search with the current settings and remembers the searched text when the field completes.
    TSearchResult Search(const TSearchEntries& entries, std::string_view fieldText, const TListView& view);
    // Stops a pending pause without searching (the field is going away).
    void Cancel();

private:
    TSearchTimer& FTimer;
    bool FAutoSearch = true;
    bool FCaseSensitive = false;
    bool FShowResults = true;
    int FKeyDelay = kDefaultKeyDelay;
    std::string FLastSearchText;
    bool FPending = false;
};
