// Run-time binding of the network management library, made once at program start and released at its end.
#pragma once
#include <windows.h>

#include <cstdint>
#include <string>

namespace NetApi32 {

constexpr DWORD kSuccess = 0;
constexpr DWORD kMoreData = 234;  // ERROR_MORE_DATA: records came, and more may follow

// Text arguments are UTF-16 on the NT family and 8-bit text otherwise, hence the untyped pointers.
using TNetServerEnum = DWORD(WINAPI*)(const void* servername, DWORD level, BYTE** bufptr, DWORD prefmaxlen,
                                      DWORD* entriesread, DWORD* totalentries, DWORD servertype,
                                      const void* domain, DWORD* resumeHandle);
using TNetApiBufferFree = DWORD(WINAPI*)(void* buffer);
using TNetWkstaGetInfo = DWORD(WINAPI*)(const void* servername, DWORD level, BYTE** bufptr);

// True when GetVersionExA reports the NT platform; a failing query raises ENTException with the last error.
bool IsNTFamily();

// The system's message text for a code, as FormatMessageA gives it; empty when the system has none.
std::string SystemErrorText(uint32_t code);

// Binds the library that suits the running system; the program calls it before creating any window.
void InitNetApi32();
// Releases the library; the program calls it at its end.
void DoneNetApi32();
// Binds the named library with one platform family's entry-point names, releasing any earlier binding.
void BindNetApi32(const std::string& libraryName, bool ntFamily);

bool Loaded();
const std::string& LibraryName();

// Calls through the binding; each raises the general "Cannot load library" exception when its entry is null.
DWORD NetServerEnum(const void* servername, DWORD level, BYTE** bufptr, DWORD prefmaxlen, DWORD* entriesread,
                    DWORD* totalentries, DWORD servertype, const void* domain, DWORD* resumeHandle);
DWORD NetApiBufferFree(void* buffer);

// The workgroup or domain this computer belongs to (code page 1254), as the workstation information says; empty
// where the library does not tell (the older family, a library without the function, a failing call).
std::string Workgroup();

// Releases a record buffer on a path that is already failing: never raises, does nothing when unbound.
void FreeBufferQuietly(void* buffer) noexcept;

}  // namespace NetApi32
