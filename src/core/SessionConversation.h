// What every conversation over a NetBIOS session shares with its carrier: the request waiting to be sent, and
// where each packet received belongs.
#pragma once
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "core/SmbMessage.h"

class TSessionConversation {
public:
    // The bytes to send now (empty while a reply is awaited); taking them hands them over.
    std::vector<uint8_t> TakeRequest();
    // A session packet from the peer (its type and payload): the answer to the session request while that is
    // awaited, then SMB replies; keep-alives are passed over.
    void Accept(uint8_t type, std::span<const uint8_t> payload);
    virtual bool Finished() const = 0;

protected:
    ~TSessionConversation() = default;

    virtual bool SessionAwaited() const = 0;
    virtual void AcceptSession(uint8_t type, std::span<const uint8_t> payload) = 0;
    // The command whose reply comes next.
    virtual uint8_t AwaitedCommand() const = 0;
    // The whole SMB and what it says; may raise EProtocolError.
    virtual void AcceptSmb(std::span<const uint8_t> smb, const TSmbReply& reply) = 0;
    // A reply that makes no sense ends the conversation.
    virtual void FailReply(std::string problem) = 0;

    std::vector<uint8_t> FPending;
};
