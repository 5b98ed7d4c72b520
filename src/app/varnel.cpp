// WinMain: the start-up sequence of the program.
#include <windows.h>
#include <objbase.h>

#include "app/StartUp.h"
#include "components/NetApi32.h"
#include "toolkit/Application.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    CoInitialize(nullptr);
    int exitCode = 0;
    // The single-copy marker (components/siclass) was taken when the program was loaded, before this runs.
    {
        TApplication application;
        // Bound before any window; a failure only means that enumerating the network reports it later.
        try {
            NetApi32::InitNetApi32();
        } catch (...) {
            application.HandleException(&application);
        }
        exitCode = RunProgram(application, ProgramWindows());
    }
    NetApi32::DoneNetApi32();
    CoUninitialize();
    return exitCode;
}
