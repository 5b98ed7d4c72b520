// The part of a session conversation that does not depend on what is said in it.
#include "core/SessionConversation.h"

#include "core/SessionService.h"
#include "core/WinPopupFailure.h"

std::vector<uint8_t> TSessionConversation::TakeRequest()
{
    std::vector<uint8_t> request;
    request.swap(FPending);
    return request;
}

void TSessionConversation::Accept(uint8_t type, std::span<const uint8_t> payload)
{
    if (Finished())
        return;
    if (SessionAwaited()) {
        AcceptSession(type, payload);
        return;
    }
    if (type == kSessionKeepAlive)
        return;
    if (type != kSessionMessage) {
        FailReply("session packet of another kind where an SMB reply belongs");
        return;
    }
    try {
        AcceptSmb(payload, ParseSmbReply(payload, AwaitedCommand()));
    } catch (const EProtocolError& e) {
        FailReply(e.Message());
    }
}
