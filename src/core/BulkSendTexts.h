// Every Turkish text of bulk sending, in one place.
#pragma once

// The result box when some deliveries failed: "Mesaj <total> bilgisayardan <delivered> tanesine gönderildi."
inline constexpr char kBulkSomeDeliveredBefore[] = "Mesaj ";
inline constexpr char kBulkSomeDeliveredMiddle[] = " bilgisayardan ";
inline constexpr char kBulkSomeDeliveredAfter[] = " tanesine gönderildi.";
// ... and when none was delivered.
inline constexpr char kBulkNoneDelivered[] = "Mesaj gönderilemedi.";
// The heading of the list of failed computers; each line reads "<computer>: <reason> (hata kodu <code>)."
inline constexpr char kBulkFailedHeading[] = "Gönderilemeyen bilgisayarlar:";
// After the tenth line: "… ve <n> bilgisayar daha".
inline constexpr char kBulkMoreBefore[] = "… ve ";
inline constexpr char kBulkMoreAfter[] = " bilgisayar daha";
// What the next Gönder does: the same text goes to the failed computers only, a changed one to all chosen again.
inline constexpr char kBulkRetry[] =
    "Yalnızca bu bilgisayarlara yeniden göndermek için metni değiştirmeden \"Gönder\" düğmesine basın; metni "
    "değiştirirseniz mesaj seçtiğiniz bilgisayarların hepsine gönderilir.";
