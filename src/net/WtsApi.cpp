// Run-time binding of wtsapi32: where it or one of its calls is missing, the program still starts and sends.
#include "net/WtsApi.h"

#include "toolkit/Threads.h"

namespace {

// Bulk sends bind from several threads at once, so the binding is made under a lock.
struct TWtsBinding {
    TCriticalSection Lock;
    std::string LibraryName = "wtsapi32.dll";
    HMODULE Library = nullptr;
    TWtsApi Api{};
    bool Bound = false;
};

TWtsBinding gBinding;

template <typename T>
bool Bind(HMODULE library, const char* name, T& entry)
{
    entry = reinterpret_cast<T>(reinterpret_cast<void*>(GetProcAddress(library, name)));
    return entry != nullptr;
}

} // namespace

const TWtsApi* WtsApi()
{
    TLock lock(gBinding.Lock);
    if (gBinding.Bound)
        return &gBinding.Api;
    if (!gBinding.Library)
        gBinding.Library = LoadLibraryA(gBinding.LibraryName.c_str());
    if (!gBinding.Library)
        return nullptr;
    TWtsApi& api = gBinding.Api;
    gBinding.Bound = Bind(gBinding.Library, "WTSOpenServerA", api.OpenServer) &&
                     Bind(gBinding.Library, "WTSEnumerateSessionsA", api.EnumerateSessions) &&
                     Bind(gBinding.Library, "WTSSendMessageA", api.SendSessionMessage) &&
                     Bind(gBinding.Library, "WTSFreeMemory", api.FreeMemory) &&
                     Bind(gBinding.Library, "WTSCloseServer", api.CloseServer);
    return gBinding.Bound ? &gBinding.Api : nullptr;
}

void SetWtsApiLibraryNameForTesting(const std::string& name)
{
    TLock lock(gBinding.Lock);
    // The library stays loaded: a call abandoned by an earlier test may still be running inside it.
    gBinding.Library = nullptr;
    gBinding.Bound = false;
    gBinding.Api = {};
    gBinding.LibraryName = name;
}
