// The network administration component's server enumeration.
#include "net/NTservice.h"

#include <windows.h>
#include <lm.h>

#include <algorithm>
#include <cstring>

#include "net/BrowseMaster.h"
#include "net/NetApi32.h"
#include "core/ProgramTexts.h"
#include "core/Text.h"
#include "toolkit/CodePages.h"
#include "toolkit/SysUtils.h"

namespace {

constexpr DWORD kServerInfoLevel = 100;

// The platform's level-100 record: the server's platform id and its name.
struct TServerInfo100 {
    DWORD PlatformId;
    const void* Name;
};

std::string NarrowName(const void* name, bool ntFamily)
{
    if (!name)
        return {};
    if (!ntFamily)
        return static_cast<const char*>(name);
    return FromWideField(static_cast<const wchar_t*>(name));
}

// Owns a record buffer until it is released the ordinary way; frees it quietly when an error passes by.
class TRecordBuffer {
public:
    BYTE* Data = nullptr;
    TRecordBuffer() = default;
    TRecordBuffer(const TRecordBuffer&) = delete;
    TRecordBuffer& operator=(const TRecordBuffer&) = delete;
    ~TRecordBuffer() { NetApi32::FreeBufferQuietly(Data); }

    void Free()
    {
        BYTE* data = Data;
        Data = nullptr;
        if (data)
            NetApi32::NetApiBufferFree(data);
    }
};

std::string LocalWorkgroup()
{
    const std::string workgroup = Trim(NetApi32::Workgroup());
    return workgroup.empty() ? "WORKGROUP" : workgroup;
}

}  // namespace

void RaiseNTError(uint32_t status) { throw MakeNTException(status, SystemMessageInAnyLanguage); }

void FillServerText(const std::string& serverName, bool ntFamily, TServerText& out)
{
    std::memset(out.Bytes, 0, sizeof out.Bytes);
    if (!ntFamily) {
        const size_t length = std::min(serverName.size(), sizeof out.Bytes - 1);
        std::memcpy(out.Bytes, serverName.data(), length);
        return;
    }
    if (serverName.empty())
        return;
    const int size = MultiByteToWideChar(CP_ACP, 0, serverName.data(), static_cast<int>(serverName.size()),
                                         nullptr, 0);
    if (size <= 0)
        return;
    std::wstring wide(static_cast<size_t>(size), L'\0');
    MultiByteToWideChar(CP_ACP, 0, serverName.data(), static_cast<int>(serverName.size()), wide.data(), size);
    constexpr size_t kCapacity = sizeof out.Bytes / sizeof(wchar_t) - 1;
    size_t length = std::min(wide.size(), kCapacity);
    // Never leave half of a surrogate pair at the cut.
    if (length < wide.size() && length > 0 && wide[length - 1] >= 0xD800 && wide[length - 1] <= 0xDBFF)
        --length;
    std::memcpy(out.Bytes, wide.data(), length * sizeof(wchar_t));
}

std::unique_ptr<TServerList> TNTService::EnumServers(const std::string& ServerName, uint32_t ServerType)
{
    auto list = std::make_unique<TServerList>();
    const bool nt = NetApi32::IsNTFamily();
    TServerText server;
    FillServerText(ServerName, nt, server);
    DWORD resume = 0;
    do {
        TRecordBuffer records;
        DWORD read = 0;
        DWORD total = 0;
        const DWORD status = NetApi32::NetServerEnum(server.Bytes, kServerInfoLevel, &records.Data,
                                                     MAX_PREFERRED_LENGTH, &read, &total, ServerType, nullptr, &resume);
        // Without SMB1 (and under Wine) the platform has no list of its own; the workgroup's browse master may.
        if (status == ERROR_NO_BROWSER_SERVERS_FOUND && list->empty() && Trim(ServerName).empty() && !Loading()) {
            if (auto names = ServersFromBrowseMaster(LocalWorkgroup(), ServerType)) {
                *list = std::move(*names);
                return list;
            }
            // The enumeration's own text stays first; what the user can do follows in Turkish.
            const ENTException failure = MakeNTException(status, SystemMessageInAnyLanguage);
            throw ENTException(failure.Message() + "\r\n" + BrowseListUnavailableText(), status);
        }
        // While the owner is still building its layout a failing status is ignored, as it always was.
        if (status != NERR_Success && status != ERROR_MORE_DATA && !Loading())
            RaiseNTError(status);
        if (read == 0 || !records.Data)
            break;
        const auto* info = reinterpret_cast<const TServerInfo100*>(records.Data);
        for (DWORD i = 0; i < read; ++i)
            list->push_back(NarrowName(info[i].Name, nt));
        records.Free();
    } while (resume != 0);
    return list;
}

std::unique_ptr<TServerList> TNTService::GetServerList(const std::string& ServerName)
{
    auto list = EnumServers(ServerName, SV_TYPE_ALL);
    for (std::string& name : *list)
        name.insert(0, "\\\\");
    return list;
}
