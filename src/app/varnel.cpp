// WinMain: the start-up sequence of the program.
#include <windows.h>
#include <objbase.h>

#include "components/WsNetApi.h"
#include "forms/main.h"
#include "toolkit/Application.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    CoInitialize(nullptr);
    {
        TApplication application;
        try {
            application.Initialize();
            application.SetTitle("Varnel");
            application.CreateForm(Form1);
        } catch (...) {
            application.HandleException(&application);
        }
        application.Run();
    }
    ReleaseNetApi();
    CoUninitialize();
    return 0;
}
