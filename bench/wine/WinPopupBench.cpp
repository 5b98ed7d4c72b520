// Times direct deliveries to a local receiver, in process: winpopup_bench <count> <recipient> <text file>.
#include <winsock2.h>
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "net/WinPopup.h"

int main(int argc, char** argv)
{
    if (argc != 4) {
        std::fprintf(stderr, "usage: winpopup_bench <count> <recipient> <text file in cp1254>\n");
        return 2;
    }
    const int count = std::atoi(argv[1]);
    std::ifstream in(argv[3], std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    if (count <= 0 || !in) {
        std::fprintf(stderr, "bad count or unreadable text file\n");
        return 2;
    }
    WinPopupNetwork().NameQueryAddress = "127.0.0.1"; // a recipient the hosts file lacks is never broadcast for

    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    std::vector<double> micros;
    for (int i = 0; i < count; ++i) {
        LARGE_INTEGER start, end;
        QueryPerformanceCounter(&start);
        if (const auto fault = TryDeliverWinPopup("VARNEL-BENCH", argv[2], text.str())) {
            std::fprintf(stderr, "delivery %d failed with %d: %s\n", i, WinPopupErrorCode(fault->Failure),
                fault->Problem.c_str());
            return 1;
        }
        QueryPerformanceCounter(&end);
        micros.push_back(1e6 * static_cast<double>(end.QuadPart - start.QuadPart) / static_cast<double>(frequency.QuadPart));
    }
    for (double us : micros)
        std::printf("ours_us %.0f\n", us);
    return 0;
}
