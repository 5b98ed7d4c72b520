// The Winsock side of NetBIOS over TCP/IP, shared by the direct delivery and the browse master lookup: time
// bounds, name queries on the local networks, and one TCP session carrying an exchange of session packets.
#pragma once
#include <winsock2.h>
#include <windows.h>

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/NameQuery.h"
#include "core/NetBiosName.h"
#include "core/WinPopupFailure.h"

// A failure found on our side of the wire; it ends the conversation with its reason.
struct TTransportFailure {
    TWinPopupFailure Failure;
    std::string Problem;
};

[[noreturn]] void FailWith(TWinPopupFailure failure, std::string problem);

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

void StartWinsock();
std::string WinsockProblem(const char* what);

// The texts of this computer in the OEM code page that NetBIOS peers read, and back.
std::string ToOemCodePage(std::string_view cp1254);
std::string FromOemCodePage(std::string_view oem);

// Asks for the name three times within the time given; the first positive answer wins, a negative one ends the
// wait. Raises TTransportFailure for a fault of our own (no socket, a malformed address).
std::optional<in_addr> QueryNetBiosName(const TEncodedName& name, const TNameQueryTarget& target, uint32_t timeoutMs);

// Connects within connectTimeoutMs (and the deadline), then leaves the socket blocking.
void ConnectSession(const TSocket& tcp, in_addr address, uint16_t port, uint32_t connectTimeoutMs,
    const TDeadline& deadline);

// After connecting, the socket blocks with a time limit per call: one call per step, where waiting for
// readiness first would cost another trip through the Wine server each time. Setting the limit costs such a
// trip too, so a limit of the remaining time less a slack is set once and holds while less than the slack has
// passed; a call started then still ends by the deadline, though it may give up as much as the slack before it.
// Near the deadline the limit is set before each call.
class TCallLimits {
public:
    TCallLimits(const TSocket& tcp, const TDeadline& deadline) : FSocket(tcp), FDeadline(deadline) {}
    void BeforeCall(const char* timeoutProblem);

private:
    static constexpr DWORD kSlackMs = 200;
    const TSocket& FSocket;
    const TDeadline& FDeadline;
    bool FHeld = false;
    DWORD FSetAt = 0;
};

void SendAll(const TSocket& tcp, const std::vector<uint8_t>& bytes, TCallLimits& limits);

// Replies are read as whole session packets from whatever has arrived, all there is at once.
class TPacketReader {
public:
    // Fills type and payload with the next session packet.
    void Next(const TSocket& tcp, TCallLimits& limits, uint8_t& type, std::vector<uint8_t>& payload);

private:
    size_t PayloadLength() const;
    bool Complete() const;

    std::vector<uint8_t> FBuffer;
};

// Sends each request the exchange has and hands it each packet that comes back, until it has finished.
template <class TExchange>
void Converse(TExchange& exchange, const TSocket& tcp, const TDeadline& deadline)
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
