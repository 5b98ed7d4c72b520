// TWsNetMessage: sends one text to one recipient through the messenger service.
#pragma once
#include <string>

#include "net/WsNetApi.h"

class TWsNetMessage : public TWsComponent {
public:
    explicit TWsNetMessage(TComponent* AOwner) : TWsComponent(AOwner) {}

    std::string MsgFrom;
    std::string MsgText;
    std::string MsgTo;

    // Read back without backslashes, whichever form is stored.
    std::string Server() const;
    void SetServer(const std::string& name);
    // The stored form that Send passes on (with "\\" before the name on old platforms).
    const std::string& StoredServer() const { return FServer; }

    // Sends MsgText (trimmed) from MsgFrom to MsgTo; raises EWsNetException on failure.
    void Send();

    TNotifyEvent OnMessageSent;

private:
    std::string FServer;
};
