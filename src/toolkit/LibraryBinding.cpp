// Run-time binding of a system library.
#include "toolkit/LibraryBinding.h"

#include <cstdint>

namespace {
// LoadLibraryA's old contract: values up to 32 are error codes, not modules.
bool IsModule(HMODULE handle) { return reinterpret_cast<uintptr_t>(handle) > 32; }
}

DWORD TLibraryBinding::Load()
{
    const TLock lock(FLock);
    if (FModule)
        return 0;
    const HMODULE module = LoadLibraryA(FName.c_str());
    if (!IsModule(module))
        return GetLastError();
    FModule = module;
    return 0;
}

bool TLibraryBinding::Loaded() const
{
    const TLock lock(FLock);
    return FModule != nullptr;
}

std::string TLibraryBinding::Name() const
{
    const TLock lock(FLock);
    return FName;
}

void TLibraryBinding::Release()
{
    const TLock lock(FLock);
    if (FModule && InterlockedCompareExchange(&FCalls, 0, 0) == 0)
        FreeLibrary(FModule);
    FModule = nullptr;
}

void TLibraryBinding::Rebind(const std::string& name)
{
    Release();
    const TLock lock(FLock);
    FName = name;
}

TLibraryBinding::TCall::TCall(TLibraryBinding& binding, const char* entryName) : FBinding(binding)
{
    const TLock lock(binding.FLock);
    if (!binding.FModule)
        return;
    FEntry = GetProcAddress(binding.FModule, entryName);
    if (!FEntry) {
        FError = GetLastError();
        return;
    }
    InterlockedIncrement(&binding.FCalls);
}

TLibraryBinding::TCall::~TCall()
{
    if (FEntry)
        InterlockedDecrement(&FBinding.FCalls);
}
