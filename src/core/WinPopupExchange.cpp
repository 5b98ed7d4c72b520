// The direct delivery's conversation: which request follows which reply, and what a reply means.
#include "core/WinPopupExchange.h"

#include <utility>

#include "core/NetBiosName.h"
#include "core/SessionService.h"
#include "core/SmbMessage.h"

TWinPopupExchange::TWinPopupExchange(TWinPopupMessage message) : FMessage(std::move(message))
{
    FBlocks = SplitTextBlocks(FMessage.Text);
    FPending = SessionRequestPacket(EncodeNetBiosName(FMessage.Recipient, kMessengerSuffix),
        EncodeNetBiosName(FMessage.Sender, kWorkstationSuffix));
}

void TWinPopupExchange::Fail(TWinPopupFailure failure, std::string problem)
{
    if (Finished())
        return;
    FStage = TStage::Failed;
    FFailure = failure;
    FProblem = std::move(problem);
    FPending.clear();
}

void TWinPopupExchange::AcceptSession(uint8_t type, std::span<const uint8_t> payload)
{
    const TSessionReply reply = InterpretSessionReply(type, payload);
    switch (reply.Answer) {
    case TSessionAnswer::KeepAlive:
        return;
    case TSessionAnswer::Accepted:
        FSessionAccepted = true;
        FStage = TStage::Start;
        QueueSmb(SmbStartMessageRequest(FMessage.Sender, FMessage.Recipient));
        return;
    case TSessionAnswer::Refused:
    case TSessionAnswer::Retarget: // we do not follow it elsewhere: this address turned the session down
        Fail(TWinPopupFailure::SessionRefused, reply.Description);
        return;
    case TSessionAnswer::Malformed:
        break;
    }
    Fail(TWinPopupFailure::MalformedReply, reply.Description);
}

uint8_t TWinPopupExchange::AwaitedCommand() const
{
    switch (FStage) {
    case TStage::Start:
        return kSmbStartMessage;
    case TStage::Text:
        return kSmbTextBlock;
    default:
        return kSmbEndMessage;
    }
}

void TWinPopupExchange::AcceptSmb(std::span<const uint8_t>, const TSmbReply& reply)
{
    if (!reply.Succeeded()) {
        if (IsMessengerRefusal(reply))
            Fail(TWinPopupFailure::MessageRefused, "receiver refused the message: " + SmbStatusText(reply));
        else
            Fail(TWinPopupFailure::UnexpectedStatus, "error status " + SmbStatusText(reply));
        return;
    }
    switch (FStage) {
    case TStage::Start:
        FGroupId = StartMessageGroupId(reply);
        QueueNextBlockOrEnd();
        return;
    case TStage::Text:
        QueueNextBlockOrEnd();
        return;
    case TStage::End:
        FStage = TStage::Delivered;
        return;
    default:
        return;
    }
}

void TWinPopupExchange::FailReply(std::string problem)
{
    Fail(TWinPopupFailure::MalformedReply, std::move(problem));
}

void TWinPopupExchange::QueueNextBlockOrEnd()
{
    if (FNextBlock < FBlocks.size()) {
        FStage = TStage::Text;
        QueueSmb(SmbTextBlockRequest(FGroupId, FBlocks[FNextBlock++]));
    } else {
        FStage = TStage::End;
        QueueSmb(SmbEndMessageRequest(FGroupId));
    }
}

void TWinPopupExchange::QueueSmb(const std::vector<uint8_t>& smb)
{
    FPending = SessionMessagePacket(smb);
}
