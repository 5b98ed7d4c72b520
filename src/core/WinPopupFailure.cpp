// The mapping from delivery failures to the platform's error codes and to the reasons the user reads.
#include "core/WinPopupFailure.h"


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

namespace {
constexpr char kCheckName[] = "Bilgisayarın adını denetleyin ve açık olduğundan emin olun.";
constexpr char kNotReceiving[] =
    "Alıcı bilgisayarın yöneticisinden uzaktan mesaj almayı açmasını isteyin; ayrıntılar BENİOKU dosyasında.";
constexpr char kTryAgain[] = "Yeniden deneyin; sorun sürerse alıcı bilgisayarın yöneticisine haber verin.";
} // namespace

TSendFailure DirectDeliveryFailure(TWinPopupFailure failure)
{
    const int32_t code = WinPopupErrorCode(failure);
    switch (failure) {
    case TWinPopupFailure::RecipientUnresolved:
        return {"bu ad ağda bulunamadı", kCheckName, code, {}};
    case TWinPopupFailure::ConnectFailed:
    case TWinPopupFailure::SessionRefused:
        return {"alıcı bilgisayar mesaj almıyor", kNotReceiving, code, {}};
    case TWinPopupFailure::ConnectTimedOut:
        return {"alıcı bilgisayar zamanında yanıt vermedi", kCheckName, code, {}};
    case TWinPopupFailure::MessageRefused:
        return {"alıcı bilgisayar mesajı kabul etmedi, mesaj alma kapalı ya da mesaj kutusu dolu",
            "Biraz sonra yeniden deneyin; sorun sürerse alıcı bilgisayarın kullanıcısına haber verin.", code, {}};
    case TWinPopupFailure::ConnectionLost:
        return {"alıcı bilgisayarla bağlantı gönderim sırasında koptu", "Yeniden deneyin.", code, {}};
    case TWinPopupFailure::TimedOut:
        return {"gönderim belirlenen süre içinde bitmedi",
            "Ağ bağlantınızı denetleyin ve biraz sonra yeniden deneyin.", code, {}};
    case TWinPopupFailure::MalformedReply:
        return {"alıcı bilgisayarın yanıtı anlaşılamadı", kTryAgain, code, {}};
    case TWinPopupFailure::UnexpectedStatus:
        return {"alıcı bilgisayar mesajı beklenmeyen bir yanıtla geri çevirdi", kTryAgain, code, {}};
    case TWinPopupFailure::LocalFault:
        break;
    }
    return {"bu bilgisayarda ağ işlemi yapılamadı", "Ağ bağlantınızı denetleyin ve Varnel'i yeniden başlatın.", code,
        {}};
}
