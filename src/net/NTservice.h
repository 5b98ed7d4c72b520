// The network administration component: its stored configuration and the enumeration of the network's servers.
#pragma once
#include <cstddef>
#include <cstdint>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "core/NetErrorTexts.h"
#include "toolkit/Classes.h"

struct TLogonAs {
    std::string UserName;
    std::string Password;
};

enum class TManagerAccessFlag {
    M_CONNECT, M_CREATE_SERVICE, M_ENUMERATE_SERVICE, M_LOCK, M_QUERY_LOCK_STATUS, M_MODIFY_BOOT_CONFIG
};
using TManagerAccess = std::set<TManagerAccessFlag>;

enum class TServiceTypeFlag {
    KERNEL_DRIVER, FILE_SYSTEM_DRIVER, ADAPTER, RECOGNIZER_DRIVER, WIN32_OWN_PROCESS, WIN32_SHARE_PROCESS,
    INTERACTIVE_PROCESS
};
using TServiceType = std::set<TServiceTypeFlag>;

enum class TStartType { BOOT_START, SYSTEM_START, AUTO_START, DEMAND_START, DISABLED };
enum class TErrorControl { ERROR_IGNORE, ERROR_NORMAL, ERROR_SEVERE, ERROR_CRITICAL };

using TServerList = std::vector<std::string>;  // 8-bit (cp1254) names in the platform's order

// The raise-on-failure for platform status codes: the message comes from the network error texts.
[[noreturn]] void RaiseNTError(uint32_t status);

// The server text as NetServerEnum takes it: a fixed buffer, UTF-16 on the NT family, 8-bit text otherwise.
// A text too long for the buffer is cut to what fits, always terminated.
constexpr size_t kServerTextBytes = 512;
struct TServerText {
    alignas(wchar_t) char Bytes[kServerTextBytes];
};
void FillServerText(const std::string& serverName, bool ntFamily, TServerText& out);

// The target computer and the credentials for it; the enumeration operations live here.
class TNTPersistent : public TComponent {
public:
    using TComponent::TComponent;

    std::string MachineName;  // empty for the local computer
    std::string DomainName;
    TLogonAs LogonAs;

    // The plain names of the servers whose type matches serverType in the browse list of the computer
    // that serverName names (the local one for the empty text). The caller owns the list.
    std::unique_ptr<TServerList> EnumServers(const std::string& ServerName, uint32_t ServerType);

    // Every server of every type, each name preceded by two backslashes.
    std::unique_ptr<TServerList> GetServerList(const std::string& ServerName);
};

class TNTAbstractSecurity : public TNTPersistent {
public:
    using TNTPersistent::TNTPersistent;
};

// Service control settings. The program keeps them only as configuration: nothing here opens a service
// manager, a service or a connection to another computer.
class TNTService : public TNTAbstractSecurity {
public:
    using TNTAbstractSecurity::TNTAbstractSecurity;

    bool ActiveManager = false;
    bool ActiveService = false;
    TManagerAccess ManagerAccess{TManagerAccessFlag::M_CONNECT};
    uint32_t ServiceAccess = 0xF01FF;  // every access right to a service
    TStartType StartType = TStartType::BOOT_START;
    TErrorControl ErrorControl = TErrorControl::ERROR_IGNORE;
    TServiceType ServiceType;
    uint32_t TagId = 0;
};
