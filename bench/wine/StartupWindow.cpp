// The yardsticks of the start-up benchmark: one borderless 350 x 300 window of the main window's colour,
// centred like it. Built plain (the minimal window), and with STARTUP_FLOOR (the floor): the same window in a
// process that also loads what Varnel cannot start without: common controls 6 through the manifest, ole32
// with CoInitialize, shell32, comdlg32, ws2_32, and netapi32 bound at run time.
#ifdef STARTUP_FLOOR
#include <winsock2.h> // before windows.h, which would bring the older socket header
#endif
#include <windows.h>

#ifdef STARTUP_FLOOR
#include <commctrl.h>
#include <commdlg.h>
#include <objbase.h>
#include <shellapi.h>
#endif

namespace {

constexpr int kWidth = 350;
constexpr int kHeight = 300;
constexpr COLORREF kColor = RGB(0x80, 0x80, 0xFF);

LRESULT CALLBACK WindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (msg == WM_DESTROY) {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcA(hwnd, msg, wParam, lParam);
}

#ifdef STARTUP_FLOOR
// Each library is imported, so the loader maps it before the window exists, as it does for Varnel; the
// pointers are only compared, never called, except InitCommonControlsEx and CoInitialize below.
bool LoadTheLibraries()
{
    INITCOMMONCONTROLSEX icc{sizeof(icc), ICC_STANDARD_CLASSES | ICC_WIN95_CLASSES};
    InitCommonControlsEx(&icc);
    CoInitialize(nullptr);
    const void* volatile imported[] = {reinterpret_cast<const void*>(&ShellExecuteExA),
        reinterpret_cast<const void*>(&ChooseColorA), reinterpret_cast<const void*>(&WSAStartup)};
    bool all = true;
    for (const void* const volatile& p : imported)
        all = all && p != nullptr;
    return LoadLibraryA("netapi32.dll") != nullptr && all;
}
#endif

} // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int)
{
#ifdef STARTUP_FLOOR
    if (!LoadTheLibraries())
        return 2;
#endif
    WNDCLASSA wc{};
    wc.lpfnWndProc = WindowProc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
    wc.hbrBackground = CreateSolidBrush(kColor);
    wc.lpszClassName = "StartupWindow";
    if (!RegisterClassA(&wc))
        return 1;
    HWND hwnd = CreateWindowExA(0, wc.lpszClassName, "Startup", WS_POPUP,
        (GetSystemMetrics(SM_CXSCREEN) - kWidth) / 2, (GetSystemMetrics(SM_CYSCREEN) - kHeight) / 2, kWidth,
        kHeight, nullptr, nullptr, instance, nullptr);
    if (!hwnd)
        return 1;
    ShowWindow(hwnd, SW_SHOW);
    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
#ifdef STARTUP_FLOOR
    CoUninitialize();
#endif
    return 0;
}
