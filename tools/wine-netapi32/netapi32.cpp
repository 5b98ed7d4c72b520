// A netapi32 for running Varnel on Wine, whose own NetMessageBufferSend aborts the process: it answers as a
// Windows without the messenger service does (50), so the program delivers messages itself. Never shipped.
#include <windows.h>

namespace {
constexpr DWORD kNotSupported = 50;          // ERROR_NOT_SUPPORTED: no messenger service
constexpr DWORD kBrowserTableEmpty = 6118;   // ERROR_NO_BROWSER_SERVERS_FOUND, as Wine's own answers
constexpr DWORD kInvalidParameter = 87;
}

extern "C" DWORD WINAPI NetMessageBufferSend(LPCWSTR, LPCWSTR, LPCWSTR, LPBYTE, DWORD)
{
    return kNotSupported;
}

extern "C" DWORD WINAPI NetServerEnum(LPCWSTR, DWORD, LPBYTE* bufptr, DWORD, LPDWORD entriesread,
    LPDWORD totalentries, DWORD, LPCWSTR, LPDWORD)
{
    if (bufptr)
        *bufptr = nullptr;
    if (entriesread)
        *entriesread = 0;
    if (totalentries)
        *totalentries = 0;
    return kBrowserTableEmpty;
}

// Buffers of the network management API come from the process heap, as in Wine's own library.
extern "C" DWORD WINAPI NetApiBufferFree(LPVOID buffer)
{
    if (!buffer)
        return 0;
    return HeapFree(GetProcessHeap(), 0, buffer) ? 0 : kInvalidParameter;
}
