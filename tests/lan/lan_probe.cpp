// A Linux carrier for the portable protocol core, run inside the test network's client namespace: it finds a
// name by broadcast query and carries the browse list and the messenger exchanges over plain sockets, so the
// core is checked against the real Samba master without Wine.
//   lan_probe list BROADCAST WORKGROUP CALLING     prints the master's list, one name a line
//   lan_probe send BROADCAST FROM TO TEXT          delivers a message to TO<03>
#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <optional>
#include <string>
#include <vector>

#include "core/BrowseListExchange.h"
#include "core/NameQuery.h"
#include "core/NetBiosName.h"
#include "core/SessionService.h"
#include "core/WinPopupExchange.h"

namespace {

struct TFd {
    int Fd;
    ~TFd() { if (Fd >= 0) close(Fd); }
};

bool Readable(int fd, int timeoutMs)
{
    pollfd p{fd, POLLIN, 0};
    return poll(&p, 1, timeoutMs) > 0;
}

std::optional<in_addr> Query(const std::string& broadcast, const std::string& name, uint8_t suffix)
{
    TFd udp{socket(AF_INET, SOCK_DGRAM, 0)};
    const int on = 1;
    setsockopt(udp.Fd, SOL_SOCKET, SO_BROADCAST, &on, sizeof on);
    sockaddr_in to{};
    to.sin_family = AF_INET;
    to.sin_port = htons(kNameServicePort);
    inet_pton(AF_INET, broadcast.c_str(), &to.sin_addr);
    const TEncodedName encoded = EncodeNetBiosName(name, suffix);
    const uint16_t id = static_cast<uint16_t>(getpid());
    const std::vector<uint8_t> request = NameQueryRequest(id, encoded);
    for (int attempt = 0; attempt < 3; ++attempt) {
        sendto(udp.Fd, request.data(), request.size(), 0, reinterpret_cast<const sockaddr*>(&to), sizeof to);
        while (Readable(udp.Fd, 500)) {
            uint8_t datagram[576];
            const ssize_t got = recv(udp.Fd, datagram, sizeof datagram, 0);
            if (got <= 0)
                continue;
            const TNameQueryAnswer answer =
                ParseNameQueryResponse(std::span<const uint8_t>(datagram, static_cast<size_t>(got)), id, encoded);
            if (answer.Kind == TNameQueryAnswer::TKind::Found) {
                in_addr address;
                std::memcpy(&address, answer.Address.data(), 4);
                return address;
            }
            if (answer.Kind == TNameQueryAnswer::TKind::Negative)
                return std::nullopt;
        }
    }
    return std::nullopt;
}

// Carries any exchange of session packets to the peer at address:139; false when the connection fails.
template <class TExchange>
bool Carry(TExchange& exchange, in_addr address)
{
    TFd tcp{socket(AF_INET, SOCK_STREAM, 0)};
    sockaddr_in peer{};
    peer.sin_family = AF_INET;
    peer.sin_port = htons(139);
    peer.sin_addr = address;
    if (connect(tcp.Fd, reinterpret_cast<const sockaddr*>(&peer), sizeof peer) != 0)
        return false;
    std::vector<uint8_t> buffer;
    while (!exchange.Finished()) {
        const std::vector<uint8_t> request = exchange.TakeRequest();
        if (!request.empty() && send(tcp.Fd, request.data(), request.size(), 0) != static_cast<ssize_t>(request.size()))
            return false;
        while (buffer.size() < kSessionHeaderSize ||
               buffer.size() - kSessionHeaderSize <
                   SessionPayloadLength(std::span<const uint8_t, kSessionHeaderSize>(buffer.data(), kSessionHeaderSize))) {
            if (!Readable(tcp.Fd, 5000))
                return false;
            uint8_t chunk[4096];
            const ssize_t n = recv(tcp.Fd, chunk, sizeof chunk, 0);
            if (n <= 0)
                return false;
            buffer.insert(buffer.end(), chunk, chunk + n);
        }
        const size_t length =
            SessionPayloadLength(std::span<const uint8_t, kSessionHeaderSize>(buffer.data(), kSessionHeaderSize));
        exchange.Accept(buffer[0], std::span<const uint8_t>(buffer).subspan(kSessionHeaderSize, length));
        buffer.erase(buffer.begin(), buffer.begin() + static_cast<std::ptrdiff_t>(kSessionHeaderSize + length));
    }
    return true;
}

int List(const std::string& broadcast, const std::string& workgroup, const std::string& calling)
{
    std::optional<in_addr> master = Query(broadcast, workgroup, 0x1D);
    if (!master)
        master = Query(broadcast, workgroup, 0x1B);
    if (!master) {
        std::fprintf(stderr, "no browse master answers for %s\n", workgroup.c_str());
        return 2;
    }
    TBrowseListExchange exchange({calling, workgroup});
    if (!Carry(exchange, *master) || !exchange.Succeeded()) {
        std::fprintf(stderr, "the list failed: %s\n", exchange.Problem().c_str());
        return 1;
    }
    for (const std::string& name : exchange.Names())
        std::printf("%s\n", name.c_str());
    return 0;
}

int Send(const std::string& broadcast, const std::string& from, const std::string& to, const std::string& text)
{
    const std::optional<in_addr> receiver = Query(broadcast, to, kMessengerSuffix);
    if (!receiver) {
        std::fprintf(stderr, "nobody answers for %s<03>\n", to.c_str());
        return 2;
    }
    TWinPopupExchange exchange({from, to, text});
    if (!Carry(exchange, *receiver) || !exchange.Delivered()) {
        std::fprintf(stderr, "the message was not delivered: %s\n", exchange.Problem().c_str());
        return 1;
    }
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    const std::vector<std::string> a(argv, argv + argc);
    if (a.size() == 5 && a[1] == "list")
        return List(a[2], a[3], a[4]);
    if (a.size() == 6 && a[1] == "send")
        return Send(a[2], a[3], a[4], a[5]);
    std::fprintf(stderr, "usage: lan_probe list BROADCAST WORKGROUP CALLING | send BROADCAST FROM TO TEXT\n");
    return 64;
}
