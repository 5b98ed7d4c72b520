// NetBIOS name queries over UDP 137: the request for a name and the reading of the answers that come back.
#pragma once
#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "core/NetBiosName.h"

inline constexpr uint16_t kNameServicePort = 137;

// Where name queries go: one address (a test's responder), or, when it is empty, the broadcast address of each
// local IPv4 network (the limited broadcast only when the platform lists none).
struct TNameQueryTarget {
    std::string Address;
    uint16_t Port = kNameServicePort;
};

// A broadcast query (recursion desired, broadcast flag set) for one NB record of the encoded name.
std::vector<uint8_t> NameQueryRequest(uint16_t transactionId, const TEncodedName& name);

struct TNameQueryAnswer {
    enum class TKind {
        Ignored,  // not an answer to this query, or unreadable: keep waiting for another
        Negative, // the name's owner or a name server says the name is not there
        Found,
    };
    TKind Kind = TKind::Ignored;
    std::array<uint8_t, 4> Address{}; // IPv4 in network order, for Found
};

// Reads one datagram that arrived while waiting for the answer to the query with this id and name.
TNameQueryAnswer ParseNameQueryResponse(std::span<const uint8_t> datagram, uint16_t transactionId,
    const TEncodedName& name);
