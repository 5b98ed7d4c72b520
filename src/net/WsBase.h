// Base of the network and shell components, and the error texts they report.
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

// The words for an error code (ErrorCodeText over the system message table read language neutral, at most
// 256 characters): the system's text, else the network error table's; empty when neither knows the code.
std::string ErrorCodeText(uint32_t code);

// The system's own text for a code, asked with language id 0 (the documented search order, so an English Windows
// with Turkish regional settings still answers), at most 256 characters, cleaned; empty when it has none.
std::string SystemErrorText(uint32_t code);

// True on the NT family from version 5 (Windows 2000) on.
bool IsNtVersion5OrLater();
