// The terminal-services road on a helper thread, bounded in time and in the number of calls left hanging.
#include "net/WtsMessage.h"

#include <memory>

#include "net/ThisComputer.h"
#include "net/WtsApi.h"
#include "toolkit/BoundedCalls.h"
#include "toolkit/Threads.h"

namespace {

constexpr DWORD kBoxStyle = MB_OK | MB_ICONINFORMATION;
constexpr DWORD kBoxStaysUntilClosed = 0; // seconds; 0: no time-out for the recipient's box

// One send, shared by the caller and the helper: whichever lets go last frees it.
struct TRoadJob {
    const TWtsApi* Api = nullptr;
    std::string Server, Title, Text;
    TCriticalSection Lock;
    bool GivenUp = false;   // the caller went on: send nothing more
    bool Delivered = false; // a session took the message (kept when the caller gives up later)
};

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
        if (sessions[i].State != WTSActive)
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
    if (error == ERROR_CALL_NOT_IMPLEMENTED) // an emulation that has the library but not the service
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

} // namespace

TTerminalResult SendTerminalMessage(const std::string& from, const std::string& to, const std::string& text,
    uint32_t timeoutMs)
{
    const TWtsApi* api = WtsApi();
    std::string server = to;
    while (!server.empty() && server.front() == '\\')
        server.erase(0, 1);
    if (!api || server.empty())
        return {TTerminalOutcome::Skipped, 0};
    if (timeoutMs == 0) // the direct delivery used up the bound
        return {TTerminalOutcome::TimedOut, 0};

    // Helpers alive, whether someone still waits for them or not. A send that finds every place taken waits for
    // one within its bound: eight bulk workers share four places, and each road call takes seconds.
    static TBoundedCalls<TTerminalResult> roadCalls(kMaxTerminalCalls);
    auto job = std::make_shared<TRoadJob>();
    job->Api = api;
    job->Server = server;
    job->Title = TerminalMessageTitle(from.empty() ? ThisComputerName() : from);
    job->Text = text;
    const TBoundedAnswer<TTerminalResult> answer =
        roadCalls.Run([job] { return RunRoad(*job); }, timeoutMs, TPlaceWait::WithinTheLimit, TAnswerWait::Painting);
    switch (answer.Outcome) {
    case TBoundedOutcome::Answered:
        return *answer.Value;
    case TBoundedOutcome::NoPlace: // every place stayed held by calls that still hang
    case TBoundedOutcome::NoThread:
        return {TTerminalOutcome::Skipped, 0};
    case TBoundedOutcome::Failed:
    case TBoundedOutcome::TimedOut:
        break;
    }
    TLock lock(job->Lock);
    job->GivenUp = true;
    return {job->Delivered ? TTerminalOutcome::Delivered : TTerminalOutcome::TimedOut, 0};
}
