// What a successful send leaves in the history of sent texts.
#pragma once
#include <string>

#include "core/Strings.h"

// Adds the memo's text unchanged unless an entry equal to its trimmed form is there already.
// Returns true when it was added.
bool RecordSentText(TStrings& history, const std::string& memoText);

// The send command's input check: a message (after trimming) and a recipient field text are both needed.
bool CanSend(const std::string& memoText, const std::string& recipientField);
