// Every Turkish text of the console program varnelc, in one place.
#pragma once
#include <cstddef>

// Every line fits the 80 columns of a console window.
inline constexpr char kConsoleUsage[] =
    "Varnel komut satırı: ağdaki bilgisayarlara mesaj gönderir.\n"
    "\n"
    "  varnelc /kime:PC1,PC2 /mesaj:\"Sunucu 10 dakika sonra yeniden başlayacak\"\n"
    "  varnelc /kime:* ...        çalışma grubundaki bütün bilgisayarlara\n"
    "                             (bu bilgisayar hariç)\n"
    "  varnelc /kime:@adlar.txt   dosyadaki bilgisayarlara: her satırda bir ad,\n"
    "                             ; ile başlayan satırlar açıklama\n"
    "  echo Mesaj | varnelc /kime:PC1\n"
    "                             /mesaj yoksa mesaj standart girdiden okunur\n"
    "  varnelc /liste             çalışma grubundaki bilgisayarları listeler\n"
    "  varnelc /?                 bu açıklama\n"
    "\n"
    "Anahtarlar büyük ya da küçük harfle, / ya da - ile yazılabilir.\n"
    "Çıkış kodu: 0 mesaj bütün bilgisayarlara gönderildi, 1 bazılarına\n"
    "gönderilemedi, 2 hiçbirine gönderilemedi, 3 yanlış çağrı ya da gönderilecek\n"
    "bilgisayar yok.";

// Wrong calls: what was wrong, then the usage follows.
inline constexpr char kConsoleUnknownSwitch[] = "Bilinmeyen anahtar: ";
inline constexpr char kConsoleStrayBefore[] = "Anlaşılmayan bölüm: ";
inline constexpr char kConsoleStrayAfter[] = " (boşluk içeren bir mesajı tırnak içine alın: /mesaj:\"...\")";
inline constexpr char kConsoleTwice[] = "Bu anahtar bir kez verilebilir: ";
inline constexpr char kConsoleNeedsValue[] = "Bu anahtarın ardından iki nokta ve bir değer gelmeli: ";
inline constexpr char kConsoleTakesNoValue[] = "Bu anahtar değer almaz: ";
inline constexpr char kConsoleListAlone[] = "/liste, /kime ve /mesaj ile birlikte kullanılmaz.";
inline constexpr char kConsoleNoRecipientSwitch[] = "Kime gönderileceği verilmedi: /kime anahtarını kullanın.";
inline constexpr char kConsoleNoNames[] = "/kime ile hiçbir bilgisayar adı verilmedi.";
inline constexpr char kConsoleNoFileName[] = "/kime:@ ardından ad dosyasının yolu gelmeli.";

// The message text.
inline constexpr char kConsoleEmptyMessage[] = "Mesaj boş: /mesaj:\"...\" ile ya da standart girdiden bir mesaj verin.";
inline constexpr char kConsoleMessageTooLongBefore[] = "Mesaj çok uzun: en çok ";
inline constexpr char kConsoleMessageTooLongAfter[] = " karakter gönderilebilir. Mesajı kısaltın.";
inline constexpr char kConsoleUnmappableText[] =
    "Mesajda ya da bir adda Türkçe kod sayfasında (1254) bulunmayan bir karakter var. O karakteri çıkarın.";
inline constexpr char kConsoleInputUnreadable[] = "Mesaj standart girdiden okunamadı";
inline constexpr char kConsoleTypePrompt[] =
    "Mesajı yazın; bitirmek için yeni bir satırda Ctrl+Z, ardından Enter tuşuna basın.";

// Recipients.
inline constexpr char kConsoleNobodyToSend[] = "Gönderilecek bilgisayar yok.";
inline constexpr char kConsoleWorkgroupEmpty[] = "Çalışma grubunda bu bilgisayardan başka bilgisayar bulunamadı.";
inline constexpr char kConsoleListFailed[] = "Çalışma grubunun bilgisayar listesi alınamadı: ";
inline constexpr char kConsoleFileUnreadable[] = "Ad dosyası okunamadı: ";
inline constexpr char kConsoleFileTooLarge[] = "Ad dosyası çok büyük (en çok 1 MB): ";
inline constexpr char kConsoleFileHint[] = "Dosyanın yolunu denetleyin.";
inline constexpr char kConsoleErrorCodeBefore[] = " (hata kodu ";

// One line per recipient and the summary.
inline constexpr char kConsoleDelivered[] = ": gönderildi";
inline constexpr char kConsoleNotDelivered[] = ": gönderilemedi — ";
inline constexpr char kConsoleUnknownFailure[] = "nedeni bilinmiyor";
inline constexpr char kConsoleAllOne[] = "Mesaj gönderildi.";
inline constexpr char kConsoleAllBefore[] = "Mesaj ";
inline constexpr char kConsoleAllAfter[] = " bilgisayarın hepsine gönderildi.";
inline constexpr char kConsoleSomeBefore[] = "Mesaj ";
inline constexpr char kConsoleSomeMiddle[] = " bilgisayardan ";
inline constexpr char kConsoleSomeAfter[] = " tanesine gönderildi, ";
inline constexpr char kConsoleSomeEnd[] = " tanesine gönderilemedi.";
inline constexpr char kConsoleNoneOne[] = "Mesaj gönderilemedi.";
inline constexpr char kConsoleNoneBefore[] = "Mesaj ";
inline constexpr char kConsoleNoneAfter[] = " bilgisayarın hiçbirine gönderilemedi.";
