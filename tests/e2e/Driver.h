// Drives a real window program from end-to-end tests: processes, windows, input, screen, settings file, stand-in.
//
// Every wait polls a condition until it holds or a bound passes; nothing relies on a fixed sleep alone.
// Texts are code page 1254 bytes, like the program's own (test sources are compiled to cp1254).
// Failures that leave a test nothing to check (a window that does not answer, a file that cannot be written)
// throw std::runtime_error with the reason; waits report a timeout by returning false or a null handle.
#pragma once
#include <windows.h>

#include <cstdint>
#include <functional>
#include <initializer_list>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "WindowOrder.h"
#include "standin/StandinProtocol.h"

namespace e2e {

// How long a wait for something the user would see (a window, a paint, a focus change) may take. A wait ends as
// soon as its condition holds, so the bound costs nothing when all is well; it is generous because a machine
// busy with other work (two CPU-burning workers per core were seen) paints and switches focus seconds late.
inline constexpr DWORD kTimeoutMs = 15000;

// Polls cond every pollMs until it holds (true) or timeoutMs has passed (false); cond runs at least once.
bool WaitUntil(const std::function<bool()>& cond, DWORD timeoutMs = kTimeoutMs, DWORD pollMs = 20);

// ---- processes -------------------------------------------------------------------------------------

struct TStartOptions {
    std::string Exe = "varnel.exe";  // absolute, or relative to the current folder
    std::string Arguments;
    std::string WorkingFolder;  // empty: the current folder
    std::vector<std::pair<std::string, std::string>> Environment;  // added to, or replacing, the driver's own
    // Inheritable handles for the standard streams of a console program; null: the driver's own.
    HANDLE StdInput = nullptr;
    HANDLE StdOutput = nullptr;
    HANDLE StdError = nullptr;
    DWORD CreationFlags = 0;  // e.g. DETACHED_PROCESS: no console at all
};

class TProcess {
public:
    explicit TProcess(const TStartOptions& options);  // throws when the program cannot be started
    ~TProcess();  // ends the process if it still runs
    TProcess(const TProcess&) = delete;
    TProcess& operator=(const TProcess&) = delete;

    DWORD Id() const { return FInfo.dwProcessId; }
    HANDLE Handle() const { return FInfo.hProcess; }
    bool IsRunning() const;
    bool WaitForExit(DWORD timeoutMs = kTimeoutMs) const;
    std::optional<DWORD> ExitCode() const;  // nullopt while it runs
    bool Terminate(UINT exitCode = 1, DWORD timeoutMs = kTimeoutMs);
    bool WaitForInputIdle(DWORD timeoutMs = kTimeoutMs) const;

    // Top-level windows of this process in z-order (EnumWindows + GetWindowThreadProcessId).
    std::vector<HWND> TopWindows(bool visibleOnly = false) const;
    // Class and caption must match exactly when given; nullptr matches any.
    HWND FindTopWindow(const char* className, const char* title, bool visibleOnly = true) const;
    HWND WaitForTopWindow(const char* className, const char* title, DWORD timeoutMs = kTimeoutMs,
                          bool visibleOnly = true) const;
    // Waits until no visible top-level window of that class and title is left.
    bool WaitForTopWindowGone(const char* className, const char* title, DWORD timeoutMs = kTimeoutMs) const;

private:
    PROCESS_INFORMATION FInfo{};
};

// One scenario: a fresh private folder with the stand-in's log and script, and the processes it started.
class TScenario {
public:
    explicit TScenario(std::string name = {});  // empty: named after the running GoogleTest test
    ~TScenario();

    const std::string& Folder() const { return FFolder; }
    std::string LogPath() const { return FFolder + "\\netapi32.log"; }
    std::string ScriptPath() const { return FFolder + "\\netapi32.script"; }
    std::string PathOf(const std::string& fileName) const { return FFolder + "\\" + fileName; }

    // May be called before or while the program runs: the stand-in reads the script at every call.
    void SetScript(const standin::Script& script) const;
    std::vector<standin::Record> Records(const std::string& function = {}) const;
    bool WaitForRecords(const std::string& function, size_t count, DWORD timeoutMs = kTimeoutMs) const;

    // Copies a program into this scenario's folder (or a subfolder of it) under another name, with the
    // stand-in beside it so that the copy still loads it; returns the copy's path.
    std::string CopyProgram(const std::string& newName, const std::string& subFolder = {},
                            const std::string& source = "varnel.exe") const;

    // Starts a program with the stand-in's variables and the library override added to options.Environment;
    // under Wine its windows are also made unmanaged (see Driver.cpp: closing a message box stalls otherwise).
    TProcess& Start(TStartOptions options = {});
    TProcess& Program() const;  // the last one started; throws when none was

private:
    std::string FFolder;
    std::vector<std::unique_ptr<TProcess>> FProcesses;
};

// ---- windows ---------------------------------------------------------------------------------------

std::string ClassName(HWND w);
std::string Text(HWND w);  // WM_GETTEXT, which the system carries across processes
std::string Caption(HWND w);  // GetWindowTextA: a top-level window's stored caption, no message sent
void SetText(HWND w, const std::string& text);
bool WaitForText(HWND w, const std::string& text, DWORD timeoutMs = kTimeoutMs);

std::vector<HWND> Descendants(HWND parent);  // every child, grandchild, ... in z-order per level
HWND FindChildById(HWND parent, int id);  // searched recursively (GetDlgCtrlID)
HWND FindChild(HWND parent, const char* className, const char* text);  // recursively; nullptr matches any
HWND WaitForChild(HWND parent, const char* className, const char* text, DWORD timeoutMs = kTimeoutMs);

RECT WindowRect(HWND w);  // screen coordinates
RECT ClientRectOnScreen(HWND w);
SIZE ClientSize(HWND w);
bool IsVisible(HWND w);  // the window and all its parents are visible
bool IsEnabled(HWND w);

// Focus and activation as the window's own thread sees them (GetGUIThreadInfo).
HWND FocusOf(HWND anyWindowOfThread);
HWND ActiveOf(HWND anyWindowOfThread);
HWND Foreground();
bool WaitForFocus(HWND expected, DWORD timeoutMs = kTimeoutMs);
// Waits until `window` (any window when null) has stayed the foreground window for a quarter of a second.
// Without a window manager Wine learns of activation changes from X focus events that reach the program late;
// one that arrives while a menu or a drop-down list is open cancels it (WM_CANCELMODE), which no user would
// ever see. Call before opening one, or before the first gesture in a window that has just appeared.
bool WaitForSettledForeground(HWND window = nullptr, DWORD timeoutMs = kTimeoutMs);

// ---- input -----------------------------------------------------------------------------------------

void Click(HWND button);  // posts BM_CLICK
enum class TMouseButton { Left, Right, Middle };
// SetCursorPos + button down and up; never taken for the second half of a double click.
void ClickAt(POINT screen, TMouseButton button = TMouseButton::Left);
void DoubleClickAt(POINT screen, TMouseButton button = TMouseButton::Left);
// Presses the button at one point, moves there in four steps and releases, as a user's drag does.
void Drag(POINT from, POINT to, TMouseButton button = TMouseButton::Left);
void PressButton(TMouseButton button, bool down);  // one half of a click, where the cursor is
void ClickWindow(HWND w, std::optional<POINT> clientPoint = {}, TMouseButton button = TMouseButton::Left);
// Another process's control takes the focus only by a click (a second one when the first was lost); true once it
// has the focus and its window is the foreground window (only then do typed keys reach it).
bool FocusByClick(HWND control, DWORD timeoutMs = kTimeoutMs);

// Types cp1254 text into whatever has the focus: each character as a Unicode key event, so that Turkish
// letters reach an ANSI window as their cp1254 codes; '\n' is Enter, '\t' Tab, '\b' Backspace.
void TypeText(const std::string& text);
void PressKey(WORD vk);
void Chord(std::initializer_list<WORD> keys);  // pressed in order, released in reverse: Chord({VK_MENU, 'S'})
void PostSysCommand(HWND w, WPARAM command);

// Presses Tab (or Shift+Tab) until the focus comes back to where it started; returns the focus after each
// press, ending with the starting window. Empty when the focus did not move at all.
std::vector<HWND> TabOrder(HWND anyWindowOfThread, bool backwards = false, int maxPresses = 40);

// ---- lists and dialogs -----------------------------------------------------------------------------

// Read with LB_GETCOUNT / LB_GETTEXTLEN / LB_GETTEXT; throws for a list whose items are not strings
// (owner-drawn without LBS_HASSTRINGS), since its "texts" would be item data.
std::vector<std::string> ListBoxItems(HWND list);
int ListBoxCurrent(HWND list);  // LB_GETCURSEL: -1 when none
std::vector<int> ListBoxSelected(HWND list);  // indexes whose LB_GETSEL is set
LRESULT ListBoxItemData(HWND list, int index);
int ListBoxTopIndex(HWND list);
std::vector<std::string> ComboItems(HWND combo);
int ComboCurrent(HWND combo);

struct TDialogButton {
    HWND Window = nullptr;
    int Id = 0;
    std::string Text;
};

struct TDialog {
    HWND Window = nullptr;
    std::string ClassName;
    std::string Title;
    std::vector<std::string> Texts;  // non-empty static texts in z-order (a message box's message)
    bool HasIcon = false;  // a static that shows an icon
    std::vector<TDialogButton> Buttons;

    const TDialogButton* Button(const std::string& text) const;  // by exact caption, ampersands included
};

TDialog ReadDialog(HWND dialog);
// A visible top-level "#32770" window of the process with that title (nullptr: any title).
HWND WaitForMessageBox(const TProcess& process, const char* title, DWORD timeoutMs = kTimeoutMs);

// The system's browse dialog ("Gözat") that the program opens for picking one computer.
inline constexpr const char* kBrowseDialogTitle = "Gözat";
// Clicks `browseButton` and waits for the browse dialog; nullptr when none came.
HWND OpenBrowseDialog(const TProcess& process, HWND browseButton);
// Presses `button` (IDOK, IDCANCEL) in the browse dialog and waits until it has gone.
bool AnswerBrowseDialog(const TProcess& process, HWND dialog, int button);
// Opens the browse dialog and confirms whatever it has selected; false when it did not come or did not go.
bool BrowseAndConfirm(const TProcess& process, HWND browseButton);

// ---- screen ----------------------------------------------------------------------------------------

struct TImage {
    int Width = 0;
    int Height = 0;
    std::vector<COLORREF> Pixels;  // row by row from the top
    COLORREF At(int x, int y) const { return Pixels.at(static_cast<size_t>(y) * Width + x); }
};

COLORREF ScreenPixel(POINT screen);
COLORREF ClientPixel(HWND w, int x, int y);
bool WaitForClientPixel(HWND w, int x, int y, COLORREF expected, DWORD timeoutMs = kTimeoutMs);  // painting is late
TImage CaptureScreen(const RECT& screenRect);
TImage CaptureWindow(HWND w);  // the window's rectangle as the screen shows it
// Writes a 24-bit BMP. To get a PNG: convert shot.bmp shot.png   (ImageMagick)
void SaveBmp(const TImage& image, const std::string& path);
void SaveScreenshot(HWND w, const std::string& path);

// ---- the settings file -----------------------------------------------------------------------------

std::string IniPath();  // <Windows directory>\Varnel.Ini
std::optional<std::string> ReadIniFile();  // nullopt when there is no file
void WriteIniFile(const std::string& content);
void DeleteIniFile();
// The key's value through the profile API; nullopt when the section or key is absent.
std::optional<std::string> IniValue(const std::string& section, const std::string& key,
                                    const std::string& path = IniPath());

// Keeps the machine's settings file out of a scenario: removed while the object lives, then put back as it was
// (a folder a scenario put in its place goes too). Declare it before the scenario, so that it outlives the
// processes that might still write the file.
class TSettingsFileAside {
public:
    TSettingsFileAside();
    ~TSettingsFileAside();
    TSettingsFileAside(const TSettingsFileAside&) = delete;
    TSettingsFileAside& operator=(const TSettingsFileAside&) = delete;

private:
    std::optional<std::string> FSaved;
};

}  // namespace e2e
