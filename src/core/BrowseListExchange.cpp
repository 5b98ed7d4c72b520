// The browse master conversation: which request follows which reply, and when the list is whole.
#include "core/BrowseListExchange.h"

#include <stdexcept>
#include <utility>

#include "core/NetBiosName.h"
#include "core/RapServerEnum.h"
#include "core/SessionService.h"

namespace {

constexpr char kAnyServer[] = "*SMBSERVER";
constexpr uint8_t kServerSuffix = 0x20;
constexpr uint16_t kOurPid = 0x5641;
constexpr uint16_t kOurMaxBuffer = 0xFFFF;
constexpr uint32_t kNtBufferOverflow = 0x80000005; // more data than the reply holds: still a reply
constexpr uint16_t kDosMoreData = 234;

bool TransactionStatusAccepted(const TSmbReply& reply)
{
    if (reply.Succeeded())
        return true;
    return reply.NtStatus ? reply.Status == kNtBufferOverflow
                          : reply.ErrorClass == 0x01 && reply.ErrorCode == kDosMoreData;
}

} // namespace

TBrowseListExchange::TBrowseListExchange(TBrowseListQuery query) : FQuery(std::move(query))
{
    FIds.Pid = kOurPid;
    FPending = SessionRequestPacket(EncodeNetBiosName(kAnyServer, kServerSuffix),
        EncodeNetBiosName(FQuery.CallingName, kWorkstationSuffix));
}

void TBrowseListExchange::Fail(std::string problem)
{
    if (Finished())
        return;
    FStage = TStage::Failed;
    FProblem = std::move(problem);
    FPending.clear();
}

void TBrowseListExchange::AcceptSession(uint8_t type, std::span<const uint8_t> payload)
{
    const TSessionReply reply = InterpretSessionReply(type, payload);
    if (reply.Answer == TSessionAnswer::KeepAlive)
        return;
    if (reply.Answer != TSessionAnswer::Accepted) {
        Fail(reply.Description);
        return;
    }
    FStage = TStage::Negotiate;
    Queue(SmbNegotiateRequest(FIds));
}

uint8_t TBrowseListExchange::AwaitedCommand() const
{
    switch (FStage) {
    case TStage::Negotiate:
        return kSmbNegotiate;
    case TStage::SessionSetup:
        return kSmbSessionSetup;
    case TStage::TreeConnect:
        return kSmbTreeConnect;
    default:
        return kSmbTransaction;
    }
}

void TBrowseListExchange::AcceptSmb(std::span<const uint8_t> smb, const TSmbReply& reply)
{
    try {
        Advance(smb, reply);
    } catch (const std::invalid_argument& e) { // the next request could not be built from our query
        Fail(e.what());
    }
}

void TBrowseListExchange::Advance(std::span<const uint8_t> smb, const TSmbReply& reply)
{
    if (FStage == TStage::Enumerate) {
        AcceptList(smb, reply);
        return;
    }
    if (!reply.Succeeded())
        throw EProtocolError("the master refused: " + SmbStatusText(reply));
    switch (FStage) {
    case TStage::Negotiate:
        FStage = TStage::SessionSetup;
        Queue(SmbAnonymousSessionRequest(FIds, ReadNegotiateReply(reply), kOurMaxBuffer));
        return;
    case TStage::SessionSetup:
        FIds.Uid = reply.Uid;
        FStage = TStage::TreeConnect;
        Queue(SmbTreeConnectRequest(FIds, std::string("\\\\") + kAnyServer + "\\IPC$"));
        return;
    case TStage::TreeConnect:
        FIds.Tid = reply.Tid;
        FStage = TStage::Enumerate;
        QueueEnumeration();
        return;
    default:
        return;
    }
}

void TBrowseListExchange::AcceptList(std::span<const uint8_t> smb, const TSmbReply& reply)
{
    if (!TransactionStatusAccepted(reply))
        throw EProtocolError("the master refused the list: " + SmbStatusText(reply));
    FReply.Add(smb, reply);
    if (!FReply.Complete())
        return; // the next piece of the same reply follows without a request
    const TRapServerList list = ReadRapServerList(FReply.Parameters(), FReply.Data());
    size_t added = 0;
    for (const std::string& name : list.Names) {
        // A continuation starts at the name it was given, which we already hold; a master that does not
        // honour it would hand out its first names again.
        if (!FSeen.insert(NetBiosUpperCase(name)).second)
            continue;
        FNames.push_back(name);
        ++added;
    }
    const bool more = list.Status == kRapMoreData || list.EntriesAvailable > list.EntriesReturned;
    if (more && added > 0 && FRounds < kMaxRounds) {
        QueueEnumeration();
        return;
    }
    FStage = TStage::Done;
}

void TBrowseListExchange::QueueEnumeration()
{
    ++FRounds;
    FReply = TTransactionReply();
    const std::string from = FRounds > 1 ? FNames.back() : std::string();
    const std::vector<uint8_t> parameters =
        RapServerEnumParameters(FQuery.Workgroup, FQuery.ReceiveBufferSize, from, FQuery.ServerType);
    Queue(SmbTransactionRequest(FIds, kLanmanPipe, parameters, kRapMaxParameterCount, FQuery.ReceiveBufferSize));
}

void TBrowseListExchange::Queue(std::vector<uint8_t> smb)
{
    ++FIds.Mid;
    FPending = SessionMessagePacket(smb);
}
