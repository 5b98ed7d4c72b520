// TWsBulkSender: workers take recipients one by one from a shared queue and post each result to a hidden
// window of the user-interface thread, which folds them and raises the events.
#include "net/WsBulkSend.h"

#include <exception>
#include <new>

#include "net/NetMessageDelivery.h"
#include "net/WinPopup.h"
#include "net/WsNetApi.h"
#include "toolkit/MessageWindow.h"
#include "core/ProgramTexts.h"
#include "toolkit/Threads.h"

namespace {
constexpr UINT kResultMessage = WM_APP + 1; // wParam: the recipient's index, lParam: the send's generation
constexpr DWORD kPlatformCallMarginMs = 2000;
} // namespace

// Everything a worker touches; the workers own it together with the sender, so a send given up at program end
// never leaves them with freed memory.
struct TWsBulkSender::TJob {
    TNetMessageRoute Route; // every field but the recipient
    std::vector<std::string> Recipients;
    std::vector<TDeliveryResult> Results; // slot i is written by the one worker that took recipient i
    volatile LONG Next = 0;
    volatile LONG Cancelled = 0;
    HWND Window = nullptr;
    LONG Generation = 0;
};

namespace {

TDeliveryResult DeliverOne(const TNetMessageRoute& common, const std::string& recipient)
{
    TDeliveryResult result;
    result.Recipient = recipient;
    try {
        TNetMessageRoute route = common;
        route.To = recipient;
        DeliverNetMessage(route);
        result.Delivered = true;
    } catch (const EWsNetException& e) {
        result.ErrorCode = e.ErrorCode();
        if (e.Failure())
            result.ErrorText = e.Failure()->Reason;
    } catch (const EWsException& e) {
        result.ErrorCode = e.ErrorCode();
    } catch (const std::bad_alloc&) {
        result.ErrorCode = ERROR_NOT_ENOUGH_MEMORY;
        result.ErrorText = MessengerFailure(ERROR_NOT_ENOUGH_MEMORY, {}).Reason;
    } catch (const std::exception&) {
        // No words of the program's own: the list says that something unexpected happened.
    }
    return result;
}

} // namespace

TWsBulkSender::TWsBulkSender(TComponent* AOwner)
    : TWsComponent(AOwner), FWindow(std::make_unique<TMessageWindow>(nullptr, "TWsBulkSender"))
{
    // Results arrive on the window thread through the toolkit's dispatch point.
    FWindow->OnMessage = [this](UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) {
        if (msg != kResultMessage)
            return false;
        Accept(wParam, lParam);
        result = 0;
        return true;
    };
}

TWsBulkSender::~TWsBulkSender() { Stop(InFlightBoundMs()); }

DWORD TWsBulkSender::InFlightBoundMs() { return WinPopupNetwork().TotalTimeoutMs + kPlatformCallMarginMs; }

void TWsBulkSender::Start(const std::string& server, const std::string& from, const std::string& text,
    const std::vector<std::string>& recipients)
{
    if (Busy())
        throw EWsNetException(BulkSendRunningText());
    ReleaseWorkers(0); // workers of a cancelled send that have ended meanwhile
    WinPopupNetwork();  // its settings are made here, once, before any worker may ask for them
    auto job = std::make_shared<TJob>();
    job->Route = {server, "", from, text};
    job->Recipients = recipients;
    job->Results.resize(recipients.size());
    job->Window = FWindow->Handle();
    job->Generation = ++FGeneration;
    FResults.assign(recipients.size(), TDeliveryResult());
    FDone = 0;
    FHandlerFailed = false;
    if (recipients.empty()) {
        if (OnFinished)
            OnFinished(this, FResults);
        return;
    }

    const size_t workers = recipients.size() < kMaxInFlight ? recipients.size() : kMaxInFlight;
    FJob = job;
    try {
        for (size_t i = 0; i < workers; ++i)
            FWorkers.push_back(std::make_unique<TWorkerThread>([job] {
                const LONG count = static_cast<LONG>(job->Recipients.size());
                while (!InterlockedCompareExchange(&job->Cancelled, 0, 0)) {
                    const LONG index = InterlockedIncrement(&job->Next) - 1;
                    if (index >= count)
                        return;
                    job->Results[index] = DeliverOne(job->Route, job->Recipients[index]);
                    PostMessageA(job->Window, kResultMessage, static_cast<WPARAM>(index), job->Generation);
                }
            }));
    } catch (const EThreadError&) {
        if (FWorkers.empty()) { // fewer workers only take longer; none at all sends nothing
            FJob.reset();
            throw;
        }
    }
}

void TWsBulkSender::Accept(WPARAM index, LPARAM generation)
{
    if (!FJob || generation != FJob->Generation || index >= FResults.size())
        return; // a late result of a send given up
    FResults[index] = FJob->Results[index]; // written before the worker posted
    ++FDone;
    const bool last = FDone == static_cast<int>(FResults.size());
    if (last) {
        FJob.reset();
        ReleaseWorkers(InFlightBoundMs());
    }
    // A failing delivered or progress handler must not keep the finish from running: its error is kept and
    // raised once per send, after the finish.
    std::exception_ptr handlerFailure;
    try {
        if (FResults[index].Delivered && OnDelivered)
            OnDelivered(this, FResults[index].Recipient);
        if (OnResult)
            OnResult(this, FResults[index]);
        if (OnProgress)
            OnProgress(this, Progress());
    } catch (...) {
        if (!FHandlerFailed)
            handlerFailure = std::current_exception();
        FHandlerFailed = true;
    }
    if (last && OnFinished)
        OnFinished(this, FResults);
    if (handlerFailure)
        std::rethrow_exception(handlerFailure);
}

void TWsBulkSender::Cancel()
{
    if (FJob)
        InterlockedExchange(&FJob->Cancelled, 1);
    FJob.reset();
}

bool TWsBulkSender::Stop(DWORD timeoutMs)
{
    Cancel();
    const DWORD start = GetTickCount();
    bool ended = true;
    for (const auto& worker : FWorkers) {
        const DWORD spent = GetTickCount() - start;
        ended = worker->Join(spent < timeoutMs ? timeoutMs - spent : 0) && ended;
    }
    ReleaseWorkers(0);
    return ended;
}

void TWsBulkSender::ReleaseWorkers(DWORD timeoutMs)
{
    // A worker that has not ended by now keeps its share of the job and finishes on its own.
    for (const auto& worker : FWorkers)
        if (!worker->Join(timeoutMs))
            worker->Detach();
    FWorkers.clear();
}
