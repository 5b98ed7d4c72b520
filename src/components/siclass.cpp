// TSiApplication: the named mutex by which a second copy of the program recognises the first.
#include "components/siclass.h"

#include "core/ShellTargets.h"

extern "C" IMAGE_DOS_HEADER __ImageBase;

TSiApplication* SiApplication = nullptr;

std::string OwnProgramPath()
{
    // The call truncates silently when the buffer is short: grow until the whole path fits.
    std::string path(MAX_PATH, '\0');
    for (;;) {
        const DWORD length = GetModuleFileNameA(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length == 0)
            return {};
        if (length < path.size()) {
            path.resize(length);
            return path;
        }
        if (path.size() >= 32768)
            return {};
        path.resize(path.size() * 2);
    }
}

bool RunsInsideLibrary() { return reinterpret_cast<HMODULE>(&__ImageBase) != GetModuleHandleA(nullptr); }

TSiApplication::TSiApplication() : TSiApplication(OwnProgramPath()) {}

TSiApplication::TSiApplication(const std::string& programPath)
    : TComponent(nullptr), FMutexName(ProgramFileName(programPath))
{
    // An unknown path would make an unnamed mutex that marks nothing: run as the only copy.
    if (FMutexName.empty())
        return;
    FMutex = CreateMutexA(nullptr, FALSE, FMutexName.c_str());
    FAnotherInstance = FMutex != nullptr && GetLastError() == ERROR_ALREADY_EXISTS;
}

TSiApplication::~TSiApplication()
{
    if (FMutex)
        CloseHandle(FMutex);
}
