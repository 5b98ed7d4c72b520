// The driver's own target window program: ANSI controls that report exactly what input reached them.
#include "DriverTarget.h"

#include <windows.h>

#include <cstdio>
#include <string>

namespace e2e::target {

namespace {

WNDPROC gEditProc = nullptr;
int gClicks = 0;

void SetItemText(HWND parent, int id, const std::string& text) { SetDlgItemTextA(parent, id, text.c_str()); }

// Records the character codes as an ANSI window receives them, before the edit control sees them.
LRESULT CALLBACK EditProc(HWND w, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_CHAR) {
        HWND codes = GetDlgItem(GetParent(w), kCharCodes);
        char hex[8];
        std::snprintf(hex, sizeof hex, "%02X ", static_cast<unsigned>(wp & 0xFFFF));
        std::string text(static_cast<size_t>(GetWindowTextLengthA(codes)) + 1, '\0');
        text.resize(static_cast<size_t>(GetWindowTextA(codes, text.data(), static_cast<int>(text.size()))));
        SetWindowTextA(codes, (text + hex).c_str());
    }
    return CallWindowProcA(gEditProc, w, msg, wp, lp);
}

void CallNetapi(HWND w) {
    HMODULE lib = LoadLibraryA("netapi32.dll");
    if (!lib) {
        SetItemText(w, kResult, "none");
        return;
    }
    if (GetProcAddress(lib, "NetWkstaGetInfo")) {
        SetItemText(w, kResult, "system");  // Wine's own library aborts on this call
        return;
    }
    using SendFn = DWORD(WINAPI*)(const wchar_t*, const wchar_t*, const wchar_t*, BYTE*, DWORD);
    auto send = reinterpret_cast<SendFn>(reinterpret_cast<void*>(GetProcAddress(lib, "NetMessageBufferSend")));
    wchar_t text[] = L"Merhaba";
    const DWORD result =
        send(L"SUNUCU", L"ALICI", L"G\u00D6NDEREN", reinterpret_cast<BYTE*>(text), static_cast<DWORD>(sizeof text));
    SetItemText(w, kResult, "standin:" + std::to_string(result));
}

HWND AddControl(HWND parent, const char* cls, const char* text, DWORD style, int x, int y, int cx, int cy, int id) {
    return CreateWindowExA(0, cls, text, WS_CHILD | WS_VISIBLE | style, x, y, cx, cy, parent,
                           reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleA(nullptr), nullptr);
}

void CreateControls(HWND w) {
    HWND edit = AddControl(w, "Edit", "", WS_TABSTOP | WS_BORDER | ES_AUTOHSCROLL, 10, 10, 200, 24, kEdit);
    gEditProc = reinterpret_cast<WNDPROC>(SetWindowLongPtrA(edit, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(EditProc)));
    AddControl(w, "Static", "", 0, 10, 40, 380, 20, kCharCodes);
    AddControl(w, "Button", "&Tamam", WS_TABSTOP | BS_PUSHBUTTON, 220, 10, 80, 24, kCountButton);
    AddControl(w, "Static", "0", 0, 310, 14, 80, 20, kCount);
    HWND list = AddControl(w, "ListBox", "", WS_TABSTOP | WS_BORDER | WS_VSCROLL | LBS_NOTIFY, 10, 70, 180, 80, kList);
    const std::string items[] = {"Ağ", "Çalışma İşi", std::string(300, 'x'), ""};
    for (const std::string& item : items) SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.c_str()));
    HWND combo = AddControl(w, "ComboBox", "", WS_TABSTOP | CBS_DROPDOWNLIST, 200, 70, 120, 120, kCombo);
    for (const char* item : {"Kırmızı", "Yeşil"}) SendMessageA(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item));
    SendMessageA(combo, CB_SETCURSEL, 1, 0);
    HWND drawn = AddControl(w, "ListBox", "", WS_BORDER | LBS_OWNERDRAWFIXED, 200, 110, 120, 40, kOwnerDrawnList);
    for (LPARAM data : {11, 22}) SendMessageA(drawn, LB_ADDSTRING, 0, data);
    AddControl(w, "Button", "&Mesaj", WS_TABSTOP | BS_PUSHBUTTON, 10, 160, 80, 24, kMessageButton);
    AddControl(w, "Button", "A&ğ", WS_TABSTOP | BS_PUSHBUTTON, 100, 160, 80, 24, kNetButton);
    AddControl(w, "Static", "", 0, 10, 190, 380, 20, kResult);
    char probe[256] = "";
    const DWORD n = GetEnvironmentVariableA(kProbeVariable, probe, sizeof probe);
    AddControl(w, "Static", n < sizeof probe ? probe : "", 0, 10, 214, 380, 20, kProbe);
    SetFocus(edit);
}

LRESULT CALLBACK WindowProc(HWND w, UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
    case WM_CREATE:
        CreateControls(w);
        return 0;
    case WM_COMMAND:
        if (HIWORD(wp) == BN_CLICKED && LOWORD(wp) == kCountButton) {
            SetItemText(w, kCount, std::to_string(++gClicks));
        } else if (HIWORD(wp) == BN_CLICKED && LOWORD(wp) == kMessageButton) {
            const int answer = MessageBoxA(w, "İleti metni\nikinci satır", "Başlık", MB_OKCANCEL | MB_ICONSTOP);
            SetItemText(w, kResult, "mb=" + std::to_string(answer));
        } else if (HIWORD(wp) == BN_CLICKED && LOWORD(wp) == kNetButton) {
            CallNetapi(w);
        }
        return 0;
    case WM_MEASUREITEM:
        reinterpret_cast<MEASUREITEMSTRUCT*>(lp)->itemHeight = 16;
        return TRUE;
    case WM_DRAWITEM:
        return TRUE;
    case WM_CLOSE:
        DestroyWindow(w);
        return 0;
    case WM_DESTROY:
        PostQuitMessage(kExitCode);
        return 0;
    default:
        return DefWindowProcA(w, msg, wp, lp);
    }
}

}  // namespace

int Run() {
    const HINSTANCE instance = GetModuleHandleA(nullptr);
    WNDCLASSA wc{};
    wc.lpfnWndProc = WindowProc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
    wc.hbrBackground = CreateSolidBrush(kBackground);
    wc.lpszClassName = kClass;
    if (!RegisterClassA(&wc)) return 1;
    const int x = (GetSystemMetrics(SM_CXSCREEN) - kWidth) / 2;
    const int y = (GetSystemMetrics(SM_CYSCREEN) - kHeight) / 2;
    HWND w = CreateWindowExA(0, kClass, kTitle, WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN, x, y, kWidth, kHeight,
                             nullptr, nullptr, instance, nullptr);
    if (!w) return 2;
    SetForegroundWindow(w);
    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
        if (IsDialogMessageA(w, &msg)) continue;
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    return static_cast<int>(msg.wParam);
}

}  // namespace e2e::target
