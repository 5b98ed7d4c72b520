// What the console program prints about a send, and the exit code a script reads.
#pragma once
#include <string>
#include <vector>

#include "core/BulkSend.h"

// "PC01: gönderildi", or "PC02: gönderilemedi — <the failure text on one line> (hata kodu <code>)".
std::string ConsoleResultLine(const TDeliveryResult& result);

// One sentence: to how many the message went and to how many not.
std::string ConsoleSummaryLine(const std::vector<TDeliveryResult>& results);

enum TConsoleExitCode {
    kExitAllDelivered = 0,
    kExitSomeFailed = 1,
    kExitNoneDelivered = 2,
    kExitWrongCall = 3, // also: nobody to send to
};

TConsoleExitCode ConsoleExitCode(const std::vector<TDeliveryResult>& results);

// A text of several lines (a reason under the error) on one line: each part trimmed and ended with a full stop
// the way the error box ends a message.
std::string OneLineText(const std::string& text);
