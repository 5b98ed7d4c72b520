// The XP-safe thread primitives: joining, time limits, detached work, kept failures, locks and counting.
#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <memory>
#include <new>
#include <stdexcept>

#include "toolkit/BoundedCalls.h"
#include "toolkit/Threads.h"

namespace {
// Allocations this thread may still make before one fails; negative: none fails.
thread_local int gAllocationsBeforeFailure = -1;
} // namespace

// The test program's allocator: an allocation made to fail on demand reaches code that a full memory would.
void* operator new(std::size_t size)
{
    if (gAllocationsBeforeFailure == 0) {
        gAllocationsBeforeFailure = -1;
        throw std::bad_alloc();
    }
    if (gAllocationsBeforeFailure > 0)
        --gAllocationsBeforeFailure;
    if (void* memory = std::malloc(size ? size : 1))
        return memory;
    throw std::bad_alloc();
}
void operator delete(void* memory) noexcept { std::free(memory); }
void operator delete(void* memory, std::size_t) noexcept { std::free(memory); }

namespace {

TEST(ThreadsTest, JoinWaitsForTheWorkWithinItsTimeLimit)
{
    TEvent release(TEvent::TReset::Manual);
    std::atomic<bool> done{false};
    TWorkerThread worker([&] {
        release.Wait(INFINITE);
        done = true;
    });
    EXPECT_FALSE(worker.Join(50));
    EXPECT_FALSE(done);
    release.Set();
    ASSERT_TRUE(worker.Join(10000));
    EXPECT_TRUE(done);
    EXPECT_EQ(worker.Failure(), nullptr);
}

TEST(ThreadsTest, DestructorJoinsAndAnEscapedExceptionIsKept)
{
    std::atomic<int> finished{0};
    {
        TWorkerThread slow([&] {
            Sleep(100);
            ++finished;
        });
    }
    EXPECT_EQ(finished, 1);

    TWorkerThread failing([] { throw std::runtime_error("kaput"); });
    ASSERT_TRUE(failing.Join(10000));
    ASSERT_NE(failing.Failure(), nullptr);
    EXPECT_THROW(std::rethrow_exception(failing.Failure()), std::runtime_error);
}

TEST(ThreadsTest, DetachedWorkOutlivesItsOwnerOnSharedState)
{
    struct TShared {
        TEvent Go{TEvent::TReset::Manual};
        TEvent Done{TEvent::TReset::Manual};
        int Answer = 0;
    };
    auto shared = std::make_shared<TShared>();
    {
        TWorkerThread worker([shared] {
            shared->Go.Wait(INFINITE);
            shared->Answer = 42;
            shared->Done.Set();
        });
        worker.Detach();
        EXPECT_FALSE(worker.Join(0));
    }
    shared->Go.Set();
    ASSERT_TRUE(shared->Done.Wait(10000));
    EXPECT_EQ(shared->Answer, 42);
}

// What the program's end asks before the runtime tears down: a detached worker counts until its work has ended.
TEST(ThreadsTest, ADetachedWorkerCountsAsRunningUntilItsWorkEnds)
{
    auto gate = std::make_shared<TEvent>(TEvent::TReset::Manual);
    TWorkerThread([gate] { gate->Wait(INFINITE); }).Detach();
    EXPECT_GE(TWorkerThread::Running(), 1);
    const LONG waiting = TWorkerThread::Running();
    gate->Set();
    for (const DWORD start = GetTickCount(); TWorkerThread::Running() >= waiting && GetTickCount() - start < 5000;)
        Sleep(10);
    EXPECT_LT(TWorkerThread::Running(), waiting);
}

TEST(ThreadsTest, EventsResetAsAsked)
{
    TEvent manual(TEvent::TReset::Manual, true);
    EXPECT_TRUE(manual.Wait(0));
    EXPECT_TRUE(manual.Wait(0));
    manual.Reset();
    EXPECT_FALSE(manual.Wait(0));

    TEvent automatic(TEvent::TReset::Auto);
    automatic.Set();
    EXPECT_TRUE(automatic.Wait(0));
    EXPECT_FALSE(automatic.Wait(0));
}

TEST(ThreadsTest, SemaphoreHandsOutAtMostItsCount)
{
    TSemaphore places(2);
    EXPECT_TRUE(places.Acquire(0));
    EXPECT_TRUE(places.Acquire(0));
    const DWORD before = GetTickCount();
    EXPECT_FALSE(places.Acquire(100));
    EXPECT_GE(GetTickCount() - before, 90u);
    places.Release();
    EXPECT_TRUE(places.Acquire(0));
}

TEST(ThreadsTest, LockKeepsASecondThreadOutUntilReleased)
{
    TCriticalSection section;
    TEvent held(TEvent::TReset::Manual);
    TEvent release(TEvent::TReset::Manual);
    std::atomic<bool> secondInside{false};
    TWorkerThread first([&] {
        TLock lock(section);
        held.Set();
        release.Wait(INFINITE);
    });
    ASSERT_TRUE(held.Wait(10000));
    TWorkerThread second([&] {
        TLock lock(section);
        secondInside = true;
    });
    EXPECT_FALSE(second.Join(200));
    EXPECT_FALSE(secondInside);
    release.Set();
    ASSERT_TRUE(second.Join(10000));
    EXPECT_TRUE(secondInside);
}

} // namespace

namespace {

TEST(BoundedCallsTest, HungCallsHoldTheirPlacesAndLateAnswersAreDropped)
{
    auto gate = std::make_shared<TEvent>(TEvent::TReset::Manual);
    auto finished = std::make_shared<std::atomic<int>>(0);
    TBoundedCalls<int> calls(2);
    auto hung = [gate, finished] {
        gate->Wait(INFINITE);
        ++*finished;
        return 1;
    };
    EXPECT_EQ(calls.Call(hung, 50), std::nullopt);
    EXPECT_EQ(calls.Call(hung, 50), std::nullopt);

    bool ran = false;
    const DWORD before = GetTickCount();
    EXPECT_EQ(calls.Call([&] { ran = true; return 2; }, 100), std::nullopt);
    EXPECT_FALSE(ran) << "a third helper was started beside two hung ones";
    EXPECT_GE(GetTickCount() - before, 90u);

    gate->Set(); // the hung calls answer now, to nobody, and give their places back
    EXPECT_EQ(calls.Call([] { return 3; }, 10000), 3);
    auto holder = std::make_shared<TEvent>(TEvent::TReset::Manual);
    EXPECT_EQ(calls.Call([holder] { holder->Wait(INFINITE); return 0; }, 50), std::nullopt);
    EXPECT_EQ(calls.Call([] { return 4; }, 10000), 4) << "a place was never given back";
    EXPECT_EQ(finished->load(), 2);
    holder->Set();
    EXPECT_EQ(calls.Call([]() -> int { throw std::runtime_error("no answer"); }, 10000), std::nullopt);
}

} // namespace

namespace {

// How each call ended, with one place held by a hung call: a call that may not wait for a place is not made at all.
TEST(BoundedCallsTest, RunTellsHowACallEnded)
{
    using O = TBoundedOutcome;
    auto gate = std::make_shared<TEvent>(TEvent::TReset::Manual);
    TBoundedCalls<int> calls(1);
    EXPECT_EQ(calls.Run([gate] { gate->Wait(INFINITE); return 1; }, 50, TPlaceWait::WithinTheLimit,
                  TAnswerWait::Blocked).Outcome, O::TimedOut);
    const DWORD before = GetTickCount();
    EXPECT_EQ(calls.Run([] { return 2; }, 2000, TPlaceWait::FreeNowOnly, TAnswerWait::Painting).Outcome, O::NoPlace);
    EXPECT_LT(GetTickCount() - before, 1000u) << "waited for a place it was not to wait for";
    EXPECT_EQ(calls.Run([] { return 3; }, 100, TPlaceWait::WithinTheLimit, TAnswerWait::Blocked).Outcome, O::NoPlace);
    gate->Set();

    const TBoundedAnswer<int> painted =
        calls.Run([] { return 4; }, 10000, TPlaceWait::WithinTheLimit, TAnswerWait::Painting);
    EXPECT_EQ(painted.Outcome, O::Answered);
    EXPECT_EQ(painted.Value, 4);
    const TBoundedAnswer<int> thrown = calls.Run([]() -> int { throw std::runtime_error("no answer"); }, 10000,
        TPlaceWait::FreeNowOnly, TAnswerWait::Blocked);
    EXPECT_EQ(thrown.Outcome, O::Failed);
    EXPECT_EQ(thrown.Value, std::nullopt);
}

} // namespace

namespace {

// Each allocation after the place was taken fails in turn: the place comes back every time.
TEST(BoundedCallsTest, APlaceTakenIsGivenBackWhateverFailsBeforeTheHelperRuns)
{
    TBoundedCalls<int> calls(1);
    int failures = 0;
    for (int n = 0; n < 8; ++n) {
        std::function<int()> call = [] { return 1; };
        gAllocationsBeforeFailure = n;
        try {
            calls.Run(std::move(call), 1000, TPlaceWait::FreeNowOnly, TAnswerWait::Blocked);
        } catch (const std::bad_alloc&) {
            ++failures;
        }
        gAllocationsBeforeFailure = -1;
        EXPECT_EQ(calls.Run([] { return 2; }, 1000, TPlaceWait::FreeNowOnly, TAnswerWait::Blocked).Outcome,
            TBoundedOutcome::Answered) << "after failing allocation " << n;
    }
    EXPECT_GE(failures, 2) << "the allocations between the place and the helper were not reached";
}

// A caller that may wait gets the first place given back, within its limit.
TEST(BoundedCallsTest, ACallWaitsForAPlaceWithinItsLimit)
{
    TBoundedCalls<int> calls(1);
    EXPECT_EQ(calls.Run([] { Sleep(300); return 1; }, 50, TPlaceWait::WithinTheLimit, TAnswerWait::Blocked).Outcome,
        TBoundedOutcome::TimedOut);
    const TBoundedAnswer<int> waited =
        calls.Run([] { return 2; }, 5000, TPlaceWait::WithinTheLimit, TAnswerWait::Painting);
    EXPECT_EQ(waited.Outcome, TBoundedOutcome::Answered);
    EXPECT_EQ(waited.Value, 2);
}

} // namespace
