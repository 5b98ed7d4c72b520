// The terminal-services road's title, and the choice between two failed roads' reasons.
#include "core/TerminalMessage.h"

#include <algorithm>
#include <initializer_list>

namespace {

// Where a user needs the administrator's settings, the box says whom to ask; BENIOKU.txt names the settings.
constexpr char kNoActiveSessionReason[] = "alıcı bilgisayarda şu anda oturum açmış bir kullanıcı yok";
constexpr char kNoActiveSessionNext[] = "Bir kullanıcı oturum açtığında yeniden deneyin.";
constexpr char kAccessDeniedReason[] = "alıcı bilgisayar mesaj göndermenize izin vermedi";
constexpr char kAccessDeniedNext[] =
    "Alıcı bilgisayarın yöneticisinden hesabınıza mesaj gönderme izni vermesini isteyin; ayrıntılar BENİOKU dosyasında.";
constexpr char kRemoteCallsReason[] = "alıcı bilgisayar uzaktan mesaj almıyor";
constexpr char kRemoteCallsNext[] =
    "Alıcı bilgisayarın yöneticisinden uzaktan mesaj almayı açmasını isteyin; ayrıntılar BENİOKU dosyasında.";

bool IsOneOf(uint32_t code, std::initializer_list<uint32_t> codes)
{
    return std::find(codes.begin(), codes.end(), code) != codes.end();
}

// The recipient checked the caller and said no: ERROR_ACCESS_DENIED, ERROR_LOGON_FAILURE,
// ERROR_LOGON_TYPE_NOT_GRANTED, ERROR_CTX_WINSTATION_ACCESS_DENIED.
bool IsAccessDenied(uint32_t code) { return IsOneOf(code, {5, 1326, 1385, 7045}); }

// No remote call got through, the service refuses them (AllowRemoteRPC 0) or is not there at all:
// RPC_S_UNKNOWN_IF, RPC_S_SERVER_UNAVAILABLE, RPC_S_CALL_FAILED, RPC_S_CALL_FAILED_DNE, EPT_S_NOT_REGISTERED.
bool IsRemoteCallRefused(uint32_t code) { return IsOneOf(code, {1717, 1722, 1726, 1727, 1753}); }

// The direct delivery found a computer of that name that does not speak the direct protocol at all (a desk of
// today). A receiver that took the session and then refused the message is a messenger-era computer with its
// message service off: that refusal says more than a missing remote-call service there.
bool DeskIsThere(TWinPopupFailure direct)
{
    return direct == TWinPopupFailure::ConnectFailed || direct == TWinPopupFailure::SessionRefused;
}

} // namespace

std::string TerminalMessageTitle(std::string_view sender) { return "Varnel — " + std::string(sender); }

std::optional<TSendFailure> TerminalFailureToReport(TWinPopupFailure direct, const TTerminalResult& terminal)
{
    if (terminal.Outcome == TTerminalOutcome::NoActiveSession)
        return TSendFailure{kNoActiveSessionReason, kNoActiveSessionNext, kErrorNoActiveSession, {}};
    if (terminal.Outcome != TTerminalOutcome::Refused)
        return std::nullopt;
    const auto code = static_cast<int32_t>(terminal.Code);
    if (IsAccessDenied(terminal.Code))
        return TSendFailure{kAccessDeniedReason, kAccessDeniedNext, code, {}};
    if (IsRemoteCallRefused(terminal.Code) && DeskIsThere(direct))
        return TSendFailure{kRemoteCallsReason, kRemoteCallsNext, code, {}};
    return std::nullopt;
}
