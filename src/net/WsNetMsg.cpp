// TWsNetMessage: one messenger send per call, on the calling thread or on a worker.
#include "net/WsNetMsg.h"

#include "net/NetMessageDelivery.h"
#include "net/WsBulkSend.h"
#include "toolkit/BackgroundCall.h"
#include "core/NetNames.h"
#include "core/Text.h"

TWsNetMessage::TWsNetMessage(TComponent* AOwner)
    : TWsComponent(AOwner), FCall(std::make_unique<TBackgroundCall>("TWsNetMessage", TWsBulkSender::InFlightBoundMs()))
{
}

TWsNetMessage::~TWsNetMessage() = default;

std::string TWsNetMessage::Server() const { return RemoveBackslashes(FServer); }

void TWsNetMessage::SetServer(const std::string& name) { FServer = StoredServerName(name, IsNtVersion5OrLater()); }

void TWsNetMessage::Send()
{
    DeliverNetMessage({FServer, MsgTo, MsgFrom, MsgText});
    Fire(OnMessageSent, this);
}

bool TWsNetMessage::Busy() const { return FCall->Busy(); }

void TWsNetMessage::Start()
{
    const TNetMessageRoute route{FServer, MsgTo, MsgFrom, MsgText}; // a copy: the fields may change meanwhile
    // The finish first, so a failing sent-handler cannot keep it from running.
    FCall->Start([route] { DeliverNetMessage(route); },
        [this](std::exception_ptr failure) {
            if (OnFinished)
                OnFinished(this, failure);
            if (!failure)
                Fire(OnMessageSent, this);
        });
}
