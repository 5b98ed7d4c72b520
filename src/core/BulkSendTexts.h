// Every Turkish text of bulk sending, in one place.
#pragma once

// The result box when some deliveries failed: "<total> bilgisayardan <delivered> tanesine gönderildi."
inline constexpr char kBulkSomeDeliveredBefore[] = "Mesaj ";
inline constexpr char kBulkSomeDeliveredMiddle[] = " bilgisayardan ";
inline constexpr char kBulkSomeDeliveredAfter[] = " tanesine gönderildi.";
// ... and when none was delivered: "Mesaj <total> bilgisayarın hiçbirine gönderilemedi."
inline constexpr char kBulkNoneDeliveredBefore[] = "Mesaj ";
inline constexpr char kBulkNoneDeliveredAfter[] = " bilgisayarın hiçbirine gönderilemedi.";
// The heading of the list of failed computers; each line reads "<computer> (<code>): <text>".
inline constexpr char kBulkFailedHeading[] = "Gönderilemeyen bilgisayarlar:";
// Stands where a failure came without words, so that no line ends in an empty text.
inline constexpr char kBulkUnknownFailure[] = "Bilinmeyen hata";
