// Blocking calls that cannot be cancelled (a DNS lookup, a platform query) run beside the caller with a time limit.
#pragma once
#include <functional>
#include <memory>
#include <optional>

#include "toolkit/PaintingWait.h"
#include "toolkit/Threads.h"

// How a bounded call ended for its caller.
enum class TBoundedOutcome {
    Answered, // the call ended in time with an answer
    NoPlace,  // every place stayed taken: the call was not made
    NoThread, // no helper thread could be started: the call was not made
    Failed,   // the call ended in time by an exception
    TimedOut  // the call did not end in time; its answer, if it ever comes, is dropped
};

template <typename T>
struct TBoundedAnswer {
    TBoundedOutcome Outcome = TBoundedOutcome::TimedOut;
    std::optional<T> Value; // with Answered only
};

// Whether a call waits (within its time limit) for a place to come free, or is made only if one is free now.
enum class TPlaceWait { WithinTheLimit, FreeNowOnly };
// Whether the caller is blocked while it waits, or lets its windows repaint (nothing else from its queue).
enum class TAnswerWait { Blocked, Painting };

// Runs each call on a helper thread and waits for its answer within a time limit; at most `limit` helpers live at
// once, hung ones included, so a stuck service cannot pile threads up. A helper whose answer comes late drops it
// and ends on its own.
template <typename T>
class TBoundedCalls {
public:
    explicit TBoundedCalls(LONG limit) : FPlaces(std::make_shared<TSemaphore>(limit)) {}

    TBoundedAnswer<T> Run(std::function<T()> call, DWORD timeoutMs, TPlaceWait placeWait, TAnswerWait answerWait)
    {
        const DWORD start = GetTickCount();
        if (!TakePlace(placeWait == TPlaceWait::FreeNowOnly ? 0 : timeoutMs, answerWait))
            return {TBoundedOutcome::NoPlace, std::nullopt};
        TPlaceClaim claim(*FPlaces); // whatever fails before the helper runs gives the place back
        try {
            // Owned jointly with the helper: whichever lets go last frees it, so a late answer writes to live memory.
            auto answer = std::make_shared<std::optional<T>>();
            TWorkerThread helper([places = FPlaces, answer, call = std::move(call)] {
                TPlace place(*places);
                *answer = call();
            });
            claim.HandOver(); // the helper's own TPlace gives it back from here on
            const DWORD spent = GetTickCount() - start;
            const DWORD left = spent < timeoutMs ? timeoutMs - spent : 0;
            const bool ended = answerWait == TAnswerWait::Painting ? WaitWhilePainting(helper.Handle(), left)
                                                                   : helper.Join(left);
            if (ended) {
                if (*answer)
                    return {TBoundedOutcome::Answered, *answer};
                return {TBoundedOutcome::Failed, std::nullopt};
            }
            helper.Detach();
        } catch (const EThreadError&) {
            return {TBoundedOutcome::NoThread, std::nullopt};
        }
        return {TBoundedOutcome::TimedOut, std::nullopt};
    }

    // The call's answer; nothing when no place came free in time, the call did not end in time, it raised an
    // exception, or no thread could be started.
    std::optional<T> Call(std::function<T()> call, DWORD timeoutMs)
    {
        return Run(std::move(call), timeoutMs, TPlaceWait::WithinTheLimit, TAnswerWait::Blocked).Value;
    }

private:
    bool TakePlace(DWORD timeoutMs, TAnswerWait answerWait)
    {
        // A caller that paints while it waits for the answer paints while it waits for a place too.
        if (timeoutMs != 0 && answerWait == TAnswerWait::Painting)
            return WaitWhilePainting(FPlaces->Handle(), timeoutMs);
        return FPlaces->Acquire(timeoutMs);
    }

    // The caller's hold on a place until a helper has started: given back unless handed over.
    class TPlaceClaim {
    public:
        explicit TPlaceClaim(TSemaphore& places) : FPlaces(&places) {}
        ~TPlaceClaim()
        {
            if (FPlaces)
                FPlaces->Release();
        }
        TPlaceClaim(const TPlaceClaim&) = delete;
        TPlaceClaim& operator=(const TPlaceClaim&) = delete;
        void HandOver() { FPlaces = nullptr; }

    private:
        TSemaphore* FPlaces;
    };

    // Gives the helper's place back however its call ends.
    struct TPlace {
        explicit TPlace(TSemaphore& places) : Places(places) {}
        ~TPlace() { Places.Release(); }
        TSemaphore& Places;
    };

    std::shared_ptr<TSemaphore> FPlaces; // shared with the helpers, which may outlive this object
};
