// NetBIOS session service packets and the reading of session replies.
#include "core/SessionService.h"

#include <stdexcept>

#include "core/HexText.h"

std::vector<uint8_t> SessionRequestPacket(const TEncodedName& called, const TEncodedName& calling)
{
    std::vector<uint8_t> packet;
    packet.reserve(kSessionHeaderSize + 2 * kEncodedNameSize);
    packet.push_back(kSessionRequest);
    packet.push_back(0x00);
    packet.push_back(0x00);
    packet.push_back(static_cast<uint8_t>(2 * kEncodedNameSize));
    packet.insert(packet.end(), called.begin(), called.end());
    packet.insert(packet.end(), calling.begin(), calling.end());
    return packet;
}

std::vector<uint8_t> SessionMessagePacket(std::span<const uint8_t> payload)
{
    if (payload.size() > kMaxSessionPayload)
        throw std::invalid_argument("a session message carries at most 131071 bytes");
    const size_t n = payload.size();
    std::vector<uint8_t> packet;
    packet.reserve(kSessionHeaderSize + n);
    packet.push_back(kSessionMessage);
    packet.push_back(static_cast<uint8_t>((n >> 16) & 0x01));
    packet.push_back(static_cast<uint8_t>(n >> 8));
    packet.push_back(static_cast<uint8_t>(n));
    packet.insert(packet.end(), payload.begin(), payload.end());
    return packet;
}

size_t SessionPayloadLength(std::span<const uint8_t, kSessionHeaderSize> header)
{
    return (static_cast<size_t>(header[1] & 0x01) << 16) | (static_cast<size_t>(header[2]) << 8) | header[3];
}

std::string SessionErrorDescription(uint8_t errorByte)
{
    switch (errorByte) {
    case 0x80:
        return "not listening on the called name";
    case 0x81:
        return "not listening for the calling name";
    case 0x82:
        return "called name not present";
    case 0x83:
        return "insufficient resources";
    case 0x8F:
        return "unspecified error";
    default:
        return "unknown error 0x" + HexDigits(errorByte, 2);
    }
}

TSessionReply InterpretSessionReply(uint8_t type, std::span<const uint8_t> payload)
{
    TSessionReply reply;
    switch (type) {
    case kPositiveSessionResponse:
        if (payload.empty()) {
            reply.Answer = TSessionAnswer::Accepted;
            reply.Description = "session accepted";
            return reply;
        }
        reply.Description = "positive session response with a body";
        return reply;
    case kNegativeSessionResponse:
        if (payload.size() == 1) {
            reply.Answer = TSessionAnswer::Refused;
            reply.ErrorByte = payload[0];
            reply.Description = "session refused: " + SessionErrorDescription(payload[0]);
            return reply;
        }
        reply.Description = "negative session response without its error byte";
        return reply;
    case kRetargetSessionResponse:
        reply.Answer = TSessionAnswer::Retarget;
        reply.Description = "session retargeted elsewhere";
        return reply;
    case kSessionKeepAlive:
        reply.Answer = TSessionAnswer::KeepAlive;
        reply.Description = "keep-alive";
        return reply;
    default:
        reply.Description = "unexpected session packet type 0x" + HexDigits(type, 2);
        return reply;
    }
}
