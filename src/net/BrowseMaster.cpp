// The browse master lookup: a name query for the workgroup's master, then the list over its IPC$ share.
#include "net/BrowseMaster.h"

#include "net/NetBiosTransport.h"
#include "net/ThisComputer.h"

#include "core/BrowseListExchange.h"
#include "core/NetBiosName.h"

namespace {

constexpr uint8_t kLocalMasterSuffix = 0x1D;
constexpr uint8_t kDomainMasterSuffix = 0x1B;

std::string OemName(const std::string& cp1254)
{
    return ToOemCodePage(MessengerName(cp1254)).substr(0, kNetBiosNameLength);
}

std::optional<in_addr> FindMaster(const std::string& workgroupOem, const TBrowseMasterNetwork& network,
    const TDeadline& deadline)
{
    for (uint8_t suffix : {kLocalMasterSuffix, kDomainMasterSuffix}) {
        const uint32_t timeoutMs = deadline.Within(network.NameQueryTimeoutMs);
        if (timeoutMs == 0)
            break;
        if (auto address = QueryNetBiosName(EncodeNetBiosName(workgroupOem, suffix), network.NameQuery, timeoutMs))
            return address;
    }
    return std::nullopt;
}

std::vector<std::string> AskMaster(const std::string& workgroup, uint32_t serverType,
    const TBrowseMasterNetwork& network)
{
    const TDeadline deadline(network.TotalTimeoutMs);
    StartWinsock();
    TBrowseListQuery query;
    query.Workgroup = OemName(workgroup);
    query.CallingName = OemName(ThisComputerName());
    query.ServerType = serverType;
    const std::optional<in_addr> master = FindMaster(query.Workgroup, network, deadline);
    if (!master)
        FailWith(TWinPopupFailure::RecipientUnresolved, "no browse master answers for " + workgroup);
    TSocket tcp(socket(AF_INET, SOCK_STREAM, IPPROTO_TCP));
    if (tcp.Get() == INVALID_SOCKET)
        FailWith(TWinPopupFailure::LocalFault, WinsockProblem("socket"));
    ConnectSession(tcp, *master, network.SessionPort, deadline.RemainingMs(), deadline);
    TBrowseListExchange exchange(query);
    Converse(exchange, tcp, deadline);
    if (!exchange.Succeeded())
        FailWith(TWinPopupFailure::MalformedReply, exchange.Problem());
    std::vector<std::string> names;
    for (const std::string& name : exchange.Names())
        names.push_back(FromOemCodePage(name));
    return names;
}

} // namespace

TBrowseMasterNetwork& BrowseMasterNetwork()
{
    static TBrowseMasterNetwork network;
    return network;
}

std::optional<std::vector<std::string>> ServersFromBrowseMaster(const std::string& workgroup, uint32_t serverType)
{
    try {
        return AskMaster(workgroup, serverType, BrowseMasterNetwork());
    } catch (const TTransportFailure&) { // no master answered, or the conversation failed: no list from here
    } catch (const std::exception&) {     // a reply that cannot be read
    }
    return std::nullopt;
}
