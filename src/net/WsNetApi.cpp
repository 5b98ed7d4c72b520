// The messenger operation called through the network library's binding: the program starts even where netapi32
// is missing.
#include "net/WsNetApi.h"

#include <windows.h>

#include <vector>

#include "net/NetApi32.h"
#include "core/NetNames.h"
#include "core/Text.h"

namespace {
using TNetMessageBufferSend = DWORD(WINAPI*)(LPCWSTR, LPCWSTR, LPCWSTR, LPBYTE, DWORD);
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
    TLibraryBinding& library = NetApi32::NetworkLibrary();
    if (const DWORD error = library.Load())
        throw EWsNetException(ErrorCodeText(error) + " [" + library.Name() + "]", static_cast<int32_t>(error));
    const TLibraryBinding::TCall call(library, "NetMessageBufferSend");
    const auto send = call.Entry<TNetMessageBufferSend>();
    if (!send)
        throw EWsNetException(ErrorCodeText(call.Error()), static_cast<int32_t>(call.Error()));
    return send(serverName.Pointer, toName.Pointer, fromName.Pointer, static_cast<LPBYTE>(const_cast<void*>(message)),
        length);
}

void SetNetApiLibraryNameForTesting(const std::string& name) { NetApi32::NetworkLibrary().Rebind(name); }
