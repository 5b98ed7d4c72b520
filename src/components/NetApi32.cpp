// Run-time binding of the network management library.
#include "components/NetApi32.h"

#include "core/Exceptions.h"
#include "core/NetErrorTexts.h"
#include "toolkit/SysUtils.h"

namespace NetApi32 {
namespace {

struct TBinding {
    HMODULE Handle = nullptr;
    std::string Name = "netapi32.dll";  // so that a call before any binding still names a library
    TNetServerEnum ServerEnum = nullptr;
    TNetApiBufferFree BufferFree = nullptr;
    TNetWkstaGetInfo WkstaGetInfo = nullptr; // NT family only
};

TBinding& Binding()
{
    static TBinding binding;
    return binding;
}

[[noreturn]] void RaiseNotBound()
{
    throw Exception("Cannot load library \"" + Binding().Name + "\" or linked libraries");
}

// LoadLibraryA's old contract: values up to 32 are error codes, not modules.
bool IsModule(HMODULE handle) { return reinterpret_cast<uintptr_t>(handle) > 32; }

}  // namespace

bool IsNTFamily()
{
    OSVERSIONINFOA info{};
    static_assert(sizeof info == 148, "the version record the platform expects");
    info.dwOSVersionInfoSize = sizeof info;
    if (!GetVersionExA(&info)) {
        const DWORD error = GetLastError();
        throw MakeNTException(error, SystemErrorText);
    }
    return info.dwPlatformId == VER_PLATFORM_WIN32_NT;
}

std::string SystemErrorText(uint32_t code) { return SystemMessage(code, 0, 1024); }

void InitNetApi32()
{
    const bool nt = IsNTFamily();
    BindNetApi32(nt ? "netapi32.dll" : "radmin32.dll", nt);
}

void DoneNetApi32()
{
    TBinding& binding = Binding();
    if (binding.Handle)
        FreeLibrary(binding.Handle);
    binding.Handle = nullptr;
    binding.ServerEnum = nullptr;
    binding.BufferFree = nullptr;
    binding.WkstaGetInfo = nullptr;
}

void BindNetApi32(const std::string& libraryName, bool ntFamily)
{
    DoneNetApi32();
    TBinding& binding = Binding();
    binding.Name = libraryName;
    const HMODULE handle = LoadLibraryA(libraryName.c_str());
    if (!IsModule(handle))
        return;
    binding.Handle = handle;
    // The older family's library exports its management functions with an "A" suffix.
    binding.ServerEnum = reinterpret_cast<TNetServerEnum>(
        reinterpret_cast<void*>(GetProcAddress(handle, ntFamily ? "NetServerEnum" : "NetServerEnumA")));
    binding.BufferFree = reinterpret_cast<TNetApiBufferFree>(
        reinterpret_cast<void*>(GetProcAddress(handle, "NetApiBufferFree")));
    if (ntFamily)
        binding.WkstaGetInfo = reinterpret_cast<TNetWkstaGetInfo>(
            reinterpret_cast<void*>(GetProcAddress(handle, "NetWkstaGetInfo")));
}

bool Loaded() { return Binding().Handle != nullptr; }

const std::string& LibraryName() { return Binding().Name; }

DWORD NetServerEnum(const void* servername, DWORD level, BYTE** bufptr, DWORD prefmaxlen, DWORD* entriesread,
                    DWORD* totalentries, DWORD servertype, const void* domain, DWORD* resumeHandle)
{
    const TNetServerEnum call = Binding().ServerEnum;
    if (!call)
        RaiseNotBound();
    return call(servername, level, bufptr, prefmaxlen, entriesread, totalentries, servertype, domain, resumeHandle);
}

DWORD NetApiBufferFree(void* buffer)
{
    const TNetApiBufferFree call = Binding().BufferFree;
    if (!call)
        RaiseNotBound();
    return call(buffer);
}

std::string Workgroup()
{
    const TBinding& binding = Binding();
    if (!binding.WkstaGetInfo || !binding.BufferFree)
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
    if (binding.WkstaGetInfo(nullptr, 100, &buffer) != kSuccess || !buffer)
        return {};
    std::string workgroup;
    if (const wchar_t* group = reinterpret_cast<const TWkstaInfo100*>(buffer)->LanGroup) {
        const int size = WideCharToMultiByte(CP_ACP, 0, group, -1, nullptr, 0, nullptr, nullptr);
        if (size > 1) {
            workgroup.assign(static_cast<size_t>(size), '\0');
            WideCharToMultiByte(CP_ACP, 0, group, -1, workgroup.data(), size, nullptr, nullptr);
            workgroup.resize(static_cast<size_t>(size) - 1);
        }
    }
    binding.BufferFree(buffer);
    return workgroup;
}

void FreeBufferQuietly(void* buffer) noexcept
{
    if (buffer && Binding().BufferFree)
        Binding().BufferFree(buffer);
}

}  // namespace NetApi32
