// The messenger operation of netapi32 and the wide buffers it takes.
#pragma once
#include <cstdint>
#include <string>

#include "net/WsBase.h"

class EWsNetException : public EWsException {
public:
    using EWsException::EWsException;
};

// Calls NetMessageBufferSend with the names and the text in UTF-16 (an empty one as a null pointer, the text's
// length counting its terminator), loading the network library first if the start did not (or failed to);
// returns the platform's result. Raises EWsNetException when the library or operation is missing.
uint32_t CallNetMessageBufferSend(const std::string& server, const std::string& to, const std::string& from,
    const std::string& text);

// Tests load another library under the documented name's place, to see a failing load and its retry.
void SetNetApiLibraryNameForTesting(const std::string& name);
