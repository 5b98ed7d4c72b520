// TWsShellComponent: the base of the shell components, which knows the version of the platform's shell library.
#pragma once
#include <string>

#include "net/WsBase.h"

// Knows the version of the platform's shell library, read once when first asked (not while the program starts).
class TWsShellComponent : public TWsComponent {
public:
    explicit TWsShellComponent(TComponent* AOwner);
    double ShellVersion() const;

private:
    mutable double FShellVersion = 0;
    mutable bool FShellVersionRead = false;
};

// Reads "FileVersion" of shell32.dll in the system directory; empty when there is none.
std::string ReadShellFileVersion();
