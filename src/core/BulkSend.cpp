// Bulk sending without the platform: the recipient plan and the folding of results.
#include "core/BulkSend.h"

#include "core/BulkSendTexts.h"
#include "core/SendFailure.h"
#include "core/Text.h"


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
        if (outcome.Failed.size() > static_cast<size_t>(kBulkFailureLinesShown))
            continue;
        TSendFailure failure = UnexpectedSendFailure(result.ErrorCode);
        if (!Trim(result.ErrorText).empty())
            failure.Reason = Trim(result.ErrorText);
        lines += "\n" + SendFailureLine(result.Recipient, failure);
    }
    if (outcome.Failed.empty())
        return outcome;
    const int hidden = static_cast<int>(outcome.Failed.size()) - kBulkFailureLinesShown;
    if (hidden > 0)
        lines += "\n" + std::string(kBulkMoreBefore) + std::to_string(hidden) + kBulkMoreAfter;
    outcome.FailureSummary = outcome.Delivered > 0
        ? kBulkSomeDeliveredBefore + std::to_string(outcome.Total) + kBulkSomeDeliveredMiddle +
            std::to_string(outcome.Delivered) + kBulkSomeDeliveredAfter
        : std::string(kBulkNoneDelivered);
    outcome.FailureSummary += "\n\n";
    outcome.FailureSummary += kBulkFailedHeading;
    outcome.FailureSummary += lines;
    outcome.FailureSummary += "\n\n";
    outcome.FailureSummary += kBulkRetry;
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
