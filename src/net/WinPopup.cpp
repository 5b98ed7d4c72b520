// Direct messenger delivery over Winsock: resolving the recipient, then the exchange, all within a bound.
#include "net/WinPopup.h"

#include "net/NetBiosTransport.h"

#include <ws2tcpip.h>

#include <cctype>
#include <optional>

#include "net/ThisComputer.h"
#include "net/WsNetApi.h"
#include "core/NetBiosName.h"
#include "core/WinPopupExchange.h"
#include "core/WinPopupMessage.h"
#include "toolkit/BoundedCalls.h"

namespace {

// Names that no host name can be (a Turkish letter, a blank, a backslash) are not worth a DNS wait.
bool CouldBeHostName(const std::string& name)
{
    if (name.empty())
        return false;
    for (unsigned char c : name)
        if (!(c < 0x80 && std::isalnum(c)) && c != '-' && c != '.' && c != '_')
            return false;
    return true;
}

std::optional<in_addr> LookUpHost(const std::string& name)
{
    addrinfo hints{};
    hints.ai_family = AF_INET;
    hints.ai_socktype = SOCK_STREAM;
    addrinfo* found = nullptr;
    std::optional<in_addr> address;
    if (getaddrinfo(name.c_str(), nullptr, &hints, &found) == 0) {
        for (const addrinfo* a = found; a; a = a->ai_next)
            if (a->ai_family == AF_INET && a->ai_addrlen >= sizeof(sockaddr_in)) {
                address = reinterpret_cast<const sockaddr_in*>(a->ai_addr)->sin_addr;
                break;
            }
        freeaddrinfo(found);
    }
    return address;
}

// The platform resolver may wait on DNS far longer than we allow and cannot be cancelled, so it runs beside us.
// A healthy lookup (hosts file, DNS cache) takes milliseconds, so four helpers serve even a bulk send without
// a noticeable queue; only a hung DNS server keeps them, and then a new lookup waits for a free one within this
// step's own share of the time and, finding none, leaves the recipient to the name query.
std::optional<in_addr> ResolveByPlatform(const std::string& name, uint32_t timeoutMs)
{
    constexpr LONG kLookupThreads = 4;
    static TBoundedCalls<std::optional<in_addr>> lookups(kLookupThreads);
    return lookups.Call([name] { return LookUpHost(name); }, timeoutMs).value_or(std::nullopt);
}

in_addr Resolve(const std::string& name, const std::string& netbiosName, const TWinPopupNetwork& network,
    const TDeadline& deadline)
{
    if (network.PlatformResolver && CouldBeHostName(name))
        if (const auto address = ResolveByPlatform(name, deadline.Within(network.ResolverTimeoutMs)))
            return *address;
    const TNameQueryTarget target{network.NameQueryAddress, network.NameQueryPort};
    if (const auto address =
            QueryNetBiosName(EncodeNetBiosName(netbiosName, kMessengerSuffix), target, deadline.Within(network.NameQueryTimeoutMs)))
        return *address;
    FailWith(TWinPopupFailure::RecipientUnresolved, "no address for " + name);
}

void Deliver(TWinPopupExchange& exchange, const std::string& to, const std::string& netbiosName,
    const TWinPopupNetwork& network, const TDeadline& deadline)
{
    if (netbiosName.empty())
        FailWith(TWinPopupFailure::RecipientUnresolved, "no recipient");
    StartWinsock();
    const in_addr address = Resolve(to, netbiosName, network, deadline);
    TSocket tcp(socket(AF_INET, SOCK_STREAM, IPPROTO_TCP));
    if (tcp.Get() == INVALID_SOCKET)
        FailWith(TWinPopupFailure::LocalFault, WinsockProblem("socket"));
    ConnectSession(tcp, address, network.SessionPort, network.ConnectTimeoutMs, deadline);
    Converse(exchange, tcp, deadline);
}

} // namespace

TWinPopupNetwork& WinPopupNetwork()
{
    static TWinPopupNetwork network;
    return network;
}

std::optional<TWinPopupFault> TryDeliverWinPopup(const std::string& from, const std::string& to,
    const std::string& text)
{
    const TWinPopupNetwork& network = WinPopupNetwork();
    const TDeadline deadline(network.TotalTimeoutMs);
    std::optional<TWinPopupMessage> message;
    try {
        message = PrepareWinPopupMessage(from.empty() ? ThisComputerName() : from, to, text, ToOemCodePage);
    } catch (const TTransportFailure& f) {
        return TWinPopupFault{f.Failure, f.Problem};
    }
    TWinPopupExchange exchange(std::move(*message));
    try {
        Deliver(exchange, to, exchange.Message().Recipient, network, deadline);
    } catch (const TTransportFailure& f) {
        exchange.Fail(f.Failure, f.Problem);
    } catch (const std::exception& e) {
        exchange.Fail(TWinPopupFailure::LocalFault, e.what());
    }
    if (exchange.Delivered())
        return std::nullopt;
    return TWinPopupFault{exchange.Failure().value_or(TWinPopupFailure::LocalFault), exchange.Problem()};
}

void RaiseWinPopupFailure(const std::string& to, TWinPopupFailure failure)
{
    TSendFailure words = DirectDeliveryFailure(failure);
    words.Detail = SystemErrorText(static_cast<uint32_t>(words.Code));
    throw EWsNetException(to, std::move(words));
}
