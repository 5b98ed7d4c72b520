// TSiApplication: the program's single-copy marker, a mutex named after its file, taken first thing at start-up.
#pragma once
#include <windows.h>

#include <string>

#include "toolkit/Classes.h"

class TSiApplication : public TComponent {
public:
    // Named after this program's own executable file.
    TSiApplication();
    // Named after the file of `programPath` (everything after its last backslash or colon).
    explicit TSiApplication(const std::string& programPath);
    ~TSiApplication() override;

    // Whether the mutex already existed when this object was created: another copy runs.
    bool AnotherInstance() const { return FAnotherInstance; }
    const std::string& MutexName() const { return FMutexName; }
    // Whether the mutex is held (false when the platform refused it; the copy then runs as the only one).
    bool HoldsMutex() const { return FMutex != nullptr; }

private:
    std::string FMutexName;
    HANDLE FMutex = nullptr;
    bool FAnotherInstance = false;
};

// The program's one marker: WinMain takes it before anything else and lets it go as it returns (null outside).
extern TSiApplication* SiApplication;

// The full path of this program's executable, however long.
std::string OwnProgramPath();

// Whether this code runs inside a loaded library rather than as the program itself.
bool RunsInsideLibrary();
