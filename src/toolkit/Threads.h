// Threads, locks and events made only of what Windows XP offers; std::thread and friends would import newer code.
#pragma once
#include <windows.h>

#include <exception>
#include <functional>
#include <memory>

#include "core/Exceptions.h"

// A helper thread could not be started (out of memory or handles); the message carries the C runtime's errno.
class EThreadError : public Exception {
public:
    using Exception::Exception;
};

// A critical section: a lock for short stretches of work between threads of this process, re-entrant per thread.
class TCriticalSection {
public:
    TCriticalSection() { InitializeCriticalSection(&FSection); }
    ~TCriticalSection() { DeleteCriticalSection(&FSection); }
    TCriticalSection(const TCriticalSection&) = delete;
    TCriticalSection& operator=(const TCriticalSection&) = delete;

    void Enter() { EnterCriticalSection(&FSection); }
    void Leave() { LeaveCriticalSection(&FSection); }

private:
    CRITICAL_SECTION FSection;
};

// Holds a critical section from construction to the end of its scope.
class TLock {
public:
    explicit TLock(TCriticalSection& section) : FSection(section) { FSection.Enter(); }
    ~TLock() { FSection.Leave(); }
    TLock(const TLock&) = delete;
    TLock& operator=(const TLock&) = delete;

private:
    TCriticalSection& FSection;
};

// An event that stays set until reset (Manual) or lets exactly one waiter through and resets itself (Auto).
class TEvent {
public:
    enum class TReset { Manual, Auto };
    explicit TEvent(TReset reset, bool signalled = false);
    ~TEvent() { CloseHandle(FHandle); }
    TEvent(const TEvent&) = delete;
    TEvent& operator=(const TEvent&) = delete;

    void Set() { SetEvent(FHandle); }
    void Reset() { ResetEvent(FHandle); }
    // True when the event was (or became) set within timeoutMs; INFINITE waits for good.
    bool Wait(DWORD timeoutMs) const { return WaitForSingleObject(FHandle, timeoutMs) == WAIT_OBJECT_0; }
    HANDLE Handle() const { return FHandle; }

private:
    HANDLE FHandle;
};

// A counting semaphore: at most `count` holders at once, a place taken within a time limit or not at all.
class TSemaphore {
public:
    explicit TSemaphore(LONG count);
    ~TSemaphore() { CloseHandle(FHandle); }
    TSemaphore(const TSemaphore&) = delete;
    TSemaphore& operator=(const TSemaphore&) = delete;

    // True when a place was taken within timeoutMs (0: only if one is free now).
    bool Acquire(DWORD timeoutMs) { return WaitForSingleObject(FHandle, timeoutMs) == WAIT_OBJECT_0; }
    void Release() { ReleaseSemaphore(FHandle, 1, nullptr); }
    // Signalled while a place is free; a wait that succeeds on it takes the place.
    HANDLE Handle() const { return FHandle; }

private:
    HANDLE FHandle;
};

// A thread that runs one function and is joined by its destructor; Detach lets it finish on its own, so
// anything its work touches must then be owned by the work itself (a shared_ptr captured by value).
class TWorkerThread {
public:
    // Starts the work at once; raises EThreadError when no thread can be made. An exception that escapes the
    // work ends only that work and is kept for Failure().
    explicit TWorkerThread(std::function<void()> work);
    ~TWorkerThread();
    TWorkerThread(const TWorkerThread&) = delete;
    TWorkerThread& operator=(const TWorkerThread&) = delete;

    // True when the work has ended within timeoutMs (INFINITE waits for good); false too after Detach.
    bool Join(DWORD timeoutMs = INFINITE);
    // Gives up the thread: the work goes on, nobody waits for it.
    void Detach();
    // What escaped the work, once Join said it ended; empty otherwise.
    std::exception_ptr Failure() const;
    // The thread's handle while it is not detached, for a wait of the caller's own kind; signalled when it ends.
    HANDLE Handle() const { return FHandle; }
    // Threads of this kind whose work has not ended yet, detached ones included.
    static LONG Running();

private:
    struct TState;
    static unsigned __stdcall Run(void* state);

    std::shared_ptr<TState> FState; // shared with the thread, so Detach may come first
    HANDLE FHandle = nullptr;
};
