// Bulk sending without the platform: the recipient plan and the folding of results.
#include "core/BulkSend.h"

#include "core/BulkSendTexts.h"
#include "core/Text.h"

#include <string_view>

std::vector<std::string> PlanBulkRecipients(const std::vector<TPickerItem>& items)
{
    std::vector<std::string> plan;
    for (const TPickerItem& item : items) {
        if (!item.Checked)
            continue;
        const std::string name = Trim(item.Name);
        if (name.empty())
            continue;
        bool known = false;
        for (const std::string& planned : plan)
            known = known || SameTextAscii(planned, name);
        if (!known)
            plan.push_back(name);
    }
    return plan;
}

namespace {

// One line per failed computer: a text of several lines (a reason under the error) is joined with dashes.
std::string FailureLine(const TDeliveryResult& result)
{
    std::string text;
    size_t start = 0;
    while (start <= result.ErrorText.size()) {
        size_t end = result.ErrorText.find('\n', start);
        if (end == std::string::npos)
            end = result.ErrorText.size();
        const std::string part = Trim(std::string_view(result.ErrorText).substr(start, end - start));
        if (!part.empty())
            text += (text.empty() ? "" : " - ") + part;
        start = end + 1;
    }
    return result.Recipient + " (" + std::to_string(result.ErrorCode) + "): " + (text.empty() ? kBulkUnknownFailure : text);
}

} // namespace

TBulkOutcome FoldBulkResults(const std::vector<TDeliveryResult>& results)
{
    TBulkOutcome outcome;
    outcome.Total = static_cast<int>(results.size());
    std::string lines;
    for (const TDeliveryResult& result : results) {
        if (result.Delivered) {
            ++outcome.Delivered;
            continue;
        }
        outcome.Failed.push_back(result.Recipient);
        lines += "\n" + FailureLine(result);
    }
    if (outcome.Failed.empty())
        return outcome;
    const std::string total = std::to_string(outcome.Total);
    outcome.FailureSummary = outcome.Delivered > 0
        ? kBulkSomeDeliveredBefore + total + kBulkSomeDeliveredMiddle + std::to_string(outcome.Delivered) +
            kBulkSomeDeliveredAfter
        : kBulkNoneDeliveredBefore + total + kBulkNoneDeliveredAfter;
    outcome.FailureSummary += "\n\n";
    outcome.FailureSummary += kBulkFailedHeading;
    outcome.FailureSummary += lines;
    return outcome;
}

int TBulkProgress::PerMille() const
{
    if (Total <= 0 || Done <= 0)
        return 0;
    if (Done >= Total)
        return 1000;
    return static_cast<int>(static_cast<long long>(Done) * 1000 / Total);
}
