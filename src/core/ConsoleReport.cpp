// The console program's result lines, summary and exit code.
#include "core/ConsoleReport.h"

#include <string_view>

#include "core/ConsoleTexts.h"
#include "core/Text.h"

namespace {

int DeliveredCount(const std::vector<TDeliveryResult>& results)
{
    int delivered = 0;
    for (const TDeliveryResult& result : results)
        delivered += result.Delivered ? 1 : 0;
    return delivered;
}

} // namespace

std::string OneLineText(const std::string& text)
{
    std::string line;
    size_t start = 0;
    while (start <= text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos)
            end = text.size();
        const std::string part = Trim(std::string_view(text).substr(start, end - start));
        if (!part.empty())
            line += (line.empty() ? "" : " ") + WithFullStop(part);
        start = end + 1;
    }
    return line;
}

std::string ConsoleResultLine(const TDeliveryResult& result)
{
    if (result.Delivered)
        return result.Recipient + kConsoleDelivered;
    std::string line = result.Recipient + kConsoleNotDelivered;
    const std::string text = OneLineText(result.ErrorText);
    line += text.empty() ? kConsoleUnknownFailure : text;
    if (result.ErrorCode != 0)
        line += kConsoleErrorCodeBefore + std::to_string(result.ErrorCode) + ")";
    return line;
}

std::string ConsoleSummaryLine(const std::vector<TDeliveryResult>& results)
{
    const int total = static_cast<int>(results.size());
    const int delivered = DeliveredCount(results);
    if (delivered == total)
        return total == 1 ? kConsoleAllOne : kConsoleAllBefore + std::to_string(total) + kConsoleAllAfter;
    if (delivered == 0)
        return total == 1 ? kConsoleNoneOne : kConsoleNoneBefore + std::to_string(total) + kConsoleNoneAfter;
    return kConsoleSomeBefore + std::to_string(total) + kConsoleSomeMiddle + std::to_string(delivered) +
        kConsoleSomeAfter + std::to_string(total - delivered) + kConsoleSomeEnd;
}

TConsoleExitCode ConsoleExitCode(const std::vector<TDeliveryResult>& results)
{
    const int delivered = DeliveredCount(results);
    if (results.empty())
        return kExitWrongCall;
    if (delivered == static_cast<int>(results.size()))
        return kExitAllDelivered;
    return delivered == 0 ? kExitNoneDelivered : kExitSomeFailed;
}
