// One direct delivery's conversation with the receiver, kept apart from the sockets that carry it.
#pragma once
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/WinPopupFailure.h"
#include "core/WinPopupMessage.h"

// Session request, then 0xD5, one 0xD7 per 128-byte block, 0xD6; each step waits for the reply to the last.
// The carrier sends TakeRequest() whenever it is not empty, then reads one session packet and hands it to
// Accept, until Finished(). Transport troubles are the carrier's to report through Fail.
class TWinPopupExchange {
public:
    explicit TWinPopupExchange(TWinPopupMessage message);
    TWinPopupExchange(const TWinPopupExchange&) = delete; // the blocks point into the held text
    TWinPopupExchange& operator=(const TWinPopupExchange&) = delete;

    // The bytes to send now (empty while a reply is awaited); taking them hands them over.
    std::vector<uint8_t> TakeRequest();
    // A session packet from the receiver (its type and payload).
    void Accept(uint8_t type, std::span<const uint8_t> payload);
    void Fail(TWinPopupFailure failure, std::string problem);

    bool Finished() const { return FStage == TStage::Delivered || FStage == TStage::Failed; }
    bool Delivered() const { return FStage == TStage::Delivered; }
    bool SessionAccepted() const { return FSessionAccepted; }
    std::optional<TWinPopupFailure> Failure() const { return FFailure; }
    const TWinPopupMessage& Message() const { return FMessage; }
    const std::string& Problem() const { return FProblem; }

private:
    enum class TStage { Session, Start, Text, End, Delivered, Failed };

    void AcceptSession(uint8_t type, std::span<const uint8_t> payload);
    void AcceptSmb(std::span<const uint8_t> payload);
    void QueueSmb(const std::vector<uint8_t>& smb);
    void QueueNextBlockOrEnd();
    uint8_t AwaitedCommand() const;

    TWinPopupMessage FMessage;
    std::vector<std::string_view> FBlocks;
    size_t FNextBlock = 0;
    uint16_t FGroupId = 0;
    TStage FStage = TStage::Session;
    bool FSessionAccepted = false;
    std::vector<uint8_t> FPending;
    std::optional<TWinPopupFailure> FFailure;
    std::string FProblem;
};
