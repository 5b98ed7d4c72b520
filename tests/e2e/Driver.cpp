// The end-to-end driver's processes, scenarios and window queries.
#include "Driver.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cstring>

#include "DriverDetail.h"

namespace e2e {

namespace detail {

constexpr UINT kAnswerMs = 3000;  // a window that does not answer a query within this is taken as hung

std::runtime_error Failure(const std::string& what) {
    return std::runtime_error(what + " (error " + std::to_string(GetLastError()) + ")");
}

LRESULT Ask(HWND w, UINT msg, WPARAM wp, LPARAM lp) {
    DWORD_PTR result = 0;
    if (!SendMessageTimeoutA(w, msg, wp, lp, SMTO_ABORTIFHUNG, kAnswerMs, &result))
        throw TNoAnswer(Failure("window " + std::to_string(reinterpret_cast<uintptr_t>(w)) +
                                " did not answer message " + std::to_string(msg)).what());
    return static_cast<LRESULT>(result);
}

bool SameNoCase(const std::string& a, const std::string& b) {
    return a.size() == b.size() && CompareStringA(LOCALE_INVARIANT, NORM_IGNORECASE, a.data(), static_cast<int>(a.size()),
                                                  b.data(), static_cast<int>(b.size())) == CSTR_EQUAL;
}

std::wstring WideFromAnsi(const std::string& text) {
    if (text.empty()) return {};
    const int n = MultiByteToWideChar(1254, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring out(static_cast<size_t>(n), L'\0');
    MultiByteToWideChar(1254, 0, text.data(), static_cast<int>(text.size()), out.data(), n);
    return out;
}

std::string AnsiFromWide(const std::wstring& text) {
    if (text.empty()) return {};
    const int n = WideCharToMultiByte(1254, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<size_t>(n), '\0');
    WideCharToMultiByte(1254, 0, text.data(), static_cast<int>(text.size()), out.data(), n, nullptr, nullptr);
    return out;
}

LRESULT AskW(HWND w, UINT msg, WPARAM wp, LPARAM lp) {
    DWORD_PTR result = 0;
    if (!SendMessageTimeoutW(w, msg, wp, lp, SMTO_ABORTIFHUNG, kAnswerMs, &result))
        throw TNoAnswer(Failure("window did not answer message " + std::to_string(msg)).what());
    return static_cast<LRESULT>(result);
}

}  // namespace detail

using namespace detail;

namespace {

std::string CurrentFolder() {
    char buf[MAX_PATH];
    const DWORD n = GetCurrentDirectoryA(MAX_PATH, buf);
    if (n == 0 || n >= MAX_PATH) throw Failure("cannot read the current folder");
    return std::string(buf, n);
}

std::string FullPath(const std::string& path) {
    char buf[MAX_PATH];
    const DWORD n = GetFullPathNameA(path.c_str(), MAX_PATH, buf, nullptr);
    if (n == 0 || n >= MAX_PATH) throw Failure("bad path " + path);
    return std::string(buf, n);
}

// The driver's environment with the given variables set; sorted by name as CreateProcess prefers.
std::string EnvironmentBlock(const std::vector<std::pair<std::string, std::string>>& extra) {
    std::vector<std::string> entries;
    if (char* block = GetEnvironmentStringsA()) {
        for (const char* p = block; *p; p += std::strlen(p) + 1) entries.emplace_back(p);
        FreeEnvironmentStringsA(block);
    }
    for (const auto& [name, value] : extra) {
        if (name.empty() || name.find('=') != std::string::npos) throw std::runtime_error("bad variable name " + name);
        entries.erase(std::remove_if(entries.begin(), entries.end(),
                                     [&](const std::string& e) {
                                         const size_t eq = e.find('=', 1);
                                         return eq != std::string::npos && SameNoCase(e.substr(0, eq), name);
                                     }),
                      entries.end());
        entries.push_back(name + "=" + value);
    }
    std::stable_sort(entries.begin(), entries.end(), [](const std::string& a, const std::string& b) {
        return CompareStringA(LOCALE_INVARIANT, NORM_IGNORECASE, a.c_str(), -1, b.c_str(), -1) == CSTR_LESS_THAN;
    });
    std::string out;
    for (const std::string& e : entries) out += e + '\0';
    return out + '\0';
}

std::optional<std::string> GetVariable(const char* name) {
    std::string buf(32767, '\0');
    SetLastError(0);
    const DWORD n = GetEnvironmentVariableA(name, buf.data(), static_cast<DWORD>(buf.size()));
    if (n == 0 && GetLastError() == ERROR_ENVVAR_NOT_FOUND) return std::nullopt;
    if (n >= buf.size()) throw std::runtime_error(std::string("variable too long: ") + name);
    buf.resize(n);
    return buf;
}

// Wine reads the override from the new process's own environment, so a scenario brings it along.
std::string OverridesWithStandin() {
    std::string value = GetVariable("WINEDLLOVERRIDES").value_or("");
    for (const char* library : {"netapi32", "wtsapi32"}) {
        std::string lower = value;
        for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        if (lower.find(std::string(library) + "=") != std::string::npos) continue;
        value += (value.empty() ? "" : ";") + std::string(library) + "=n,b";
    }
    return value;
}

std::string TestName() {
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    if (!info) return "scenario";
    std::string name = std::string(info->test_suite_name()) + "." + info->name();
    for (char& c : name)
        if (!std::isalnum(static_cast<unsigned char>(c)) && c != '.' && c != '-') c = '_';
    return name;
}

void RemoveFolderContents(const std::string& folder) {
    WIN32_FIND_DATAA fd;
    HANDLE find = FindFirstFileA((folder + "\\*").c_str(), &fd);
    if (find == INVALID_HANDLE_VALUE) return;
    do {
        const std::string name = fd.cFileName;
        if (name == "." || name == "..") continue;
        const std::string path = folder + "\\" + name;
        if (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
            RemoveFolderContents(path);
            RemoveDirectoryA(path.c_str());
        } else {
            DeleteFileA(path.c_str());
        }
    } while (FindNextFileA(find, &fd));
    FindClose(find);
}

struct TEnumTop {
    DWORD Pid;
    bool VisibleOnly;
    std::vector<HWND> Found;
};

BOOL CALLBACK CollectTop(HWND w, LPARAM lp) {
    auto* e = reinterpret_cast<TEnumTop*>(lp);
    DWORD pid = 0;
    GetWindowThreadProcessId(w, &pid);
    if (pid == e->Pid && (!e->VisibleOnly || IsWindowVisible(w))) e->Found.push_back(w);
    return TRUE;
}

BOOL CALLBACK CollectChild(HWND w, LPARAM lp) {
    reinterpret_cast<std::vector<HWND>*>(lp)->push_back(w);
    return TRUE;
}

// Windows come and go while they are searched: one that vanished simply does not match.
bool Matches(HWND w, const char* className, const char* text) {
    try {
        return (!className || ClassName(w) == className) && (!text || Text(w) == text);
    } catch (const std::runtime_error&) {
        if (IsWindow(w)) throw;
        return false;
    }
}

// Top-level windows match on their stored caption: under Wine a WM_GETTEXT sent to a window that is being
// destroyed takes seconds to fail, and a closing message box is exactly that.
bool MatchesTop(HWND w, const char* className, const char* title) {
    char cls[256];
    const int n = GetClassNameA(w, cls, sizeof cls);
    if (n <= 0 || (className && std::string(cls, static_cast<size_t>(n)) != className)) return false;
    return !title || Caption(w) == title;
}

}  // namespace

bool WaitUntil(const std::function<bool()>& cond, DWORD timeoutMs, DWORD pollMs) {
    const DWORD start = GetTickCount();
    for (;;) {
        try {
            if (cond()) return true;
        } catch (const TNoAnswer&) {
            // A window busy with a long piece of work (checking ten thousand names on a loaded machine) answers
            // later; the wait's own bound decides when that is too late.
        }
        if (GetTickCount() - start >= timeoutMs) return false;
        Sleep(pollMs);
    }
}

// ---- processes -------------------------------------------------------------------------------------

TProcess::TProcess(const TStartOptions& options) {
    const std::string exe = FullPath(options.Exe);
    if (GetFileAttributesA(exe.c_str()) == INVALID_FILE_ATTRIBUTES) throw Failure("program not found: " + exe);
    std::string commandLine = "\"" + exe + "\"";
    if (!options.Arguments.empty()) commandLine += " " + options.Arguments;
    std::string env = EnvironmentBlock(options.Environment);
    const std::string folder = options.WorkingFolder.empty() ? CurrentFolder() : FullPath(options.WorkingFolder);
    STARTUPINFOA si{};
    si.cb = sizeof si;
    const bool redirected = options.StdInput || options.StdOutput || options.StdError;
    if (redirected) {
        si.dwFlags |= STARTF_USESTDHANDLES;
        si.hStdInput = options.StdInput ? options.StdInput : GetStdHandle(STD_INPUT_HANDLE);
        si.hStdOutput = options.StdOutput ? options.StdOutput : GetStdHandle(STD_OUTPUT_HANDLE);
        si.hStdError = options.StdError ? options.StdError : GetStdHandle(STD_ERROR_HANDLE);
    }
    // Under load Wine now and then refuses a start with ERROR_INTERNAL_ERROR while an earlier program is still
    // going away; a later try starts it.
    for (int attempt = 1;; ++attempt) {
        if (CreateProcessA(exe.c_str(), commandLine.data(), nullptr, nullptr, redirected, options.CreationFlags,
                           env.data(), folder.c_str(), &si, &FInfo))
            break;
        if (GetLastError() != ERROR_INTERNAL_ERROR || attempt == 5) throw Failure("cannot start " + exe);
        Sleep(200);
    }
}

TProcess::~TProcess() {
    if (IsRunning()) Terminate();
    CloseHandle(FInfo.hThread);
    CloseHandle(FInfo.hProcess);
}

bool TProcess::IsRunning() const { return WaitForSingleObject(FInfo.hProcess, 0) == WAIT_TIMEOUT; }

bool TProcess::WaitForExit(DWORD timeoutMs) const {
    return WaitForSingleObject(FInfo.hProcess, timeoutMs) == WAIT_OBJECT_0;
}

std::optional<DWORD> TProcess::ExitCode() const {
    if (IsRunning()) return std::nullopt;
    DWORD code = 0;
    if (!GetExitCodeProcess(FInfo.hProcess, &code)) throw Failure("cannot read the exit code");
    return code;
}

bool TProcess::Terminate(UINT exitCode, DWORD timeoutMs) {
    if (!IsRunning()) return true;
    TerminateProcess(FInfo.hProcess, exitCode);
    return WaitForExit(timeoutMs);
}

bool TProcess::WaitForInputIdle(DWORD timeoutMs) const {
    return ::WaitForInputIdle(FInfo.hProcess, timeoutMs) == 0;
}

std::vector<HWND> TProcess::TopWindows(bool visibleOnly) const {
    TEnumTop e{Id(), visibleOnly, {}};
    EnumWindows(CollectTop, reinterpret_cast<LPARAM>(&e));
    return e.Found;
}

HWND TProcess::FindTopWindow(const char* className, const char* title, bool visibleOnly) const {
    for (HWND w : TopWindows(visibleOnly))
        if (MatchesTop(w, className, title)) return w;
    return nullptr;
}

HWND TProcess::WaitForTopWindow(const char* className, const char* title, DWORD timeoutMs, bool visibleOnly) const {
    HWND found = nullptr;
    WaitUntil([&] { return (found = FindTopWindow(className, title, visibleOnly)) != nullptr || !IsRunning(); },
              timeoutMs);
    return found;
}

bool TProcess::WaitForTopWindowGone(const char* className, const char* title, DWORD timeoutMs) const {
    return WaitUntil([&] { return FindTopWindow(className, title, true) == nullptr; }, timeoutMs);
}

TScenario::TScenario(std::string name) {
    if (name.empty()) name = TestName();
    const std::string root = CurrentFolder() + "\\e2e-runs";
    CreateDirectoryA(root.c_str(), nullptr);
    FFolder = root + "\\" + name;
    CreateDirectoryA(FFolder.c_str(), nullptr);
    RemoveFolderContents(FFolder);
    if (GetFileAttributesA(FFolder.c_str()) == INVALID_FILE_ATTRIBUTES) throw Failure("cannot create " + FFolder);
    SetScript({});
}

TScenario::~TScenario() {
    for (auto& p : FProcesses) p->Terminate();
}

void TScenario::SetScript(const standin::Script& script) const { standin::WriteScript(ScriptPath(), script); }

std::vector<standin::Record> TScenario::Records(const std::string& function) const {
    const auto all = standin::ReadLog(LogPath());
    return function.empty() ? all : standin::RecordsOf(all, function);
}

bool TScenario::WaitForRecords(const std::string& function, size_t count, DWORD timeoutMs) const {
    return WaitUntil([&] { return Records(function).size() >= count; }, timeoutMs);
}

// Without a window manager (Xvfb), Wine makes a thread that hides a managed window (one with a caption, such
// as a message box) wait two seconds for an acknowledgement that never comes. Unmanaged windows skip that
// wait; the setting is kept per program name so that nothing else in the prefix changes.
static void UnmanagedWindowsFor(const std::string& exe) {
    if (!GetProcAddress(GetModuleHandleA("ntdll.dll"), "wine_get_version")) return;
    const std::string name = exe.substr(exe.find_last_of("\\/") + 1);
    const std::string key = "Software\\Wine\\AppDefaults\\" + name + "\\X11 Driver";
    HKEY k = nullptr;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, key.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr, &k, nullptr) != ERROR_SUCCESS)
        throw Failure("cannot write the Wine setting " + key);
    const LONG rc = RegSetValueExA(k, "Managed", 0, REG_SZ, reinterpret_cast<const BYTE*>("N"), 2);
    RegCloseKey(k);
    if (rc != ERROR_SUCCESS) throw Failure("cannot write the Wine setting " + key);
}

TProcess& TScenario::Start(TStartOptions options) {
    UnmanagedWindowsFor(FullPath(options.Exe));
    options.Environment.emplace_back(standin::kLogVariable, LogPath());
    options.Environment.emplace_back(standin::kScriptVariable, ScriptPath());
    options.Environment.emplace_back("WINEDLLOVERRIDES", OverridesWithStandin());
    FProcesses.push_back(std::make_unique<TProcess>(options));
    return *FProcesses.back();
}

std::string TScenario::CopyProgram(const std::string& newName, const std::string& subFolder,
                                   const std::string& source) const {
    const std::string folder = subFolder.empty() ? FFolder : FFolder + "\\" + subFolder;
    CreateDirectoryA(folder.c_str(), nullptr);
    const std::string from = FullPath(source);
    const std::string standinFrom = from.substr(0, from.find_last_of('\\') + 1) + "netapi32.dll";
    const std::string to = folder + "\\" + newName;
    if (!CopyFileA(from.c_str(), to.c_str(), FALSE)) throw Failure("cannot copy " + from + " to " + to);
    if (!CopyFileA(standinFrom.c_str(), (folder + "\\netapi32.dll").c_str(), FALSE))
        throw Failure("cannot copy the stand-in " + standinFrom);
    return to;
}

TProcess& TScenario::Program() const {
    if (FProcesses.empty()) throw std::runtime_error("no program was started in this scenario");
    return *FProcesses.back();
}

// ---- windows ---------------------------------------------------------------------------------------

std::string ClassName(HWND w) {
    char buf[256];
    const int n = GetClassNameA(w, buf, sizeof buf);
    if (n <= 0) throw Failure("no such window");
    return std::string(buf, static_cast<size_t>(n));
}

std::string Text(HWND w) {
    const LRESULT len = Ask(w, WM_GETTEXTLENGTH, 0, 0);
    std::string buf(static_cast<size_t>(len) + 2, '\0');
    const LRESULT got = Ask(w, WM_GETTEXT, buf.size(), reinterpret_cast<LPARAM>(buf.data()));
    if (got < 0 || static_cast<size_t>(got) >= buf.size()) throw std::runtime_error("window text cannot be read");
    buf.resize(static_cast<size_t>(got));
    return buf;
}

std::string Caption(HWND w) {
    std::string buf(256, '\0');
    for (;;) {
        const int n = GetWindowTextA(w, buf.data(), static_cast<int>(buf.size()));
        if (n < 0) return {};
        if (static_cast<size_t>(n) + 1 < buf.size()) return buf.substr(0, static_cast<size_t>(n));
        if (buf.size() >= (1u << 20)) throw std::runtime_error("caption too long");
        buf.assign(buf.size() * 4, '\0');
    }
}

void SetText(HWND w, const std::string& text) {
    if (!Ask(w, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()))) throw std::runtime_error("WM_SETTEXT refused");
}

bool WaitForText(HWND w, const std::string& text, DWORD timeoutMs) {
    return WaitUntil([&] { return IsWindow(w) && Text(w) == text; }, timeoutMs);
}

std::vector<HWND> Descendants(HWND parent) {
    std::vector<HWND> out;
    EnumChildWindows(parent, CollectChild, reinterpret_cast<LPARAM>(&out));
    return out;
}

HWND FindChildById(HWND parent, int id) {
    for (HWND w : Descendants(parent))
        if (GetDlgCtrlID(w) == id) return w;
    return nullptr;
}

HWND FindChild(HWND parent, const char* className, const char* text) {
    for (HWND w : Descendants(parent))
        if (Matches(w, className, text)) return w;
    return nullptr;
}

HWND WaitForChild(HWND parent, const char* className, const char* text, DWORD timeoutMs) {
    HWND found = nullptr;
    WaitUntil([&] { return (found = FindChild(parent, className, text)) != nullptr; }, timeoutMs);
    return found;
}

RECT WindowRect(HWND w) {
    RECT r;
    if (!GetWindowRect(w, &r)) throw Failure("no such window");
    return r;
}

RECT ClientRectOnScreen(HWND w) {
    RECT r;
    if (!GetClientRect(w, &r)) throw Failure("no such window");
    MapWindowPoints(w, nullptr, reinterpret_cast<POINT*>(&r), 2);
    return r;
}

SIZE ClientSize(HWND w) {
    RECT r;
    if (!GetClientRect(w, &r)) throw Failure("no such window");
    return {r.right - r.left, r.bottom - r.top};
}

bool IsVisible(HWND w) { return IsWindowVisible(w) != FALSE; }

bool IsEnabled(HWND w) { return IsWindowEnabled(w) != FALSE; }

static GUITHREADINFO ThreadInfo(HWND w) {
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    const DWORD thread = GetWindowThreadProcessId(w, nullptr);
    if (!thread || !GetGUIThreadInfo(thread, &info)) throw Failure("cannot read the window thread's state");
    return info;
}

HWND FocusOf(HWND anyWindowOfThread) { return ThreadInfo(anyWindowOfThread).hwndFocus; }

HWND ActiveOf(HWND anyWindowOfThread) { return ThreadInfo(anyWindowOfThread).hwndActive; }

HWND Foreground() { return GetForegroundWindow(); }

bool WaitForFocus(HWND expected, DWORD timeoutMs) {
    return WaitUntil([&] { return IsWindow(expected) && FocusOf(expected) == expected; }, timeoutMs);
}

bool WaitForSettledForeground(HWND window, DWORD timeoutMs) {
    constexpr DWORD kSettleMs = 250;  // X focus events take well under this, even on a loaded machine
    HWND last = nullptr;
    DWORD since = GetTickCount();
    return WaitUntil([&] {
        const HWND now = Foreground();
        if (now != last) last = now, since = GetTickCount();
        return (!window || now == window) && GetTickCount() - since >= kSettleMs;
    }, timeoutMs);
}

}  // namespace e2e
