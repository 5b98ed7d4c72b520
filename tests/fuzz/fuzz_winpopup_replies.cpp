// Fuzzes the reading of a receiver's replies: session replies, SMB replies, name query answers, whole exchanges.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>
#include <string>

#include "core/NameQuery.h"
#include "core/SessionService.h"
#include "core/SmbMessage.h"
#include "core/WinPopupExchange.h"

namespace {

void Check(bool condition)
{
    if (!condition)
        abort();
}

void ParseEveryReplyKind(std::span<const uint8_t> data)
{
    for (uint8_t command : {kSmbStartMessage, kSmbTextBlock, kSmbEndMessage}) {
        try {
            const TSmbReply reply = ParseSmbReply(data, command);
            Check(reply.Command == command);
            Check(33 + 2 * reply.Words.size() + 2 + reply.ByteCount <= data.size());
            if (command == kSmbStartMessage)
                StartMessageGroupId(reply);
        } catch (const EProtocolError&) {
        }
    }
    if (!data.empty()) {
        const TSessionReply session = InterpretSessionReply(data[0], data.subspan(1));
        Check(!session.Description.empty());
    }
    const TEncodedName name = EncodeNetBiosName("BOB", kMessengerSuffix);
    const TNameQueryAnswer answer = ParseNameQueryResponse(data, 0x0102, name);
    Check(answer.Kind == TNameQueryAnswer::TKind::Found ? answer.Address != std::array<uint8_t, 4>{} : true);
}

// The data as a stream of session packets (a type byte, a one-byte length, the payload) answering an exchange.
void RunExchange(std::span<const uint8_t> data)
{
    const size_t textLength = data.empty() ? 0 : data[0] * 3u;
    TWinPopupExchange exchange({"ALICE", "BOB", std::string(textLength, 'x')});
    size_t at = data.empty() ? 0 : 1;
    size_t requests = 0;
    while (!exchange.Finished() && at + 2 <= data.size()) {
        if (!exchange.TakeRequest().empty())
            ++requests;
        const uint8_t type = data[at];
        const size_t length = std::min<size_t>(data[at + 1], data.size() - at - 2);
        exchange.Accept(type, data.subspan(at + 2, length));
        at += 2 + length;
    }
    // Session request, start, at most six blocks of 128 for 765 bytes, end.
    Check(requests <= 1 + 1 + 6 + 1);
    if (exchange.Finished()) {
        Check(exchange.Delivered() != exchange.Failure().has_value());
        if (exchange.Failure()) {
            const int32_t code = WinPopupErrorCode(*exchange.Failure());
            Check(code == kNerrNameNotFound || code == kNerrNetworkError);
        }
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::span<const uint8_t> bytes(data, size);
    ParseEveryReplyKind(bytes);
    RunExchange(bytes);
    return 0;
}
