// SMB1 negotiate, anonymous session setup, tree connect and transactions.
#include "core/SmbSession.h"

#include <algorithm>
#include <stdexcept>
#include <string>

#include "core/WinPopupFailure.h"
#include "core/WireBytes.h"

namespace {

constexpr uint8_t kDialectMarker = 0x02;
constexpr uint16_t kNoDialect = 0xFFFF;
constexpr size_t kNtLmWordCount = 17;
constexpr uint16_t kNoAndX = 0x00FF; // AndXCommand 0xFF: nothing chained
constexpr size_t kTransactionReplyWords = 10;

void PutSmbText(std::vector<uint8_t>& out, std::string_view text)
{
    PutText(out, text, "an SMB text");
}

// The words of a reply read as the bytes they came as.
uint8_t WordByte(const TSmbReply& reply, size_t at)
{
    return static_cast<uint8_t>(reply.Words[at / 2] >> (8 * (at % 2)));
}

uint32_t WordDword(const TSmbReply& reply, size_t at)
{
    uint32_t value = 0;
    for (size_t i = 0; i < 4; ++i)
        value |= static_cast<uint32_t>(WordByte(reply, at + i)) << (8 * i);
    return value;
}

uint16_t Low(uint32_t value) { return static_cast<uint16_t>(value); }
uint16_t High(uint32_t value) { return static_cast<uint16_t>(value >> 16); }

// Copies count bytes from offset of the SMB to displacement of the assembled buffer, after checking both ends and
// that none of those bytes came before: a reply is whole when each of its bytes arrived, once.
void Place(std::span<const uint8_t> smb, size_t offset, size_t count, size_t displacement,
    std::vector<uint8_t>& into, std::vector<uint8_t>& arrived, const char* what)
{
    if (count == 0)
        return;
    if (offset < kSmbHeaderSize || offset > smb.size() || smb.size() - offset < count)
        throw EProtocolError(std::string("transaction ") + what + " outside the reply");
    if (displacement > into.size() || into.size() - displacement < count)
        throw EProtocolError(std::string("transaction ") + what + " beyond the announced total");
    const auto first = arrived.begin() + static_cast<std::ptrdiff_t>(displacement);
    const auto last = first + static_cast<std::ptrdiff_t>(count);
    if (std::find(first, last, 1) != last)
        throw EProtocolError(std::string("transaction ") + what + " sent twice");
    std::fill(first, last, 1);
    std::copy_n(smb.begin() + static_cast<std::ptrdiff_t>(offset), count,
        into.begin() + static_cast<std::ptrdiff_t>(displacement));
}

bool AllArrived(const std::vector<uint8_t>& arrived)
{
    return std::find(arrived.begin(), arrived.end(), 0) == arrived.end();
}

} // namespace

std::vector<uint8_t> SmbNegotiateRequest(const TSmbIds& ids)
{
    std::vector<uint8_t> data{kDialectMarker};
    PutSmbText(data, "NT LM 0.12");
    return SmbRequest(kSmbNegotiate, ids, {}, data);
}

TSmbNegotiated ReadNegotiateReply(const TSmbReply& reply)
{
    if (!reply.Succeeded())
        throw EProtocolError("negotiate refused: " + SmbStatusText(reply));
    if (!reply.Words.empty() && reply.Words[0] == kNoDialect)
        throw EProtocolError("the server speaks no NT LM 0.12");
    if (reply.Words.size() != kNtLmWordCount || reply.Words[0] != 0)
        throw EProtocolError("negotiate reply of another dialect");
    // DialectIndex (2), SecurityMode (1), MaxMpxCount (2), MaxNumberVcs (2), MaxBufferSize (4), MaxRawSize (4),
    // SessionKey (4), ...
    TSmbNegotiated negotiated;
    negotiated.MaxBufferSize = WordDword(reply, 7);
    negotiated.SessionKey = WordDword(reply, 15);
    return negotiated;
}

std::vector<uint8_t> SmbAnonymousSessionRequest(const TSmbIds& ids, const TSmbNegotiated& negotiated,
    uint16_t maxBufferSize)
{
    const uint16_t words[] = {
        kNoAndX, 0,            // AndX
        maxBufferSize, 1, 0,   // MaxBufferSize, MaxMpxCount, VcNumber
        Low(negotiated.SessionKey), High(negotiated.SessionKey),
        0, 0,                  // no OEM and no Unicode password
        0, 0,                  // reserved
        0, 0,                  // capabilities: OEM texts, DOS error codes
    };
    std::vector<uint8_t> data;
    PutSmbText(data, ""); // account
    PutSmbText(data, ""); // primary domain
    PutSmbText(data, ""); // native OS
    PutSmbText(data, ""); // native LAN manager
    return SmbRequest(kSmbSessionSetup, ids, words, data);
}

std::vector<uint8_t> SmbTreeConnectRequest(const TSmbIds& ids, std::string_view path)
{
    const uint16_t words[] = {kNoAndX, 0, 0, 1}; // AndX, Flags, PasswordLength 1 (the single NUL below)
    std::vector<uint8_t> data{0x00};
    PutSmbText(data, path);
    PutSmbText(data, "?????"); // any kind of service
    return SmbRequest(kSmbTreeConnect, ids, words, data);
}

std::vector<uint8_t> SmbTransactionRequest(const TSmbIds& ids, std::string_view pipeName,
    std::span<const uint8_t> parameters, uint16_t maxParameterCount, uint16_t maxDataCount)
{
    std::vector<uint8_t> data;
    PutSmbText(data, pipeName);
    constexpr size_t kWords = 14;
    const size_t parameterOffset = kSmbHeaderSize + 1 + 2 * kWords + 2 + data.size();
    if (parameters.size() > 0xFFFF || parameterOffset + parameters.size() > 0xFFFF)
        throw std::invalid_argument("transaction parameters too long");
    const auto count = static_cast<uint16_t>(parameters.size());
    const auto offset = static_cast<uint16_t>(parameterOffset);
    const uint16_t words[kWords] = {
        count, 0,                            // TotalParameterCount, TotalDataCount
        maxParameterCount, maxDataCount,
        0,                                   // MaxSetupCount, Reserved1
        0, 0, 0,                             // Flags, Timeout
        0,                                   // Reserved2
        count, offset,                       // ParameterCount, ParameterOffset
        0, static_cast<uint16_t>(offset + count), // DataCount, DataOffset
        0,                                   // SetupCount, Reserved3
    };
    data.insert(data.end(), parameters.begin(), parameters.end());
    return SmbRequest(kSmbTransaction, ids, words, data);
}

void TTransactionReply::Add(std::span<const uint8_t> smb, const TSmbReply& reply)
{
    if (reply.Words.size() < kTransactionReplyWords)
        throw EProtocolError("transaction reply with too few words");
    const size_t totalParameters = reply.Words[0];
    const size_t totalData = reply.Words[1];
    if (!FStarted) {
        FParameters.assign(totalParameters, 0);
        FData.assign(totalData, 0);
        FParametersArrived.assign(totalParameters, 0);
        FDataArrived.assign(totalData, 0);
        FStarted = true;
    } else if (totalParameters > FParameters.size() || totalData > FData.size()) {
        throw EProtocolError("transaction totals grew between pieces");
    } else {
        FParameters.resize(totalParameters);
        FData.resize(totalData);
        FParametersArrived.resize(totalParameters);
        FDataArrived.resize(totalData);
    }
    Place(smb, reply.Words[4], reply.Words[3], reply.Words[5], FParameters, FParametersArrived, "parameters");
    Place(smb, reply.Words[7], reply.Words[6], reply.Words[8], FData, FDataArrived, "data");
}

bool TTransactionReply::Complete() const
{
    return FStarted && AllArrived(FParametersArrived) && AllArrived(FDataArrived);
}
