// SMB1 messenger requests and replies.
#include "core/SmbMessage.h"

#include <stdexcept>

#include "core/HexText.h"
#include "core/WinPopupFailure.h"
#include "core/WireBytes.h"

namespace {

constexpr uint8_t kSmbFlagsReply = 0x80;
constexpr uint16_t kSmbFlags2NtStatus = 0x4000;
constexpr uint8_t kBufferFormatDialect = 0x04; // a NUL-terminated name
constexpr uint8_t kBufferFormatData = 0x01;    // a 16-bit length and bytes

constexpr uint8_t kErrDos = 0x01;
constexpr uint8_t kErrSrv = 0x02;
constexpr uint16_t kErrDosRequestNotAccepted = 71;
constexpr uint16_t kErrSrvMessengerPaused = 81;
constexpr uint16_t kErrSrvNotReceiving = 82;
constexpr uint16_t kErrSrvNoRoom = 83;
constexpr uint32_t kNtStatusRequestNotAccepted = 0xC00000D0;

std::vector<uint8_t> Request(uint8_t command, std::span<const uint16_t> words, std::span<const uint8_t> data)
{
    return SmbRequest(command, {}, words, data);
}

void PutName(std::vector<uint8_t>& data, std::string_view name)
{
    data.push_back(kBufferFormatDialect);
    PutText(data, name, "a messenger name");
}

} // namespace

std::vector<uint8_t> SmbRequestHeader(uint8_t command, const TSmbIds& ids)
{
    std::vector<uint8_t> header(kSmbHeaderSize - 8, 0x00);
    header[0] = 0xFF;
    header[1] = 'S';
    header[2] = 'M';
    header[3] = 'B';
    header[4] = command;
    PutWord(header, ids.Tid);
    PutWord(header, ids.Pid);
    PutWord(header, ids.Uid);
    PutWord(header, ids.Mid);
    return header;
}

std::vector<uint8_t> SmbRequest(uint8_t command, const TSmbIds& ids, std::span<const uint16_t> words,
    std::span<const uint8_t> data)
{
    if (words.size() > 0xFF || data.size() > 0xFFFF)
        throw std::invalid_argument("an SMB request holds at most 255 words and 65535 data bytes");
    std::vector<uint8_t> smb = SmbRequestHeader(command, ids);
    smb.push_back(static_cast<uint8_t>(words.size()));
    for (uint16_t w : words)
        PutWord(smb, w);
    PutWord(smb, static_cast<uint16_t>(data.size()));
    smb.insert(smb.end(), data.begin(), data.end());
    return smb;
}

std::vector<uint8_t> SmbStartMessageRequest(std::string_view sender, std::string_view recipient)
{
    std::vector<uint8_t> data;
    PutName(data, sender);
    PutName(data, recipient);
    if (data.size() > 0xFFFF)
        throw std::invalid_argument("messenger names too long");
    return Request(kSmbStartMessage, {}, data);
}

std::vector<uint8_t> SmbTextBlockRequest(uint16_t groupId, std::string_view block)
{
    if (block.size() > kSmbTextBlockSize)
        throw std::invalid_argument("a text block has at most 128 bytes");
    std::vector<uint8_t> data;
    data.reserve(3 + block.size());
    data.push_back(kBufferFormatData);
    PutWord(data, static_cast<uint16_t>(block.size()));
    data.insert(data.end(), block.begin(), block.end());
    const uint16_t words[] = {groupId};
    return Request(kSmbTextBlock, words, data);
}

std::vector<uint8_t> SmbEndMessageRequest(uint16_t groupId)
{
    const uint16_t words[] = {groupId};
    return Request(kSmbEndMessage, words, {});
}

std::vector<std::string_view> SplitTextBlocks(std::string_view text, size_t blockSize)
{
    if (blockSize == 0)
        throw std::invalid_argument("a text block holds at least one byte");
    std::vector<std::string_view> blocks;
    for (size_t at = 0; at < text.size(); at += blockSize)
        blocks.push_back(text.substr(at, blockSize));
    return blocks;
}

TSmbReply ParseSmbReply(std::span<const uint8_t> smb, uint8_t command)
{
    if (smb.size() < kSmbHeaderSize + 3)
        throw EProtocolError("SMB reply shorter than its header");
    if (smb[0] != 0xFF || smb[1] != 'S' || smb[2] != 'M' || smb[3] != 'B')
        throw EProtocolError("no SMB signature");
    if (smb[4] != command)
        throw EProtocolError("SMB reply to another command");
    if (!(smb[9] & kSmbFlagsReply))
        throw EProtocolError("SMB request where a reply belongs");

    TSmbReply reply;
    reply.Command = smb[4];
    reply.NtStatus = (GetWord(smb, 10) & kSmbFlags2NtStatus) != 0;
    reply.Status = static_cast<uint32_t>(smb[5]) | (static_cast<uint32_t>(smb[6]) << 8) |
        (static_cast<uint32_t>(smb[7]) << 16) | (static_cast<uint32_t>(smb[8]) << 24);
    if (!reply.NtStatus) {
        reply.ErrorClass = smb[5];
        reply.ErrorCode = GetWord(smb, 7);
    }

    reply.Tid = GetWord(smb, 24);
    reply.Uid = GetWord(smb, 28);
    reply.Mid = GetWord(smb, 30);

    const size_t wordCount = smb[kSmbHeaderSize];
    size_t at = kSmbHeaderSize + 1;
    if (smb.size() < at + 2 * wordCount + 2)
        throw EProtocolError("SMB reply shorter than its words");
    for (size_t i = 0; i < wordCount; ++i, at += 2)
        reply.Words.push_back(GetWord(smb, at));
    reply.ByteCount = GetWord(smb, at);
    at += 2;
    reply.DataOffset = at;
    if (smb.size() - at < reply.ByteCount)
        throw EProtocolError("SMB reply shorter than its data");
    return reply;
}

uint16_t StartMessageGroupId(const TSmbReply& reply)
{
    if (reply.Words.empty())
        return 0;
    if (reply.Words.size() == 1)
        return reply.Words[0];
    throw EProtocolError("start-of-message reply with more than one word");
}

bool IsMessengerRefusal(const TSmbReply& reply)
{
    if (reply.NtStatus)
        return reply.Status == kNtStatusRequestNotAccepted;
    if (reply.ErrorClass == kErrSrv)
        return reply.ErrorCode == kErrSrvMessengerPaused || reply.ErrorCode == kErrSrvNotReceiving ||
            reply.ErrorCode == kErrSrvNoRoom;
    return reply.ErrorClass == kErrDos && reply.ErrorCode == kErrDosRequestNotAccepted;
}

std::string SmbStatusText(const TSmbReply& reply)
{
    if (reply.NtStatus)
        return "NT status 0x" + HexDigits(reply.Status, 8);
    return "DOS error " + std::to_string(reply.ErrorClass) + "/" + std::to_string(reply.ErrorCode);
}
