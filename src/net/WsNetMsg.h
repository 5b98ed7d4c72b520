// TWsNetMessage: sends one text to one recipient through the messenger service.
#pragma once
#include <exception>
#include <functional>
#include <memory>
#include <string>

#include "net/WsNetApi.h"

class TBackgroundCall;

class TWsNetMessage : public TWsComponent {
public:
    explicit TWsNetMessage(TComponent* AOwner);
    // A send still under way is let go: its end is reported to nobody.
    ~TWsNetMessage() override;

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
    // The same send on a worker thread: returns at once, and OnFinished reports on this thread what escaped the
    // send (null on success, then OnMessageSent follows). Not while Busy: a send under way would be let go. Raises
    // EThreadError when no thread can be made.
    void Start();
    bool Busy() const;

    TNotifyEvent OnMessageSent;
    std::function<void(TObject* Sender, std::exception_ptr Failure)> OnFinished;

private:
    std::string FServer;
    std::unique_ptr<TBackgroundCall> FCall;
};
