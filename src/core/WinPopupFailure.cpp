// The mapping from delivery failures to the platform's error codes and to the reasons the user reads.
#include "core/WinPopupFailure.h"

#include "core/Text.h"

int32_t WinPopupErrorCode(TWinPopupFailure failure)
{
    switch (failure) {
    case TWinPopupFailure::RecipientUnresolved:
    case TWinPopupFailure::ConnectFailed:
    case TWinPopupFailure::ConnectTimedOut:
    case TWinPopupFailure::SessionRefused:
    case TWinPopupFailure::MessageRefused:
        return kNerrNameNotFound;
    case TWinPopupFailure::ConnectionLost:
    case TWinPopupFailure::TimedOut:
    case TWinPopupFailure::MalformedReply:
    case TWinPopupFailure::UnexpectedStatus:
    case TWinPopupFailure::LocalFault:
        break;
    }
    return kNerrNetworkError;
}

std::string_view WinPopupFailureReason(TWinPopupFailure failure)
{
    switch (failure) {
    case TWinPopupFailure::RecipientUnresolved:
        return "Bilgisayar ağda bulunamadı";
    case TWinPopupFailure::ConnectFailed:
        return "Bilgisayar bağlantıyı geri çevirdi: ileti almıyor";
    case TWinPopupFailure::ConnectTimedOut:
        return "Bilgisayar belirlenen süre içinde yanıt vermedi";
    case TWinPopupFailure::SessionRefused:
        return "Bilgisayar ileti oturumunu geri çevirdi: ileti almıyor";
    case TWinPopupFailure::MessageRefused:
        return "Bilgisayar iletiyi kabul etmedi: ileti alımı kapalı ya da yeri dolu";
    case TWinPopupFailure::ConnectionLost:
        return "Bilgisayarla bağlantı gönderim sırasında koptu";
    case TWinPopupFailure::TimedOut:
        return "Gönderim belirlenen süre içinde tamamlanamadı";
    case TWinPopupFailure::MalformedReply:
        return "Bilgisayarın yanıtı anlaşılamadı";
    case TWinPopupFailure::UnexpectedStatus:
        return "Bilgisayar iletiyi beklenmeyen bir hatayla geri çevirdi";
    case TWinPopupFailure::LocalFault:
        break;
    }
    return "Bu bilgisayarda ağ işlemi yapılamadı";
}

std::string WinPopupFailureMessage(TWinPopupFailure failure, std::string_view codeText)
{
    const std::string_view reason = WinPopupFailureReason(failure);
    if (codeText.empty())
        return std::string(reason);
    return WithFullStop(codeText) + "\r\n" + std::string(reason);
}
