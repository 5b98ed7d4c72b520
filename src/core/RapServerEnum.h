// The remote administration call that lists a workgroup's servers (NetServerEnum2, and NetServerEnum3 to go on
// from a name), carried over \PIPE\LANMAN: the request's parameters and the reading of the reply.
#pragma once
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/WinPopupFailure.h"

inline constexpr char kLanmanPipe[] = "\\PIPE\\LANMAN";
inline constexpr uint16_t kRapMaxParameterCount = 8;
inline constexpr uint32_t kEveryServerType = 0xFFFFFFFF;
inline constexpr uint16_t kRapSuccess = 0;
inline constexpr uint16_t kRapMoreData = 234;
inline constexpr size_t kServerInfo0Size = 16; // a level 0 record: the name, NUL-padded

// NetServerEnum2 at level 0 for the servers of the workgroup (OEM bytes) whose type matches serverType. With a
// first name it is NetServerEnum3, which starts the list at that name. A text holding a NUL raises
// std::invalid_argument.
std::vector<uint8_t> RapServerEnumParameters(std::string_view workgroup, uint16_t receiveBufferSize,
    std::string_view firstName = {}, uint32_t serverType = kEveryServerType);

struct TRapServerList {
    uint16_t Status = 0;         // 0, or 234 when the buffer held fewer records than there are
    uint16_t EntriesReturned = 0;
    uint16_t EntriesAvailable = 0;
    std::vector<std::string> Names; // OEM bytes, in the order received; empty names left out
};

// A master's refusal, e.g. 6118 when it keeps no list for the workgroup.
class ERapError : public EProtocolError {
public:
    explicit ERapError(uint16_t status)
        : EProtocolError("remote administration status " + std::to_string(status)), FStatus(status) {}
    uint16_t Status() const noexcept { return FStatus; }

private:
    uint16_t FStatus;
};

// Reads the reply's parameters and data. Raises ERapError with the status for any status but 0 and 234, and
// EProtocolError when the counts do not fit the bytes received.
TRapServerList ReadRapServerList(std::span<const uint8_t> parameters, std::span<const uint8_t> data);
