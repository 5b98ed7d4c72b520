// Threads, events and semaphores over _beginthreadex and the kernel's objects.
#include "toolkit/Threads.h"

#include <process.h>

#include <cerrno>
#include <string>

#include "core/ProgramTexts.h"

namespace {

HANDLE Created(HANDLE handle, TSyncObject what)
{
    if (!handle)
        throw EThreadError(SyncObjectNotCreatedText(what, GetLastError()));
    return handle;
}

// A plain number, so that it outlives every thread: the runtime never destroys it.
volatile LONG gRunning = 0;

} // namespace

TEvent::TEvent(TReset reset, bool signalled)
    : FHandle(Created(CreateEventA(nullptr, reset == TReset::Manual, signalled, nullptr), TSyncObject::Event))
{
}

TSemaphore::TSemaphore(LONG count) : FHandle(Created(CreateSemaphoreA(nullptr, count, count, nullptr), TSyncObject::Semaphore)) {}

struct TWorkerThread::TState {
    std::function<void()> Work;
    std::exception_ptr Failure;
};

TWorkerThread::TWorkerThread(std::function<void()> work) : FState(std::make_shared<TState>())
{
    FState->Work = std::move(work);
    // _beginthreadex rather than CreateThread: the C runtime then sets up (and frees) its per-thread data.
    auto* handoff = new std::shared_ptr<TState>(FState);
    InterlockedIncrement(&gRunning); // counted from here, so that no moment exists where it runs uncounted
    const uintptr_t handle = _beginthreadex(nullptr, 0, &TWorkerThread::Run, handoff, 0, nullptr);
    if (handle == 0) {
        const int error = errno;
        InterlockedDecrement(&gRunning);
        delete handoff;
        throw EThreadError(ThreadNotStartedText(error));
    }
    FHandle = reinterpret_cast<HANDLE>(handle);
}

TWorkerThread::~TWorkerThread()
{
    if (FHandle) {
        WaitForSingleObject(FHandle, INFINITE);
        CloseHandle(FHandle);
    }
}

unsigned __stdcall TWorkerThread::Run(void* handoff)
{
    const std::shared_ptr<TState> state = std::move(*static_cast<std::shared_ptr<TState>*>(handoff));
    delete static_cast<std::shared_ptr<TState>*>(handoff);
    // Nothing may leave a thread's first function by exception: the process would end.
    try {
        state->Work();
    } catch (...) {
        state->Failure = std::current_exception();
    }
    state->Work = nullptr; // what the work captured goes now, not whenever the owner lets go
    InterlockedDecrement(&gRunning);
    return 0;
}

LONG TWorkerThread::Running() { return InterlockedCompareExchange(&gRunning, 0, 0); }

bool TWorkerThread::Join(DWORD timeoutMs)
{
    return FHandle && WaitForSingleObject(FHandle, timeoutMs) == WAIT_OBJECT_0;
}

void TWorkerThread::Detach()
{
    if (FHandle) {
        CloseHandle(FHandle);
        FHandle = nullptr;
    }
}

std::exception_ptr TWorkerThread::Failure() const
{
    return FHandle && WaitForSingleObject(FHandle, 0) == WAIT_OBJECT_0 ? FState->Failure : nullptr;
}
