// WinMain: the start-up sequence of the program.
#include <windows.h>
#include <objbase.h>

#include "app/StartUp.h"
#include "net/NetApi32.h"
#include "components/siclass.h"
#include "toolkit/Application.h"
#include "toolkit/Threads.h"

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
    // The windows are gone and the bulk sender has waited its bound for the deliveries under way. A helper that
    // still hangs in a platform call (a delivery, the session road, a name lookup) would wake up to a freed
    // library and to the locks and settings the runtime destroys after this function: the process ends here,
    // which stops every other thread before anything is torn down.
    if (TWorkerThread::Running() != 0)
        ExitProcess(static_cast<UINT>(exitCode));
    NetApi32::DoneNetApi32();
    CoUninitialize();
    SiApplication = nullptr;
    return exitCode;
}
