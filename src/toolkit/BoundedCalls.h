// Blocking calls that cannot be cancelled (a DNS lookup, a platform query) run beside the caller with a time limit.
#pragma once
#include <functional>
#include <memory>
#include <optional>

#include "toolkit/Threads.h"

// Runs each call on a helper thread and waits for its answer within a time limit; at most `limit` helpers live at
// once, hung ones included, so a stuck service cannot pile threads up. A call that finds no free place within its
// time limit is not made at all. A helper whose answer comes late drops it and ends on its own.
template <typename T>
class TBoundedCalls {
public:
    explicit TBoundedCalls(LONG limit) : FPlaces(std::make_shared<TSemaphore>(limit)) {}

    // The call's answer; nothing when no place came free in time, the call did not end in time, it raised an
    // exception, or no thread could be started.
    std::optional<T> Call(std::function<T()> call, DWORD timeoutMs)
    {
        const DWORD start = GetTickCount();
        if (!FPlaces->Acquire(timeoutMs))
            return std::nullopt;
        // Owned jointly with the helper: whichever lets go last frees it, so a late answer writes to live memory.
        auto answer = std::make_shared<std::optional<T>>();
        try {
            TWorkerThread helper([places = FPlaces, answer, call = std::move(call)] {
                TPlace place(*places);
                *answer = call();
            });
            const DWORD spent = GetTickCount() - start;
            if (helper.Join(spent < timeoutMs ? timeoutMs - spent : 0))
                return *answer;
            helper.Detach();
        } catch (const EThreadError&) {
            FPlaces->Release();
        }
        return std::nullopt;
    }

private:
    // Gives the helper's place back however its call ends.
    struct TPlace {
        explicit TPlace(TSemaphore& places) : Places(places) {}
        ~TPlace() { Places.Release(); }
        TSemaphore& Places;
    };

    std::shared_ptr<TSemaphore> FPlaces; // shared with the helpers, which may outlive this object
};
