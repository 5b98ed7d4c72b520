// Fuzzes the reading of a browse master's replies: remote administration lists, transaction pieces and whole
// exchanges fed with arbitrary session packets.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>
#include <string>

#include "core/BrowseListExchange.h"
#include "core/RapServerEnum.h"
#include "core/SessionService.h"
#include "core/SmbSession.h"

namespace {

void Check(bool condition)
{
    if (!condition)
        abort();
}

void ReadList(std::span<const uint8_t> data)
{
    const size_t split = data.empty() ? 0 : data[0] % (data.size() + 1);
    try {
        const TRapServerList list = ReadRapServerList(data.first(split), data.subspan(split));
        Check(list.Names.size() <= list.EntriesReturned);
        for (const std::string& name : list.Names)
            Check(!name.empty() && name.size() <= kServerInfo0Size);
    } catch (const EProtocolError&) {
    }
    try {
        TTransactionReply reply;
        const TSmbReply smb = ParseSmbReply(data, kSmbTransaction);
        reply.Add(data, smb);
        reply.Add(data, smb);
    } catch (const EProtocolError&) {
    }
}

// The data as a stream of session packets (a type byte, a two-byte length, the payload) answering an exchange.
void RunExchange(std::span<const uint8_t> data)
{
    TBrowseListExchange exchange({"ALICE", "OFIS", 64});
    size_t at = 0;
    size_t requests = 0;
    while (!exchange.Finished() && at + 3 <= data.size()) {
        if (!exchange.TakeRequest().empty())
            ++requests;
        const size_t length = std::min<size_t>(data[at + 1] | (data[at + 2] << 8), data.size() - at - 3);
        exchange.Accept(data[at], data.subspan(at + 3, length));
        at += 3 + length;
    }
    Check(requests <= 5 + 64);
    // A finished exchange either has its list or says why not; a running one has no reason to give.
    Check(exchange.Finished() ? exchange.Succeeded() == exchange.Problem().empty() : exchange.Problem().empty());
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::span<const uint8_t> bytes(data, size);
    ReadList(bytes);
    RunExchange(bytes);
    return 0;
}
