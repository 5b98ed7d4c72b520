// TWsNetMessage: one synchronous messenger send per call.
#include "components/WsNetMsg.h"

#include "components/WinPopup.h"
#include "core/NetNames.h"
#include "core/Text.h"

namespace {
constexpr uint32_t kErrorNotSupported = 50; // what NetMessageBufferSend answers since the messenger was removed
}

std::string TWsNetMessage::Server() const { return RemoveBackslashes(FServer); }

void TWsNetMessage::SetServer(const std::string& name) { FServer = StoredServerName(name, IsNtVersion5OrLater()); }

void TWsNetMessage::Send()
{
    TWideBuffer message;
    MakeWideBuffer(MsgText, message);
    const uint32_t result = CallNetMessageBufferSend(FServer, MsgTo, MsgFrom, message.Pointer, message.Length);
    if (result == kErrorNotSupported)
        DeliverWinPopup(MsgFrom, MsgTo, MsgText); // no messenger service here: talk to the receiver ourselves
    else if (result != 0)
        throw EWsNetException(ErrorCodeText(result), static_cast<int32_t>(result));
    Fire(OnMessageSent, this);
}
