// The end-to-end driver's Win32 side: starting programs, finding and reading windows, input, screen and files.
#include "Driver.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <cctype>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <sstream>
#include <stdexcept>

namespace e2e {

namespace {

constexpr UINT kAnswerMs = 3000;  // a window that does not answer a query within this is taken as hung

std::runtime_error Failure(const std::string& what) {
    return std::runtime_error(what + " (error " + std::to_string(GetLastError()) + ")");
}

LRESULT Ask(HWND w, UINT msg, WPARAM wp, LPARAM lp) {
    DWORD_PTR result = 0;
    if (!SendMessageTimeoutA(w, msg, wp, lp, SMTO_ABORTIFHUNG, kAnswerMs, &result))
        throw Failure("window " + std::to_string(reinterpret_cast<uintptr_t>(w)) + " did not answer message " +
                      std::to_string(msg));
    return static_cast<LRESULT>(result);
}

bool SameNoCase(const std::string& a, const std::string& b) {
    return a.size() == b.size() && CompareStringA(LOCALE_INVARIANT, NORM_IGNORECASE, a.data(), static_cast<int>(a.size()),
                                                  b.data(), static_cast<int>(b.size())) == CSTR_EQUAL;
}

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
    std::string lower = value;
    for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    if (lower.find("netapi32=") != std::string::npos) return value;
    return value.empty() ? "netapi32=n,b" : value + ";netapi32=n,b";
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

void SendInputs(std::vector<INPUT>& inputs) {
    if (inputs.empty()) return;
    const UINT sent = SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
    if (sent != inputs.size()) throw Failure("SendInput delivered " + std::to_string(sent) + " of " +
                                             std::to_string(inputs.size()) + " events");
}

INPUT KeyEvent(WORD vk, bool up) {
    INPUT in{};
    in.type = INPUT_KEYBOARD;
    in.ki.wVk = vk;
    in.ki.wScan = static_cast<WORD>(MapVirtualKeyA(vk, MAPVK_VK_TO_VSC));
    in.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    switch (vk) {
    case VK_LEFT: case VK_RIGHT: case VK_UP: case VK_DOWN: case VK_HOME: case VK_END:
    case VK_PRIOR: case VK_NEXT: case VK_INSERT: case VK_DELETE:
        in.ki.dwFlags |= KEYEVENTF_EXTENDEDKEY;
        break;
    default:
        break;
    }
    return in;
}

INPUT UnicodeEvent(wchar_t ch, bool up) {
    INPUT in{};
    in.type = INPUT_KEYBOARD;
    in.ki.wScan = ch;
    in.ki.dwFlags = KEYEVENTF_UNICODE | (up ? KEYEVENTF_KEYUP : 0);
    return in;
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
        throw Failure("window did not answer message " + std::to_string(msg));
    return static_cast<LRESULT>(result);
}

// Asked in UTF-16: Wine hands an ANSI list's item to another process's SendMessageA still in UTF-16.
std::string ItemText(HWND w, UINT lenMsg, UINT textMsg, int index) {
    const LRESULT len = AskW(w, lenMsg, static_cast<WPARAM>(index), 0);
    if (len < 0) throw std::runtime_error("item " + std::to_string(index) + " cannot be read");
    // LB_GETTEXT takes no buffer size: leave room in case the item grows between the two messages.
    std::wstring buf(static_cast<size_t>(len) * 2 + 256, L'\0');
    const LRESULT got = AskW(w, textMsg, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(buf.data()));
    if (got < 0 || static_cast<size_t>(got) >= buf.size() || buf[static_cast<size_t>(got)] != L'\0')
        throw std::runtime_error("item " + std::to_string(index) + " cannot be read");
    buf.resize(static_cast<size_t>(got));
    return AnsiFromWide(buf);
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
        if (cond()) return true;
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
    if (!CreateProcessA(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, env.data(), folder.c_str(), &si,
                        &FInfo))
        throw Failure("cannot start " + exe);
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

// ---- input -----------------------------------------------------------------------------------------

void Click(HWND button) {
    if (!PostMessageA(button, BM_CLICK, 0, 0)) throw Failure("cannot post BM_CLICK");
}

namespace {

struct TLastClick {
    POINT At{-100000, -100000};
    TMouseButton Button = TMouseButton::Left;
    DWORD Tick = 0;
};
TLastClick gLastClick;

void SendClicks(POINT screen, TMouseButton button, int count) {
    if (!SetCursorPos(screen.x, screen.y)) throw Failure("SetCursorPos failed");
    DWORD down = MOUSEEVENTF_LEFTDOWN, up = MOUSEEVENTF_LEFTUP;
    if (button == TMouseButton::Right) down = MOUSEEVENTF_RIGHTDOWN, up = MOUSEEVENTF_RIGHTUP;
    if (button == TMouseButton::Middle) down = MOUSEEVENTF_MIDDLEDOWN, up = MOUSEEVENTF_MIDDLEUP;
    std::vector<INPUT> in;
    for (int i = 0; i < count; ++i) {
        INPUT e{};
        e.type = INPUT_MOUSE;
        e.mi.dwFlags = down;
        in.push_back(e);
        e.mi.dwFlags = up;
        in.push_back(e);
    }
    SendInputs(in);
    gLastClick = {screen, button, GetTickCount()};
}

}  // namespace

// A click close to the last one, within the double-click time, would arrive as a double click (an edit
// control then selects a word and does not take the focus): such a click waits that time out first.
void ClickAt(POINT screen, TMouseButton button) {
    const DWORD since = GetTickCount() - gLastClick.Tick;
    const DWORD doubleTime = GetDoubleClickTime();
    if (button == gLastClick.Button && since <= doubleTime &&
        std::abs(screen.x - gLastClick.At.x) <= GetSystemMetrics(SM_CXDOUBLECLK) &&
        std::abs(screen.y - gLastClick.At.y) <= GetSystemMetrics(SM_CYDOUBLECLK))
        Sleep(doubleTime - since + 20);
    SendClicks(screen, button, 1);
}

void DoubleClickAt(POINT screen, TMouseButton button) { SendClicks(screen, button, 2); }

void ClickWindow(HWND w, std::optional<POINT> clientPoint, TMouseButton button) {
    const RECT r = ClientRectOnScreen(w);
    POINT p = clientPoint ? POINT{r.left + clientPoint->x, r.top + clientPoint->y}
                          : POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
    ClickAt(p, button);
}

// Keys go to the thread that is in the foreground when they are sent, so a control that already had its
// thread's focus is ready only once the click has also brought its window to the foreground.
bool FocusByClick(HWND control, DWORD timeoutMs) {
    ClickWindow(control);
    const HWND top = GetAncestor(control, GA_ROOT);
    return WaitUntil([&] { return IsWindow(control) && Foreground() == top && FocusOf(control) == control; },
                     timeoutMs);
}

void TypeText(const std::string& text) {
    const std::wstring wide = WideFromAnsi(text);
    std::vector<INPUT> in;
    for (size_t i = 0; i < wide.size(); ++i) {
        const wchar_t c = wide[i];
        WORD vk = 0;
        if (c == L'\r' && i + 1 < wide.size() && wide[i + 1] == L'\n') continue;
        if (c == L'\n' || c == L'\r') vk = VK_RETURN;
        if (c == L'\t') vk = VK_TAB;
        if (c == L'\b') vk = VK_BACK;
        in.push_back(vk ? KeyEvent(vk, false) : UnicodeEvent(c, false));
        in.push_back(vk ? KeyEvent(vk, true) : UnicodeEvent(c, true));
    }
    SendInputs(in);
}

void PressKey(WORD vk) { Chord({vk}); }

void Chord(std::initializer_list<WORD> keys) {
    std::vector<INPUT> in;
    for (WORD k : keys) in.push_back(KeyEvent(k, false));
    for (auto it = std::rbegin(keys); it != std::rend(keys); ++it) in.push_back(KeyEvent(*it, true));
    SendInputs(in);
}

void PostSysCommand(HWND w, WPARAM command) {
    if (!PostMessageA(w, WM_SYSCOMMAND, command, 0)) throw Failure("cannot post WM_SYSCOMMAND");
}

std::vector<HWND> TabOrder(HWND anyWindowOfThread, bool backwards, int maxPresses) {
    const HWND start = FocusOf(anyWindowOfThread);
    std::vector<HWND> order;
    HWND current = start;
    for (int i = 0; i < maxPresses; ++i) {
        if (backwards)
            Chord({VK_SHIFT, VK_TAB});
        else
            PressKey(VK_TAB);
        const HWND before = current;
        // A lone tab stop keeps the focus: a short bound tells that apart from a slow program.
        if (!WaitUntil([&] { return (current = FocusOf(anyWindowOfThread)) != before; }, 1000)) break;
        order.push_back(current);
        if (current == start) return order;
    }
    if (!order.empty()) throw std::runtime_error("the tab order did not come back to where it started");
    return order;
}

// ---- lists and dialogs -----------------------------------------------------------------------------

std::vector<std::string> ListBoxItems(HWND list) {
    const LONG style = GetWindowLongA(list, GWL_STYLE);
    if ((style & (LBS_OWNERDRAWFIXED | LBS_OWNERDRAWVARIABLE)) && !(style & LBS_HASSTRINGS))
        throw std::runtime_error("owner-drawn list without LBS_HASSTRINGS: its items are not texts");
    const LRESULT count = Ask(list, LB_GETCOUNT, 0, 0);
    if (count < 0) throw std::runtime_error("LB_GETCOUNT failed");
    std::vector<std::string> items;
    for (int i = 0; i < count; ++i) items.push_back(ItemText(list, LB_GETTEXTLEN, LB_GETTEXT, i));
    return items;
}

int ListBoxCurrent(HWND list) { return static_cast<int>(Ask(list, LB_GETCURSEL, 0, 0)); }

std::vector<int> ListBoxSelected(HWND list) {
    std::vector<int> out;
    const LRESULT count = Ask(list, LB_GETCOUNT, 0, 0);
    for (int i = 0; i < count; ++i)
        if (Ask(list, LB_GETSEL, static_cast<WPARAM>(i), 0) > 0) out.push_back(i);
    return out;
}

LRESULT ListBoxItemData(HWND list, int index) { return Ask(list, LB_GETITEMDATA, static_cast<WPARAM>(index), 0); }

int ListBoxTopIndex(HWND list) { return static_cast<int>(Ask(list, LB_GETTOPINDEX, 0, 0)); }

std::vector<std::string> ComboItems(HWND combo) {
    const LONG style = GetWindowLongA(combo, GWL_STYLE);
    if ((style & (CBS_OWNERDRAWFIXED | CBS_OWNERDRAWVARIABLE)) && !(style & CBS_HASSTRINGS))
        throw std::runtime_error("owner-drawn combo box without CBS_HASSTRINGS: its items are not texts");
    const LRESULT count = Ask(combo, CB_GETCOUNT, 0, 0);
    if (count < 0) throw std::runtime_error("CB_GETCOUNT failed");
    std::vector<std::string> items;
    for (int i = 0; i < count; ++i) items.push_back(ItemText(combo, CB_GETLBTEXTLEN, CB_GETLBTEXT, i));
    return items;
}

int ComboCurrent(HWND combo) { return static_cast<int>(Ask(combo, CB_GETCURSEL, 0, 0)); }

const TDialogButton* TDialog::Button(const std::string& text) const {
    for (const TDialogButton& b : Buttons)
        if (b.Text == text) return &b;
    return nullptr;
}

namespace {

// Throws when a child disappears while it is read.
TDialog ReadDialogOnce(HWND dialog) {
    TDialog d;
    d.Window = dialog;
    d.ClassName = ClassName(dialog);
    d.Title = Text(dialog);
    for (HWND w : Descendants(dialog)) {
        const std::string cls = ClassName(w);
        const LONG style = GetWindowLongA(w, GWL_STYLE);
        if (SameNoCase(cls, "Static")) {
            if ((style & SS_TYPEMASK) == SS_ICON) {
                d.HasIcon = true;
            } else {
                std::string t = Text(w);
                if (!t.empty()) d.Texts.push_back(std::move(t));
            }
        } else if (SameNoCase(cls, "Button") && IsWindowVisible(w)) {
            d.Buttons.push_back({w, GetDlgCtrlID(w), Text(w)});
        }
    }
    return d;
}

}  // namespace

// Wine's message box destroys the buttons it does not need while it initialises, so a read that meets a
// vanished child is repeated.
TDialog ReadDialog(HWND dialog) {
    for (int attempt = 0;; ++attempt) {
        try {
            return ReadDialogOnce(dialog);
        } catch (const std::runtime_error&) {
            if (attempt >= 10 || !IsWindow(dialog)) throw;
            Sleep(50);
        }
    }
}

HWND WaitForMessageBox(const TProcess& process, const char* title, DWORD timeoutMs) {
    HWND box = process.WaitForTopWindow("#32770", title, timeoutMs, true);
    // A reply to WM_NULL comes from the dialog's message loop, so its initialisation is over by then.
    if (box) Ask(box, WM_NULL, 0, 0);
    return box;
}

// ---- screen ----------------------------------------------------------------------------------------

TImage CaptureScreen(const RECT& r) {
    TImage image;
    image.Width = r.right - r.left;
    image.Height = r.bottom - r.top;
    if (image.Width <= 0 || image.Height <= 0) throw std::runtime_error("empty rectangle to capture");
    BITMAPINFO bi{};
    bi.bmiHeader.biSize = sizeof bi.bmiHeader;
    bi.bmiHeader.biWidth = image.Width;
    bi.bmiHeader.biHeight = -image.Height;  // top-down
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    bi.bmiHeader.biCompression = BI_RGB;
    HDC screen = GetDC(nullptr);
    HDC mem = CreateCompatibleDC(screen);
    void* bits = nullptr;
    HBITMAP bmp = CreateDIBSection(screen, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
    bool ok = screen && mem && bmp;
    if (ok) {
        HGDIOBJ old = SelectObject(mem, bmp);
        ok = BitBlt(mem, 0, 0, image.Width, image.Height, screen, r.left, r.top, SRCCOPY) != FALSE;
        GdiFlush();
        SelectObject(mem, old);
    }
    if (ok) {
        const auto* px = static_cast<const uint32_t*>(bits);
        image.Pixels.resize(static_cast<size_t>(image.Width) * image.Height);
        for (size_t i = 0; i < image.Pixels.size(); ++i) {
            const uint32_t v = px[i];  // 0x00RRGGBB in a DIB; COLORREF wants 0x00BBGGRR
            image.Pixels[i] = RGB((v >> 16) & 0xFF, (v >> 8) & 0xFF, v & 0xFF);
        }
    }
    if (bmp) DeleteObject(bmp);
    if (mem) DeleteDC(mem);
    if (screen) ReleaseDC(nullptr, screen);
    if (!ok) throw Failure("cannot capture the screen");
    return image;
}

COLORREF ScreenPixel(POINT p) { return CaptureScreen({p.x, p.y, p.x + 1, p.y + 1}).At(0, 0); }

COLORREF ClientPixel(HWND w, int x, int y) {
    POINT p{x, y};
    if (!ClientToScreen(w, &p)) throw Failure("no such window");
    return ScreenPixel(p);
}

bool WaitForClientPixel(HWND w, int x, int y, COLORREF expected, DWORD timeoutMs) {
    return WaitUntil([&] { return ClientPixel(w, x, y) == expected; }, timeoutMs);
}

TImage CaptureWindow(HWND w) { return CaptureScreen(WindowRect(w)); }

void SaveBmp(const TImage& image, const std::string& path) {
    const uint32_t rowBytes = (static_cast<uint32_t>(image.Width) * 3 + 3) & ~3u;
    const uint32_t dataBytes = rowBytes * static_cast<uint32_t>(image.Height);
    BITMAPFILEHEADER fh{};
    BITMAPINFOHEADER ih{};
    fh.bfType = 0x4D42;  // "BM"
    fh.bfOffBits = sizeof fh + sizeof ih;
    fh.bfSize = fh.bfOffBits + dataBytes;
    ih.biSize = sizeof ih;
    ih.biWidth = image.Width;
    ih.biHeight = image.Height;  // bottom-up, the usual BMP order
    ih.biPlanes = 1;
    ih.biBitCount = 24;
    ih.biCompression = BI_RGB;
    ih.biSizeImage = dataBytes;
    std::string data(dataBytes, '\0');
    for (int y = 0; y < image.Height; ++y) {
        char* row = data.data() + static_cast<size_t>(image.Height - 1 - y) * rowBytes;
        for (int x = 0; x < image.Width; ++x) {
            const COLORREF c = image.At(x, y);
            row[x * 3 + 0] = static_cast<char>(GetBValue(c));
            row[x * 3 + 1] = static_cast<char>(GetGValue(c));
            row[x * 3 + 2] = static_cast<char>(GetRValue(c));
        }
    }
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(&fh), sizeof fh);
    out.write(reinterpret_cast<const char*>(&ih), sizeof ih);
    out.write(data.data(), static_cast<std::streamsize>(data.size()));
    out.close();
    if (!out) throw std::runtime_error("cannot write " + path);
}

void SaveScreenshot(HWND w, const std::string& path) { SaveBmp(CaptureWindow(w), path); }

// ---- the settings file -----------------------------------------------------------------------------

std::string IniPath() {
    char buf[MAX_PATH];
    const UINT n = GetWindowsDirectoryA(buf, MAX_PATH);
    if (n == 0 || n >= MAX_PATH) throw Failure("cannot read the Windows directory");
    std::string dir(buf, n);
    if (dir.back() != '\\') dir += '\\';
    return dir + "Varnel.Ini";
}

std::optional<std::string> ReadIniFile() {
    std::ifstream in(IniPath(), std::ios::binary);
    if (!in) return std::nullopt;
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

void WriteIniFile(const std::string& content) {
    std::ofstream out(IniPath(), std::ios::binary | std::ios::trunc);
    out << content;
    out.close();
    if (!out) throw std::runtime_error("cannot write " + IniPath());
    WritePrivateProfileStringA(nullptr, nullptr, nullptr, IniPath().c_str());
}

void DeleteIniFile() {
    if (!DeleteFileA(IniPath().c_str()) && GetLastError() != ERROR_FILE_NOT_FOUND)
        throw Failure("cannot delete " + IniPath());
    WritePrivateProfileStringA(nullptr, nullptr, nullptr, IniPath().c_str());
}

std::optional<std::string> IniValue(const std::string& section, const std::string& key, const std::string& path) {
    // Forget what this process may have cached: the program writes the file from another process.
    WritePrivateProfileStringA(nullptr, nullptr, nullptr, path.c_str());
    static const char kAbsent[] = "\x01<absent>\x01";
    std::string buf(256, '\0');
    for (;;) {
        const DWORD n = GetPrivateProfileStringA(section.c_str(), key.c_str(), kAbsent, buf.data(),
                                                 static_cast<DWORD>(buf.size()), path.c_str());
        if (n + 1 < buf.size()) {
            buf.resize(n);
            break;
        }
        if (buf.size() >= (1u << 20)) throw std::runtime_error("profile value too long: " + key);
        buf.assign(buf.size() * 4, '\0');
    }
    if (buf == kAbsent) return std::nullopt;
    return buf;
}

}  // namespace e2e
