// The SMB1 messenger requests (start, text block, end of a multi-block message) and the reading of their replies.
#pragma once
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

inline constexpr uint8_t kSmbStartMessage = 0xD5;
inline constexpr uint8_t kSmbEndMessage = 0xD6;
inline constexpr uint8_t kSmbTextBlock = 0xD7;
inline constexpr size_t kSmbHeaderSize = 32;
inline constexpr size_t kSmbTextBlockSize = 128;

// The identifiers a request carries once a session and a tree exist; all zero for the messenger commands.
struct TSmbIds {
    uint16_t Tid = 0;
    uint16_t Pid = 0;
    uint16_t Uid = 0;
    uint16_t Mid = 0;
};

// The 32-byte header of a request: the signature, the command and the identifiers, every other field zero.
std::vector<uint8_t> SmbRequestHeader(uint8_t command, const TSmbIds& ids = {});

// A whole request: header, WordCount and the words, ByteCount and the data (at most 255 words and 65535 bytes,
// else std::invalid_argument).
std::vector<uint8_t> SmbRequest(uint8_t command, const TSmbIds& ids, std::span<const uint16_t> words,
    std::span<const uint8_t> data);

// 0xD5: no words; data 0x04 sender NUL 0x04 recipient NUL. A name holding a NUL raises std::invalid_argument.
std::vector<uint8_t> SmbStartMessageRequest(std::string_view sender, std::string_view recipient);
// 0xD7: the group id; data 0x01, the 16-bit length and the bytes (at most 128, else std::invalid_argument).
std::vector<uint8_t> SmbTextBlockRequest(uint16_t groupId, std::string_view block);
// 0xD6: the group id, no data.
std::vector<uint8_t> SmbEndMessageRequest(uint16_t groupId);

// The text cut into consecutive blocks of at most blockSize bytes; none for an empty text.
std::vector<std::string_view> SplitTextBlocks(std::string_view text, size_t blockSize = kSmbTextBlockSize);

struct TSmbReply {
    uint8_t Command = 0;
    bool NtStatus = false;   // the status is a 32-bit NT status, else a DOS error class and code
    uint32_t Status = 0;     // NT status, or the four status bytes read little-endian
    uint8_t ErrorClass = 0;  // DOS form only
    uint16_t ErrorCode = 0;  // DOS form only
    uint16_t Tid = 0;
    uint16_t Uid = 0;
    uint16_t Mid = 0;
    std::vector<uint16_t> Words;
    size_t ByteCount = 0;
    size_t DataOffset = 0;   // where the data bytes begin, counted from the header's first byte

    bool Succeeded() const { return Status == 0; }
};

// Reads the reply to a request of `command`; raises EProtocolError for anything that is not such a reply.
TSmbReply ParseSmbReply(std::span<const uint8_t> smb, uint8_t command);

// The group id that a 0xD5 reply hands out: its one word, or 0 when it has none (Samba answers so).
// Raises EProtocolError for any other word count.
uint16_t StartMessageGroupId(const TSmbReply& reply);

// True for the statuses by which a receiver says it does not take messages: the server errors for a paused
// messenger, one not receiving, no room for the message, and "request not accepted" in both forms.
bool IsMessengerRefusal(const TSmbReply& reply);

// The status for diagnostics, e.g. "NT status 0xC00000D0" or "DOS error 1/71".
std::string SmbStatusText(const TSmbReply& reply);
