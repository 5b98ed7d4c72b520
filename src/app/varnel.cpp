// WinMain: the start-up sequence of the program.
#include <windows.h>
#include <objbase.h>

#include "components/NetApi32.h"
#include "components/WsNetApi.h"
#include "forms/f_Toplu.h"
#include "forms/f_history.h"
#include "forms/main.h"
#include "toolkit/Application.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    CoInitialize(nullptr);
    // The single-copy marker (components/siclass) was taken when the program was loaded, before this runs.
    {
        TApplication application;
        // Bound before any window; a failure only means that enumerating the network reports it later.
        try {
            NetApi32::InitNetApi32();
        } catch (...) {
            application.HandleException(&application);
        }
        try {
            application.Initialize();
            application.SetTitle("Varnel");
            application.CreateForm(Form1);
            application.CreateForm(Frm_History);
            Form1->History = &Frm_History->LB_History->Items();
            application.CreateForm(Frm_Toplu);
        } catch (...) {
            application.HandleException(&application);
        }
        application.Run();
    }
    ReleaseNetApi();
    NetApi32::DoneNetApi32();
    CoUninitialize();
    return 0;
}
