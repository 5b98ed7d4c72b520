// NetBIOS over TCP/IP on Winsock: name queries by broadcast and a bounded session carrying session packets.
#include "net/NetBiosTransport.h"

#include <iphlpapi.h>
#include <ws2tcpip.h>

#include <cstring>
#include <memory>

#include "core/NameQuery.h"
#include "core/SessionService.h"
#include "toolkit/CodePages.h"
#include "toolkit/LibraryBinding.h"
#include "toolkit/Threads.h"

void FailWith(TWinPopupFailure failure, std::string problem)
{
    throw TTransportFailure{failure, std::move(problem)};
}

std::string WinsockProblem(const char* what)
{
    return std::string(what) + " failed with " + std::to_string(WSAGetLastError());
}

// Deliveries of a bulk send start Winsock from several threads at once.
TCriticalSection gWinsockLock;

void StartWinsock()
{
    static bool started = false;
    const TLock lock(gWinsockLock);
    if (started)
        return;
    WSADATA data;
    const int error = WSAStartup(MAKEWORD(2, 2), &data);
    if (error != 0)
        FailWith(TWinPopupFailure::LocalFault, "WSAStartup failed with " + std::to_string(error));
    started = true;
}

namespace {

std::string Convert(std::string_view text, UINT from, UINT to)
{
    const std::optional<std::wstring> wide = ToWide(text, from);
    if (!wide)
        FailWith(TWinPopupFailure::LocalFault, "cannot read a text in its code page");
    std::optional<std::string> out = FromWide(*wide, to);
    if (!out)
        FailWith(TWinPopupFailure::LocalFault, "cannot write a text in another code page");
    return std::move(*out);
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

// The broadcast address of every IPv4 network this computer is on, loopback left out. A network without a
// default route takes no limited broadcast, so each network gets its own.
std::vector<in_addr> LocalBroadcastAddresses()
{
    // Loaded at the first name query rather than at every start. Never destroyed: delivery workers call it.
    static TLibraryBinding& library = *new TLibraryBinding("iphlpapi.dll");
    std::vector<in_addr> addresses;
    if (library.Load() != 0)
        return addresses;
    const TLibraryBinding::TCall call(library, "GetIpAddrTable");
    const auto getIpAddrTable = call.Entry<decltype(&GetIpAddrTable)>();
    ULONG size = 0;
    if (!getIpAddrTable || getIpAddrTable(nullptr, &size, FALSE) != ERROR_INSUFFICIENT_BUFFER || size == 0)
        return addresses;
    std::vector<unsigned char> buffer(size);
    auto* table = reinterpret_cast<MIB_IPADDRTABLE*>(buffer.data());
    if (getIpAddrTable(table, &size, FALSE) != NO_ERROR)
        return addresses;
    for (DWORD i = 0; i < table->dwNumEntries; ++i) {
        const MIB_IPADDRROW& row = table->table[i];
        const uint32_t address = ntohl(row.dwAddr);
        const uint32_t mask = ntohl(row.dwMask);
        if (address == 0 || (address >> 24) == 127 || mask == 0xFFFFFFFF)
            continue;
        in_addr broadcast;
        broadcast.s_addr = htonl(address | ~mask);
        bool known = false;
        for (const in_addr& a : addresses)
            known = known || a.s_addr == broadcast.s_addr;
        if (!known)
            addresses.push_back(broadcast);
    }
    return addresses;
}

std::vector<in_addr> QueryAddresses(const TNameQueryTarget& target)
{
    if (!target.Address.empty()) {
        const std::optional<in_addr> address = DottedAddress(target.Address);
        if (!address)
            FailWith(TWinPopupFailure::LocalFault, "not an address for name queries: " + target.Address);
        return {*address};
    }
    std::vector<in_addr> addresses = LocalBroadcastAddresses();
    if (addresses.empty())
        addresses.push_back(*DottedAddress("255.255.255.255"));
    return addresses;
}

} // namespace

std::string ToOemCodePage(std::string_view cp1254) { return Convert(cp1254, CP_ACP, CP_OEMCP); }

std::string FromOemCodePage(std::string_view oem) { return Convert(oem, CP_OEMCP, CP_ACP); }

std::optional<in_addr> QueryNetBiosName(const TEncodedName& name, const TNameQueryTarget& target, uint32_t timeoutMs)
{
    const std::vector<in_addr> addresses = QueryAddresses(target);
    TSocket udp(socket(AF_INET, SOCK_DGRAM, IPPROTO_UDP));
    if (udp.Get() == INVALID_SOCKET)
        FailWith(TWinPopupFailure::LocalFault, WinsockProblem("socket"));
    const BOOL broadcast = TRUE;
    setsockopt(udp.Get(), SOL_SOCKET, SO_BROADCAST, reinterpret_cast<const char*>(&broadcast), sizeof(broadcast));

    const uint16_t id = static_cast<uint16_t>(GetTickCount() ^ GetCurrentProcessId());
    const std::vector<uint8_t> query = NameQueryRequest(id, name);
    const TDeadline queryTime(timeoutMs);
    constexpr int kTries = 3;
    for (int attempt = 0; attempt < kTries && queryTime.RemainingMs() > 0; ++attempt) {
        for (const in_addr& address : addresses) {
            sockaddr_in to{};
            to.sin_family = AF_INET;
            to.sin_addr = address;
            to.sin_port = htons(target.Port);
            sendto(udp.Get(), reinterpret_cast<const char*>(query.data()), static_cast<int>(query.size()), 0,
                reinterpret_cast<const sockaddr*>(&to), sizeof(to));
        }
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

void ConnectSession(const TSocket& tcp, in_addr address, uint16_t port, uint32_t connectTimeoutMs,
    const TDeadline& deadline)
{
    u_long nonBlocking = 1;
    if (ioctlsocket(tcp.Get(), FIONBIO, &nonBlocking) != 0)
        FailWith(TWinPopupFailure::LocalFault, WinsockProblem("ioctlsocket"));
    const BOOL noDelay = TRUE; // each request waits for its reply: nothing to gain from coalescing
    setsockopt(tcp.Get(), IPPROTO_TCP, TCP_NODELAY, reinterpret_cast<const char*>(&noDelay), sizeof(noDelay));
    sockaddr_in peer{};
    peer.sin_family = AF_INET;
    peer.sin_addr = address;
    peer.sin_port = htons(port);
    if (connect(tcp.Get(), reinterpret_cast<const sockaddr*>(&peer), sizeof(peer)) != 0) {
        if (WSAGetLastError() != WSAEWOULDBLOCK)
            FailWith(TWinPopupFailure::ConnectFailed, WinsockProblem("connect"));
        // A refused connection shows as an exception on the socket, a made one as writability.
        fd_set writable, failed;
        FD_ZERO(&writable);
        FD_ZERO(&failed);
        FD_SET(tcp.Get(), &writable);
        FD_SET(tcp.Get(), &failed);
        const uint32_t timeoutMs = deadline.Within(connectTimeoutMs);
        timeval tv{static_cast<long>(timeoutMs / 1000), static_cast<long>((timeoutMs % 1000) * 1000)};
        const int ready = select(0, nullptr, &writable, &failed, &tv);
        if (ready == SOCKET_ERROR)
            FailWith(TWinPopupFailure::LocalFault, WinsockProblem("select"));
        if (ready == 0)
            FailWith(TWinPopupFailure::ConnectTimedOut, "no answer on the session port in time");
        int error = 0;
        int size = sizeof(error);
        getsockopt(tcp.Get(), SOL_SOCKET, SO_ERROR, reinterpret_cast<char*>(&error), &size);
        if (FD_ISSET(tcp.Get(), &failed) || error != 0)
            FailWith(TWinPopupFailure::ConnectFailed, "connection refused (" + std::to_string(error) + ")");
    }
    u_long blocking = 0;
    if (ioctlsocket(tcp.Get(), FIONBIO, &blocking) != 0)
        FailWith(TWinPopupFailure::LocalFault, WinsockProblem("ioctlsocket"));
}

void TCallLimits::BeforeCall(const char* timeoutProblem)
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

void SendAll(const TSocket& tcp, const std::vector<uint8_t>& bytes, TCallLimits& limits)
{
    for (size_t sent = 0; sent < bytes.size();) {
        limits.BeforeCall("the peer took no more bytes in time");
        const int n = send(tcp.Get(), reinterpret_cast<const char*>(bytes.data() + sent),
            static_cast<int>(bytes.size() - sent), 0);
        if (n > 0) {
            sent += static_cast<size_t>(n);
            continue;
        }
        if (WSAGetLastError() == WSAETIMEDOUT)
            FailWith(TWinPopupFailure::TimedOut, "the peer took no more bytes in time");
        FailWith(TWinPopupFailure::ConnectionLost, WinsockProblem("send"));
    }
}

void TPacketReader::Next(const TSocket& tcp, TCallLimits& limits, uint8_t& type, std::vector<uint8_t>& payload)
{
    while (!Complete()) {
        limits.BeforeCall("the peer did not answer in time");
        uint8_t chunk[4096];
        const int n = recv(tcp.Get(), reinterpret_cast<char*>(chunk), sizeof(chunk), 0);
        if (n == 0)
            FailWith(TWinPopupFailure::ConnectionLost, "the peer closed the connection");
        if (n < 0) {
            if (WSAGetLastError() == WSAETIMEDOUT)
                FailWith(TWinPopupFailure::TimedOut, "the peer did not answer in time");
            FailWith(TWinPopupFailure::ConnectionLost, WinsockProblem("recv"));
        }
        FBuffer.insert(FBuffer.end(), chunk, chunk + n);
    }
    const size_t length = PayloadLength();
    type = FBuffer[0];
    payload.assign(FBuffer.begin() + kSessionHeaderSize, FBuffer.begin() + kSessionHeaderSize + length);
    FBuffer.erase(FBuffer.begin(), FBuffer.begin() + kSessionHeaderSize + length);
}

size_t TPacketReader::PayloadLength() const
{
    return SessionPayloadLength(std::span<const uint8_t, kSessionHeaderSize>(FBuffer.data(), kSessionHeaderSize));
}

bool TPacketReader::Complete() const
{
    return FBuffer.size() >= kSessionHeaderSize && FBuffer.size() - kSessionHeaderSize >= PayloadLength();
}
