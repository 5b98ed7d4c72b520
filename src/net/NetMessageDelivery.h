// One message to one recipient, by whichever road this platform offers; callable from any thread.
#pragma once
#include <string>

// What one delivery needs. Server is in its stored form (TWsNetMessage::StoredServer). DeliverNetMessage trims
// every field, once; the roads it takes get them trimmed.
struct TNetMessageRoute {
    std::string Server;
    std::string To;
    std::string From;
    std::string Text;
};

// Calls the platform's messenger operation; where it answers 50 (no messenger service) delivers directly to the
// receiver. Raises EWsNetException on failure. Touches no window and no toolkit object, so the single send
// (TWsNetMessage::Send) and the workers of a bulk send share it.
void DeliverNetMessage(const TNetMessageRoute& route);
