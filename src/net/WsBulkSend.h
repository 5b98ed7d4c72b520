// TWsBulkSender: one message to many recipients, at most eight deliveries at a time on worker threads.
#pragma once
#include <windows.h>

#include <exception>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "net/WsBase.h"
#include "core/BulkSend.h"

class TMessageWindow;
class TWorkerThread;

class TWsBulkSender : public TWsComponent {
public:
    static constexpr int kMaxInFlight = 8;

    explicit TWsBulkSender(TComponent* AOwner);
    // Starts no further delivery and waits at most InFlightBoundMs for those under way.
    ~TWsBulkSender() override;

    // Delivers `text` from `from` through `server` (its stored form) to every recipient, each once, and returns
    // at once; the events below report on the user-interface thread. Raises EWsNetException while a send is
    // still running, EThreadError when no worker could be started.
    void Start(const std::string& server, const std::string& from, const std::string& text,
        const std::vector<std::string>& recipients);
    bool Busy() const { return FJob != nullptr; }
    TBulkProgress Progress() const { return {FDone, static_cast<int>(FResults.size())}; }

    // Starts no further delivery; those under way end on their own and report nothing more.
    void Cancel();
    // Cancel, then wait for the deliveries under way at most timeoutMs; true when every worker has ended.
    bool Stop(DWORD timeoutMs);
    // How long one delivery may take at most: the direct delivery's bound and a margin for the platform call.
    static DWORD InFlightBoundMs();

    std::function<void(TObject* Sender, const std::string& Recipient)> OnDelivered;
    // Each recipient's result as it comes in, delivered or not (the console program prints one line for each).
    std::function<void(TObject* Sender, const TDeliveryResult& Result)> OnResult;
    std::function<void(TObject* Sender, const TBulkProgress& Progress)> OnProgress;
    // Every result in the order of the recipients; raised once, after the last one came in, also when a handler
    // above failed (the first such failure of a send is raised after it, the others are dropped; a failure of
    // this handler itself then goes first).
    std::function<void(TObject* Sender, const std::vector<TDeliveryResult>& Results)> OnFinished;

private:
    struct TJob;

    void Accept(WPARAM index, LPARAM generation);
    void ReleaseWorkers(DWORD timeoutMs);

    std::unique_ptr<TMessageWindow> FWindow;
    std::shared_ptr<TJob> FJob; // shared with the workers, which may outlive a cancelled send
    std::vector<std::unique_ptr<TWorkerThread>> FWorkers;
    std::vector<TDeliveryResult> FResults;
    int FDone = 0;
    bool FHandlerFailed = false; // a handler failure of this send has been raised already
    LONG FGeneration = 0;
};
