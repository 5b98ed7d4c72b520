// Times how fast the direct delivery fails or succeeds against the loopback receivers that stand for a Windows 10/11
// desk and a Samba or XP receiver, the figures behind the order of the roads without a messenger service:
// road_order_bench [count].
#include <winsock2.h>
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "../../tests/win/WinPopupPeers.h"
#include "net/WinPopup.h"

namespace {

// A desk with NetBIOS on: it takes the connection and turns the session for NAME<03> down, "called name not present".
class TSessionRefuser {
public:
    TSessionRefuser()
    {
        FListener = peers::BoundLoopbackSocket(SOCK_STREAM, FPort);
        listen(FListener, 4);
        FThread = std::thread([this] {
            while (!FStop) {
                if (!peers::Readable(FListener, 50))
                    continue;
                SOCKET s = accept(FListener, nullptr, nullptr);
                char request[128];
                if (peers::Readable(s, 1000) && recv(s, request, sizeof(request), 0) > 0) {
                    const char refusal[] = {'\x83', 0, 0, 1, '\x82'};
                    send(s, refusal, sizeof(refusal), 0);
                }
                closesocket(s);
            }
        });
    }
    ~TSessionRefuser()
    {
        FStop = true;
        FThread.join();
        closesocket(FListener);
    }
    uint16_t Port() const { return FPort; }

private:
    SOCKET FListener = INVALID_SOCKET;
    uint16_t FPort = 0;
    std::atomic<bool> FStop{false};
    std::thread FThread;
};

double MedianMs(int count, const std::function<void()>& deliver)
{
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    std::vector<double> ms;
    for (int i = 0; i < count; ++i) {
        LARGE_INTEGER start, end;
        QueryPerformanceCounter(&start);
        deliver();
        QueryPerformanceCounter(&end);
        ms.push_back(1000.0 * static_cast<double>(end.QuadPart - start.QuadPart) / static_cast<double>(frequency.QuadPart));
    }
    std::sort(ms.begin(), ms.end());
    return ms[ms.size() / 2];
}

void Report(const char* what, int count, uint16_t sessionPort, bool expectDelivered)
{
    WinPopupNetwork().SessionPort = sessionPort;
    int unexpected = 0;
    const double median = MedianMs(count, [&] {
        if (TryDeliverWinPopup("VARNEL-BENCH", "desk", "merhaba").has_value() == expectDelivered)
            ++unexpected;
    });
    std::printf("%-52s median %8.2f ms  (%d of %d not as expected)\n", what, median, unexpected, count);
}

} // namespace

int main(int argc, char** argv)
{
    const int count = argc > 1 ? std::atoi(argv[1]) : 50;
    if (count <= 0)
        return 2;
    peers::TNameResponder names({}, true); // every name is found at 127.0.0.1, as DNS finds a desk
    TWinPopupNetwork& network = WinPopupNetwork();
    network.PlatformResolver = false;
    network.NameQueryAddress = "127.0.0.1";
    network.NameQueryPort = names.Port();
    TSessionRefuser refuser;
    peers::TReceiver receiver(peers::TReceiver::TMode::Receive);
    Report("desk with NetBIOS: session refused", count, refuser.Port(), false);
    Report("desk without NetBIOS: connection refused", count, peers::UnusedPort(), false);
    Report("Samba/XP receiver: delivered", count, receiver.Port(), true);
    return 0;
}
