// WinMain: the start-up sequence of the program.
#include <windows.h>
#include <objbase.h>

#include "app/StartUp.h"
#include "net/NetApi32.h"
#include "components/siclass.h"
#include "toolkit/Application.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    // Taken before anything else, so that a second copy started a moment later already finds it.
    TSiApplication singleCopyMarker;
    SiApplication = &singleCopyMarker;
    CoInitialize(nullptr);
    int exitCode = 0;
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
    SiApplication = nullptr;
    return exitCode;
}
