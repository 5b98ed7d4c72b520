// One message to one recipient: the messenger operation first, the other roads where it is gone.
#include "net/NetMessageDelivery.h"

#include <windows.h>

#include "net/MessengerRoads.h"
#include "net/WsNetApi.h"
#include "core/Text.h"

void DeliverNetMessage(const TNetMessageRoute& untrimmed)
{
    // The one place where the route is trimmed: every road below takes it as it comes.
    const TNetMessageRoute route{
        Trim(untrimmed.Server), Trim(untrimmed.To), Trim(untrimmed.From), Trim(untrimmed.Text)};
    const uint32_t result = CallNetMessageBufferSend(route.Server, route.To, route.From, route.Text);
    if (result == ERROR_NOT_SUPPORTED) // what the messenger operation answers since the service was removed
        DeliverWithoutMessenger(route.From, route.To, route.Text); // no messenger service here: the other roads
    else if (result != 0)
        throw EWsNetException(route.To, MessengerFailure(result, SystemErrorText(result)));
}
