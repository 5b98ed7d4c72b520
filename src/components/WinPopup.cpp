// Direct messenger delivery over Winsock: resolving the recipient, then the exchange, all within a bound.
#include "components/WinPopup.h"

#include <winsock2.h>
#include <ws2tcpip.h>
#include <windows.h>

#include <cctype>
#include <chrono>
#include <condition_variable>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <mutex>
#include <optional>
#include <system_error>
#include <thread>
#include <vector>

#include "components/WsNetApi.h"
#include "core/NameQuery.h"
#include "core/NetBiosName.h"
#include "core/SessionService.h"
#include "core/Text.h"
#include "core/WinPopupExchange.h"
#include "core/WinPopupMessage.h"

namespace {

// A failure found on our side of the wire; it ends the delivery with its reason.
struct TDeliveryFailure {
    TWinPopupFailure Failure;
    std::string Problem;
};

[[noreturn]] void FailWith(TWinPopupFailure failure, std::string problem)
{
    throw TDeliveryFailure{failure, std::move(problem)};
}

std::string WinsockProblem(const char* what)
{
    return std::string(what) + " failed with " + std::to_string(WSAGetLastError());
}

// GetTickCount wraps after 49 days; unsigned differences stay right across the wrap.
class TDeadline {
public:
    explicit TDeadline(uint32_t totalMs) : FStart(GetTickCount()), FTotal(totalMs) {}
    uint32_t RemainingMs() const
    {
        const DWORD spent = GetTickCount() - FStart;
        return spent >= FTotal ? 0 : FTotal - spent;
    }
    uint32_t Within(uint32_t stepMs) const { return stepMs < RemainingMs() ? stepMs : RemainingMs(); }

private:
    DWORD FStart;
    uint32_t FTotal;
};

class TSocket {
public:
    explicit TSocket(SOCKET s) : FSocket(s) {}
    ~TSocket()
    {
        if (FSocket != INVALID_SOCKET)
            closesocket(FSocket);
    }
    TSocket(const TSocket&) = delete;
    TSocket& operator=(const TSocket&) = delete;
    SOCKET Get() const { return FSocket; }

private:
    SOCKET FSocket;
};

void StartWinsock()
{
    static bool started = false;
    if (started)
        return;
    WSADATA data;
    const int error = WSAStartup(MAKEWORD(2, 2), &data);
    if (error != 0)
        FailWith(TWinPopupFailure::LocalFault, "WSAStartup failed with " + std::to_string(error));
    started = true;
}

// Waits until the socket is readable or the time is up; false on timeout.
bool WaitReadable(SOCKET s, uint32_t timeoutMs)
{
    fd_set set;
    FD_ZERO(&set);
    FD_SET(s, &set);
    timeval tv{static_cast<long>(timeoutMs / 1000), static_cast<long>((timeoutMs % 1000) * 1000)};
    const int ready = select(0, &set, nullptr, nullptr, &tv);
    if (ready == SOCKET_ERROR)
        FailWith(TWinPopupFailure::LocalFault, WinsockProblem("select"));
    return ready > 0;
}

bool ParsePort(const char* text, uint16_t& port)
{
    char* end = nullptr;
    const unsigned long value = std::strtoul(text, &end, 10);
    if (!*text || *end || value == 0 || value > 65535)
        return false;
    port = static_cast<uint16_t>(value);
    return true;
}

// A dotted IPv4 address; inet_addr answers the same for the broadcast address and for garbage, so the former
// is told apart by its text: a mistyped address must never turn into a broadcast.
std::optional<in_addr> DottedAddress(const std::string& text)
{
    in_addr address;
    address.s_addr = inet_addr(text.c_str());
    if (text == "255.255.255.255" || (!text.empty() && address.s_addr != INADDR_NONE))
        return address;
    return std::nullopt;
}

void ApplyTestEnvironment(TWinPopupNetwork& network)
{
    if (const char* target = std::getenv("VARNEL_TEST_NAME_QUERY")) {
        const std::string value = target;
        const size_t colon = value.rfind(':');
        uint16_t port = 0;
        if (colon == std::string::npos || !DottedAddress(value.substr(0, colon)) ||
            !ParsePort(value.c_str() + colon + 1, port)) {
            network.ConfigurationError = "VARNEL_TEST_NAME_QUERY is not <IPv4>:<port>: " + value;
            return;
        }
        network.NameQueryAddress = value.substr(0, colon);
        network.NameQueryPort = port;
    }
    if (const char* port = std::getenv("VARNEL_TEST_SESSION_PORT")) {
        if (!ParsePort(port, network.SessionPort)) {
            network.ConfigurationError = std::string("VARNEL_TEST_SESSION_PORT is not a port: ") + port;
            return;
        }
    }
    if (const char* off = std::getenv("VARNEL_TEST_NO_RESOLVER"))
        network.PlatformResolver = std::string(off) != "1";
}

std::string ComputerName()
{
    char name[MAX_COMPUTERNAME_LENGTH + 1];
    DWORD size = sizeof(name);
    return GetComputerNameA(name, &size) ? std::string(name, size) : std::string();
}

std::string ToOem(std::string_view cp1254)
{
    if (cp1254.empty())
        return {};
    const int length = static_cast<int>(cp1254.size());
    const int units = MultiByteToWideChar(CP_ACP, 0, cp1254.data(), length, nullptr, 0);
    if (units <= 0)
        FailWith(TWinPopupFailure::LocalFault, "cannot read the text in the ANSI code page");
    std::vector<wchar_t> wide(static_cast<size_t>(units));
    MultiByteToWideChar(CP_ACP, 0, cp1254.data(), length, wide.data(), units);
    const int bytes = WideCharToMultiByte(CP_OEMCP, 0, wide.data(), units, nullptr, 0, nullptr, nullptr);
    if (bytes <= 0)
        FailWith(TWinPopupFailure::LocalFault, "cannot write the text in the OEM code page");
    std::string oem(static_cast<size_t>(bytes), '\0');
    WideCharToMultiByte(CP_OEMCP, 0, wide.data(), units, oem.data(), bytes, nullptr, nullptr);
    return oem;
}

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

// The platform resolver may wait on DNS for longer than we allow, so it runs beside us; a late answer is
// dropped by the helper itself.
std::optional<in_addr> ResolveByPlatform(const std::string& name, uint32_t timeoutMs)
{
    struct TLookup {
        std::mutex Lock;
        std::condition_variable Done;
        bool Finished = false;
        std::optional<in_addr> Address;
    };
    auto lookup = std::make_shared<TLookup>();
    try {
        std::thread([lookup, name] {
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
            std::lock_guard<std::mutex> guard(lookup->Lock);
            lookup->Address = address;
            lookup->Finished = true;
            lookup->Done.notify_all();
        }).detach();
    } catch (const std::system_error&) {
        return std::nullopt; // no thread: the name query still has its chance
    }
    std::unique_lock<std::mutex> guard(lookup->Lock);
    lookup->Done.wait_for(guard, std::chrono::milliseconds(timeoutMs), [&] { return lookup->Finished; });
    return lookup->Finished ? lookup->Address : std::nullopt;
}

std::optional<in_addr> ResolveByNameQuery(const std::string& netbiosName, const TWinPopupNetwork& network,
    const TDeadline& deadline)
{
    TSocket udp(socket(AF_INET, SOCK_DGRAM, IPPROTO_UDP));
    if (udp.Get() == INVALID_SOCKET)
        FailWith(TWinPopupFailure::LocalFault, WinsockProblem("socket"));
    const BOOL broadcast = TRUE;
    setsockopt(udp.Get(), SOL_SOCKET, SO_BROADCAST, reinterpret_cast<const char*>(&broadcast), sizeof(broadcast));
    const std::optional<in_addr> address = DottedAddress(network.NameQueryAddress);
    if (!address)
        FailWith(TWinPopupFailure::LocalFault, "not an address for name queries: " + network.NameQueryAddress);
    sockaddr_in target{};
    target.sin_family = AF_INET;
    target.sin_addr = *address;
    target.sin_port = htons(network.NameQueryPort);

    const TEncodedName name = EncodeNetBiosName(netbiosName, kMessengerSuffix);
    const uint16_t id = static_cast<uint16_t>(GetTickCount() ^ GetCurrentProcessId());
    const std::vector<uint8_t> query = NameQueryRequest(id, name);
    const TDeadline queryTime(deadline.Within(network.NameQueryTimeoutMs));
    constexpr int kTries = 3;
    for (int attempt = 0; attempt < kTries && queryTime.RemainingMs() > 0; ++attempt) {
        sendto(udp.Get(), reinterpret_cast<const char*>(query.data()), static_cast<int>(query.size()), 0,
            reinterpret_cast<const sockaddr*>(&target), sizeof(target));
        const TDeadline tryTime(queryTime.RemainingMs() / static_cast<uint32_t>(kTries - attempt));
        while (tryTime.RemainingMs() > 0 && WaitReadable(udp.Get(), tryTime.RemainingMs())) {
            uint8_t datagram[576];
            const int got = recv(udp.Get(), reinterpret_cast<char*>(datagram), sizeof(datagram), 0);
            if (got <= 0)
                continue; // a port-unreachable report or an oversized datagram: keep listening
            const TNameQueryAnswer answer =
                ParseNameQueryResponse(std::span<const uint8_t>(datagram, static_cast<size_t>(got)), id, name);
            if (answer.Kind == TNameQueryAnswer::TKind::Negative)
                return std::nullopt;
            if (answer.Kind == TNameQueryAnswer::TKind::Found) {
                in_addr found;
                std::memcpy(&found, answer.Address.data(), sizeof(found));
                return found;
            }
        }
    }
    return std::nullopt;
}

in_addr Resolve(const std::string& name, const std::string& netbiosName, const TWinPopupNetwork& network,
    const TDeadline& deadline)
{
    if (network.PlatformResolver && CouldBeHostName(name))
        if (const auto address = ResolveByPlatform(name, deadline.Within(network.ResolverTimeoutMs)))
            return *address;
    if (const auto address = ResolveByNameQuery(netbiosName, network, deadline))
        return *address;
    FailWith(TWinPopupFailure::RecipientUnresolved, "no address for " + name);
}

void Connect(const TSocket& tcp, in_addr address, const TWinPopupNetwork& network, const TDeadline& deadline)
{
    u_long nonBlocking = 1;
    if (ioctlsocket(tcp.Get(), FIONBIO, &nonBlocking) != 0)
        FailWith(TWinPopupFailure::LocalFault, WinsockProblem("ioctlsocket"));
    const BOOL noDelay = TRUE; // each request waits for its reply: nothing to gain from coalescing
    setsockopt(tcp.Get(), IPPROTO_TCP, TCP_NODELAY, reinterpret_cast<const char*>(&noDelay), sizeof(noDelay));
    sockaddr_in peer{};
    peer.sin_family = AF_INET;
    peer.sin_addr = address;
    peer.sin_port = htons(network.SessionPort);
    if (connect(tcp.Get(), reinterpret_cast<const sockaddr*>(&peer), sizeof(peer)) == 0)
        return;
    if (WSAGetLastError() != WSAEWOULDBLOCK)
        FailWith(TWinPopupFailure::ConnectFailed, WinsockProblem("connect"));

    // A refused connection shows as an exception on the socket, a made one as writability.
    fd_set writable, failed;
    FD_ZERO(&writable);
    FD_ZERO(&failed);
    FD_SET(tcp.Get(), &writable);
    FD_SET(tcp.Get(), &failed);
    const uint32_t timeoutMs = deadline.Within(network.ConnectTimeoutMs);
    timeval tv{static_cast<long>(timeoutMs / 1000), static_cast<long>((timeoutMs % 1000) * 1000)};
    const int ready = select(0, nullptr, &writable, &failed, &tv);
    if (ready == SOCKET_ERROR)
        FailWith(TWinPopupFailure::LocalFault, WinsockProblem("select"));
    if (ready == 0)
        FailWith(TWinPopupFailure::ConnectFailed, "no answer on the session port in time");
    int error = 0;
    int size = sizeof(error);
    getsockopt(tcp.Get(), SOL_SOCKET, SO_ERROR, reinterpret_cast<char*>(&error), &size);
    if (FD_ISSET(tcp.Get(), &failed) || error != 0)
        FailWith(TWinPopupFailure::ConnectFailed, "connection refused (" + std::to_string(error) + ")");
}

// After connecting, the socket blocks with a time limit per call: one call per step, where waiting for
// readiness first would cost another trip through the Wine server each time. Setting the limit costs such a
// trip too, so a limit of the remaining time less a slack is set once and holds while less than the slack has
// passed; a call started then still ends by the deadline, though it may give up as much as the slack before it.
// Near the deadline the limit is set before each call.
class TCallLimits {
public:
    TCallLimits(const TSocket& tcp, const TDeadline& deadline) : FSocket(tcp), FDeadline(deadline) {}

    void BeforeCall(const char* timeoutProblem)
    {
        const uint32_t remaining = FDeadline.RemainingMs();
        if (remaining == 0) // a limit of 0 would mean none at all
            FailWith(TWinPopupFailure::TimedOut, timeoutProblem);
        if (FHeld && GetTickCount() - FSetAt < kSlackMs)
            return;
        FHeld = remaining > 2 * kSlackMs;
        const DWORD limit = FHeld ? remaining - kSlackMs : remaining;
        setsockopt(FSocket.Get(), SOL_SOCKET, SO_RCVTIMEO, reinterpret_cast<const char*>(&limit), sizeof(limit));
        setsockopt(FSocket.Get(), SOL_SOCKET, SO_SNDTIMEO, reinterpret_cast<const char*>(&limit), sizeof(limit));
        FSetAt = GetTickCount();
    }

private:
    static constexpr DWORD kSlackMs = 200;
    const TSocket& FSocket;
    const TDeadline& FDeadline;
    bool FHeld = false;
    DWORD FSetAt = 0;
};

void SendAll(const TSocket& tcp, const std::vector<uint8_t>& bytes, TCallLimits& limits)
{
    for (size_t sent = 0; sent < bytes.size();) {
        limits.BeforeCall("the receiver took no more bytes in time");
        const int n = send(tcp.Get(), reinterpret_cast<const char*>(bytes.data() + sent),
            static_cast<int>(bytes.size() - sent), 0);
        if (n > 0) {
            sent += static_cast<size_t>(n);
            continue;
        }
        if (WSAGetLastError() == WSAETIMEDOUT)
            FailWith(TWinPopupFailure::TimedOut, "the receiver took no more bytes in time");
        FailWith(TWinPopupFailure::ConnectionLost, WinsockProblem("send"));
    }
}

// Replies are read as whole session packets from whatever has arrived, all there is at once.
class TPacketReader {
public:
    // Fills type and payload with the next session packet.
    void Next(const TSocket& tcp, TCallLimits& limits, uint8_t& type, std::vector<uint8_t>& payload)
    {
        while (!Complete()) {
            limits.BeforeCall("the receiver did not answer in time");
            uint8_t chunk[4096];
            const int n = recv(tcp.Get(), reinterpret_cast<char*>(chunk), sizeof(chunk), 0);
            if (n == 0)
                FailWith(TWinPopupFailure::ConnectionLost, "the receiver closed the connection");
            if (n < 0) {
                if (WSAGetLastError() == WSAETIMEDOUT)
                    FailWith(TWinPopupFailure::TimedOut, "the receiver did not answer in time");
                FailWith(TWinPopupFailure::ConnectionLost, WinsockProblem("recv"));
            }
            FBuffer.insert(FBuffer.end(), chunk, chunk + n);
        }
        const size_t length = PayloadLength();
        type = FBuffer[0];
        payload.assign(FBuffer.begin() + kSessionHeaderSize, FBuffer.begin() + kSessionHeaderSize + length);
        FBuffer.erase(FBuffer.begin(), FBuffer.begin() + kSessionHeaderSize + length);
    }

private:
    size_t PayloadLength() const
    {
        return SessionPayloadLength(std::span<const uint8_t, kSessionHeaderSize>(FBuffer.data(), kSessionHeaderSize));
    }
    bool Complete() const
    {
        return FBuffer.size() >= kSessionHeaderSize && FBuffer.size() - kSessionHeaderSize >= PayloadLength();
    }

    std::vector<uint8_t> FBuffer;
};

void Converse(TWinPopupExchange& exchange, const TSocket& tcp, const TDeadline& deadline)
{
    TCallLimits limits(tcp, deadline);
    TPacketReader reader;
    std::vector<uint8_t> payload;
    while (!exchange.Finished()) {
        const std::vector<uint8_t> request = exchange.TakeRequest();
        if (!request.empty())
            SendAll(tcp, request, limits);
        uint8_t type = 0;
        reader.Next(tcp, limits, type, payload);
        exchange.Accept(type, payload);
    }
}

void Deliver(TWinPopupExchange& exchange, const std::string& to, const std::string& netbiosName,
    const TWinPopupNetwork& network, const TDeadline& deadline)
{
    if (!network.ConfigurationError.empty())
        FailWith(TWinPopupFailure::LocalFault, network.ConfigurationError);
    if (netbiosName.empty())
        FailWith(TWinPopupFailure::RecipientUnresolved, "no recipient");
    StartWinsock();
    const in_addr address = Resolve(Trim(to), netbiosName, network, deadline);
    TSocket tcp(socket(AF_INET, SOCK_STREAM, IPPROTO_TCP));
    if (tcp.Get() == INVALID_SOCKET)
        FailWith(TWinPopupFailure::LocalFault, WinsockProblem("socket"));
    Connect(tcp, address, network, deadline);
    u_long blocking = 0;
    if (ioctlsocket(tcp.Get(), FIONBIO, &blocking) != 0)
        FailWith(TWinPopupFailure::LocalFault, WinsockProblem("ioctlsocket"));
    Converse(exchange, tcp, deadline);
}

std::string& LastProblem()
{
    static std::string problem;
    return problem;
}

} // namespace

const std::string& LastWinPopupProblem() { return LastProblem(); }

TWinPopupNetwork& WinPopupNetwork()
{
    static TWinPopupNetwork network = [] {
        TWinPopupNetwork n;
        ApplyTestEnvironment(n);
        return n;
    }();
    return network;
}

void DeliverWinPopup(const std::string& from, const std::string& to, const std::string& text)
{
    const TWinPopupNetwork& network = WinPopupNetwork();
    const TDeadline deadline(network.TotalTimeoutMs);
    std::optional<TWinPopupFailure> failure;
    std::optional<TWinPopupMessage> message;
    try {
        message = PrepareWinPopupMessage(Trim(from).empty() ? ComputerName() : from, to, text, ToOem);
    } catch (const TDeliveryFailure& f) {
        failure = f.Failure;
        LastProblem() = f.Problem;
    }
    if (message) {
        TWinPopupExchange exchange(std::move(*message));
        try {
            Deliver(exchange, to, exchange.Message().Recipient, network, deadline);
        } catch (const TDeliveryFailure& f) {
            exchange.Fail(f.Failure, f.Problem);
        } catch (const std::exception& e) {
            exchange.Fail(TWinPopupFailure::LocalFault, e.what());
        }
        LastProblem() = exchange.Problem();
        if (exchange.Delivered())
            return;
        failure = exchange.Failure().value_or(TWinPopupFailure::LocalFault);
    }
    const int32_t code = WinPopupErrorCode(*failure);
    throw EWsNetException(SystemErrorText(static_cast<uint32_t>(code)), code);
}
