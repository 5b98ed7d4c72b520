// Run-time binding of the terminal-services calls of wtsapi32 that send a message to another computer's sessions.
#pragma once
#include <windows.h>
#include <wtsapi32.h>

#include <string>

// Mirrors WTS_SESSION_INFOA.
struct TWtsSessionInfo {
    DWORD SessionId;
    char* WinStationName;
    DWORD State;
};

struct TWtsApi {
    HANDLE(WINAPI* OpenServer)(char* serverName);
    BOOL(WINAPI* EnumerateSessions)(HANDLE server, DWORD reserved, DWORD version, TWtsSessionInfo** info, DWORD* count);
    BOOL(WINAPI* SendSessionMessage)(HANDLE server, DWORD sessionId, char* title, DWORD titleLength, char* message,
        DWORD messageLength, DWORD style, DWORD timeoutSeconds, DWORD* response, BOOL wait);
    void(WINAPI* FreeMemory)(void* memory);
    void(WINAPI* CloseServer)(HANDLE server);
};

// The calls, bound at first use from any thread; null when the library or one of the entry points is missing (the
// road is then skipped). A failed binding is tried again at the next use; a made one stays until the program ends.
const TWtsApi* WtsApi();

// Tests bind another library in place of wtsapi32.dll, to see a missing library or entry point.
void SetWtsApiLibraryNameForTesting(const std::string& name);
