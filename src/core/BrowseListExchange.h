// One conversation with a workgroup's browse master that reads its list of servers, kept apart from the sockets
// that carry it.
#pragma once
#include <cstddef>
#include <cstdint>
#include <set>
#include <span>
#include <string>
#include <vector>

#include "core/SessionConversation.h"
#include "core/SmbSession.h"

struct TBrowseListQuery {
    std::string CallingName;                // our computer's name, OEM bytes, at most 15
    std::string Workgroup;                  // OEM bytes
    uint16_t ReceiveBufferSize = 0xFFFF;    // the data one reply may carry
    uint32_t ServerType = 0xFFFFFFFF;       // every kind of server
};

// Session request to *SMBSERVER, negotiate NT LM 0.12, anonymous session, tree connect to IPC$, then
// NetServerEnum2; while the master has more than one reply held, NetServerEnum3 from the last name received.
// The carrier sends TakeRequest() whenever it is not empty, then reads one session packet and hands it to
// Accept, until Finished(). Transport troubles are the carrier's to report through Fail.
class TBrowseListExchange final : public TSessionConversation {
public:
    explicit TBrowseListExchange(TBrowseListQuery query);

    void Fail(std::string problem);

    bool Finished() const override { return FStage == TStage::Done || FStage == TStage::Failed; }
    bool Succeeded() const { return FStage == TStage::Done; }
    // The servers' names (OEM bytes) in the order the master sent them; complete only when Succeeded().
    const std::vector<std::string>& Names() const { return FNames; }
    const std::string& Problem() const { return FProblem; }

private:
    enum class TStage { Session, Negotiate, SessionSetup, TreeConnect, Enumerate, Done, Failed };
    static constexpr size_t kMaxRounds = 64;

    bool SessionAwaited() const override { return FStage == TStage::Session; }
    void AcceptSession(uint8_t type, std::span<const uint8_t> payload) override;
    uint8_t AwaitedCommand() const override;
    void AcceptSmb(std::span<const uint8_t> smb, const TSmbReply& reply) override;
    void FailReply(std::string problem) override { Fail(std::move(problem)); }
    void Advance(std::span<const uint8_t> smb, const TSmbReply& reply);
    void AcceptList(std::span<const uint8_t> smb, const TSmbReply& reply);
    void QueueEnumeration();
    void Queue(std::vector<uint8_t> smb);

    TBrowseListQuery FQuery;
    TStage FStage = TStage::Session;
    TSmbIds FIds;
    TTransactionReply FReply;
    size_t FRounds = 0;
    std::vector<std::string> FNames;
    std::set<std::string> FSeen; // upper-cased
    std::string FProblem;
};
