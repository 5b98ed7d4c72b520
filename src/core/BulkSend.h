// Bulk sending without the platform: who receives the message, and what the user is told afterwards.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

// One line of the picker's check list as it stands when the picker closes.
struct TPickerItem {
    std::string Name;
    bool Checked = false;
};

// The checked computers in list order, each once: names are compared without surrounding blanks and with
// ASCII letter case ignored (computer names are not case-sensitive); blank names are no computers.
std::vector<std::string> PlanBulkRecipients(const std::vector<TPickerItem>& items);

// How one delivery ended.
struct TDeliveryResult {
    std::string Recipient;
    bool Delivered = false;
    int32_t ErrorCode = 0;
    std::string ErrorText; // the reason in the user's words, lower case ("bu ad ağda bulunamadı"); may be empty
};

// The result box lists at most this many failed computers, then says how many more there are.
inline constexpr int kBulkFailureLinesShown = 10;

// A whole bulk send folded for the user.
struct TBulkOutcome {
    int Total = 0;
    int Delivered = 0;
    std::vector<std::string> Failed; // the retry set, in the order of the plan
    std::string FailureSummary;      // the result box's text; empty when every delivery succeeded

    bool AllDelivered() const { return Failed.empty(); }
    bool AnyDelivered() const { return Delivered > 0; }
};

// Folds the results (in plan order) into counts, the retry set and the Turkish summary.
TBulkOutcome FoldBulkResults(const std::vector<TDeliveryResult>& results);

// Who has finished and how many there are, for the progress display.
struct TBulkProgress {
    int Done = 0;
    int Total = 0;
    // Done in per-thousands, 0 for an empty send; never above 1000.
    int PerMille() const;
};
