// A system library loaded at run time, its entries resolved by name at each call: the program starts and runs
// where the library or one of its entries is missing, and the user-interface thread and the workers share it.
#pragma once
#include <windows.h>

#include <string>

#include "toolkit/Threads.h"

class TLibraryBinding {
public:
    explicit TLibraryBinding(const char* name) : FName(name) {}
    ~TLibraryBinding() { Release(); }
    TLibraryBinding(const TLibraryBinding&) = delete;
    TLibraryBinding& operator=(const TLibraryBinding&) = delete;

    // Loads the library unless it is loaded (again after a failed load): 0, or the platform's error code.
    DWORD Load();
    bool Loaded() const;
    std::string Name() const;
    // Frees the library; a call still under way keeps it in memory, which that thread needs to return into.
    void Release();
    // Releases the library and names the one the next load takes.
    void Rebind(const std::string& name);

    // One call through a named entry: the library stays loaded while the call object lives.
    class TCall {
    public:
        TCall(TLibraryBinding& binding, const char* entryName);
        ~TCall();
        TCall(const TCall&) = delete;
        TCall& operator=(const TCall&) = delete;

        // The entry as a function pointer, or null when the library is not loaded or lacks it.
        template <typename T>
        T Entry() const
        {
            return reinterpret_cast<T>(reinterpret_cast<void*>(FEntry));
        }
        // Why the look-up failed: the platform's error code (0 when the library was not loaded at all).
        DWORD Error() const { return FError; }

    private:
        TLibraryBinding& FBinding;
        FARPROC FEntry = nullptr;
        DWORD FError = 0;
    };

private:
    mutable TCriticalSection FLock;
    std::string FName;
    HMODULE FModule = nullptr;
    volatile LONG FCalls = 0;
};
