// Loopback peers for direct-delivery tests: a NetBIOS name responder and scripted messenger receivers.
#pragma once
#include <winsock2.h>
#include <windows.h>

#include <atomic>
#include <cstdint>
#include <mutex>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

namespace peers {

using TBytes = std::vector<uint8_t>;

inline void StartWinsock()
{
    static const bool started = [] {
        WSADATA data;
        return WSAStartup(MAKEWORD(2, 2), &data) == 0;
    }();
    if (!started)
        throw std::runtime_error("WSAStartup failed");
}

// A socket bound to 127.0.0.1 on a port the system picks.
inline SOCKET BoundLoopbackSocket(int type, uint16_t& port)
{
    StartWinsock();
    SOCKET s = socket(AF_INET, type, type == SOCK_STREAM ? IPPROTO_TCP : IPPROTO_UDP);
    if (s == INVALID_SOCKET)
        throw std::runtime_error("socket failed");
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    int size = sizeof(address);
    if (bind(s, reinterpret_cast<sockaddr*>(&address), size) != 0 ||
        getsockname(s, reinterpret_cast<sockaddr*>(&address), &size) != 0) {
        closesocket(s);
        throw std::runtime_error("bind failed");
    }
    port = ntohs(address.sin_port);
    return s;
}

// A loopback port on which nothing listens: bound, then closed again.
inline uint16_t UnusedPort()
{
    uint16_t port = 0;
    closesocket(BoundLoopbackSocket(SOCK_STREAM, port));
    return port;
}

inline bool Readable(SOCKET s, int ms)
{
    fd_set set;
    FD_ZERO(&set);
    FD_SET(s, &set);
    timeval tv{ms / 1000, (ms % 1000) * 1000};
    return select(0, &set, nullptr, nullptr, &tv) > 0;
}

// The 34-byte first-level encoding, written independently of the program's own.
inline TBytes EncodedName(const std::string& oemName, uint8_t suffix)
{
    std::string raw = oemName;
    raw.resize(15, ' ');
    raw.push_back(static_cast<char>(suffix));
    TBytes out{0x20};
    for (unsigned char c : raw) {
        out.push_back(static_cast<uint8_t>('A' + (c >> 4)));
        out.push_back(static_cast<uint8_t>('A' + (c & 15)));
    }
    out.push_back(0);
    return out;
}

// Answers name queries for NAME<03> of the given OEM names (or of every name) with 127.0.0.1; stays silent for
// any other name.
class TNameResponder {
public:
    explicit TNameResponder(std::vector<std::string> oemNames, bool everyName = false) : FEveryName(everyName)
    {
        for (const std::string& n : oemNames)
            FNames.push_back(EncodedName(n, 0x03));
        FSocket = BoundLoopbackSocket(SOCK_DGRAM, FPort);
        FThread = std::thread([this] { Serve(); });
    }
    ~TNameResponder()
    {
        FStop = true;
        FThread.join();
        closesocket(FSocket);
    }
    uint16_t Port() const { return FPort; }
    int Queries() const { return FQueries; }

private:
    void Serve()
    {
        while (!FStop) {
            if (!Readable(FSocket, 50))
                continue;
            uint8_t query[576];
            sockaddr_in from{};
            int fromSize = sizeof(from);
            const int n = recvfrom(FSocket, reinterpret_cast<char*>(query), sizeof(query), 0,
                reinterpret_cast<sockaddr*>(&from), &fromSize);
            if (n < 50)
                continue;
            ++FQueries;
            const TBytes name(query + 12, query + 46);
            bool known = FEveryName && name[31] == 'A' && name[32] == 'D'; // any name with the messenger suffix
            for (const TBytes& k : FNames)
                known = known || k == name;
            if (!known)
                continue;
            TBytes reply{query[0], query[1], 0x85, 0x00, 0, 0, 0, 1, 0, 0, 0, 0};
            reply.insert(reply.end(), name.begin(), name.end());
            const uint8_t tail[] = {0x00, 0x20, 0x00, 0x01, 0x00, 0x00, 0x01, 0x2C, 0x00, 0x06, 0x00, 0x00, 127, 0, 0, 1};
            reply.insert(reply.end(), std::begin(tail), std::end(tail));
            sendto(FSocket, reinterpret_cast<const char*>(reply.data()), static_cast<int>(reply.size()), 0,
                reinterpret_cast<sockaddr*>(&from), fromSize);
        }
    }

    std::vector<TBytes> FNames;
    bool FEveryName = false;
    SOCKET FSocket = INVALID_SOCKET;
    uint16_t FPort = 0;
    std::atomic<bool> FStop{false};
    std::atomic<int> FQueries{0};
    std::thread FThread;
};

// A messenger receiver on a loopback port. Receive answers every packet as a receiver that takes the message;
// Silent takes the connection and answers nothing; HangUpAfterSession accepts the session, then closes.
class TReceiver {
public:
    enum class TMode { Receive, Silent, HangUpAfterSession };

    explicit TReceiver(TMode mode) : FMode(mode)
    {
        FListener = BoundLoopbackSocket(SOCK_STREAM, FPort);
        listen(FListener, 4);
        FThread = std::thread([this] { Serve(); });
    }
    ~TReceiver()
    {
        FStop = true;
        FThread.join();
        closesocket(FListener);
    }
    uint16_t Port() const { return FPort; }
    int Connections() const { return FConnections; }
    // Every session packet received so far, header included.
    std::vector<TBytes> Packets() const
    {
        std::lock_guard<std::mutex> guard(FLock);
        return FPackets;
    }

private:
    bool ReceiveAll(SOCKET s, uint8_t* into, size_t size)
    {
        for (size_t got = 0; got < size;) {
            if (FStop)
                return false;
            if (!Readable(s, 50))
                continue;
            const int n = recv(s, reinterpret_cast<char*>(into + got), static_cast<int>(size - got), 0);
            if (n <= 0)
                return false;
            got += static_cast<size_t>(n);
        }
        return true;
    }

    void Answer(SOCKET s, const TBytes& packet)
    {
        TBytes reply;
        if (packet[0] == 0x81) {
            reply = {0x82, 0, 0, 0};
        } else if (packet[0] == 0x00 && packet.size() >= 4 + 33) {
            const TBytes smb{0xFF, 'S', 'M', 'B', packet[8], 0, 0, 0, 0, 0x80};
            reply = {0x00, 0x00, 0x00, 35};
            reply.insert(reply.end(), smb.begin(), smb.end());
            reply.resize(4 + 35, 0); // the rest of the header, WordCount 0, ByteCount 0
        } else {
            return;
        }
        send(s, reinterpret_cast<const char*>(reply.data()), static_cast<int>(reply.size()), 0);
    }

    void Converse(SOCKET s)
    {
        while (!FStop) {
            TBytes packet(4);
            if (!ReceiveAll(s, packet.data(), 4))
                return;
            const size_t length = ((packet[1] & 1u) << 16) | (packet[2] << 8) | packet[3];
            packet.resize(4 + length);
            if (!ReceiveAll(s, packet.data() + 4, length))
                return;
            {
                std::lock_guard<std::mutex> guard(FLock);
                FPackets.push_back(packet);
            }
            if (FMode == TMode::Silent)
                continue;
            Answer(s, packet);
            if (FMode == TMode::HangUpAfterSession)
                return;
        }
    }

    void Serve()
    {
        while (!FStop) {
            if (!Readable(FListener, 50))
                continue;
            SOCKET s = accept(FListener, nullptr, nullptr);
            if (s == INVALID_SOCKET)
                continue;
            ++FConnections;
            Converse(s);
            closesocket(s);
        }
    }

    TMode FMode;
    SOCKET FListener = INVALID_SOCKET;
    uint16_t FPort = 0;
    std::atomic<bool> FStop{false};
    std::atomic<int> FConnections{0};
    mutable std::mutex FLock;
    std::vector<TBytes> FPackets;
    std::thread FThread;
};

} // namespace peers
