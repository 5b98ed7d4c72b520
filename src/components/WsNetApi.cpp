// Run-time binding of NetMessageBufferSend: the program starts even where netapi32 is missing.
#include "components/WsNetApi.h"

#include <windows.h>

#include <vector>

#include "core/NetNames.h"
#include "core/Text.h"
#include "toolkit/Threads.h"

namespace {

using TNetMessageBufferSend = DWORD(WINAPI*)(LPCWSTR, LPCWSTR, LPCWSTR, LPBYTE, DWORD);

// One binding per program, shared by the user-interface thread and the workers of a bulk send: bound and
// released under the lock; Calls counts the calls under way, which the library must outlive.
struct TNetApiBinding {
    TCriticalSection Lock;
    std::string LibraryName = "netapi32.dll";
    HMODULE Library = nullptr;
    TNetMessageBufferSend Send = nullptr;
    volatile LONG Calls = 0;
};

// Made before any thread starts, so its construction needs no guard.
TNetApiBinding gBinding;

// Binds the operation if it is not bound yet; raises EWsNetException when the library or operation is missing.
TNetMessageBufferSend BoundSend(TNetApiBinding& binding)
{
    const TLock lock(binding.Lock);
    if (!binding.Library) {
        binding.Library = LoadLibraryA(binding.LibraryName.c_str());
        if (!binding.Library) {
            const DWORD error = GetLastError();
            throw EWsNetException(ErrorCodeText(error) + " [" + binding.LibraryName + "]", static_cast<int32_t>(error));
        }
    }
    if (!binding.Send) {
        binding.Send = reinterpret_cast<TNetMessageBufferSend>(
            reinterpret_cast<void*>(GetProcAddress(binding.Library, "NetMessageBufferSend")));
        if (!binding.Send) {
            const DWORD error = GetLastError();
            throw EWsNetException(ErrorCodeText(error), static_cast<int32_t>(error));
        }
    }
    InterlockedIncrement(&binding.Calls);
    return binding.Send;
}

class TCallUnderWay {
public:
    explicit TCallUnderWay(TNetApiBinding& binding) : FBinding(binding) {}
    ~TCallUnderWay() { InterlockedDecrement(&FBinding.Calls); }
    TCallUnderWay(const TCallUnderWay&) = delete;
    TCallUnderWay& operator=(const TCallUnderWay&) = delete;

private:
    TNetApiBinding& FBinding;
};

} // namespace

void TWideBuffer::Release()
{
    delete[] Pointer;
    Pointer = nullptr;
    Length = 0;
}

void MakeWideBuffer(const std::string& text, TWideBuffer& buffer)
{
    buffer.Release();
    const std::string trimmed = Trim(text);
    if (trimmed.empty())
        return;
    const int units = MultiByteToWideChar(CP_ACP, 0, trimmed.data(), static_cast<int>(trimmed.size()), nullptr, 0);
    buffer.Pointer = new wchar_t[static_cast<size_t>(units) + 1];
    MultiByteToWideChar(CP_ACP, 0, trimmed.data(), static_cast<int>(trimmed.size()), buffer.Pointer, units);
    buffer.Pointer[units] = L'\0';
    buffer.Length = WideBufferLength(static_cast<size_t>(units));
}

uint32_t CallNetMessageBufferSend(const std::string& server, const std::string& to, const std::string& from,
    const void* message, uint32_t length)
{
    TWideBuffer serverName, toName, fromName;
    MakeWideBuffer(server, serverName);
    MakeWideBuffer(to, toName);
    MakeWideBuffer(from, fromName);
    TNetApiBinding& binding = gBinding;
    const TNetMessageBufferSend send = BoundSend(binding);
    const TCallUnderWay underWay(binding);
    return send(serverName.Pointer, toName.Pointer, fromName.Pointer, static_cast<LPBYTE>(const_cast<void*>(message)),
        length);
}

void ReleaseNetApi()
{
    TNetApiBinding& binding = gBinding;
    const TLock lock(binding.Lock);
    // A worker given up at program end may still be inside the library: unloading it would pull the code away
    // from under that thread.
    if (binding.Library && InterlockedCompareExchange(&binding.Calls, 0, 0) == 0)
        FreeLibrary(binding.Library);
    binding.Library = nullptr;
    binding.Send = nullptr;
}

void SetNetApiLibraryNameForTesting(const std::string& name)
{
    ReleaseNetApi();
    const TLock lock(gBinding.Lock);
    gBinding.LibraryName = name;
}
