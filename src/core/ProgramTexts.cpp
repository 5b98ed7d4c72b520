// The wording of the program's own failures outside the send roads.
#include "core/ProgramTexts.h"

#include "core/Text.h"

namespace {
constexpr char kCloseSomePrograms[] = "Açık programlardan birkaçını kapatın ve yeniden deneyin.";
constexpr char kRestart[] = "Varnel'i kapatıp yeniden başlatın.";
}

std::string FailureBox(std::string_view what, std::string_view detail, std::string_view next,
    std::optional<int64_t> code)
{
    std::string box = WithFullStop(what);
    if (!Trim(detail).empty())
        box += "\r\n" + WithFullStop(Trim(detail));
    box += "\r\n" + std::string(next);
    if (code)
        box += "\r\n(hata kodu " + std::to_string(*code) + ")";
    return box;
}

std::string WindowNotCreatedText(std::string_view name, uint32_t code)
{
    return FailureBox("Windows, Varnel'in bir penceresini (" + std::string(name) + ") açamadı", {},
        kCloseSomePrograms, code);
}

std::string TrayPictureNotCopiedText(uint32_t code)
{
    return FailureBox("Bildirim alanındaki simgenin resmi hazırlanamadı", {}, kRestart, code);
}

std::string TrayAnimationNotStartedText(uint32_t code)
{
    return FailureBox("Bildirim alanındaki simgenin canlandırması başlatılamadı", {}, kRestart, code);
}

std::string SettingsTextRefusedText(std::string_view path, TSettingsPart part, TRefusedCharacter refused)
{
    const char* what = part == TSettingsPart::Section ? "bölüm adı" : part == TSettingsPart::Key ? "ayar adı" : "değer";
    const char* why = refused == TRefusedCharacter::LineBreak ? "satır sonu içeriyor" : "\"=\" işareti içeriyor";
    return FailureBox("Ayarlar " + std::string(path) + " dosyasına yazılamadı: " + what + " " + why, {},
        "Ayarları yeniden seçin ve \"Tamam\" düğmesine basın.", std::nullopt);
}

std::string SettingsValueTooLongText(std::string_view path, std::string_view key, size_t maxLength)
{
    return FailureBox("Ayarlar dosyasındaki (" + std::string(path) + ") " + std::string(key) + " değeri okunamadı: " +
            std::to_string(maxLength) + " karakterden uzun",
        {}, "Dosyada bu satırı düzeltin ya da silin; Varnel o zaman renkleri yeniden okuyabilir.", std::nullopt);
}

std::string SettingsDirectoryUnknownText(std::string_view fileName)
{
    std::string name(fileName);
    if (!name.empty() && name.front() == '\\')
        name.erase(0, 1);
    return FailureBox("Ayarlar kaydedilemedi: " + name + " dosyasının durduğu Windows klasörü bulunamadı", {},
        "Varnel'i kapatıp yeniden başlatın; sorun sürerse yöneticinize başvurun.", std::nullopt);
}

std::string SyncObjectNotCreatedText(TSyncObject object, uint32_t code)
{
    return FailureBox(std::string("Windows, Varnel'in istediği bir kaynağı (") +
            (object == TSyncObject::Event ? "olay" : "semafor") + ") veremedi",
        {}, kCloseSomePrograms, code);
}

std::string ThreadNotStartedText(int errnoValue)
{
    return FailureBox("Windows, gönderim için yeni bir iş parçacığı başlatamadı", {}, kCloseSomePrograms, errnoValue);
}

std::string StartUpWindowMissingText(TStartUpWindow window)
{
    return FailureBox(std::string(window == TStartUpWindow::History ? "Geçmiş" : "Toplu gönderim") +
            " penceresi açılamıyor: program başlarken oluşturulamadı",
        {}, kRestart, std::nullopt);
}

std::string BulkSendRunningText()
{
    return FailureBox("Önceki toplu gönderim henüz bitmedi", {}, "Bitmesini bekleyin ve yeniden deneyin.",
        std::nullopt);
}

std::string BrowseListUnavailableText()
{
    return FailureBox("Çalışma grubunun bilgisayar listesi şu anda alınamıyor", {},
        "Ağ yeni açıldıysa liste bir iki dakika içinde oluşur; biraz sonra yeniden deneyin.", std::nullopt);
}

std::string InternalFaultText(std::string_view detail)
{
    return FailureBox("Varnel'de bir iç hata oluştu: " + std::string(detail), {},
        "Varnel'i kapatıp yeniden başlatın; sorun sürerse bu kutunun metnini Korvent Soft'a bildirin.", std::nullopt);
}

std::string NoSuchItemText(int index) { return InternalFaultText("listede " + std::to_string(index) + ". sıra yok"); }

std::string ListFullText()
{
    return FailureBox("Listeye daha fazla bilgisayar eklenemiyor", {}, kCloseSomePrograms, std::nullopt);
}

std::string UnexpectedFailureText()
{
    return FailureBox("Beklenmeyen bir sorun oluştu", {},
        "Son işlemi yeniden deneyin; sorun sürerse Varnel'i kapatıp yeniden başlatın.", std::nullopt);
}

std::string OutOfMemoryText() { return FailureBox("Bellek yetmedi", {}, kCloseSomePrograms, std::nullopt); }
