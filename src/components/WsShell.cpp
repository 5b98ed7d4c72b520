// TWsShellComponent: reading the shell library's file version once, for the components that depend on it.
#include "components/WsShell.h"

#include <windows.h>

#include <cstring>
#include <vector>

#include "core/BrowseRules.h"
#include "toolkit/LibraryBinding.h"

std::string ReadShellFileVersion()
{
    char directory[260] = "";
    const UINT length = GetSystemDirectoryA(directory, sizeof(directory));
    if (length == 0 || length >= sizeof(directory))
        return "";
    const std::string file = std::string(directory) + "\\shell32.dll";
    // Loaded when a browse first asks, not at every start.
    static TLibraryBinding library("version.dll");
    if (library.Load() != 0)
        return "";
    const TLibraryBinding::TCall sizeCall(library, "GetFileVersionInfoSizeA"),
        infoCall(library, "GetFileVersionInfoA"), queryCall(library, "VerQueryValueA");
    const auto getInfoSize = sizeCall.Entry<decltype(&GetFileVersionInfoSizeA)>();
    const auto getInfo = infoCall.Entry<decltype(&GetFileVersionInfoA)>();
    const auto queryValue = queryCall.Entry<decltype(&VerQueryValueA)>();
    if (!getInfoSize || !getInfo || !queryValue)
        return "";
    DWORD ignored = 0;
    const DWORD size = getInfoSize(file.c_str(), &ignored);
    if (size == 0)
        return "";
    std::vector<char> data(size);
    if (!getInfo(file.c_str(), 0, size, data.data()))
        return "";
    struct Translation {
        WORD Language, CodePage;
    }* translations = nullptr;
    UINT bytes = 0;
    if (!queryValue(data.data(), "\\VarFileInfo\\Translation", reinterpret_cast<void**>(&translations), &bytes)
        || bytes < sizeof(Translation))
        return "";
    char key[64];
    wsprintfA(key, "\\StringFileInfo\\%04x%04x\\FileVersion", translations[0].Language, translations[0].CodePage);
    char* value = nullptr;
    UINT valueLength = 0;
    if (!queryValue(data.data(), key, reinterpret_cast<void**>(&value), &valueLength) || !value)
        return "";
    return std::string(value, strnlen(value, valueLength));
}

TWsShellComponent::TWsShellComponent(TComponent* AOwner) : TWsComponent(AOwner) {}

double TWsShellComponent::ShellVersion() const
{
    if (!FShellVersionRead) {
        FShellVersion = ParseShellVersion(ReadShellFileVersion());
        FShellVersionRead = true;
    }
    return FShellVersion;
}
