// A failed send as a user reads it: what happened to the message, what to do next, the code last; and the words
// for the codes a messenger send meets.
#pragma once
#include <cstdint>
#include <string>
#include <string_view>

struct TSendFailure {
    std::string Reason; // the clause after "gönderilemedi: ", lower case, no full stop ("bu ad ağda bulunamadı")
    std::string Next;   // what to do, whole sentences ending in a full stop
    int32_t Code = 0;   // 0: none to show
    std::string Detail; // the system's own text for the code, shown under the reason when there is one
};

// "Mesaj <recipient> bilgisayarına gönderilemedi: <reason>.", the detail, the next step and "(hata kodu <code>)",
// each on a line of its own.
std::string SendFailureBox(std::string_view recipient, const TSendFailure& failure);

// One line of a list of failed computers: "<recipient>: <reason> (hata kodu <code>)."
std::string SendFailureLine(std::string_view recipient, const TSendFailure& failure);

// The messenger operation's result in the user's words; a code the program has no words for gets a general reason.
TSendFailure MessengerFailure(uint32_t code, std::string systemText);

// Windows's network library could not be loaded, or it has no messenger operation.
TSendFailure NetworkLibraryMissing(uint32_t code, std::string systemText, std::string_view library);
TSendFailure MessengerOperationMissing(uint32_t code, std::string systemText);

// A failure that came without words of its own (an unexpected exception on a worker).
TSendFailure UnexpectedSendFailure(int32_t code);
