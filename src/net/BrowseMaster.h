// Where the platform keeps no browse list (no SMB1, or Wine), the workgroup's browse master is asked for it.
#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "core/NameQuery.h"

// Where the lookup searches and how long it may take; tests linked with the component point it at loopback.
struct TBrowseMasterNetwork {
    TNameQueryTarget NameQuery;         // empty address: each local network's broadcast address
    uint16_t SessionPort = 139;
    uint32_t NameQueryTimeoutMs = 1000; // for each of the two names
    uint32_t TotalTimeoutMs = 5000;     // the whole lookup
};

TBrowseMasterNetwork& BrowseMasterNetwork();

// The names (code page 1254) of the workgroup's servers whose type matches serverType, in the order the master
// sent them; the master is the one that answers for WORKGROUP<1D>, else WORKGROUP<1B>. Nothing when no master
// answers or the conversation fails.
std::optional<std::vector<std::string>> ServersFromBrowseMaster(const std::string& workgroup, uint32_t serverType);
