// TBackgroundCall: one piece of blocking work at a time on a worker thread, its end handed back to the window
// thread through a message window, so the windows paint and take input while it runs.
#pragma once
#include <windows.h>

#include <exception>
#include <functional>
#include <memory>

class TMessageWindow;
class TWorkerThread;

class TBackgroundCall {
public:
    // `className` names the hidden window that hears the ends; `endBoundMs` is how long the destructor waits for
    // work still under way before letting it finish on its own.
    TBackgroundCall(const char* className, DWORD endBoundMs);
    // Drops the answer of the work under way and waits for it at most endBoundMs, then lets it finish on its own.
    ~TBackgroundCall();
    TBackgroundCall(const TBackgroundCall&) = delete;
    TBackgroundCall& operator=(const TBackgroundCall&) = delete;

    // Runs `work` on a new worker thread; `done` runs later on this (the window) thread with what escaped the
    // work (null when nothing did), unless Abandon or another Start came first. Anything both share must be owned
    // by them (a shared_ptr captured by value). Raises EThreadError when no thread can be made.
    void Start(std::function<void()> work, std::function<void(std::exception_ptr failure)> done);
    // True from Start until `done` has been called or the work abandoned.
    bool Busy() const { return static_cast<bool>(FDone); }
    // The work under way goes on, but its end is dropped; a later Start lets it finish on its own.
    void Abandon();

private:
    struct TState;
    void Finish(LONG generation);

    std::unique_ptr<TMessageWindow> FWindow;
    DWORD FEndBoundMs;
    LONG FGeneration = 0;
    std::shared_ptr<TState> FState;
    std::function<void(std::exception_ptr)> FDone;
    std::unique_ptr<TWorkerThread> FWorker; // the last one started
};
