// A small ANSI window program, run as "e2e_tests.exe --driver-target", on which the driver proves itself.
#pragma once

namespace e2e::target {

inline constexpr const char* kSwitch = "--driver-target";
inline constexpr const char* kClass = "E2eDriverTarget";
inline constexpr const char* kTitle = "Sürücü hedefi";
inline constexpr const char* kProbeVariable = "E2E_PROBE";
inline constexpr int kExitCode = 7;
inline constexpr int kWidth = 400;
inline constexpr int kHeight = 300;
inline constexpr unsigned long kBackground = 0xFF8080;  // COLORREF: red 128, green 128, blue 255

enum : int {
    kEdit = 101,  // every WM_CHAR it receives is appended to kCharCodes as two hex digits and a blank
    kCharCodes = 103,
    kCountButton = 104,  // "&Tamam": each click counts in kCount
    kCount = 105,
    kList = 106,
    kCombo = 107,
    kOwnerDrawnList = 108,  // items without texts, data 11 and 22
    kMessageButton = 109,  // "&Mesaj": a message box; its answer goes to kResult as "mb=<id>"
    kResult = 110,
    kNetButton = 111,  // "A&ğ": calls NetMessageBufferSend; kResult shows "standin:<result>" or "system"
    kProbe = 112,  // the value of E2E_PROBE at start
};

int Run();

}  // namespace e2e::target
