// One direct delivery's conversation with the receiver, kept apart from the sockets that carry it.
#pragma once
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/SessionConversation.h"
#include "core/WinPopupFailure.h"
#include "core/WinPopupMessage.h"

// Session request, then 0xD5, one 0xD7 per 128-byte block, 0xD6; each step waits for the reply to the last.
// The carrier sends TakeRequest() whenever it is not empty, then reads one session packet and hands it to
// Accept, until Finished(). Transport troubles are the carrier's to report through Fail.
class TWinPopupExchange final : public TSessionConversation {
public:
    explicit TWinPopupExchange(TWinPopupMessage message);
    TWinPopupExchange(const TWinPopupExchange&) = delete; // the blocks point into the held text
    TWinPopupExchange& operator=(const TWinPopupExchange&) = delete;

    void Fail(TWinPopupFailure failure, std::string problem);

    bool Finished() const override { return FStage == TStage::Delivered || FStage == TStage::Failed; }
    bool Delivered() const { return FStage == TStage::Delivered; }
    bool SessionAccepted() const { return FSessionAccepted; }
    std::optional<TWinPopupFailure> Failure() const { return FFailure; }
    const TWinPopupMessage& Message() const { return FMessage; }
    const std::string& Problem() const { return FProblem; }

private:
    enum class TStage { Session, Start, Text, End, Delivered, Failed };

    bool SessionAwaited() const override { return FStage == TStage::Session; }
    void AcceptSession(uint8_t type, std::span<const uint8_t> payload) override;
    uint8_t AwaitedCommand() const override;
    void AcceptSmb(std::span<const uint8_t> smb, const TSmbReply& reply) override;
    void FailReply(std::string problem) override;
    void QueueSmb(const std::vector<uint8_t>& smb);
    void QueueNextBlockOrEnd();

    TWinPopupMessage FMessage;
    std::vector<std::string_view> FBlocks;
    size_t FNextBlock = 0;
    uint16_t FGroupId = 0;
    TStage FStage = TStage::Session;
    bool FSessionAccepted = false;
    std::optional<TWinPopupFailure> FFailure;
    std::string FProblem;
};
