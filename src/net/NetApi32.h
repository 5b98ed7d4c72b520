// The one binding of the network management library (netapi32): bound at program start for the enumeration, used
// by the messenger send too, and released at program end.
#pragma once
#include <windows.h>

#include <cstdint>
#include <string>

#include "toolkit/LibraryBinding.h"

namespace NetApi32 {

// Text arguments are UTF-16 on the NT family and 8-bit text otherwise, hence the untyped pointers.
using TNetServerEnum = DWORD(WINAPI*)(const void* servername, DWORD level, BYTE** bufptr, DWORD prefmaxlen,
                                      DWORD* entriesread, DWORD* totalentries, DWORD servertype,
                                      const void* domain, DWORD* resumeHandle);
using TNetApiBufferFree = DWORD(WINAPI*)(void* buffer);
using TNetWkstaGetInfo = DWORD(WINAPI*)(const void* servername, DWORD level, BYTE** bufptr);

// True on the NT platform; a failing version query raises ENTException with the platform's error code.
bool IsNTFamily();

// The network library (netapi32.dll): the messenger send loads it on first use if the start did not.
TLibraryBinding& NetworkLibrary();

// Binds the library that suits the running system for the enumeration; the program calls it before creating any
// window. The older family keeps its management functions in radmin32.dll, the NT family in the network library.
void InitNetApi32();
// Releases the libraries; the program calls it at its end.
void DoneNetApi32();
// Binds the named library for the enumeration with one platform family's entry-point names, releasing any earlier
// binding; on the NT family that library becomes the network library.
void BindNetApi32(const std::string& libraryName, bool ntFamily);

// Whether the enumeration's library is loaded, and its name.
bool Loaded();
std::string LibraryName();

// Enumeration calls through the binding; each raises the general "Cannot load library" exception when its entry
// is missing.
DWORD NetServerEnum(const void* servername, DWORD level, BYTE** bufptr, DWORD prefmaxlen, DWORD* entriesread,
                    DWORD* totalentries, DWORD servertype, const void* domain, DWORD* resumeHandle);
DWORD NetApiBufferFree(void* buffer);

// The workgroup or domain this computer belongs to (code page 1254), as the workstation information says; empty
// where the library does not tell (the older family, a library without the function, a failing call).
std::string Workgroup();

// Releases a record buffer on a path that is already failing: never raises, does nothing when unbound.
void FreeBufferQuietly(void* buffer) noexcept;

}  // namespace NetApi32
