// The texts sent in this run: kept by the program, shown (and cleared) by the history window.
#pragma once
#include <functional>
#include <string>
#include <utility>
#include <vector>

class TSendHistory {
public:
    // Whether two texts count as the same entry: the history list's own comparison of whole texts.
    using TSameText = std::function<bool(const std::string& a, const std::string& b)>;

    explicit TSendHistory(TSameText sameText) : FSameText(std::move(sameText)) {}

    // Adds the memo's text unchanged unless an entry equal to its trimmed form is there already; true when added.
    bool Record(const std::string& memoText);
    void Clear();
    // In the order they were sent (the window sorts what it shows).
    const std::vector<std::string>& Entries() const { return FEntries; }

    // The window that shows the history hears of each added text and of the clearing.
    std::function<void(const std::string& text)> OnAdded;
    std::function<void()> OnCleared;

private:
    TSameText FSameText;
    std::vector<std::string> FEntries;
};

// The send command's input check: a message (after trimming) and a recipient field text are both needed.
bool CanSend(const std::string& memoText, const std::string& recipientField);
