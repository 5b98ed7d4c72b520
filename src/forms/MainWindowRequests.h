// What the other windows may ask of the main window: they know it only through this, never its controls.
#pragma once
#include <string>
#include <vector>

#include "core/ColorTheme.h"

class TMainWindowRequests {
public:
    // The colours the main window shows, which the other windows take at their show.
    virtual TColorTheme Theme() const = 0;
    // Shows a confirmed colour choice.
    virtual void ApplyTheme(const TColorTheme& theme) = 0;
    // A send goes to these computers from now on (the picker's choice), and the recipient field says so.
    virtual void TakeBulkRecipients(std::vector<std::string> recipients) = 0;
    // The computers the next Gönder retries (those a bulk send of the memo's text failed for); empty when it
    // goes to the whole choice.
    virtual std::vector<std::string> RetryRecipients() const = 0;
    // A text to send again: it goes into the memo as not yet sent, and the memo takes the focus.
    virtual void PutIntoMemo(const std::string& text) = 0;
    // The memo takes the focus when the main window is active again.
    virtual void ReturnToMemo() = 0;

protected:
    ~TMainWindowRequests() = default;
};
