// Tests of the typing-pause state machine, driven through a simulated search field and a fake clock.
#include <gtest/gtest.h>

#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "core/SearchState.h"

namespace {

// A one-shot timer on a fake clock; it fails to start when told to, like a platform out of timers.
class TFakeTimer : public TSearchTimer {
public:
    void Start(int milliseconds) override
    {
        if (FailNextStart) {
            FailNextStart = false;
            throw std::runtime_error("no timer");
        }
        ASSERT_FALSE(Deadline.has_value()) << "started while armed";
        Starts.push_back(milliseconds);
        Deadline = Now + milliseconds;
    }
    void Stop() override
    {
        ++Stops;
        Deadline.reset();
    }

    int Now = 0;
    std::optional<int> Deadline;
    std::vector<int> Starts;
    int Stops = 0;
    bool FailNextStart = false;
};

// The edit, the list and the window timer as the Win32 layer will wire them, kept just thick enough to
// replay what a user does: typing replaces the selection, every change sets the modified flag.
class TSearchField {
public:
    explicit TSearchField(std::vector<std::string> entries, int keyDelay = 300)
        : FEntries(std::move(entries)), State(Timer)
    {
        State.SetKeyDelay(keyDelay);
    }

    void Type(const std::string& keys, int gap = 0)
    {
        for (char key : keys) {
            ReplaceSelection(std::string(1, key));
            Release();
            Wait(gap);
        }
    }
    void Backspace()
    {
        if (SelLength == 0 && SelStart > 0) {
            --SelStart;
            SelLength = 1;
        }
        ReplaceSelection("");
        Release();
    }
    void SelectAll()
    {
        SelStart = 0;
        SelLength = Text.size();
    }
    // A key that changes nothing (Shift, an arrow) is still a key release.
    void Release() { State.KeyReleased(Text, [this] { ++KeyUps; }); }
    void Wait(int milliseconds)
    {
        Timer.Now += milliseconds;
        if (Timer.Deadline && Timer.Now >= *Timer.Deadline) {
            Timer.Deadline.reset();
            Apply(State.TimerExpired(Modified));
        }
    }
    void Tab() { Apply(State.FocusLost(Modified)); }

    TFakeTimer Timer;
    std::string Text;
    size_t SelStart = 0;
    size_t SelLength = 0;
    bool Modified = false;
    int Selected = -1;
    int Searches = 0;
    int KeyUps = 0;

private:
    void ReplaceSelection(const std::string& with)
    {
        Text.replace(SelStart, SelLength, with);
        SelStart += with.size();
        SelLength = 0;
        Modified = true;
    }
    void Apply(TSearchAction action)
    {
        if (action != TSearchAction::Search)
            return;
        Modified = false;
        ++Searches;
        const TSearchResult r = State.Search(TVectorEntries(FEntries), Text, {182, 13, 0});
        if (r.SelectIndex >= 0)
            Selected = r.SelectIndex;
        if (r.Complete) {
            Text = r.FieldText;
            SelStart = r.SelStart;
            SelLength = r.SelLength;
            Modified = false;
        }
    }

    std::vector<std::string> FEntries;

public:
    TSearchState State;
};

const std::vector<std::string> kGreetings = {"Merhaba", "merhaba dünya", "Selam"};

TEST(SearchState, SearchesOnceAfterTheLastKeyOfAQuickRun)
{
    TSearchField field(kGreetings);
    field.Type("mer", 200);  // each key within 300 ms of the previous one restarts the pause
    EXPECT_EQ(field.Timer.Starts, (std::vector<int>{300, 300, 300}));
    EXPECT_EQ(field.Timer.Stops, 2);
    EXPECT_EQ(field.Searches, 0);
    field.Wait(99);
    EXPECT_EQ(field.Searches, 0);
    field.Wait(1);
    EXPECT_EQ(field.Searches, 1);
    EXPECT_EQ(field.Selected, 0);
    EXPECT_EQ(field.Text, "Merhaba");
    EXPECT_EQ(field.SelStart, 3u);
    EXPECT_EQ(field.SelLength, 4u);
    EXPECT_FALSE(field.State.Pending());
    field.Wait(1000);
    EXPECT_EQ(field.Searches, 1);
}

TEST(SearchState, BackspaceOverACompletionSearchesOnlyFromTheSecondOn)
{
    TSearchField field(kGreetings);
    field.Type("sel");
    field.Wait(300);
    ASSERT_EQ(field.Text, "Selam");
    ASSERT_EQ(field.Selected, 2);

    field.Backspace();  // removes the selected "am": the field equals the last search again
    EXPECT_EQ(field.Text, "Sel");
    EXPECT_FALSE(field.State.Pending());
    field.Wait(1000);
    EXPECT_EQ(field.Searches, 1);
    EXPECT_EQ(field.Text, "Sel");

    field.Backspace();
    EXPECT_TRUE(field.State.Pending());
    field.Wait(300);
    EXPECT_EQ(field.Searches, 2);
    EXPECT_EQ(field.Text, "Selam");
    EXPECT_EQ(field.SelStart, 2u);
    EXPECT_EQ(field.SelLength, 3u);
}

TEST(SearchState, ClearingACompletedFieldSelectsTheFirstEntry)
{
    TSearchField field(kGreetings);
    field.Type("sel");
    field.Wait(300);
    field.SelectAll();
    field.Backspace();
    ASSERT_EQ(field.Text, "");
    field.Wait(300);
    EXPECT_EQ(field.Searches, 2);
    EXPECT_EQ(field.Selected, 0);
    EXPECT_EQ(field.Text, "");
    EXPECT_EQ(field.State.LastSearchText(), "SEL");
}

TEST(SearchState, LeavingTheFieldSearchesAtOnceOnlyWhenTheUserChangedIt)
{
    TSearchField field(kGreetings);
    field.Type("sel");
    field.Wait(100);
    field.Tab();
    EXPECT_EQ(field.Timer.Stops, 3);
    EXPECT_FALSE(field.Timer.Deadline.has_value());
    EXPECT_EQ(field.Searches, 1);
    EXPECT_EQ(field.Text, "Selam");
    field.Wait(1000);
    EXPECT_EQ(field.Searches, 1);

    field.Tab();  // nothing typed since: no search, no timer to stop
    EXPECT_EQ(field.Searches, 1);
    EXPECT_EQ(field.Timer.Stops, 3);
}

// "Changed" means different from the last completed search, not from the previous key.
TEST(SearchState, OnlyAKeyLeavingTheTextUnlikeTheLastSearchStartsOrRestartsThePause)
{
    TSearchField field(kGreetings);
    field.Release();  // an empty field equals the empty last search
    EXPECT_FALSE(field.State.Pending());

    field.Type("m");
    field.Wait(250);
    field.Release();  // Shift over "m", which was never searched: the pause starts again
    EXPECT_EQ(field.Timer.Starts.size(), 2u);
    field.Wait(299);
    EXPECT_EQ(field.Searches, 0);
    field.Wait(1);
    ASSERT_EQ(field.Text, "Merhaba");
    EXPECT_EQ(field.KeyUps, 3);

    field.Backspace();  // "m" again, equal to the last search
    field.Backspace();  // "" differs: pending
    ASSERT_TRUE(field.State.Pending());
    field.Wait(100);
    field.Type("M");  // back to the last search text: the pending pause neither stops nor restarts...
    EXPECT_EQ(field.Timer.Starts.size(), 3u);
    EXPECT_EQ(field.Timer.Stops, 1);
    field.Wait(200);  // ...and still searches with the text as it then stands
    EXPECT_EQ(field.Searches, 2);
    EXPECT_EQ(field.Text, "Merhaba");
    EXPECT_EQ(field.SelStart, 1u);
    EXPECT_EQ(field.KeyUps, 6);
}

TEST(SearchState, AnExpiredPauseWithoutAUserChangeDoesNotSearch)
{
    TSearchField field(kGreetings);
    field.Type("mer");
    field.Wait(300);
    ASSERT_EQ(field.Searches, 1);
    field.Release();  // the completed field differs from the typed "MER", so a pause starts...
    EXPECT_TRUE(field.State.Pending());
    field.Wait(300);  // ...but the text is the search's own, not the user's
    EXPECT_EQ(field.Searches, 1);
    EXPECT_FALSE(field.State.Pending());
    EXPECT_EQ(field.Text, "Merhaba");
}

TEST(SearchState, DelayIsTheKeyDelayButNeverBelowTheMinimum)
{
    struct Case {
        int keyDelay;
        int armed;
    };
    const Case cases[] = {{0, 55}, {1, 55}, {54, 55}, {55, 55}, {56, 56}, {300, 300}, {500, 500}};
    for (const Case& c : cases) {
        TSearchField field(kGreetings, c.keyDelay);
        field.Type("x");
        EXPECT_EQ(field.Timer.Starts, std::vector<int>{c.armed}) << c.keyDelay;
    }
    TFakeTimer timer;
    TSearchState state(timer);
    EXPECT_EQ(state.KeyDelay(), 500);
    state.SetKeyDelay(300);
    state.SetKeyDelay(-1);
    EXPECT_EQ(state.KeyDelay(), 300);
}

TEST(SearchState, SettingsReachTheSearch)
{
    {
        TSearchField field(kGreetings);
        field.State.SetAutoSearch(false);
        field.Type("sel");
        EXPECT_TRUE(field.Timer.Starts.empty());
        EXPECT_EQ(field.KeyUps, 3);
        field.Tab();  // leaving still searches what the user typed
        EXPECT_EQ(field.Text, "Selam");
    }
    // After the pause: case-sensitive matching, and results not shown in the field.
    const struct {
        bool CaseSensitive;
        bool ShowResults;
        const char* Typed;
        int Selected;
        const char* Text;
        const char* LastSearch;
    } cases[] = {
        {true, true, "mer", 1, "merhaba dünya", "mer"},
        {false, false, "sel", 2, "sel", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Typed);
        TSearchField field(kGreetings);
        if (c.CaseSensitive)
            field.State.SetCaseSensitive(true);
        if (!c.ShowResults)
            field.State.SetShowResults(false);
        field.Type(c.Typed);
        field.Wait(300);
        EXPECT_EQ(field.Selected, c.Selected);
        EXPECT_EQ(field.Text, c.Text);
        EXPECT_EQ(field.State.LastSearchText(), c.LastSearch);
    }
}

TEST(SearchState, KeyUpEventFiresBeforeThePauseStarts)
{
    TFakeTimer timer;
    TSearchState state(timer);
    size_t startsSeen = 99;
    state.KeyReleased("a", [&] { startsSeen = timer.Starts.size(); });
    EXPECT_EQ(startsSeen, 0u);
    EXPECT_EQ(timer.Starts.size(), 1u);
}

TEST(SearchState, ATimerThatCannotStartLeavesTheStateIdle)
{
    TFakeTimer timer;
    TSearchState state(timer);
    timer.FailNextStart = true;
    EXPECT_THROW(state.KeyReleased("a"), std::runtime_error);
    EXPECT_FALSE(state.Pending());
    EXPECT_EQ(state.FocusLost(true), TSearchAction::Search);
    EXPECT_EQ(timer.Stops, 0);

    state.KeyReleased("ab");
    EXPECT_TRUE(state.Pending());
    EXPECT_EQ(timer.Starts, std::vector<int>{500});
}

TEST(SearchState, LateOrCancelledExpiriesAreIgnored)
{
    TFakeTimer timer;
    TSearchState state(timer);
    EXPECT_EQ(state.TimerExpired(true), TSearchAction::None);
    state.KeyReleased("a");
    EXPECT_EQ(state.FocusLost(true), TSearchAction::Search);
    // A window timer's message may already sit in the queue when the timer is killed.
    EXPECT_EQ(state.TimerExpired(true), TSearchAction::None);
    state.KeyReleased("ab");
    EXPECT_EQ(state.TimerExpired(true), TSearchAction::Search);
    EXPECT_EQ(state.TimerExpired(true), TSearchAction::None);
}

TEST(SearchState, DestructionCancelsAPendingPause)
{
    TFakeTimer timer;
    {
        TSearchState state(timer);
        state.KeyReleased("a");
    }
    EXPECT_EQ(timer.Stops, 1);
    EXPECT_FALSE(timer.Deadline.has_value());
    {
        TSearchState state(timer);
    }
    EXPECT_EQ(timer.Stops, 1);
}

}
