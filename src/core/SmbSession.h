// The SMB1 requests that open an anonymous session on a server's IPC$ share and carry a named-pipe transaction,
// and the reading of their replies.
#pragma once
#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

#include "core/SmbMessage.h"

inline constexpr uint8_t kSmbTransaction = 0x25;
inline constexpr uint8_t kSmbNegotiate = 0x72;
inline constexpr uint8_t kSmbSessionSetup = 0x73;
inline constexpr uint8_t kSmbTreeConnect = 0x75;

// 0x72 offering the one dialect "NT LM 0.12".
std::vector<uint8_t> SmbNegotiateRequest(const TSmbIds& ids);

struct TSmbNegotiated {
    uint32_t SessionKey = 0;    // echoed in the session setup
    uint32_t MaxBufferSize = 0; // the largest SMB the server takes
};

// Reads a negotiate reply; raises EProtocolError when the server took no dialect or the reply is not one of
// NT LM 0.12 (17 words).
TSmbNegotiated ReadNegotiateReply(const TSmbReply& reply);

// 0x73 without account or passwords, in the OEM code page; we take replies of up to maxBufferSize bytes.
std::vector<uint8_t> SmbAnonymousSessionRequest(const TSmbIds& ids, const TSmbNegotiated& negotiated,
    uint16_t maxBufferSize);

// 0x75 to the share path (e.g. \\*SMBSERVER\IPC$) for any kind of service; a path holding a NUL raises
// std::invalid_argument.
std::vector<uint8_t> SmbTreeConnectRequest(const TSmbIds& ids, std::string_view path);

// 0x25 to a named pipe (e.g. \PIPE\LANMAN), no setup words, the parameters in one piece and no data.
std::vector<uint8_t> SmbTransactionRequest(const TSmbIds& ids, std::string_view pipeName,
    std::span<const uint8_t> parameters, uint16_t maxParameterCount, uint16_t maxDataCount);

// A transaction reply may come in several SMBs; each one's parameters and data are placed where their
// displacements say until both totals are in. Totals may shrink between pieces but never grow; no byte may come
// twice.
class TTransactionReply {
public:
    // Adds one piece: the whole SMB and its parsed reply. Raises EProtocolError when an offset, a count or a
    // displacement points outside the bytes received or beyond the totals.
    void Add(std::span<const uint8_t> smb, const TSmbReply& reply);
    bool Complete() const;
    const std::vector<uint8_t>& Parameters() const { return FParameters; }
    const std::vector<uint8_t>& Data() const { return FData; }

private:
    bool FStarted = false;
    std::vector<uint8_t> FParameters;
    std::vector<uint8_t> FData;
    std::vector<uint8_t> FParametersArrived; // 1 for each byte that came
    std::vector<uint8_t> FDataArrived;
};
