// Why a direct messenger delivery failed, the platform error code that each reason is reported with, and the
// reason in the user's words.
#pragma once
#include <cstdint>
#include <string>
#include <string_view>

#include "core/Exceptions.h"
#include "core/SendFailure.h"

inline constexpr int32_t kNerrNameNotFound = 2273; // the message alias could not be found on the network
inline constexpr int32_t kNerrNetworkError = 2136; // a general network error occurred

enum class TWinPopupFailure {
    RecipientUnresolved, // neither the resolver nor a name query knew the recipient
    ConnectFailed,       // the connection to the session port was refused
    ConnectTimedOut,     // nothing answered on the session port in time
    SessionRefused,      // a negative session response
    MessageRefused,      // the receiver turned the message down (not receiving, paused, no room)
    ConnectionLost,      // the peer closed or reset the connection half-way
    TimedOut,            // the whole send took longer than its bound
    MalformedReply,      // bytes the protocol does not allow
    UnexpectedStatus,    // an error status that says nothing about receiving messages
    LocalFault,          // a socket or conversion call of our own failed
};

// 2273 when the recipient cannot be resolved, refuses the session or is not receiving; 2136 otherwise.
int32_t WinPopupErrorCode(TWinPopupFailure failure);

// The failure in the user's words, with the code above; the system's own text is the caller's to add.
TSendFailure DirectDeliveryFailure(TWinPopupFailure failure);

// A peer's reply that cannot be read as the protocol defines it.
class EProtocolError : public Exception {
public:
    using Exception::Exception;
};
