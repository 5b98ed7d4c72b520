// Run-time binding of NetMessageBufferSend: the program starts even where netapi32 is missing.
#include "components/WsNetApi.h"

#include <windows.h>

#include <vector>

#include "core/NetNames.h"
#include "core/Text.h"

namespace {

using TNetMessageBufferSend = DWORD(WINAPI*)(LPCWSTR, LPCWSTR, LPCWSTR, LPBYTE, DWORD);

// One binding per program, written only from the user-interface thread.
struct TNetApiBinding {
    std::string LibraryName = "netapi32.dll";
    HMODULE Library = nullptr;
    TNetMessageBufferSend Send = nullptr;
};

TNetApiBinding& Binding()
{
    static TNetApiBinding binding;
    return binding;
}

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
    TNetApiBinding& binding = Binding();
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
    TWideBuffer serverName, toName, fromName;
    MakeWideBuffer(server, serverName);
    MakeWideBuffer(to, toName);
    MakeWideBuffer(from, fromName);
    return binding.Send(serverName.Pointer, toName.Pointer, fromName.Pointer,
        static_cast<LPBYTE>(const_cast<void*>(message)), length);
}

void ReleaseNetApi()
{
    TNetApiBinding& binding = Binding();
    if (binding.Library)
        FreeLibrary(binding.Library);
    binding.Library = nullptr;
    binding.Send = nullptr;
}

void SetNetApiLibraryNameForTesting(const std::string& name)
{
    ReleaseNetApi();
    Binding().LibraryName = name;
}
