// The network administration component: the enumeration of the network's servers.
#pragma once
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "core/NetErrorTexts.h"
#include "toolkit/Classes.h"

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

// The network administration component: the enumeration of the network's servers. It opens no service manager,
// no service and no connection of its own to another computer.
class TNTService : public TComponent {
public:
    using TComponent::TComponent;

    // The plain names of the servers whose type matches serverType in the browse list of the computer
    // that serverName names (the local one for the empty text). The caller owns the list.
    std::unique_ptr<TServerList> EnumServers(const std::string& ServerName, uint32_t ServerType);

    // Every server of every type, each name preceded by two backslashes.
    std::unique_ptr<TServerList> GetServerList(const std::string& ServerName);
};
