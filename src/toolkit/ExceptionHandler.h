// Where an exception goes that reaches a window procedure or another callback (it cannot unwind through the
// platform's frames): to the handler the application registered, or, while none is, to the plain system error box.
#pragma once
#include <functional>
#include <string>

#include "toolkit/Classes.h"

// Runs inside a catch block, so it can rethrow to see the exception.
using TExceptionHandler = std::function<void(TObject* Sender)>;

// Replaces the handler; an empty one puts the plain error box back.
void SetExceptionHandler(TExceptionHandler handler);

// Hands the exception being handled to the registered handler (call inside a catch block).
void HandleCallbackException(TObject* Sender);

// The text of the exception being handled (call inside a catch block).
std::string CurrentExceptionMessage();
