// TWsShellComponent: the base of the shell components, which knows the version of the platform's shell library.
#pragma once
#include <string>

#include "net/WsBase.h"

// Holds the version of the platform's shell library, read once at construction.
class TWsShellComponent : public TWsComponent {
public:
    explicit TWsShellComponent(TComponent* AOwner);
    double ShellVersion() const { return FShellVersion; }

protected:
    double FShellVersion = 0;
};

// Reads "FileVersion" of shell32.dll in the system directory; empty when there is none.
std::string ReadShellFileVersion();
