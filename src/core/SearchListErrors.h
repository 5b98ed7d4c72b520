// The errors the search list and its controller raise, with the texts the program shows for them.
#pragma once
#include "core/Exceptions.h"

// A search list or search field was created on a window that holds no controller.
class ENoControllerAssigned : public Exception {
public:
    ENoControllerAssigned() : Exception("No Controller assigned") {}
};

// The controller's timer service could not obtain a platform timer.
class ENoTimersAvailable : public Exception {
public:
    ENoTimersAvailable() : Exception("No Window's timers are available") {}
};

// The entry list refused another entry.
class EOutOfResources : public Exception {
public:
    EOutOfResources() : Exception("Unable to insert a line") {}
};
