// The console program's call: its switches read into what to do, the name file's lines, the message's bounds.
#pragma once
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

enum class TConsoleAction {
    Send,  // deliver the message to the recipients
    List,  // print the workgroup's computers
    Usage, // /? asked for the usage text
    Wrong, // a wrong call: Error says what, then the usage follows
};

enum class TRecipientSource {
    None,
    Names,     // given after /kime, separated by commas
    Workgroup, // /kime:*
    File,      // /kime:@path, one name a line
};

struct TConsoleCall {
    TConsoleAction Action = TConsoleAction::Wrong;
    TRecipientSource Source = TRecipientSource::None;
    std::vector<std::string> Names; // trimmed, blanks left out; duplicates are the plan's to remove
    std::string FilePath;
    std::optional<std::string> Message; // none: the text comes from standard input
    std::string Error;
};

// Reads the arguments after the program's name (code page 1254). Switches start with '/' or '-', their names in
// either case; a value follows a colon. "/?" wins over everything else.
TConsoleCall ParseConsoleCall(const std::vector<std::string>& args);

// The names of a name file's text: one a line (CR LF or LF), trimmed; blank lines and lines whose first
// non-blank character is ';' are left out.
std::vector<std::string> ReadNameList(std::string_view text);

// The window's memo takes as much as the system allows (65,535 characters on Windows 9x, more on NT) and no road
// cuts a text; the console takes the smaller of the two and refuses a longer text rather than cut it.
inline constexpr size_t kMaxMessageLength = 65535;
// A name file is a list of computer names: anything larger is not one.
inline constexpr size_t kMaxNameFileBytes = 1024 * 1024;

// Empty when the text can be sent (something left after trimming, within kMaxMessageLength); else what is wrong.
std::string CheckMessageText(std::string_view text);

// The recipients, each once (compared as the bulk picker compares them: trimmed, letter case ignored), in the
// order given; `leaveOut` (this computer, for the workgroup) is left out when not empty.
std::vector<std::string> PlanConsoleRecipients(const std::vector<std::string>& names, std::string_view leaveOut);
