// The wording of failed sends and the shape of their boxes and list lines.
#include "core/SendFailure.h"

#include "core/ProgramTexts.h"
#include "core/Text.h"

namespace {

struct TMessengerWords {
    uint32_t Code;
    const char* Reason;
    const char* Next;
};

constexpr char kCheckName[] = "Bilgisayarın adını denetleyin ve açık olduğundan emin olun.";
constexpr char kCheckNetwork[] = "Ağ bağlantınızı denetleyin ve biraz sonra yeniden deneyin.";
constexpr char kThisComputer[] = "Bu bilgisayarı yeniden başlatın; sorun sürerse yöneticinize başvurun.";

// The results NetMessageBufferSend gives in practice, ascending by code.
constexpr TMessengerWords kMessengerWords[] = {
    {5, "alıcı bilgisayar mesaj göndermenize izin vermedi",
        "Alıcı bilgisayarın yöneticisinden hesabınıza mesaj gönderme izni vermesini isteyin."},
    {8, "bu bilgisayarda bellek yetmedi", "Açık programlardan birkaçını kapatın ve yeniden deneyin."},
    {53, "alıcı bilgisayara ağ üzerinden ulaşılamadı", kCheckName},
    {87, "alıcı bilgisayarın adı geçersiz", "Alıcı bilgisayarı yeniden seçin ve yeniden deneyin."},
    {1722, "alıcı bilgisayar yanıt vermedi", kCheckName},
    {2102, "bu bilgisayarda ağ istemcisi kurulu değil", kThisComputer},
    {2106, "bu Windows sürümü mesaj göndermeyi desteklemiyor", kThisComputer},
    {2114, "bu bilgisayarda Sunucu hizmeti çalışmıyor", kThisComputer},
    {2136, "ağda bir sorun oluştu", kCheckNetwork},
    {2138, "bu bilgisayarda İş İstasyonu hizmeti çalışmıyor", kThisComputer},
    {2141, "alıcı bilgisayar bu isteği karşılayamadı", kCheckNetwork},
    {2273, "bu ad ağda bulunamadı", kCheckName},
    {2281, "alıcı bilgisayar mesaj almayı duraklatmış",
        "Alıcı bilgisayarın kullanıcısından mesaj almayı yeniden açmasını isteyin."},
    {2282, "mesaj alıcı bilgisayara ulaşmadı", kCheckNetwork},
    {2284, "bu bilgisayarda Mesajlaşma hizmeti çalışmıyor", kThisComputer},
    {2287, "alıcı bilgisayarın mesaj kutusu dolu", "Biraz sonra yeniden deneyin."},
};

// A name given as \\PC02 names the computer PC02.
std::string WithoutBackslashes(std::string_view name)
{
    const std::string bare = Trim(name);
    const size_t start = bare.find_first_not_of('\\');
    return start == std::string::npos ? std::string() : bare.substr(start);
}

std::string CodeText(int32_t code) { return code ? "(hata kodu " + std::to_string(code) + ")" : std::string(); }

} // namespace

std::string SendFailureBox(std::string_view recipient, const TSendFailure& failure)
{
    const std::string name = WithoutBackslashes(recipient);
    const std::string what = (name.empty() ? std::string("Mesaj gönderilemedi") :
        "Mesaj " + name + " bilgisayarına gönderilemedi") + ": " + failure.Reason;
    return FailureBox(what, failure.Detail, failure.Next, failure.Code);
}

std::string SendFailureLine(std::string_view recipient, const TSendFailure& failure)
{
    const std::string code = CodeText(failure.Code);
    return WithoutBackslashes(recipient) + ": " + failure.Reason + (code.empty() ? "" : " " + code) + ".";
}

TSendFailure MessengerFailure(uint32_t code, std::string systemText)
{
    const auto signedCode = static_cast<int32_t>(code);
    for (const TMessengerWords& words : kMessengerWords)
        if (words.Code == code)
            return {words.Reason, words.Next, signedCode, std::move(systemText)};
    return {"beklenmeyen bir ağ sorunu oluştu", kCheckNetwork, signedCode, std::move(systemText)};
}

TSendFailure NetworkLibraryMissing(uint32_t code, std::string systemText, std::string_view library)
{
    return {"Windows'un ağ kitaplığı (" + std::string(library) + ") yüklenemedi", kThisComputer,
        static_cast<int32_t>(code), std::move(systemText)};
}

TSendFailure MessengerOperationMissing(uint32_t code, std::string systemText)
{
    return {"Windows'un ağ kitaplığında mesaj gönderme işlevi yok", kThisComputer, static_cast<int32_t>(code),
        std::move(systemText)};
}

TSendFailure UnexpectedSendFailure(int32_t code)
{
    return {"beklenmeyen bir sorun oluştu", "Yeniden deneyin; sorun sürerse Varnel'i yeniden başlatın.", code, {}};
}
