// The one binding of the network management library.
#include "net/NetApi32.h"

#include <lmerr.h>

#include "core/Exceptions.h"
#include "core/NetErrorTexts.h"
#include "toolkit/CodePages.h"
#include "toolkit/SysUtils.h"

namespace NetApi32 {
namespace {

// Made before any thread starts, so their construction needs no guard.
TLibraryBinding gNetworkLibrary("netapi32.dll");
TLibraryBinding gOlderFamilyLibrary("radmin32.dll");

// What the enumeration calls through: the network library unless the older family's is bound.
struct TEnumeration {
    TLibraryBinding* Library = &gNetworkLibrary;
    bool NTFamily = true;
};
TEnumeration gEnumeration;

[[noreturn]] void RaiseNotBound()
{
    throw Exception("Cannot load library \"" + gEnumeration.Library->Name() + "\" or linked libraries");
}

}  // namespace

bool IsNTFamily()
{
    uint32_t error = 0;
    const std::optional<TPlatformVersion> version = PlatformVersion(error);
    if (!version)
        throw MakeNTException(error, SystemMessageInAnyLanguage);
    return version->NTFamily;
}

TLibraryBinding& NetworkLibrary() { return gNetworkLibrary; }

void InitNetApi32()
{
    const bool nt = IsNTFamily();
    BindNetApi32(nt ? "netapi32.dll" : "radmin32.dll", nt);
}

void DoneNetApi32()
{
    gNetworkLibrary.Release();
    gOlderFamilyLibrary.Release();
}

void BindNetApi32(const std::string& libraryName, bool ntFamily)
{
    DoneNetApi32();
    TLibraryBinding& library = ntFamily ? gNetworkLibrary : gOlderFamilyLibrary;
    library.Rebind(libraryName);
    library.Load(); // a failure shows at the first enumeration, which names the library
    gEnumeration = {&library, ntFamily};
}

bool Loaded() { return gEnumeration.Library->Loaded(); }

std::string LibraryName() { return gEnumeration.Library->Name(); }

DWORD NetServerEnum(const void* servername, DWORD level, BYTE** bufptr, DWORD prefmaxlen, DWORD* entriesread,
                    DWORD* totalentries, DWORD servertype, const void* domain, DWORD* resumeHandle)
{
    // The older family's library exports its management functions with an "A" suffix.
    const char* name = gEnumeration.NTFamily ? "NetServerEnum" : "NetServerEnumA";
    const TLibraryBinding::TCall call(*gEnumeration.Library, name);
    const auto entry = call.Entry<TNetServerEnum>();
    if (!entry)
        RaiseNotBound();
    return entry(servername, level, bufptr, prefmaxlen, entriesread, totalentries, servertype, domain, resumeHandle);
}

DWORD NetApiBufferFree(void* buffer)
{
    const TLibraryBinding::TCall call(*gEnumeration.Library, "NetApiBufferFree");
    const auto entry = call.Entry<TNetApiBufferFree>();
    if (!entry)
        RaiseNotBound();
    return entry(buffer);
}

std::string Workgroup()
{
    if (!gEnumeration.NTFamily)
        return {};
    const TLibraryBinding::TCall info(*gEnumeration.Library, "NetWkstaGetInfo");
    const TLibraryBinding::TCall release(*gEnumeration.Library, "NetApiBufferFree");
    const auto getInfo = info.Entry<TNetWkstaGetInfo>();
    const auto freeBuffer = release.Entry<TNetApiBufferFree>();
    if (!getInfo || !freeBuffer)
        return {};
    // The level-100 record: platform id, computer name, workgroup, version numbers.
    struct TWkstaInfo100 {
        DWORD PlatformId;
        const wchar_t* ComputerName;
        const wchar_t* LanGroup;
        DWORD VersionMajor;
        DWORD VersionMinor;
    };
    BYTE* buffer = nullptr;
    if (getInfo(nullptr, 100, &buffer) != NERR_Success || !buffer)
        return {};
    const std::string workgroup = FromWideField(reinterpret_cast<const TWkstaInfo100*>(buffer)->LanGroup);
    freeBuffer(buffer);
    return workgroup;
}

void FreeBufferQuietly(void* buffer) noexcept
{
    if (!buffer)
        return;
    const TLibraryBinding::TCall call(*gEnumeration.Library, "NetApiBufferFree");
    if (const auto entry = call.Entry<TNetApiBufferFree>())
        entry(buffer);
}

}  // namespace NetApi32
