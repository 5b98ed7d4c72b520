// NetServerEnum2/3 requests and replies.
#include "core/RapServerEnum.h"

#include "core/WireBytes.h"

namespace {

constexpr uint16_t kNetServerEnum2 = 104;
constexpr uint16_t kNetServerEnum3 = 215;
constexpr uint16_t kInfoLevel0 = 0;
constexpr size_t kReplyParameterSize = 8; // status, converter, entries returned, entries available

// A descriptor or a string parameter, NUL-terminated.
void PutRapText(std::vector<uint8_t>& out, std::string_view text)
{
    PutText(out, text, "a remote administration text");
}

} // namespace

std::vector<uint8_t> RapServerEnumParameters(std::string_view workgroup, uint16_t receiveBufferSize,
    std::string_view firstName, uint32_t serverType)
{
    const bool fromName = !firstName.empty();
    std::vector<uint8_t> out;
    PutWord(out, fromName ? kNetServerEnum3 : kNetServerEnum2);
    PutRapText(out, fromName ? "WrLehDzz" : "WrLehDz");
    PutRapText(out, "B16");
    PutWord(out, kInfoLevel0);
    PutWord(out, receiveBufferSize);
    PutWord(out, static_cast<uint16_t>(serverType));
    PutWord(out, static_cast<uint16_t>(serverType >> 16));
    PutRapText(out, workgroup);
    if (fromName)
        PutRapText(out, firstName);
    return out;
}

TRapServerList ReadRapServerList(std::span<const uint8_t> parameters, std::span<const uint8_t> data)
{
    if (parameters.size() < kReplyParameterSize)
        throw EProtocolError("remote administration reply shorter than its status");
    TRapServerList list;
    list.Status = GetWord(parameters, 0);
    if (list.Status != kRapSuccess && list.Status != kRapMoreData)
        throw ERapError(list.Status);
    list.EntriesReturned = GetWord(parameters, 4);
    const size_t returned = list.EntriesReturned;
    list.EntriesAvailable = GetWord(parameters, 6);
    if (returned > data.size() / kServerInfo0Size)
        throw EProtocolError("more server records announced than received");
    for (size_t i = 0; i < returned; ++i) {
        const auto record = data.subspan(i * kServerInfo0Size, kServerInfo0Size);
        size_t length = 0;
        while (length < record.size() && record[length] != 0)
            ++length;
        if (length > 0)
            list.Names.emplace_back(record.begin(), record.begin() + static_cast<std::ptrdiff_t>(length));
    }
    return list;
}
