// The messenger operation of netapi32 and the wide buffers it takes.
#pragma once
#include <optional>
#include <utility>
#include <cstdint>
#include <string>

#include "core/SendFailure.h"
#include "net/WsBase.h"

class EWsNetException : public EWsException {
public:
    using EWsException::EWsException;
    // A failed send to one computer: the box's text, and the failure itself for a list of several.
    EWsNetException(const std::string& recipient, TSendFailure failure)
        : EWsException(SendFailureBox(recipient, failure), failure.Code), FFailure(std::move(failure)) {}
    const std::optional<TSendFailure>& Failure() const noexcept { return FFailure; }

private:
    std::optional<TSendFailure> FFailure;
};

// Calls NetMessageBufferSend with the names and the text in UTF-16 (an empty one as a null pointer, the text's
// length counting its terminator), loading the network library first if the start did not (or failed to);
// returns the platform's result. Raises EWsNetException when the library or operation is missing.
uint32_t CallNetMessageBufferSend(const std::string& server, const std::string& to, const std::string& from,
    const std::string& text);

// Tests load another library under the documented name's place, to see a failing load and its retry.
void SetNetApiLibraryNameForTesting(const std::string& name);
