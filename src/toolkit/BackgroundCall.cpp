// TBackgroundCall: the worker posts the generation it ran for; an end of an older generation is dropped.
#include "toolkit/BackgroundCall.h"

#include "toolkit/MessageWindow.h"
#include "toolkit/Threads.h"

namespace {
constexpr UINT kEndMessage = WM_APP + 1; // wParam: the generation that ended
} // namespace

// Shared by the caller and the worker, so a worker that outlives its caller never touches freed memory.
struct TBackgroundCall::TState {
    HWND Window = nullptr;
    LONG Generation = 0;
    std::exception_ptr Failure; // written by the worker before it posts
};

TBackgroundCall::TBackgroundCall(const char* className, DWORD endBoundMs)
    : FWindow(std::make_unique<TMessageWindow>(nullptr, className)), FEndBoundMs(endBoundMs)
{
    FWindow->OnMessage = [this](UINT msg, WPARAM wParam, LPARAM, LRESULT& result) {
        if (msg != kEndMessage)
            return false;
        Finish(static_cast<LONG>(wParam));
        result = 0;
        return true;
    };
}

TBackgroundCall::~TBackgroundCall()
{
    Abandon();
    if (FWorker && !FWorker->Join(FEndBoundMs))
        FWorker->Detach();
}

void TBackgroundCall::Start(std::function<void()> work, std::function<void(std::exception_ptr)> done)
{
    Abandon();
    auto state = std::make_shared<TState>();
    state->Window = FWindow->Handle();
    state->Generation = ++FGeneration;
    auto worker = std::make_unique<TWorkerThread>([state, work = std::move(work)] {
        try {
            work();
        } catch (...) {
            state->Failure = std::current_exception();
        }
        PostMessageA(state->Window, kEndMessage, static_cast<WPARAM>(state->Generation), 0);
    });
    // An earlier worker still under way keeps its share of the state and finishes on its own.
    if (FWorker && !FWorker->Join(0))
        FWorker->Detach();
    FWorker = std::move(worker);
    FState = state;
    FDone = std::move(done);
}

void TBackgroundCall::Abandon()
{
    ++FGeneration;
    FState.reset();
    FDone = nullptr;
}

void TBackgroundCall::Finish(LONG generation)
{
    if (!FState || generation != FState->Generation)
        return; // the end of abandoned work
    const std::exception_ptr failure = FState->Failure;
    const auto done = std::move(FDone);
    FState.reset();
    FDone = nullptr;
    if (done)
        done(failure);
}
