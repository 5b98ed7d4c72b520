// Wall time of one bulk send against the recording stand-in, which delays every call: the serial road (one
// delivery after the other, as single sends go) beside the bulk sender's workers.
//   bulksend_bench.exe <recipients> <delay ms>      (the stand-in must be loaded: WINEDLLOVERRIDES=netapi32=n)
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

#include "../../tests/e2e/standin/StandinProtocol.h"
#include "net/NetMessageDelivery.h"
#include "net/WsBulkSend.h"

namespace {

std::string TempPath(const char* name)
{
    char folder[MAX_PATH];
    const DWORD n = GetTempPathA(MAX_PATH, folder);
    return std::string(folder, n < MAX_PATH ? n : 0) + name;
}

} // namespace

int main(int argc, char** argv)
{
    const int count = argc > 1 ? std::atoi(argv[1]) : 50;
    const uint32_t delayMs = argc > 2 ? static_cast<uint32_t>(std::atoi(argv[2])) : 500;
    if (count <= 0) {
        std::fprintf(stderr, "usage: bulksend_bench <recipients> <delay ms>\n");
        return 2;
    }
    const std::string script = TempPath("bulksend-bench.script");
    const std::string log = TempPath("bulksend-bench.log");
    standin::Script lines;
    lines.SendDelayMs = delayMs;
    standin::WriteScript(script, lines);
    DeleteFileA(log.c_str());
    SetEnvironmentVariableA(standin::kScriptVariable, script.c_str());
    SetEnvironmentVariableA(standin::kLogVariable, log.c_str());

    std::vector<std::string> recipients;
    for (int i = 0; i < count; ++i)
        recipients.push_back("PC" + std::to_string(100 + i));
    const std::string text = "Toplant\xFD saat \xFC\xE7te";

    DWORD start = GetTickCount();
    for (const std::string& to : recipients)
        DeliverNetMessage({"", to, "BENCH", text});
    const DWORD serial = GetTickCount() - start;

    int delivered = 0;
    DWORD bulk = 0;
    TWsBulkSender sender(nullptr);
    sender.OnFinished = [&](TObject*, const std::vector<TDeliveryResult>& results) {
        bulk = GetTickCount() - start;
        for (const TDeliveryResult& r : results)
            delivered += r.Delivered ? 1 : 0;
        PostQuitMessage(0);
    };
    start = GetTickCount();
    sender.Start("", "BENCH", text, recipients);
    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0)
        DispatchMessageA(&msg);

    const size_t calls = standin::RecordsOf(standin::ReadLog(log), "NetMessageBufferSend").size();
    std::printf("recipients %d, %u ms per call\nserial_ms %lu\nbulk_ms %lu\ndelivered %d of %d, %zu calls logged\n",
        count, delayMs, static_cast<unsigned long>(serial), static_cast<unsigned long>(bulk), delivered, count, calls);
    DeleteFileA(script.c_str());
    DeleteFileA(standin::StatePathFor(script).c_str());
    DeleteFileA(log.c_str());
    return delivered == count && calls == static_cast<size_t>(2 * count) ? 0 : 1;
}
