// The NetBIOS session service on TCP 139: the session request, the framing of messages and the session replies.
#pragma once
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "core/NetBiosName.h"

inline constexpr uint8_t kSessionMessage = 0x00;
inline constexpr uint8_t kSessionRequest = 0x81;
inline constexpr uint8_t kPositiveSessionResponse = 0x82;
inline constexpr uint8_t kNegativeSessionResponse = 0x83;
inline constexpr uint8_t kRetargetSessionResponse = 0x84;
inline constexpr uint8_t kSessionKeepAlive = 0x85;

inline constexpr size_t kSessionHeaderSize = 4;
inline constexpr size_t kMaxSessionPayload = 0x1FFFF; // the length field has 17 bits

// Type 0x81, flags 0, length 68, then the called and the calling name.
std::vector<uint8_t> SessionRequestPacket(const TEncodedName& called, const TEncodedName& calling);

// Type 0x00 with the payload's length; raises std::invalid_argument above 17 bits.
std::vector<uint8_t> SessionMessagePacket(std::span<const uint8_t> payload);

// The payload length that a 4-byte session header announces (the low bit of the flags is its 17th bit).
size_t SessionPayloadLength(std::span<const uint8_t, kSessionHeaderSize> header);

// What a peer answered to the session request.
enum class TSessionAnswer { Accepted, Refused, Retarget, KeepAlive, Malformed };

struct TSessionReply {
    TSessionAnswer Answer = TSessionAnswer::Malformed;
    uint8_t ErrorByte = 0;   // the reason a refusal gives
    std::string Description; // for diagnostics
};

TSessionReply InterpretSessionReply(uint8_t type, std::span<const uint8_t> payload);

// The meaning of a negative session response's error byte.
std::string SessionErrorDescription(uint8_t errorByte);
