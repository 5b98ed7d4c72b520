// TWsNetMessage: one synchronous messenger send per call.
#include "net/WsNetMsg.h"

#include "net/NetMessageDelivery.h"
#include "core/NetNames.h"
#include "core/Text.h"

std::string TWsNetMessage::Server() const { return RemoveBackslashes(FServer); }

void TWsNetMessage::SetServer(const std::string& name) { FServer = StoredServerName(name, IsNtVersion5OrLater()); }

void TWsNetMessage::Send()
{
    DeliverNetMessage({FServer, MsgTo, MsgFrom, MsgText});
    Fire(OnMessageSent, this);
}
