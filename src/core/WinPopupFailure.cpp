// The mapping from delivery failures to the platform's error codes.
#include "core/WinPopupFailure.h"

int32_t WinPopupErrorCode(TWinPopupFailure failure)
{
    switch (failure) {
    case TWinPopupFailure::RecipientUnresolved:
    case TWinPopupFailure::ConnectFailed:
    case TWinPopupFailure::SessionRefused:
    case TWinPopupFailure::MessageRefused:
        return kNerrNameNotFound;
    case TWinPopupFailure::ConnectionLost:
    case TWinPopupFailure::TimedOut:
    case TWinPopupFailure::MalformedReply:
    case TWinPopupFailure::UnexpectedStatus:
    case TWinPopupFailure::LocalFault:
        break;
    }
    return kNerrNetworkError;
}
