// The messenger operation called through the network library's binding: the program starts even where netapi32
// is missing.
#include "net/WsNetApi.h"

#include <windows.h>

#include "net/NetApi32.h"
#include "core/NetNames.h"
#include "toolkit/CodePages.h"

namespace {

using TNetMessageBufferSend = DWORD(WINAPI*)(LPCWSTR, LPCWSTR, LPCWSTR, LPBYTE, DWORD);

// An empty text goes to the platform as a null pointer.
const wchar_t* Pointer(const std::wstring& text) { return text.empty() ? nullptr : text.c_str(); }

} // namespace

uint32_t CallNetMessageBufferSend(const std::string& server, const std::string& to, const std::string& from,
    const std::string& text)
{
    const std::wstring serverName = ToWide(server).value_or(std::wstring());
    const std::wstring toName = ToWide(to).value_or(std::wstring());
    const std::wstring fromName = ToWide(from).value_or(std::wstring());
    std::wstring message = ToWide(text).value_or(std::wstring());
    TLibraryBinding& library = NetApi32::NetworkLibrary();
    if (const DWORD error = library.Load())
        throw EWsNetException(to, NetworkLibraryMissing(error, SystemErrorText(error), library.Name()));
    const TLibraryBinding::TCall call(library, "NetMessageBufferSend");
    const auto send = call.Entry<TNetMessageBufferSend>();
    if (!send)
        throw EWsNetException(to, MessengerOperationMissing(call.Error(), SystemErrorText(call.Error())));
    return send(Pointer(serverName), Pointer(toName), Pointer(fromName),
        message.empty() ? nullptr : reinterpret_cast<LPBYTE>(message.data()), WideBufferLength(message.size()));
}

void SetNetApiLibraryNameForTesting(const std::string& name) { NetApi32::NetworkLibrary().Rebind(name); }
