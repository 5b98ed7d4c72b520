// NetBIOS name query requests and responses.
#include "core/NameQuery.h"

#include <algorithm>

#include "core/WireBytes.h"

namespace {

constexpr uint16_t kFlagResponse = 0x8000;
constexpr uint16_t kFlagRecursionDesired = 0x0100;
constexpr uint16_t kFlagBroadcast = 0x0010;
constexpr uint16_t kTypeNb = 0x0020;
constexpr uint16_t kClassIn = 0x0001;
constexpr size_t kHeaderSize = 12;
constexpr size_t kAddressEntrySize = 6; // flags and an IPv4 address

} // namespace

std::vector<uint8_t> NameQueryRequest(uint16_t transactionId, const TEncodedName& name)
{
    std::vector<uint8_t> packet;
    PutBigEndianWord(packet, transactionId);
    PutBigEndianWord(packet, kFlagRecursionDesired | kFlagBroadcast);
    PutBigEndianWord(packet, 1); // one question
    PutBigEndianWord(packet, 0);
    PutBigEndianWord(packet, 0);
    PutBigEndianWord(packet, 0);
    packet.insert(packet.end(), name.begin(), name.end());
    PutBigEndianWord(packet, kTypeNb);
    PutBigEndianWord(packet, kClassIn);
    return packet;
}

TNameQueryAnswer ParseNameQueryResponse(std::span<const uint8_t> datagram, uint16_t transactionId,
    const TEncodedName& name)
{
    using TKind = TNameQueryAnswer::TKind;
    TNameQueryAnswer answer;
    if (datagram.size() < kHeaderSize || GetBigEndianWord(datagram, 0) != transactionId)
        return answer;
    const uint16_t flags = GetBigEndianWord(datagram, 2);
    const unsigned opcode = (flags >> 11) & 0x0F;
    if (!(flags & kFlagResponse) || opcode != 0)
        return answer;
    if ((flags & 0x000F) != 0) {
        answer.Kind = TKind::Negative;
        return answer;
    }
    if (GetBigEndianWord(datagram, 6) == 0) // no answer record
        return answer;

    size_t at = kHeaderSize;
    if (datagram.size() <= at)
        return answer;
    if (datagram[at] == 0x20) {
        if (datagram.size() < at + kEncodedNameSize || !std::equal(name.begin(), name.end(), datagram.begin() + at))
            return answer;
        at += kEncodedNameSize;
    } else if ((datagram[at] & 0xC0) == 0xC0) { // a pointer back to the question's name
        at += 2;
    } else {
        return answer;
    }
    if (datagram.size() < at + 10)
        return answer;
    if (GetBigEndianWord(datagram, at) != kTypeNb || GetBigEndianWord(datagram, at + 2) != kClassIn)
        return answer;
    const size_t dataLength = GetBigEndianWord(datagram, at + 8);
    at += 10;
    if (dataLength % kAddressEntrySize != 0 || datagram.size() - at < dataLength)
        return answer;
    for (size_t entry = at; entry < at + dataLength; entry += kAddressEntrySize) {
        std::array<uint8_t, 4> address{};
        std::copy_n(datagram.begin() + entry + 2, 4, address.begin());
        if (address != std::array<uint8_t, 4>{}) {
            answer.Kind = TKind::Found;
            answer.Address = address;
            return answer;
        }
    }
    return answer;
}
