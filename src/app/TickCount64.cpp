// Answers the thread library's calls to GetTickCount64, which kernel32 has only from Vista on: the -posix runtime
// calls it for every timed wait, and an import of it stops XP's loader.
#include <windows.h>

#include <atomic>

#include "core/TickCount.h"

namespace {

using TTickCount64 = ULONGLONG(WINAPI*)();

ULONGLONG WINAPI WidenedTickCount()
{
    // High half: wraps seen; low half: the last reading. Reading after loading keeps every answer monotonic.
    static std::atomic<uint64_t> last{0};
    uint64_t seen = last.load();
    uint64_t next;
    do
        next = WidenTickCount(seen, GetTickCount());
    while (!last.compare_exchange_weak(seen, next));
    return next;
}

ULONGLONG WINAPI TickCount64()
{
    static std::atomic<TTickCount64> chosen{nullptr};
    TTickCount64 call = chosen.load(std::memory_order_acquire);
    if (!call) {
        call = reinterpret_cast<TTickCount64>(
            reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("kernel32.dll"), "GetTickCount64")));
        if (!call)
            call = &WidenedTickCount;
        chosen.store(call, std::memory_order_release);
    }
    return call();
}

} // namespace

// The slot that the build's copy of the thread library calls through instead of kernel32's import
// (cmake/Win32Targets.cmake renames the import there); only those calls come here, any other call of
// GetTickCount64 would still be an import, which the build refuses.
extern "C" {
extern TTickCount64 VarnelTickCount64Slot __asm__("_VarnelTickCount64Slot");
TTickCount64 VarnelTickCount64Slot = &TickCount64;
}
