// Starts programs in turn and times each from process creation until its window's colour is on the screen,
// then reads the process's peak working set and ends it through its own message loop (WM_QUIT).
// Prints one line per run: "run <round> <program> <milliseconds> <peak KiB> <warm|warm-up>".
// With --trace, also "phase <round> <program> <milliseconds> <warm|warm-up> <window class>" for the moment each
// top-level window class of the new process was first seen, and "visible" for its first visible window: start-up by
// phase, seen from outside, with no change to the program (the polling costs the program some time).
#include <windows.h>
#include <psapi.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

// The main window's colour and size; the probe lies on its background, clear of every control.
constexpr COLORREF kColor = RGB(0x80, 0x80, 0xFF);
constexpr int kWidth = 350, kHeight = 300, kProbeX = 8, kProbeY = 290;
constexpr DWORD kShowTimeoutMs = 30000, kExitTimeoutMs = 15000;

struct TOptions {
    int Runs = 11;
    int WarmUp = 2;
    bool Kill = false;
    bool Trace = false;
    std::vector<std::string> Programs;
};

POINT Probe()
{
    return {(GetSystemMetrics(SM_CXSCREEN) - kWidth) / 2 + kProbeX,
        (GetSystemMetrics(SM_CYSCREEN) - kHeight) / 2 + kProbeY};
}

// What the screen shows, read back from the display as another program would see it.
COLORREF ScreenPixel(HDC screen, HDC memory, POINT at)
{
    if (!BitBlt(memory, 0, 0, 1, 1, screen, at.x, at.y, SRCCOPY))
        return CLR_INVALID;
    return GetPixel(memory, 0, 0);
}

double Milliseconds(LARGE_INTEGER from, LARGE_INTEGER to, LARGE_INTEGER frequency)
{
    return 1000.0 * static_cast<double>(to.QuadPart - from.QuadPart) / static_cast<double>(frequency.QuadPart);
}

std::string BaseName(const std::string& path)
{
    const size_t slash = path.find_last_of("\\/");
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string FolderOf(const std::string& path)
{
    const size_t slash = path.find_last_of("\\/");
    return slash == std::string::npos ? std::string(".") : path.substr(0, slash);
}

// Without a window manager, Wine makes a hiding window wait two seconds for an answer that never comes;
// the test driver marks the programs it starts unmanaged, and so does the benchmark, alike for all.
void MarkUnmanaged(const std::string& exe)
{
    if (!GetProcAddress(GetModuleHandleA("ntdll.dll"), "wine_get_version"))
        return;
    const std::string key = "Software\\Wine\\AppDefaults\\" + BaseName(exe) + "\\X11 Driver";
    HKEY k = nullptr;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, key.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr, &k, nullptr) ==
        ERROR_SUCCESS) {
        RegSetValueExA(k, "Managed", 0, REG_SZ, reinterpret_cast<const BYTE*>("N"), 2);
        RegCloseKey(k);
    }
}

struct TPhase {
    std::string Name;
    double Ms;
};

struct TRun {
    double Ms = -1;
    SIZE_T PeakBytes = 0;
    bool EndedByForce = false;
    std::vector<TPhase> Phases;
};

struct TWindowSearch {
    DWORD ProcessId;
    double Ms;
    std::vector<TPhase>* Phases;
};

BOOL CALLBACK NotePhase(HWND hwnd, LPARAM param)
{
    auto& search = *reinterpret_cast<TWindowSearch*>(param);
    DWORD pid = 0;
    GetWindowThreadProcessId(hwnd, &pid);
    if (pid != search.ProcessId)
        return TRUE;
    char name[128] = "";
    GetClassNameA(hwnd, name, sizeof name);
    std::string phases[] = {name, "visible"};
    for (const std::string& phase : phases) {
        if (phase == "visible" && !IsWindowVisible(hwnd))
            continue;
        bool seen = false;
        for (const TPhase& p : *search.Phases)
            seen = seen || p.Name == phase;
        if (!seen)
            search.Phases->push_back({phase, search.Ms});
    }
    return TRUE;
}

TRun RunOnce(const std::string& exe, const TOptions& options, HDC screen, HDC memory)
{
    const POINT probe = Probe();
    // The previous program's window must be gone from the screen before the clock starts.
    for (DWORD waited = 0; ScreenPixel(screen, memory, probe) == kColor && waited < kExitTimeoutMs; waited += 5)
        Sleep(5);

    LARGE_INTEGER frequency, start, shown;
    QueryPerformanceFrequency(&frequency);
    STARTUPINFOA si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    std::string commandLine = "\"" + exe + "\"";
    const std::string folder = FolderOf(exe);
    QueryPerformanceCounter(&start);
    if (!CreateProcessA(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(), &si,
            &pi)) {
        std::fprintf(stderr, "cannot start %s (error %lu)\n", exe.c_str(), GetLastError());
        std::exit(2);
    }
    TRun run;
    for (;;) {
        QueryPerformanceCounter(&shown);
        if (options.Trace) {
            TWindowSearch search{pi.dwProcessId, Milliseconds(start, shown, frequency), &run.Phases};
            EnumWindows(NotePhase, reinterpret_cast<LPARAM>(&search));
        }
        if (ScreenPixel(screen, memory, probe) == kColor) {
            run.Ms = Milliseconds(start, shown, frequency);
            break;
        }
        if (Milliseconds(start, shown, frequency) > kShowTimeoutMs ||
            WaitForSingleObject(pi.hProcess, 0) == WAIT_OBJECT_0)
            break;
        Sleep(1);
    }
    // The peak is read once start-up has settled: after the first idle moment and a short pause.
    WaitForInputIdle(pi.hProcess, kExitTimeoutMs);
    Sleep(300);
    PROCESS_MEMORY_COUNTERS counters{};
    counters.cb = sizeof counters;
    if (GetProcessMemoryInfo(pi.hProcess, &counters, sizeof counters))
        run.PeakBytes = counters.PeakWorkingSetSize;

    if (options.Kill) {
        TerminateProcess(pi.hProcess, 1);
    } else {
        PostThreadMessageA(pi.dwThreadId, WM_QUIT, 0, 0);
        if (WaitForSingleObject(pi.hProcess, kExitTimeoutMs) != WAIT_OBJECT_0) {
            run.EndedByForce = true;
            TerminateProcess(pi.hProcess, 1);
        }
    }
    WaitForSingleObject(pi.hProcess, kExitTimeoutMs);
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    return run;
}

bool ParseOptions(int argc, char** argv, TOptions& options)
{
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--runs" && i + 1 < argc)
            options.Runs = std::atoi(argv[++i]);
        else if (arg == "--warm-up" && i + 1 < argc)
            options.WarmUp = std::atoi(argv[++i]);
        else if (arg == "--kill")
            options.Kill = true;
        else if (arg == "--trace")
            options.Trace = true;
        else if (!arg.empty() && arg[0] != '-')
            options.Programs.push_back(arg);
        else
            return false;
    }
    return options.Runs > 0 && options.WarmUp >= 0 && !options.Programs.empty();
}

} // namespace

int main(int argc, char** argv)
{
    TOptions options;
    if (!ParseOptions(argc, argv, options)) {
        std::fprintf(stderr, "usage: startup_launcher [--runs N] [--warm-up N] [--kill] [--trace] program.exe...\n");
        return 2;
    }
    for (const std::string& exe : options.Programs)
        MarkUnmanaged(exe);
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP pixel = CreateCompatibleBitmap(screen, 1, 1);
    HGDIOBJ old = SelectObject(memory, pixel);

    // The programs take turns, and the first of each round moves on by one, so that no program always
    // follows the same one.
    const size_t count = options.Programs.size();
    int failures = 0;
    for (int round = 0; round < options.WarmUp + options.Runs; ++round) {
        for (size_t k = 0; k < count; ++k) {
            const std::string& exe = options.Programs[(static_cast<size_t>(round) + k) % count];
            const TRun run = RunOnce(exe, options, screen, memory);
            if (run.Ms < 0) {
                std::fprintf(stderr, "%s never showed its colour\n", exe.c_str());
                ++failures;
                continue;
            }
            for (const TPhase& phase : run.Phases)
                std::printf("phase %d %s %.1f %s %s\n", round, BaseName(exe).c_str(), phase.Ms,
                    round < options.WarmUp ? "warm-up" : "warm", phase.Name.c_str());
            std::printf("run %d %s %.1f %lu %s%s\n", round, BaseName(exe).c_str(), run.Ms,
                static_cast<unsigned long>(run.PeakBytes / 1024), round < options.WarmUp ? "warm-up" : "warm",
                run.EndedByForce ? " ended-by-force" : "");
            std::fflush(stdout);
        }
    }
    SelectObject(memory, old);
    DeleteObject(pixel);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return failures ? 1 : 0;
}
