// Base of the network and shell components, and the system error texts they report.
#pragma once
#include <cstdint>
#include <string>

#include "core/Exceptions.h"
#include "toolkit/Classes.h"

class TWsComponent : public TComponent {
public:
    explicit TWsComponent(TComponent* AOwner) : TComponent(AOwner) {}

    // The library's version; writing it changes nothing.
    std::string Version() const { return "3.01"; }
    void SetVersion(const std::string&) {}
};

// The system message text for an error code: language neutral, at most 256 characters, without trailing
// blanks and full stops; empty when the system has no text for the code.
std::string SystemErrorText(uint32_t code);

// True on the NT family from version 5 (Windows 2000) on.
bool IsNtVersion5OrLater();
