// The terminal-services road on a helper thread, bounded in time and in the number of calls left hanging.
#include "net/WtsMessage.h"

#include <memory>

#include "net/NetBiosTransport.h"
#include "net/WtsApi.h"
#include "core/Text.h"
#include "toolkit/PaintingWait.h"
#include "toolkit/Threads.h"

namespace {

constexpr DWORD kBoxStyle = MB_OK | MB_ICONINFORMATION;
constexpr DWORD kBoxStaysUntilClosed = 0; // seconds; 0: no time-out for the recipient's box
constexpr DWORD kCallNotImplemented = 120;

// One send, shared by the caller and the helper: whichever lets go last frees it.
struct TRoadJob {
    const TWtsApi* Api = nullptr;
    std::string Server, Title, Text;
    TCriticalSection Lock;
    TEvent Done{TEvent::TReset::Manual};
    bool GivenUp = false;   // the caller went on: send nothing more
    bool Delivered = false; // a session took the message (kept when the caller gives up later)
    TTerminalResult Result;
};

// Helpers alive, whether someone still waits for them or not.
TSemaphore gPlaces(kMaxTerminalCalls);

bool GivenUp(TRoadJob& job)
{
    TLock lock(job.Lock);
    return job.GivenUp;
}

// Sends to each active session until the caller gives up; the last refusal when none took it.
TTerminalResult SendToActiveSessions(TRoadJob& job, HANDLE server, const TWtsSessionInfo* sessions, DWORD count)
{
    TTerminalResult result{TTerminalOutcome::NoActiveSession, 0};
    for (DWORD i = 0; i < count && !GivenUp(job); ++i) {
        if (sessions[i].State != kWtsActive)
            continue;
        DWORD response = 0;
        if (job.Api->SendSessionMessage(server, sessions[i].SessionId, job.Title.data(),
                static_cast<DWORD>(job.Title.size()), job.Text.data(), static_cast<DWORD>(job.Text.size()), kBoxStyle,
                kBoxStaysUntilClosed, &response, FALSE)) {
            TLock lock(job.Lock);
            job.Delivered = true;
            result = {TTerminalOutcome::Delivered, 0};
        } else if (result.Outcome != TTerminalOutcome::Delivered) {
            result = {TTerminalOutcome::Refused, GetLastError()};
        }
    }
    return result;
}

TTerminalResult Refusal(DWORD error)
{
    if (error == kCallNotImplemented) // an emulation that has the library but not the service
        return {TTerminalOutcome::Skipped, error};
    return {TTerminalOutcome::Refused, error};
}

TTerminalResult RunRoad(TRoadJob& job)
{
    // A null handle would mean this computer's own sessions, so a failed open ends the road here.
    const HANDLE server = job.Api->OpenServer(job.Server.data());
    if (!server)
        return {TTerminalOutcome::Skipped, GetLastError()};
    TWtsSessionInfo* sessions = nullptr;
    DWORD count = 0;
    TTerminalResult result;
    if (job.Api->EnumerateSessions(server, 0, 1, &sessions, &count))
        result = SendToActiveSessions(job, server, sessions, count);
    else
        result = Refusal(GetLastError());
    if (sessions)
        job.Api->FreeMemory(sessions);
    job.Api->CloseServer(server);
    return result;
}

// Gives the helper's place back however its road ends.
struct TPlace {
    ~TPlace() { gPlaces.Release(); }
};

} // namespace

TTerminalResult SendTerminalMessage(const std::string& from, const std::string& to, const std::string& text,
    uint32_t timeoutMs)
{
    const TWtsApi* api = WtsApi();
    std::string server = Trim(to);
    while (!server.empty() && server.front() == '\\')
        server.erase(0, 1);
    if (!api || server.empty())
        return {TTerminalOutcome::Skipped, 0};
    if (timeoutMs == 0) // the direct delivery used up the bound
        return {TTerminalOutcome::TimedOut, 0};
    if (!gPlaces.Acquire(0)) // every place is held by calls that still hang
        return {TTerminalOutcome::Skipped, 0};

    std::shared_ptr<TRoadJob> job;
    try {
        job = std::make_shared<TRoadJob>();
        job->Api = api;
        job->Server = server;
        job->Title = TerminalMessageTitle(Trim(from).empty() ? ComputerName() : Trim(from));
        job->Text = Trim(text);
        TWorkerThread helper([job] {
            TTerminalResult result;
            {
                TPlace place;
                result = RunRoad(*job);
            }
            TLock lock(job->Lock);
            job->Result = result;
            job->Done.Set();
        });
        helper.Detach(); // the job's event, not the thread, tells when it is done
    } catch (const EThreadError&) { // no event or no thread: the road cannot be taken now
        gPlaces.Release();
        return {TTerminalOutcome::Skipped, 0};
    }

    WaitWhilePainting(job->Done.Handle(), timeoutMs);
    TLock lock(job->Lock);
    if (job->Done.Wait(0))
        return job->Result;
    job->GivenUp = true;
    return {job->Delivered ? TTerminalOutcome::Delivered : TTerminalOutcome::TimedOut, 0};
}
