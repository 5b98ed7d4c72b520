// One message to one recipient: the messenger operation first, the other roads where it is gone.
#include "net/NetMessageDelivery.h"

#include "net/MessengerRoads.h"
#include "net/WsNetApi.h"

namespace {
constexpr uint32_t kErrorNotSupported = 50; // what NetMessageBufferSend answers since the messenger was removed
}

void DeliverNetMessage(const TNetMessageRoute& route)
{
    TWideBuffer message;
    MakeWideBuffer(route.Text, message);
    const uint32_t result = CallNetMessageBufferSend(route.Server, route.To, route.From, message.Pointer, message.Length);
    if (result == kErrorNotSupported)
        DeliverWithoutMessenger(route.From, route.To, route.Text); // no messenger service here: the other roads
    else if (result != 0)
        throw EWsNetException(ErrorCodeText(result), static_cast<int32_t>(result));
}
